#pragma once
// Reading the user's own files (the data file, position.dat, shortcut.dat).
// A sync or backup program may hold one open for a moment: reading shares
// every access and is tried again for a few seconds while the file is held.
// A file that exists but still cannot be read is never written for the rest
// of the run, so the user's version survives whatever this run changes.
#include "support/scoped_handle.h"

#include <windows.h>

enum class UserFileRead {
    Done,        // contents hold the whole file and a NUL after it
    Missing,     // no such file
    TooLarge,    // larger than the limit the caller gave
    Unreadable,  // there, but it could not be opened or read
};

// Reads the whole file of at most maxSize bytes, trying again while another
// program holds it. A file that cannot be read is marked kept (see
// UserFileKept); any other answer unmarks it (the caller keeps one too large
// when that is not safe to replace). A file larger than maxSize is
// TooLarge, or with TakeTheStart its first maxSize bytes are read (Done).
enum class UserFileOversize { Refuse, TakeTheStart };
UserFileRead ReadUserFile(const wchar_t* path, DWORD maxSize, ScopedHeapBlock* contents, DWORD* size,
                          UserFileOversize oversize = UserFileOversize::Refuse);

// True when path could not be read this run: it is not to be written.
bool UserFileKept(const wchar_t* path);

// Marks path kept: the caller found it there but not safe to use.
void KeepUserFile(const wchar_t* path);

// When path is kept: tells the user which file could not be read and that
// changes made meanwhile are not saved into it. Otherwise nothing.
void TellUserFileKept(HWND owner, const wchar_t* path);

// How long a held file is waited for. Tests shorten the waits or act on each
// retry (onRetry gets the attempt that failed, from 1); the program never
// changes them.
struct UserFileRetry {
    int attempts;
    DWORD delay;  // ms between two attempts
    void (*onRetry)(int failedAttempt);
};
UserFileRetry& ActiveUserFileRetry();
void RestoreUserFileRetry();
