#include "archive/new_folder.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr unsigned kLastNumber = 9999;

// wanted with " (number)" after it, number 1 standing for wanted itself,
// into path (MAX_PATH characters); false when it does not fit.
bool NumberedName(const wchar_t* wanted, unsigned number, wchar_t* path)
{
    wchar_t suffix[16] = L"";
    if (number > 1)
        wsprintfW(suffix, L" (%u)", number);
    const size_t length = std::wcslen(wanted);
    const size_t suffixLength = std::wcslen(suffix);
    if (length + suffixLength >= MAX_PATH)
        return false;
    wmemcpy(path, wanted, length);
    wmemcpy(path + length, suffix, suffixLength + 1);
    return true;
}

}  // namespace

bool MakeNewFolder(const wchar_t* wanted, wchar_t* made, size_t size)
{
    if (!wanted || !*wanted || !made || size == 0)
        return false;
    wchar_t path[MAX_PATH];
    for (unsigned number = 1; number <= kLastNumber && NumberedName(wanted, number, path); ++number) {
        const size_t length = std::wcslen(path);
        if (length >= size)
            return false;
        if (CreateDirectoryW(path, nullptr)) {
            wmemcpy(made, path, length + 1);
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}
