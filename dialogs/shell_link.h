#pragma once
// Reading a Windows shell link (".lnk") through the system's shell-link object.
#include "support/shell_link_file.h"

#include <windows.h>

// Loads and resolves the link at path (kFieldSize characters), sets the dialog's
// controls IDC_BUTTON_PARAMS and IDC_BUTTON_WORK_DIR (when it has them) to the
// link's arguments and working folder, and on
// success replaces path with the link's target, whole. False, path unchanged,
// when the link cannot be loaded or resolved or has no file-system target
// that fits.
bool ResolveShellLink(HWND dialog, wchar_t* path);
