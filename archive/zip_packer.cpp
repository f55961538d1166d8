#include "archive/zip_packer.h"

#include "archive/entry_name.h"
#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/zip_io.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/progress_window.h"
#include "support/scoped_handle.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

// Sizes from here on are written as ZIP64: the deflated stream of a file
// that does not compress can be a little larger than the file itself.
constexpr unsigned long long kZip64Threshold = 0xFF000000ULL;
constexpr uLong kHostNtfs = 11;

BOOL DefaultReader(HANDLE file, void* data, DWORD size, DWORD* read)
{
    return ReadFile(file, data, size, read, nullptr);
}

SourceReadFunction g_reader = DefaultReader;

HANDLE FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* found)
{
    return FindFirstFileW(pattern, found);
}

BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* found)
{
    return FindNextFileW(search, found);
}

constexpr FolderLister kSystemLister{FindFirst, FindNext};
const FolderLister* g_lister = &kSystemLister;

// A symbolic link or a junction: a reparse point that stands for another
// name (one without a tag is taken for a link too). Other reparse points,
// such as files kept in the cloud, hold their own data and are packed.
bool IsLink(const WIN32_FIND_DATAW& found)
{
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (found.dwReserved0 == 0 || IsReparseTagNameSurrogate(found.dwReserved0));
}

DWORD DosDateOf(const WIN32_FIND_DATAW& found)
{
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (static_cast<DWORD>(date) << 16) | time;
}

// The progress texts: the pass's title and the entry's whole name.
void ShowEntry(ProgressDialog* progress, UINT titleId, const wchar_t* path, unsigned long long value)
{
    if (progress->DueForDisplay()) {
        wchar_t title[128];
        LoadText(titleId, title, ARRAYSIZE(title));
        progress->SetTitle(title);
        progress->SetText(FileNameOf(path));
    }
    progress->SetProgress(value);
}

}  // namespace

SeamGuard OverrideSourceReader(SourceReadFunction reader)
{
    return OverrideSeam(g_reader, reader ? reader : DefaultReader);
}

SeamGuard OverrideFolderLister(const FolderLister* lister)
{
    return OverrideSeam(g_lister, lister ? lister : &kSystemLister);
}

const wchar_t* FindEntryNameStart(const wchar_t* path, int depth)
{
    if (!path || !*path || depth < 0)
        return nullptr;
    // Backslashes before the last character, from the end backwards.
    int passed = 0;
    for (const wchar_t* p = path + std::wcslen(path) - 1; p > path;) {
        if (*--p == L'\\' && ++passed == depth + 1)
            return p + 1;
    }
    return nullptr;
}

ZipPacker::ZipPacker() : pool_(ownPool_)
{
}

ZipPacker::ZipPacker(DeflatePool& workers) : pool_(workers)
{
}

ZipPacker::~ZipPacker()
{
    Close();
}

bool ZipPacker::Open(const wchar_t* archivePath)
{
    if (!archivePath || !pool_.Start())
        return false;
    Close();
    pending_.resize(pool_.Slots());
    lstrcpynW(archivePath_, archivePath, MAX_PATH);
    entries_ = 0;
    cancelled_ = false;
    file_.Reset(CreateFileW(archivePath, GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    marked_ = file_ && MarkForDeletion(file_.Get(), true);
    archive_ = CreateZipFileOn(file_.Get());
    if (!archive_)
        file_.Reset();
    return archive_ != nullptr;
}

// The pieces still with the workers are written first, unless the packing
// was cancelled or has failed: then the archive is given up as a whole.
bool ZipPacker::Close()
{
    if (!archive_)
        return false;
    if (cancelled_ || failed_ || !pool_.Drain(*this))
        pool_.Abandon();
    const int result = zipClose(archive_, nullptr);
    archive_ = nullptr;
    const bool complete = !cancelled_ && !failed_ && result == ZIP_OK && CompleteZip64EndRecords(file_.Get(), entries_);
    const bool kept = complete && (!marked_ || MarkForDeletion(file_.Get(), false));
    file_.Reset();
    if (!kept && !marked_)
        DeleteFileW(archivePath_);
    return kept;
}

bool ZipPacker::PackItem(const wchar_t* path, int recurse, int depth, ProgressDialog* progress, unsigned* counter,
                         int countOnly)
{
    if (progress && progress->IsCancelled())
        return true;
    if (!path || !*path || failed_)
        return false;
    // A drive or share root has no name of its own: its items are packed as
    // if each had been dropped, so no name begins with "/" or holds a drive.
    if (recurse && IsRootPath(path)) {
        if (!WalkFolder(path, 0, progress, counter, countOnly))
            ++leftOut_;
        return true;
    }
    WIN32_FIND_DATAW self;
    {
        ScopedFind lookup(FindFirstFileW(path, &self));
        if (!lookup)
            return false;
    }
    return PackFound(path, self, recurse, depth, true, progress, counter, countOnly);
}

// A link that its file system does not report as one could lead back into a
// folder being walked: the identities on the path end such a loop.
bool ZipPacker::WalkFolder(const wchar_t* path, int depth, ProgressDialog* progress, unsigned* counter,
                           int countOnly)
{
    ItemIdentity identity;
    const bool known = IdentityOf(path, &identity);
    if (known && std::find(walking_.begin(), walking_.end(), identity) != walking_.end())
        return false;
    if (known)
        walking_.push_back(identity);
    const bool whole = PackChildren(path, depth, progress, counter, countOnly);
    if (known)
        walking_.pop_back();
    return whole;
}

// False when the folder could not be listed to its end (what was listed
// before is packed); a cancel or a failure ends the walk as whole.
bool ZipPacker::PackChildren(const wchar_t* path, int depth, ProgressDialog* progress, unsigned* counter,
                             int countOnly)
{
    std::wstring folder = path;
    if (folder.back() != L'\\')
        folder += L'\\';
    WIN32_FIND_DATAW found;
    ScopedFind search(g_lister->first((folder + L"*").c_str(), &found));
    if (!search)
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive root without items
    do {
        if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0)
            continue;
        if ((progress && progress->IsCancelled()) || failed_)
            return true;
        PackFound((folder + found.cFileName).c_str(), found, 1, depth, false, progress, counter, countOnly);
    } while (g_lister->next(search.Get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

// The item at path, as the folder walk (or the look-up of a dropped item) found it.
bool ZipPacker::PackFound(const wchar_t* path, const WIN32_FIND_DATAW& self, int recurse, int depth, bool dropped,
                          ProgressDialog* progress, unsigned* counter, int countOnly)
{
    // The archive being written is never packed into itself.
    if (lstrcmpiW(path, archivePath_) == 0)
        return false;
    // A link inside a dropped folder may lead out of it (the user's other
    // files into an archive that may be shared) or back into it.
    if (!dropped && IsLink(self)) {
        ++leftOut_;
        return false;
    }
    // Subfolders are entered before the folder's own entry is made; a folder
    // not listed to its end gets none, which would pass it off as complete.
    const bool folder = (self.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (recurse && folder && !WalkFolder(path, depth + 1, progress, counter, countOnly)) {
        ++leftOut_;
        return false;
    }

    zip_fileinfo info{};
    info.dosDate = DosDateOf(self);
    const unsigned long long size =
        folder ? 0 : (static_cast<unsigned long long>(self.nFileSizeHigh) << 32) | self.nFileSizeLow;
    const std::wstring itemPath = folder ? std::wstring(path) + L'\\' : std::wstring(path);
    const wchar_t* nameStart = FindEntryNameStart(itemPath.c_str(), depth);
    if (!nameStart)
        return false;

    if (counter)
        ++*counter;
    work_ += kEntryWork;
    if (countOnly) {
        work_ += size;
        if (progress)
            ShowEntry(progress, IDS_PACK_COUNT_TITLE, itemPath.c_str(), 0);
        return true;
    }
    if (progress)
        ShowEntry(progress, IDS_PACK_TITLE, itemPath.c_str(), work_);

    // Inside the archive the separator is "/", as every unzip tool expects;
    // the name is code page 932 when that holds it exactly, UTF-8 otherwise.
    std::wstring slashed = nameStart;
    ReplaceCharacters(&slashed[0], L'\\', L'/');
    char name[MAX_PATH * 4];
    unsigned flag = 0;
    if (!EncodeEntryName(slashed.c_str(), name, sizeof name, &flag)) {
        ++skipped_;
        return false;
    }
    return WriteEntry(itemPath.c_str(), name, flag, info, folder, size, progress);
}

void ZipPacker::Fail(const std::wstring& path)
{
    failed_ = true;
    lstrcpynW(failedItem_, path.c_str(), MAX_PATH);
}

bool ZipPacker::WriteEntry(const wchar_t* path, const char* name, unsigned flag, const zip_fileinfo& info,
                           bool folder, unsigned long long size, ProgressDialog* progress)
{
    if (!archive_)
        return false;
    // A file that cannot be opened is left out (and counted), never stored
    // as an empty entry that would pass for the file.
    ScopedFile file(folder ? INVALID_HANDLE_VALUE
                           : CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!folder && !file) {
        ++skipped_;
        return false;
    }
    // A UTF-8 name is marked as made on NTFS: tools that read names of the
    // MS-DOS host as OEM text (Info-ZIP's unzip) would garble it otherwise.
    const PendingEntry entry{name, info, (flag & kUtf8NameFlag) ? (kHostNtfs << 8) | 20 : 0, flag,
                             size >= kZip64Threshold ? 1 : 0, path, true};
    return ReadPieces(folder ? nullptr : file.Get(), entry, progress);
}

bool ZipPacker::ReadPieces(HANDLE file, const PendingEntry& entry, ProgressDialog* progress)
{
    unsigned long long total = 0;
    unsigned blocks = 0;
    for (bool first = true;; first = false) {
        size_t slot = 0;
        DeflatePiece* piece = pool_.Claim(*this, &slot);
        if (!piece)
            return false;  // the archive refused an earlier piece
        pending_[slot] = entry;
        pending_[slot].first = first;
        while (file && piece->length < DeflatePiece::kPieceSize) {
            const size_t room = DeflatePiece::kPieceSize - piece->length;
            DWORD read = 0;
            if (!g_reader(file, piece->data + piece->length, room < kBufferSize ? static_cast<DWORD>(room) : kBufferSize,
                          &read)) {
                Fail(entry.path);
                return false;
            }
            if (read == 0)
                break;
            piece->length += read;
            total += read;
            work_ += read;
            // A file that grew past what its header allows cannot be stored whole.
            if (!entry.zip64 && total >= kZip64Threshold) {
                Fail(entry.path);
                return false;
            }
            if (progress && ++blocks % kBlocksPerUpdate == 0) {
                progress->SetProgress(work_);
                if (progress->IsCancelled()) {
                    cancelled_ = true;
                    return true;  // the archive is given up as a whole
                }
            }
        }
        // A full piece may have more behind it; a file that ends with a full
        // piece ends with an empty one.
        piece->ends = piece->length < DeflatePiece::kPieceSize;
        piece->partOfLarger = !first || !piece->ends;
        pool_.Submit();
        if (piece->ends)
            return true;
    }
}

bool ZipPacker::TakePiece(const DeflatePiece& piece, size_t slot)
{
    const PendingEntry& entry = pending_[slot];
    if (piece.packedLength == 0 || (entry.first && !OpenEntry(entry, LooksLikeText(piece.data, piece.length)))) {
        Fail(entry.path);
        return false;
    }
    entryCrc_ = entry.first ? piece.crc : crc32_combine(entryCrc_, piece.crc, static_cast<z_off_t>(piece.length));
    entrySize_ = (entry.first ? 0 : entrySize_) + piece.length;
    if (zipWriteInFileInZip(archive_, piece.packed, static_cast<unsigned>(piece.packedLength)) < 0 ||
        (piece.ends && zipCloseFileInZipRaw64(archive_, entrySize_, entryCrc_) != ZIP_OK)) {
        Fail(entry.path);
        return false;
    }
    return true;
}

// The entry is deflated by the pool and handed to minizip as it is (raw),
// with its size and CRC at the close. The directory notes it as text or
// binary by the rule zlib's stream applies, as minizip's own compression
// would.
bool ZipPacker::OpenEntry(const PendingEntry& entry, bool text)
{
    zip_fileinfo info = entry.info;
    info.internal_fa = text ? 1 : 0;
    const bool open = zipOpenNewFileInZip4_64(archive_, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                              Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, DEF_MEM_LEVEL,
                                              Z_DEFAULT_STRATEGY, nullptr, 0, entry.madeBy, entry.flag,
                                              entry.zip64) == ZIP_OK;
    if (open)
        ++entries_;
    return open;
}
