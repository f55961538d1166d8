// For archive/interop.sh: "pack <archive> <item>..." or "extract <archive> <folder>"; 0 when whole, else 10 + result.
#include "archive/archive_pack.h"
#include "archive/zip_extract.h"

#include <shellapi.h>

#include <cwchar>

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
