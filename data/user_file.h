#pragma once
// The user's own files beside the program (the data file with its names and
// options files, position.dat, shortcut.dat, porun.ini): read, replaced and
// removed through one UserFiles, which the launcher's model owns. A sync or
// backup program may hold one open for a moment: reading shares every access
// and is tried again for a few seconds while the file is held. A file that
// exists but still cannot be read is kept: never written for the rest of the
// run, so the user's version survives whatever this run changes.
#include "data/atomic_file.h"
#include "support/scoped_handle.h"
#include "support/seam_guard.h"

#include <windows.h>

#include <string>
#include <vector>

enum class UserFileRead {
    Done,        // contents hold the whole file and a NUL after it
    Missing,     // no such file
    TooLarge,    // larger than the limit the caller gave
    Unreadable,  // there, but it could not be opened or read
};

// A file larger than the limit is TooLarge, or with TakeTheStart its first
// maxSize bytes are read (Done).
enum class UserFileOversize { Refuse, TakeTheStart };

// What reading one of the user's files came to: whether it was read, and the
// file when it was there but could not be read (kept for the run; the window
// tells the user, app/launcher_load.h). held is empty otherwise.
struct UserFileLoad {
    bool read = false;
    std::wstring held;
};

// Told before one of the user's files is replaced (pieces: its new contents)
// or removed (pieces null): the generations keep the files before they change.
class FileChangeListener {
public:
    virtual void BeforeChange(const wchar_t* path, const WritePiece* pieces, int count) = 0;

protected:
    ~FileChangeListener() = default;
};

class UserFiles {
public:
    UserFiles() = default;
    UserFiles(const UserFiles&) = delete;
    UserFiles& operator=(const UserFiles&) = delete;

    // Reads the whole file of at most maxSize bytes, trying again while
    // another program holds it. A file that cannot be read is marked kept;
    // any other answer unmarks it (the caller keeps one too large when that
    // is not safe to replace).
    UserFileRead Read(const wchar_t* path, DWORD maxSize, ScopedHeapBlock* contents, DWORD* size,
                      UserFileOversize oversize = UserFileOversize::Refuse);

    // True when path could not be read this run: it is not to be written.
    bool Kept(const wchar_t* path) const;
    // Marks path kept: the caller found it there but not safe to use.
    void Keep(const wchar_t* path);
    // What a load tells of path: the path when it is kept, else nothing.
    UserFileLoad LoadOf(const wchar_t* path, bool read) const;

    // Replaces path's contents (data/atomic_file.h), telling the listener
    // first. A kept file is not written: true, and it stays as it is.
    bool Replace(const wchar_t* path, const WritePiece* pieces, int count);
    // Deletes path (true when it is gone or was never there), telling the
    // listener first. A kept file is left as it is: true.
    bool Remove(const wchar_t* path);

    // The one told before a change from now on; null: no one.
    void TellChangesTo(FileChangeListener* listener) { listener_ = listener; }

private:
    std::vector<std::wstring> kept_;  // the files of this run that were there but could not be read
    FileChangeListener* listener_ = nullptr;
};

// How long a held file is waited for. Tests shorten the waits or act on each
// retry (onRetry gets the attempt that failed, from 1).
struct UserFileRetry {
    int attempts;
    DWORD delay;  // ms between two attempts
    void (*onRetry)(int failedAttempt);
};
SeamGuard OverrideUserFileRetry(const UserFileRetry& retry);
