#include "archive/zip_packer.h"

#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "archive/zip_io.h"
#include "resources/string_ids.h"
#include "support/scoped_handle.h"
#include "support/system_helper.h"
#include "support/text_buffer.h"

#include <cstring>

namespace {

// Sizes from here on are written as ZIP64: the deflated stream of a file
// that does not compress can be a little larger than the file itself.
constexpr unsigned long long kZip64Threshold = 0xFF000000ULL;

BOOL DefaultReader(HANDLE file, void* data, DWORD size, DWORD* read)
{
    return ReadFile(file, data, size, read, nullptr);
}

SourceReadFunction g_reader = DefaultReader;

}  // namespace

void OverrideSourceReader(SourceReadFunction reader)
{
    g_reader = reader ? reader : DefaultReader;
}

ZipPacker::~ZipPacker()
{
    Close();
    if (buffer_) {
        g_systemHelper.Free(buffer_);
        buffer_ = nullptr;
    }
}

bool ZipPacker::Open(const char* archivePath)
{
    if (!archivePath)
        return false;
    if (!buffer_)
        buffer_ = static_cast<char*>(g_systemHelper.Alloc(kBufferSize));
    if (!buffer_)
        return false;
    Close();
    archivePath_ = archivePath;
    entries_ = 0;
    archive_ = CreateZipFile(archivePath);
    return archive_ != nullptr;
}

bool ZipPacker::Close()
{
    if (!archive_)
        return false;
    const int result = zipClose(archive_, nullptr);
    archive_ = nullptr;
    return result == ZIP_OK && CompleteZip64EndRecords(archivePath_, entries_);
}

const char* GetFileNamePart(const char* path)
{
    if (!path || !*path)
        return nullptr;
    const char* afterLast = nullptr;
    for (const char* p = CharNextA(path); *p; p = CharNextA(p)) {
        if (*p == '\\')
            afterLast = p + 1;
    }
    return afterLast;
}

const char* FindEntryNameStart(const char* path, int depth)
{
    if (!path || !*path || depth < 0)
        return nullptr;
    // Backslashes before the last whole character, from the end backwards.
    const char* last = path;
    for (const char* p = path; *p; p = CharNextA(p))
        last = p;
    int passed = 0;
    for (const char* p = last; p > path;) {
        p = CharPrevA(path, p);
        if (*p == '\\' && ++passed == depth + 1)
            return p + 1;
    }
    return nullptr;
}

namespace {

DWORD DosDateOf(const WIN32_FIND_DATAA& found)
{
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (static_cast<DWORD>(date) << 16) | time;
}

void ShowEntry(ProgressDialog* progress, UINT titleId, const char* path, unsigned long long value)
{
    if (progress->DueForDisplay()) {
        char title[128];
        LoadStringA(GetModuleHandleA(nullptr), titleId, title, sizeof title);
        progress->SetTitle(title);
        const char* own = GetFileNamePart(path);
        progress->SetText(own ? own : "");
    }
    progress->SetProgress(value);
}

}  // namespace

bool ZipPacker::PackItem(const char* path, int recurse, int depth, ProgressDialog* progress, unsigned* counter,
                         int countOnly)
{
    if (progress && progress->IsCancelled())
        return true;
    if (!path || !*path || failed_)
        return false;
    // The archive being written is never packed into itself.
    if (archivePath_ && lstrcmpiA(path, archivePath_) == 0)
        return false;

    const DWORD attributes = GetFileAttributesA(path);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    // A drive or share root has no name of its own: its items are packed as
    // if each had been dropped, so no name begins with "/" or holds a drive.
    wchar_t widePath[MAX_PATH];
    const bool root = recurse && folder && MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) &&
                      IsRootPath(widePath);
    const char* end = path + std::strlen(path);
    const char* last = CharPrevA(path, end);
    const char* separator = (last == end - 1 && *last == '\\') ? "" : "\\";
    if (recurse && folder) {
        TextBuffer pattern;
        pattern.Assign(path);
        pattern.Append(separator);
        pattern.Append("*.*");
        WIN32_FIND_DATAA found;
        ScopedFind search(pattern.GetText() ? FindFirstFileA(pattern.GetText(), &found) : INVALID_HANDLE_VALUE);
        if (search) {
            do {
                if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
                    continue;
                TextBuffer child;
                child.Assign(path);
                child.Append(separator);
                child.Append(found.cFileName);
                if (child.GetText())
                    PackItem(child.GetText(), recurse, root ? 0 : depth + 1, progress, counter, countOnly);
            } while (FindNextFileA(search.Get(), &found));
        }
    }
    if (root)
        return true;

    WIN32_FIND_DATAA self;
    {
        ScopedFind lookup(FindFirstFileA(path, &self));
        if (!lookup)
            return false;
    }
    zip_fileinfo info{};
    info.dosDate = DosDateOf(self);
    const unsigned long long size =
        folder ? 0 : (static_cast<unsigned long long>(self.nFileSizeHigh) << 32) | self.nFileSizeLow;

    TextBuffer itemPath;
    itemPath.Assign(path);
    if (folder)
        itemPath.Append("\\");
    if (!itemPath.GetText())
        return false;
    const char* nameStart = FindEntryNameStart(itemPath.GetText(), depth);
    if (!nameStart)
        return false;

    if (counter)
        ++*counter;
    work_ += kEntryWork;
    if (countOnly) {
        work_ += size;
        if (progress)
            ShowEntry(progress, IDS_PACK_COUNT_TITLE, itemPath.GetText(), 0);
        return true;
    }
    if (progress)
        ShowEntry(progress, IDS_PACK_TITLE, itemPath.GetText(), work_);

    // Inside the archive the separator is "/", as every unzip tool expects.
    TextBuffer name;
    name.Assign(nameStart);
    if (!name.GetText())
        return false;
    ToForwardSlashes(name.GetText());
    return WriteEntry(itemPath.GetText(), name.GetText(), info, folder, size, progress);
}

void ZipPacker::Fail(const char* path)
{
    failed_ = true;
    lstrcpynA(failedItem_, path, sizeof failedItem_);
}

bool ZipPacker::WriteEntry(const char* path, const char* name, const zip_fileinfo& info, bool folder,
                           unsigned long long size, ProgressDialog* progress)
{
    if (!archive_ || !buffer_)
        return false;
    // A file that cannot be opened is left out (and counted), never stored
    // as an empty entry that would pass for the file.
    ScopedFile file(folder ? INVALID_HANDLE_VALUE
                           : CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!folder && !file) {
        ++skipped_;
        return false;
    }
    const int zip64 = size >= kZip64Threshold ? 1 : 0;
    if (zipOpenNewFileInZip4_64(archive_, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                0, 0, zip64) != ZIP_OK) {
        Fail(path);
        return false;
    }
    ++entries_;
    bool complete = folder;
    unsigned long long total = 0;
    for (unsigned blocks = 1; file; ++blocks) {
        DWORD read = 0;
        if (!g_reader(file.Get(), buffer_, kBufferSize, &read))
            break;
        if (read == 0) {
            complete = true;
            break;
        }
        total += read;
        // A file that grew past what its header allows cannot be stored whole.
        if ((!zip64 && total >= kZip64Threshold) || zipWriteInFileInZip(archive_, buffer_, read) < 0)
            break;
        work_ += read;
        if (progress && blocks % kBlocksPerUpdate == 0) {
            progress->SetProgress(work_);
            if (progress->IsCancelled())
                return true;  // the archive is given up as a whole
        }
    }
    if (zipCloseFileInZip(archive_) != ZIP_OK || !complete) {
        Fail(path);
        return false;
    }
    return true;
}
