#pragma once
// The program's own path and the files it keeps beside it: everything the
// launcher keeps lies in the folder of its executable. Tests point the path at
// a copy in a temporary folder.
#include "support/seam_guard.h"

#include <windows.h>

// Copies the executable's full path into buffer (size characters including the
// terminator). Returns the length, or 0 when it cannot be had or does not fit.
DWORD GetProgramPath(wchar_t* buffer, DWORD size);

// For tests: GetProgramPath gives path instead of the module's file name
// (null: the real module path).
SeamGuard OverrideProgramPath(const wchar_t* path);

// "<folder of the program>\<name>" into buffer (size characters with the
// terminator). False when the program's path has no backslash or the result
// does not fit.
bool ProgramFolderFile(const wchar_t* name, wchar_t* buffer, DWORD size);

// The program's path with the extension of its file name replaced by
// extension ("C:\tools\x.exe" and "chm" give "C:\tools\x.chm"); a name without
// extension gets it appended after a dot. False when it does not fit.
bool ProgramPathWithExtension(const wchar_t* extension, wchar_t* buffer, DWORD size);

// The environment variable that names the program's folder, so that stored
// paths can be written relative to it ("%PORUN_DIR%\apps\x.exe").
constexpr wchar_t kProgramFolderVariable[] = L"PORUN_DIR";

// Sets kProgramFolderVariable in this process's environment to the program's
// folder, without a trailing backslash ("E:" for a program in a drive's
// root); the programs the launcher starts inherit it. False when the
// program's path is unknown.
bool SetProgramFolderVariable();
