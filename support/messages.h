#pragma once
// Message boxes by string id, with the title chosen by the icon kind, and the
// string-table service the rest of the program uses.
#include "resources/resource_ids.h"

#include <windows.h>

// String id of the title a message box of this type gets (only the icon bits count).
UINT MessageTitleId(UINT type);

// MessageBoxW with the title for type; 0 without showing anything when text is missing.
int ShowMessage(HWND owner, const wchar_t* text, UINT type);
int ShowMessageId(HWND owner, UINT messageId, UINT type);

// LoadStringW from the program's module; characters copied, 0 when missing.
int LoadText(UINT id, wchar_t* buffer, int size);

// Longest text FormatText makes, in characters: wvsprintfW writes no more
// than 1024 characters, terminator included.
constexpr int kFormattedTextLimit = 1023;

// The string table's text id with its inserts, as wvsprintfW reads them in
// its wide form: "%s" (and "%ls") a wide string, "%d", "%2d", "%u", "%lu",
// "%I64u". Into buffer (size characters with the terminator), cut on a whole
// character where it does not fit, and at kFormattedTextLimit characters.
// Returns the length; 0, with buffer empty, when the text is missing. Every
// text of the string table with printf-style inserts is formatted here.
int FormatText(wchar_t* buffer, int size, UINT id, ...);
