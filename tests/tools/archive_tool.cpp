// Packs or extracts with the launcher's own archive code, for the
// interoperability check against Info-ZIP (tests/archive/interop.sh):
//   archive_tool pack <archive> <item>...   (items as dropped, recurse)
//   archive_tool extract <archive> <folder>
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"

#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "pack") == 0) {
        ZipPacker packer;
        if (!packer.Open(argv[2]))
            return 2;
        unsigned counter = 0;
        for (int i = 3; i < argc; ++i)
            packer.PackItem(argv[i], 1, 0, nullptr, &counter, 0);
        return packer.Close() && counter > 0 ? 0 : 3;
    }
    if (argc == 4 && std::strcmp(argv[1], "extract") == 0)
        return ExtractArchive(argv[2], argv[3], nullptr, nullptr) ? 0 : 4;
    return 1;
}
