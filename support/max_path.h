#pragma once
// The one length rule for every path the launcher keeps: a path the ANSI
// calls cannot take whole (MAX_PATH characters, terminator included, as
// they count it in UTF-16) is never handed to the shell or the file API.
// The callers treat such a path as a file that is not there.
#include <windows.h>

// True when path, converted from the ANSI code page as the system converts
// it, fits MAX_PATH with its terminator (at most 259 characters). False for null.
bool PathFitsMaxPath(const wchar_t* path);
