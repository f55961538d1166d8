#pragma once
// Extracts a ZIP archive into a folder through minizip: entries in archive
// order under their decoded names (UTF-8, Unicode Path field or code page
// 932), files and folders created through the wide API, file times
// restored, progress by bytes with a cancel that also works inside a large
// entry. Entries whose names would lead outside the folder are skipped;
// damaged archives are refused whole before anything is written, and so are
// archives whose declared sizes exceed the free space of the destination's
// volume. Files are created new, never opened over an existing one: an entry
// whose file is already there (the same name in other case, or the user's
// own file) is skipped. A file is never left half-written.
#include "support/seam_guard.h"

#include <windows.h>

class ProgressDialog;

enum ExtractResult {
    kExtractNotArchive,  // not a ZIP archive: nothing was touched
    kExtractDone,        // every entry was written or skipped
    kExtractCancelled,   // stopped by the user (or a close); the entry in progress was removed
    kExtractRefused,     // a damaged archive, refused before anything was written
    kExtractFailed,      // stopped at an entry that could not be read or written
    kExtractNoRoom,      // the declared sizes exceed the free space: nothing was written
    kExtractNoFolder,    // the new folder could not be made: nothing was written
};

// Where the entries go: into the destination itself (made when missing; what
// it holds already is never written over), or into a folder made new for
// them, the destination's name or the first free "name (2)", "name (3)", …
// beside it (none for an archive without entries).
enum ExtractInto { kIntoFolder, kIntoNewFolder };

struct ExtractReport {
    ExtractResult result = kExtractNotArchive;
    unsigned long long skipped = 0;  // entries not written: unsafe names, links, files that could not be created
    wchar_t entry[MAX_PATH] = L"";   // kExtractFailed: the entry it stopped at
    wchar_t folder[MAX_PATH] = L"";  // the folder the entries went into; empty when none was made
    unsigned long long needed = 0;     // kExtractNoRoom: the declared sizes of all entries
    unsigned long long available = 0;  // and the free space there
};

// Shows its progress in progress (owned by owner), once the archive has
// passed its checks. The owner defaults to the foreground window; the report
// is optional. Silent: the caller tells the user.
ExtractResult ExtractArchive(const wchar_t* archivePath, const wchar_t* destination, ProgressDialog& progress,
                             HWND owner, ExtractReport* report, ExtractInto into);
// The same with a progress window of its own.
ExtractResult ExtractArchive(const wchar_t* archivePath, const wchar_t* destination, HWND owner,
                             ExtractReport* report = nullptr, ExtractInto into = kIntoFolder);

// Creates every folder of path before each of its backslashes.
bool CreateFolderChain(const wchar_t* path);

// Stamps the file's creation and last-write time from a DOS date (high 16
// bits) and time (low 16 bits) taken as local time.
bool SetFileTimeFromDos(const wchar_t* path, DWORD dosDate);

// True when the file can be opened as a ZIP archive.
bool IsZipArchive(const wchar_t* path);
// True when ExtractArchive takes the file for a ZIP archive: one it can open,
// one without entries, or a damaged one (which it refuses); false for any
// other file (kExtractNotArchive).
bool TakenForArchive(const wchar_t* path);

// Seam for tests: the call that writes extracted data (WriteFile by default).
using EntryWriteFunction = BOOL (*)(HANDLE file, const void* data, DWORD size, DWORD* written);
SeamGuard OverrideEntryWriter(EntryWriteFunction writer);
