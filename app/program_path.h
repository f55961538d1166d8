#pragma once
// The program's own path. Every file the launcher keeps lives beside its
// executable; tests point this at a copy in a temporary folder.
#include <windows.h>

// Copies the executable's full path into buffer (size bytes including the
// terminator). Returns the length, or 0 when it cannot be had or does not fit.
DWORD GetProgramPath(char* buffer, DWORD size);

// Makes GetProgramPath return path instead of the module's file name;
// nullptr goes back to the real module path. For tests.
void OverrideProgramPath(const char* path);
