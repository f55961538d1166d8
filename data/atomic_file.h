#pragma once
// Writing a file so that it is either the old one or the whole new one:
// the new contents go to "<name>.tmp" beside it, are flushed, and the
// temporary file is then moved over the old one in one step. The user's
// own files are written through data/user_file.h, which adds what the
// launcher owes them; the icon file is written here directly.
#include "support/seam_guard.h"

#include <windows.h>

struct WritePiece {
    const void* data;
    DWORD size;
};

// "<path>.tmp"; false when it does not fit into size characters.
bool TemporaryPathFor(const wchar_t* path, wchar_t* out, size_t size);

// Writes the pieces in order to the temporary file and moves it over path.
// On any failure path is left as it was and the temporary file is removed.
bool ReplaceFileContents(const wchar_t* path, const WritePiece* pieces, int count);

// The file calls ReplaceFileContents makes. Tests stand in for one of them
// to make that step fail: they change a copy of CurrentFileCalls and
// override with it.
struct FileCalls {
    HANDLE(WINAPI* createFile)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* flushFileBuffers)(HANDLE);
    BOOL(WINAPI* closeHandle)(HANDLE);
    BOOL(WINAPI* moveFileEx)(LPCWSTR, LPCWSTR, DWORD);
};
FileCalls CurrentFileCalls();
SeamGuard OverrideFileCalls(const FileCalls& calls);
