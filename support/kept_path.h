#pragma once
// Which form of a file's path the launcher can keep. It works in the ANSI
// code page (932) and keeps paths in fixed ANSI fields, while the system
// hands over names in Unicode: a name the code page cannot hold would come
// back with "?" in it and reach nothing.
#include <windows.h>

enum class KeptPath {
    AsIs,       // the code page holds the path exactly
    ShortName,  // the file's short (8.3) path stands in for it
    None,       // neither: the name cannot be kept
};

// Writes into buffer (size bytes) an ANSI path that reaches the same file as
// path: path itself when the code page represents it exactly (no best fit,
// no default character, the same UTF-16 on the way back) and it fits
// MAX_PATH; otherwise the short path the volume gives, under the same test.
// Empty for None.
KeptPath KeepPath(const wchar_t* path, char* buffer, int size);

// For tests: stands in for GetShortPathNameW; null goes back to the system's.
using ShortPathFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
void OverrideShortPathLookup(ShortPathFunction function);
