#pragma once
// Writing a file so that it is either the old one or the whole new one:
// the new contents go to "<name>.tmp" beside it, are flushed, and the
// temporary file is then moved over the old one in one step.
#include "support/scoped_handle.h"

#include <windows.h>

struct WritePiece {
    const void* data;
    DWORD size;
};

// The file calls used by ReplaceFileContents. Tests swap members to make one
// step fail; the program never changes them.
struct FileCalls {
    HANDLE(WINAPI* createFile)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* flushFileBuffers)(HANDLE);
    BOOL(WINAPI* closeHandle)(HANDLE);
    BOOL(WINAPI* moveFileEx)(LPCWSTR, LPCWSTR, DWORD);
};
FileCalls& ActiveFileCalls();
void RestoreFileCalls();

// Told before ReplaceFileContents replaces a file (pieces: its new contents)
// or RemoveUserFile removes one (pieces null); the generations keep the
// files before they change. Null: no one is told.
using FileChangeWatcher = void (*)(const wchar_t* path, const WritePiece* pieces, int count);
void WatchFileChanges(FileChangeWatcher watcher);

// "<path>.tmp"; false when it does not fit into size characters.
bool TemporaryPathFor(const wchar_t* path, wchar_t* out, size_t size);

// Writes the pieces in order to the temporary file and moves it over path.
// On any failure path is left as it was and the temporary file is removed.
// A file that could not be read this run (data/user_file) is not written:
// true, and the user's file stays as it is. A change to one of the user's
// files keeps the set as it was first (data/generations.h).
bool ReplaceFileContents(const wchar_t* path, const WritePiece* pieces, int count);

// Deletes path (true when it is gone or was never there), keeping the set
// first when it is one of the user's files (data/generations.h). A file that
// could not be read this run is left as it is: true.
bool RemoveUserFile(const wchar_t* path);
