#pragma once
// Packs files and folders into a new ZIP archive through minizip: one entry
// per file and per folder, folders after their contents, names relative to
// the dropped item's parent folder with "/" separators. The same walk serves
// as the counting pass (entries counted only) and the packing pass.
#include "support/scoped_handle.h"

#include <windows.h>

#include <zip.h>

class ProgressDialog;

class ZipPacker {
public:
    static constexpr DWORD kBufferSize = 16384;

    ZipPacker() = default;
    virtual ~ZipPacker();
    ZipPacker(const ZipPacker&) = delete;
    ZipPacker& operator=(const ZipPacker&) = delete;

    // Creates (or replaces) the archive file; true when it is open.
    bool Open(const char* archivePath);
    // Finishes the archive; false when none was open or minizip failed.
    bool Close();

    // Adds the item at path (a folder with everything below it when recurse
    // is set). depth counts the folder levels between the dropped item's
    // parent and path (0 for a dropped item). counter, when given, grows by
    // one per entry; countOnly walks and counts without writing. True when
    // the item's own entry was complete (or the walk was cancelled).
    bool PackItem(const char* path, int recurse, int depth, ProgressDialog* progress, unsigned* counter,
                  int countOnly);

private:
    bool WriteEntry(const char* path, const char* name, const zip_fileinfo& info);

    ScopedHeapBlock buffer_;
    zipFile archive_ = nullptr;
    const char* archivePath_ = nullptr;
};

// The start of the entry name inside path: just after the (depth + 1)-th
// backslash counted backwards from the character before the last one (so a
// folder path's own trailing backslash does not count). Null when path has
// fewer backslashes.
const char* FindEntryNameStart(const char* path, int depth);
