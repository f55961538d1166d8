#include "support/kept_path.h"

#include "support/max_path.h"

#include <cwchar>

namespace {
ShortPathFunction g_shortPath = nullptr;

bool ConvertsExactly(const wchar_t* path, char* buffer, int size)
{
    if (std::wcslen(path) >= MAX_PATH)
        return false;
    BOOL usedDefault = FALSE;
    if (!WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, buffer, size, nullptr, &usedDefault) ||
        usedDefault)
        return false;
    wchar_t back[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, buffer, -1, back, MAX_PATH) > 0 &&
           std::wcscmp(back, path) == 0 && PathFitsMaxPath(buffer);
}
}  // namespace

KeptPath KeepPath(const wchar_t* path, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return KeptPath::None;
    buffer[0] = '\0';
    if (!path || !*path)
        return KeptPath::None;
    if (ConvertsExactly(path, buffer, size))
        return KeptPath::AsIs;
    // A volume without short names hands the long path back: it fails the same test.
    wchar_t shortPath[MAX_PATH];
    const ShortPathFunction lookup = g_shortPath ? g_shortPath : GetShortPathNameW;
    const DWORD length = lookup(path, shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH && ConvertsExactly(shortPath, buffer, size))
        return KeptPath::ShortName;
    buffer[0] = '\0';
    return KeptPath::None;
}

void OverrideShortPathLookup(ShortPathFunction function)
{
    g_shortPath = function;
}
