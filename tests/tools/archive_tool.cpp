// Packs or extracts with the launcher's own archive code, for the
// interoperability check against Info-ZIP (tests/archive/interop.sh):
//   archive_tool pack <archive> <item>...   (items as dropped, recurse)
//   archive_tool extract <archive> <folder>
// Exit code 0 when the job was complete, otherwise 10 + its result.
#include "archive/archive_pack.h"
#include "archive/zip_extract.h"

#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "pack") == 0) {
        PackReport report;
        const PackResult result = PackIntoArchive(argv[2], std::vector<std::string>(argv + 3, argv + argc), nullptr,
                                                  &report);
        return result == kPackDone && report.skipped == 0 ? 0 : 10 + result;
    }
    if (argc == 4 && std::strcmp(argv[1], "extract") == 0) {
        ExtractReport report;
        const ExtractResult result = ExtractArchive(argv[2], argv[3], nullptr, &report);
        return result == kExtractDone && report.skipped == 0 ? 0 : 10 + result;
    }
    return 1;
}
