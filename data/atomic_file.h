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

// "<path>.tmp"; false when it does not fit into size characters.
bool TemporaryPathFor(const wchar_t* path, wchar_t* out, size_t size);

// Writes the pieces in order to the temporary file and moves it over path.
// On any failure path is left as it was and the temporary file is removed.
// A file that could not be read this run (data/user_file) is not written:
// true, and the user's file stays as it is.
bool ReplaceFileContents(const wchar_t* path, const WritePiece* pieces, int count);
