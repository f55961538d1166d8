#pragma once
// Reading a Windows shell link (".lnk") through the system's shell-link object.
#include <windows.h>

// Control ids that ResolveShellLink fills in the calling dialog when it has them.
constexpr int kLinkParamsEditId = 1033;   // launch options
constexpr int kLinkWorkDirEditId = 1003;  // working folder

// Loads and resolves the link at path (a 270-byte buffer), sets the dialog's
// controls 1033 and 1003 to the link's arguments and working folder, and on
// success replaces path with the link's target. False, path unchanged, when
// the link cannot be loaded or resolved or has no file-system target.
bool ResolveShellLink(HWND dialog, char* path);

// True when the path is longer than three characters and ends in "lnk",
// compared without regard to case.
bool IsShellLinkPath(const char* path);
