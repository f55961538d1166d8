#pragma once
// Packs files and folders into a new ZIP archive through minizip: one entry
// per file and per folder, folders after their contents, names relative to
// the dropped item's parent folder with "/" separators, in code page 932
// when it holds them exactly and in UTF-8 (bit 11) otherwise. Items are
// walked through the wide API, so no name is lost. The same walk serves
// as the counting pass (entries and bytes counted only) and the packing pass.
// An entry is written as ZIP64 only when its size needs it, so small
// archives stay plain ZIP. Files are read in pieces that worker threads
// deflate (libdeflate, deflate_pool) while the walk reads on; the pieces are
// written in the order read, so the archive is the same whatever the number
// of threads. Links found inside a dropped folder are never followed, and a
// folder is never walked twice on one path: both are left out, counted, as
// are folders that cannot be listed.
#include "archive/deflate_pool.h"
#include "archive/path_identity.h"
#include "support/scoped_handle.h"
#include "support/seam_guard.h"

#include <windows.h>

#include <zip.h>

#include <string>
#include <vector>

class ProgressDialog;

class ZipPacker : private PieceSink {
public:
    // Files are read in blocks of this size.
    static constexpr DWORD kBufferSize = 16384;
    // The progress counts bytes plus this much per entry, so that many small
    // files move the bar as well as one large one.
    static constexpr unsigned long long kEntryWork = 16384;
    // Within a file the progress (and with it the cancel button) is served
    // every this many blocks.
    static constexpr unsigned kBlocksPerUpdate = 16;

    // Deflates on workers of its own.
    ZipPacker();
    // Deflates on workers, started at Open when they are not yet.
    explicit ZipPacker(DeflatePool& workers);
    virtual ~ZipPacker();
    ZipPacker(const ZipPacker&) = delete;
    ZipPacker& operator=(const ZipPacker&) = delete;

    // Creates (or replaces) the archive file; true when it is open. It is
    // marked for deletion until Close finds it complete: however the packing
    // ends (a cancel, a failure, the end of the process) no part of an
    // archive stays.
    bool Open(const wchar_t* archivePath);
    // Finishes the archive; false (and the file gone) when none was open, the
    // packing was cancelled or the archive could not be written completely.
    bool Close();

    // Adds the item at path (a folder with everything below it when recurse
    // is set; a drive root as its items). depth counts the folder levels
    // between the dropped item's parent and path (0 for a dropped item).
    // counter, when given, grows by one per entry; countOnly walks and counts
    // without writing. True when the item's own entry was complete (or the
    // walk was cancelled).
    bool PackItem(const wchar_t* path, int recurse, int depth, ProgressDialog* progress, unsigned* counter,
                  int countOnly);

    // Bytes plus kEntryWork per entry: after the counting pass the whole
    // job, during the packing pass what is done.
    unsigned long long Work() const { return work_; }
    // Files left out because they could not be opened for reading (or their
    // names, holding a lone surrogate, have no UTF-8 form).
    unsigned Skipped() const { return skipped_; }
    // Links found inside a dropped folder (never followed), folders already
    // on the path walked, and folders that could not be listed to their end:
    // left out, with what was listed before the listing failed.
    unsigned LeftOut() const { return leftOut_; }
    // A file could not be read to its end or the archive could not be
    // written: the archive is unusable and the walk has stopped.
    bool Failed() const { return failed_; }
    // The item the walk failed at.
    const wchar_t* FailedItem() const { return failedItem_; }

private:
    // Packs the folder's items unless the folder is already on the path
    // walked; false when it was not walked or not listed to its end.
    bool WalkFolder(const wchar_t* path, int depth, ProgressDialog* progress, unsigned* counter, int countOnly);
    bool PackChildren(const wchar_t* path, int depth, ProgressDialog* progress, unsigned* counter, int countOnly);
    // dropped: the item was dropped itself (a link is then followed: the user chose it).
    bool PackFound(const wchar_t* path, const WIN32_FIND_DATAW& found, int recurse, int depth, bool dropped,
                   ProgressDialog* progress, unsigned* counter, int countOnly);
    bool WriteEntry(const wchar_t* path, const char* name, unsigned flag, const zip_fileinfo& info, bool folder,
                    unsigned long long size, ProgressDialog* progress);
    // What the archive needs of an entry when its pieces are written.
    struct PendingEntry {
        std::string name;
        zip_fileinfo info;
        uLong madeBy;
        unsigned flag;
        int zip64;
        std::wstring path;
        bool first;  // the entry's first piece: the entry is opened with it
    };
    // Reads file (none for a folder) into pieces for the workers. True when
    // complete or cancelled.
    bool ReadPieces(HANDLE file, const PendingEntry& entry, ProgressDialog* progress);
    // Writes a deflated piece, opening its entry at the first and closing it
    // at the last; false (the packing failed) when the archive refuses it.
    bool TakePiece(const DeflatePiece& piece, size_t slot) override;
    bool OpenEntry(const PendingEntry& entry, bool text);
    void Fail(const std::wstring& path);

    DeflatePool ownPool_;
    DeflatePool& pool_;                  // ownPool_ or the workers given
    std::vector<PendingEntry> pending_;  // one per piece slot
    unsigned long entryCrc_ = 0;         // of the entry being written
    unsigned long long entrySize_ = 0;
    bool cancelled_ = false;
    zipFile archive_ = nullptr;
    ScopedFile file_;      // the archive's, which minizip writes through
    bool marked_ = false;  // file_ is marked for deletion
    wchar_t archivePath_[MAX_PATH] = L"";
    unsigned long long entries_ = 0;
    unsigned long long work_ = 0;
    unsigned skipped_ = 0;
    unsigned leftOut_ = 0;
    std::vector<ItemIdentity> walking_;  // the folders on the path being walked, outermost first
    bool failed_ = false;
    wchar_t failedItem_[MAX_PATH] = L"";
};

// The start of the entry name inside path: just after the (depth + 1)-th
// backslash counted backwards from the character before the last one (so a
// folder path's own trailing backslash does not count). Null when path has
// fewer backslashes.
const wchar_t* FindEntryNameStart(const wchar_t* path, int depth);

// Seam for tests: the call that reads the files being packed (ReadFile by default).
using SourceReadFunction = BOOL (*)(HANDLE file, void* data, DWORD size, DWORD* read);
SeamGuard OverrideSourceReader(SourceReadFunction reader);

// Seam for tests: the calls that list a folder (FindFirstFileW and
// FindNextFileW by default); null puts them back.
struct FolderLister {
    HANDLE (*first)(const wchar_t* pattern, WIN32_FIND_DATAW* found);
    BOOL (*next)(HANDLE search, WIN32_FIND_DATAW* found);
};
SeamGuard OverrideFolderLister(const FolderLister* lister);
