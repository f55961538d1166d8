#pragma once
#include <windows.h>

// The topic handed to the HTML Help control: the compiled help file named
// like the executable, page html/index.html. False when it cannot be built.
bool BuildHelpTopic(char* buffer, DWORD size);

// Opens the help's index page; IDS_MSG_HELP_FAILED when the topic cannot be built.
void ShowHelp(HWND owner);
