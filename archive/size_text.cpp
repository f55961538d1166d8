#include "archive/size_text.h"

#include <windows.h>

void FormatByteSize(unsigned long long bytes, wchar_t* out, size_t size)
{
    if (!out || size == 0)
        return;
    static const wchar_t* const kUnits[] = {L"B", L"KB", L"MB", L"GB", L"TB", L"PB", L"EB"};
    unsigned unit = 0;
    while (unit + 1 < sizeof kUnits / sizeof kUnits[0] && bytes >> (10 * (unit + 1)) != 0)
        ++unit;
    wchar_t text[64];
    if (unit == 0) {
        wsprintfW(text, L"%I64u %ls", bytes, kUnits[0]);
    } else {
        const unsigned long long whole = bytes >> (10 * unit);
        const unsigned long long rest = bytes & ((1ULL << (10 * unit)) - 1);
        const unsigned tenths = static_cast<unsigned>((rest * 10) >> (10 * unit));
        wsprintfW(text, L"%I64u.%u %ls", whole, tenths, kUnits[unit]);
    }
    lstrcpynW(out, text, static_cast<int>(size < 64 ? size : 64));
}
