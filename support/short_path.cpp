#include "support/short_path.h"

#include <cwchar>

namespace {
ShortPathFunction g_shortPath = nullptr;
}  // namespace

bool ShortPathOf(const wchar_t* path, wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return false;
    buffer[0] = L'\0';
    if (!path || !*path)
        return false;
    const ShortPathFunction lookup = g_shortPath ? g_shortPath : GetShortPathNameW;
    const DWORD length = lookup(path, buffer, size);
    // A volume without short names hands the long path back: no short form.
    if (length == 0 || length >= size || std::wcscmp(buffer, path) == 0) {
        buffer[0] = L'\0';
        return false;
    }
    return true;
}

void OverrideShortPathLookup(ShortPathFunction function)
{
    g_shortPath = function;
}
