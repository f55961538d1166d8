#pragma once
// The short (8.3) form of a path, which older readers of the data file can
// use for a name its code page cannot hold. Volumes without short names
// (exFAT, NTFS volumes where Windows makes none) hand the long path back.
#include <windows.h>

// Writes path's short form into buffer (size characters); false, with buffer
// empty, when there is none that differs from path or it does not fit.
bool ShortPathOf(const wchar_t* path, wchar_t* buffer, DWORD size);

// For tests: stands in for GetShortPathNameW; null goes back to the system's.
using ShortPathFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
void OverrideShortPathLookup(ShortPathFunction function);
