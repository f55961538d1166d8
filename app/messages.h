#pragma once
// Message boxes by string id, with the title chosen by the icon kind, and the
// string-table and program-path services the rest of the program uses.
#include <windows.h>

enum MessageId : UINT {
    kMsgWindowFailed = 1000,  // the main window or a bar button cannot be created
    kMsgLinkFailed = 1001,    // a .lnk file cannot be resolved
    kMsgCannotRegister = 1002,
    kMsgLaunchFailed = 1003,
    kMsgNoMemory = 1004,
    kMsgSaveFailed = 1005,
    kMsgLoadFailed = 1006,
    kMsgHelpFailed = 1007,
    kMsgNameNotKept = 1008,  // a file's name the code page cannot hold, without a short name
};

// String id of the title a message box of this type gets (only the icon bits count).
UINT MessageTitleId(UINT type);

// MessageBoxA with the title for type; 0 without showing anything when text is missing.
int ShowMessage(HWND owner, const char* text, UINT type);
int ShowMessageId(HWND owner, UINT messageId, UINT type);

// LoadStringA from the program's module; characters copied, 0 when missing.
int LoadText(UINT id, char* buffer, int size);

// The program's path with everything after its last "." (in the file name)
// replaced by extension; without a "." the extension is appended after one.
bool PathWithExtension(char* buffer, DWORD size, const char* extension);
