#pragma once
// The one length rule for every path the launcher keeps: a path the file API
// cannot take whole (MAX_PATH characters, terminator included, counted in
// UTF-16) is never handed to the shell or the file API. The callers treat
// such a path as a file that is not there.
#include <windows.h>

// True when path fits MAX_PATH with its terminator (at most 259 characters).
// False for null.
bool PathFitsMaxPath(const wchar_t* path);
