#pragma once
#include <windows.h>

// The topic handed to the HTML Help control: the compiled help file named
// like the executable, page html/index.html. False when it cannot be built.
bool BuildHelpTopic(wchar_t* buffer, DWORD size);

// Opens the help's index page with the HTML Help control of the system
// folder; IDS_MSG_HELP_FAILED when the control cannot be loaded or the topic built.
void ShowHelp(HWND owner);
