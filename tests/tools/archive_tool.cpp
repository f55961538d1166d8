// Packs or extracts with the launcher's own archive code, for the
// interoperability check against Info-ZIP and Python (tests/archive/interop.sh):
//   archive_tool pack <archive> <item>...   (items as dropped, recurse)
//   archive_tool extract <archive> <folder>
// Exit code 0 when the job was complete, otherwise 10 + its result. The
// arguments are taken through the wide API, so names outside code page 932
// arrive as they are.
#include "archive/archive_pack.h"
#include "archive/zip_extract.h"

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 4 && std::wcscmp(argv[1], L"pack") == 0) {
        PackReport report;
        const PackResult result =
            PackIntoArchive(argv[2], std::vector<std::wstring>(argv + 3, argv + argc), nullptr, &report);
        return result == kPackDone && report.skipped == 0 ? 0 : 10 + result;
    }
    if (argc == 4 && std::wcscmp(argv[1], L"extract") == 0) {
        ExtractReport report;
        const ExtractResult result = ExtractArchive(argv[2], argv[3], nullptr, &report);
        return result == kExtractDone && report.skipped == 0 ? 0 : 10 + result;
    }
    return 1;
}
