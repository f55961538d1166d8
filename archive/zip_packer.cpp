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
#include "support/system_helper.h"

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

void OverrideSourceReader(SourceReadFunction reader)
{
    g_reader = reader ? reader : DefaultReader;
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

ZipPacker::~ZipPacker()
{
    Close();
    EndDeflater();
}

void ZipPacker::EndDeflater()
{
    if (deflaterReady_)
        deflateEnd(&deflater_);
    deflaterReady_ = false;
}

bool ZipPacker::Open(const wchar_t* archivePath)
{
    if (!archivePath || !PrepareBuffers())
        return false;
    Close();
    lstrcpynW(archivePath_, archivePath, MAX_PATH);
    entries_ = 0;
    archive_ = CreateZipFile(archivePath);
    return archive_ != nullptr;
}

bool ZipPacker::PrepareBuffers()
{
    if (!buffer_)
        buffer_.Reset(g_systemHelper.Alloc(kWholeEntryLimit));
    if (!deflated_)
        deflated_.Reset(g_systemHelper.Alloc(kBufferSize));
    if (!compressor_)
        compressor_.Reset(NewWholeCompressor());
    if (compressor_ && !packed_) {
        packedSize_ = WholeDeflateBound(compressor_.Get(), kWholeEntryLimit);
        packed_.Reset(g_systemHelper.Alloc(packedSize_));
    }
    if (!buffer_ || !deflated_ || !packed_)
        return false;
    if (!deflaterReady_)
        deflaterReady_ = deflateInit2(&deflater_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, DEF_MEM_LEVEL,
                                      Z_DEFAULT_STRATEGY) == Z_OK;
    return deflaterReady_;
}

bool ZipPacker::Close()
{
    if (!archive_)
        return false;
    const int result = zipClose(archive_, nullptr);
    archive_ = nullptr;
    return result == ZIP_OK && CompleteZip64EndRecords(archivePath_, entries_);
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
        PackChildren(path, 0, progress, counter, countOnly);
        return true;
    }
    WIN32_FIND_DATAW self;
    {
        ScopedFind lookup(FindFirstFileW(path, &self));
        if (!lookup)
            return false;
    }
    return PackFound(path, self, recurse, depth, progress, counter, countOnly);
}

void ZipPacker::PackChildren(const wchar_t* path, int depth, ProgressDialog* progress, unsigned* counter,
                             int countOnly)
{
    std::wstring folder = path;
    if (folder.back() != L'\\')
        folder += L'\\';
    WIN32_FIND_DATAW found;
    ScopedFind search(FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search)
        return;
    do {
        if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0)
            continue;
        if ((progress && progress->IsCancelled()) || failed_)
            return;
        PackFound((folder + found.cFileName).c_str(), found, 1, depth, progress, counter, countOnly);
    } while (FindNextFileW(search.Get(), &found));
}

// The item at path, as the folder walk (or the look-up of a dropped item) found it.
bool ZipPacker::PackFound(const wchar_t* path, const WIN32_FIND_DATAW& self, int recurse, int depth,
                          ProgressDialog* progress, unsigned* counter, int countOnly)
{
    // The archive being written is never packed into itself.
    if (lstrcmpiW(path, archivePath_) == 0)
        return false;
    // Subfolders are entered before the folder's own entry is made.
    const bool folder = (self.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (recurse && folder)
        PackChildren(path, depth + 1, progress, counter, countOnly);

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

void ZipPacker::Fail(const wchar_t* path)
{
    failed_ = true;
    lstrcpynW(failedItem_, path, MAX_PATH);
}

bool ZipPacker::WriteEntry(const wchar_t* path, const char* name, unsigned flag, const zip_fileinfo& info,
                           bool folder, unsigned long long size, ProgressDialog* progress)
{
    if (!archive_ || !buffer_ || !deflaterReady_)
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
    entry_ = Entry{name, info, (flag & kUtf8NameFlag) ? (kHostNtfs << 8) | 20 : 0, flag,
                   size >= kZip64Threshold ? 1 : 0, false};
    if (folder)
        return StreamEntry(nullptr, path, 0, progress);
    DWORD length = 0;
    switch (ReadFirstPart(file.Get(), progress, &length)) {
    case FirstPart::kCancelled:
        return true;  // the archive is given up as a whole
    case FirstPart::kFailed:
        Fail(path);
        return false;
    case FirstPart::kWhole:
        return length == 0 ? StreamEntry(nullptr, path, 0, progress) : WriteWhole(path, length);
    case FirstPart::kMore:
        break;
    }
    return StreamEntry(file.Get(), path, length, progress);
}

// Reads the file into the whole-entry buffer until its end or the buffer's.
ZipPacker::FirstPart ZipPacker::ReadFirstPart(HANDLE file, ProgressDialog* progress, DWORD* length)
{
    char* buffer = static_cast<char*>(buffer_.Get());
    *length = 0;
    for (unsigned blocks = 1; *length < kWholeEntryLimit; ++blocks) {
        DWORD read = 0;
        const DWORD room = static_cast<DWORD>(kWholeEntryLimit) - *length;
        if (!g_reader(file, buffer + *length, room < kBufferSize ? room : kBufferSize, &read))
            return FirstPart::kFailed;
        if (read == 0)
            return FirstPart::kWhole;
        *length += read;
        work_ += read;
        if (progress && blocks % kBlocksPerUpdate == 0) {
            progress->SetProgress(work_);
            if (progress->IsCancelled())
                return FirstPart::kCancelled;
        }
    }
    return FirstPart::kMore;
}

bool ZipPacker::WriteWhole(const wchar_t* path, DWORD length)
{
    const size_t packed = DeflateWhole(compressor_.Get(), buffer_.Get(), length, packed_.Get(), packedSize_);
    const uLong crc = WholeCrc32(0, buffer_.Get(), length);
    if (packed == 0 || !OpenEntry(LooksLikeText(buffer_.Get(), length)) ||
        zipWriteInFileInZip(archive_, packed_.Get(), static_cast<unsigned>(packed)) < 0 ||
        zipCloseFileInZipRaw64(archive_, length, crc) != ZIP_OK) {
        Fail(path);
        return false;
    }
    return true;
}

bool ZipPacker::StreamEntry(HANDLE file, const wchar_t* path, DWORD length, ProgressDialog* progress)
{
    const int zip64 = entry_.zip64;
    deflateReset(&deflater_);
    uLong crc = WholeCrc32(0, buffer_.Get(), length);
    unsigned long long total = length;
    bool complete = !file;
    if (length > 0 && !Deflate(buffer_.Get(), length, Z_NO_FLUSH))
        file = nullptr;
    for (unsigned blocks = 1; file; ++blocks) {
        DWORD read = 0;
        if (!g_reader(file, buffer_.Get(), kBufferSize, &read))
            break;
        if (read == 0) {
            complete = true;
            break;
        }
        total += read;
        // A file that grew past what its header allows cannot be stored whole.
        if (!zip64 && total >= kZip64Threshold)
            break;
        crc = WholeCrc32(crc, buffer_.Get(), read);
        if (!Deflate(buffer_.Get(), read, Z_NO_FLUSH))
            break;
        work_ += read;
        if (progress && blocks % kBlocksPerUpdate == 0) {
            progress->SetProgress(work_);
            if (progress->IsCancelled())
                return true;  // the archive is given up as a whole
        }
    }
    if (complete)
        complete = Deflate(nullptr, 0, Z_FINISH);
    if (!entry_.open || zipCloseFileInZipRaw64(archive_, total, crc) != ZIP_OK || !complete) {
        Fail(path);
        return false;
    }
    return true;
}

// The entry is deflated here and handed to minizip as it is (raw), with its
// size and CRC at the close. It is opened when its first compressed bytes are
// there: by then the data is judged text or binary (by zlib's stream or by
// the same rule over a whole entry), which the directory notes as minizip's
// own compression would.
bool ZipPacker::OpenEntry(bool text)
{
    entry_.info.internal_fa = text ? 1 : 0;
    entry_.open = zipOpenNewFileInZip4_64(archive_, entry_.name, &entry_.info, nullptr, 0, nullptr, 0, nullptr,
                                          Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, DEF_MEM_LEVEL,
                                          Z_DEFAULT_STRATEGY, nullptr, 0, entry_.madeBy, entry_.flag,
                                          entry_.zip64) == ZIP_OK;
    if (entry_.open)
        ++entries_;
    return entry_.open;
}

bool ZipPacker::Deflate(const void* data, DWORD size, int flush)
{
    deflater_.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    deflater_.avail_in = size;
    for (;;) {
        deflater_.next_out = static_cast<Bytef*>(deflated_.Get());
        deflater_.avail_out = kBufferSize;
        const int result = deflate(&deflater_, flush);
        const unsigned produced = kBufferSize - deflater_.avail_out;
        if (result == Z_STREAM_ERROR || (result == Z_BUF_ERROR && produced == 0))
            return false;
        if (produced > 0 && ((!entry_.open && !OpenEntry(deflater_.data_type == Z_TEXT)) ||
                             zipWriteInFileInZip(archive_, deflated_.Get(), produced) < 0))
            return false;
        if (flush == Z_FINISH ? result == Z_STREAM_END : deflater_.avail_out != 0)
            return true;
    }
}
