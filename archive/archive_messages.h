#pragma once
// The archive jobs' message boxes: a text of the string table with names put
// in for %1, %2 and %3, shown through the wide API so that a name outside
// code page 932 appears as it is.
#include <windows.h>

int ShowArchiveMessage(HWND owner, UINT textId, UINT type, const wchar_t* first, const wchar_t* second = nullptr,
                       const wchar_t* third = nullptr);
