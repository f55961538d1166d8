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
