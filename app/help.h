#pragma once
#include <windows.h>

// The topic handed to the HTML Help control: the compiled help file named
// like the executable, page html/index.html. False when it cannot be built.
bool BuildHelpTopic(char* buffer, DWORD size);

// Opens the help's index page; message 1007 when the topic cannot be built.
void ShowHelp(HWND owner);
