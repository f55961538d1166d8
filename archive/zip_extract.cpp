#include "archive/zip_extract.h"

#include "archive/entry_name.h"
#include "archive/entry_path.h"
#include "archive/new_folder.h"
#include "archive/path_identity.h"
#include "archive/whole_deflate.h"
#include "archive/zip_io.h"
#include "archive/zip_scan.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/progress_window.h"
#include "support/scoped_handle.h"
#include "support/system_helper.h"

#include <unzip.h>

#include <cwchar>

namespace {

// Entries up to this size are read whole before their file is made.
constexpr DWORD kCopyBufferSize = 16384;
// Larger ones are written in blocks of this size, the progress (and with it
// the cancel button) served after each.
constexpr DWORD kWriteBlockSize = 262144;
// A large deflated entry's compressed bytes are read in blocks of this size.
constexpr DWORD kReadBlockSize = 65536;
// A stored name this long decodes to more than MAX_PATH characters in any
// encoding, so the buffer never cuts a name that could be written.
constexpr DWORD kNameBufferSize = 1024;
constexpr DWORD kExtraBufferSize = 0x10000;
// The progress counts bytes plus this much per entry.
constexpr unsigned long long kEntryWork = 16384;

BOOL DefaultWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    return WriteFile(file, data, size, written, nullptr);
}

EntryWriteFunction g_writer = DefaultWriter;

enum EntryOutcome { kEntryWritten, kEntrySkipped, kEntryFailed, kEntryCancelled };

struct ReaderCloser {
    using Handle = unzFile;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h)
    {
        unzCloseCurrentFile(h);
        unzClose(h);
    }
};
using ScopedZipReader = ScopedHandle<ReaderCloser>;

// The copy buffer, the stored name and the extra field of the entry at hand.
struct Buffers {
    char data[kWriteBlockSize];
    char name[kNameBufferSize];
    unsigned char extra[kExtraBufferSize];
    unsigned char packed[kReadBlockSize];
};

// zlib's raw inflater for the large deflated entries, made at the first.
class StreamInflater {
public:
    StreamInflater() = default;
    ~StreamInflater()
    {
        if (ready_)
            inflateEnd(&stream_);
    }
    StreamInflater(const StreamInflater&) = delete;
    StreamInflater& operator=(const StreamInflater&) = delete;
    // The inflater, reset for a new stream; null when it cannot be made.
    z_stream* Fresh()
    {
        if (!ready_)
            ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
        else
            inflateReset(&stream_);
        return ready_ ? &stream_ : nullptr;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

// One extraction's running state.
struct Extraction {
    Extraction(unzFile archive, const wchar_t* destination, const wchar_t* archivePath, ProgressDialog* progress,
               Buffers* buffers)
        : archive(archive), destination(destination), archivePath(archivePath), progress(progress), buffers(buffers)
    {
    }
    unzFile archive;
    const wchar_t* destination;
    const wchar_t* archivePath;
    ProgressDialog* progress;
    Buffers* buffers;
    unsigned long long work = 0;  // bytes written plus kEntryWork per finished entry
    wchar_t archiveName[MAX_PATH] = L"";       // the archive's own name, long
    wchar_t archiveShortName[MAX_PATH] = L"";  // and short (8.3)
    wchar_t lastFolder[MAX_PATH] = L"";        // the folder the previous file went into
    // For the entries inflated whole: made at the first one.
    ScopedHeapBlock packed;    // kWholeEntryLimit bytes of compressed data
    ScopedHeapBlock unpacked;  // kWholeEntryLimit bytes of the entry's file
    ScopedDecompressor decompressor;
    StreamInflater inflater;
};

// A Unix symbolic link stored by Info-ZIP and others: host 3, mode S_IFLNK.
bool IsSymbolicLink(const unz_file_info64& info)
{
    return (info.version >> 8) == 3 && ((info.external_fa >> 16) & 0170000) == 0120000;
}

// An entry must never write over the archive it is read from. The full
// comparison (which asks the file system) runs only for a target that bears
// the archive's own name, long or short.
bool IsArchiveItself(const Extraction& job, const wchar_t* target)
{
    const wchar_t* own = FileNameOf(target);
    return (lstrcmpiW(own, job.archiveName) == 0 || lstrcmpiW(own, job.archiveShortName) == 0) &&
           IsSamePath(target, job.archivePath);
}

// Creates the folders of a file's target unless the previous file went into
// the same folder.
void CreateFoldersOf(Extraction& job, const wchar_t* target)
{
    const size_t folderLength = static_cast<size_t>(FileNameOf(target) - target);
    if (std::wcsncmp(job.lastFolder, target, folderLength) == 0 && job.lastFolder[folderLength] == L'\0')
        return;
    CreateFolderChain(target);
    lstrcpynW(job.lastFolder, target, static_cast<int>(folderLength + 1));
}

bool StampFile(HANDLE file, DWORD dosDate)
{
    FILETIME local;
    FILETIME stamp;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) || !LocalFileTimeToFileTime(&local, &stamp))
        return false;
    return SetFileTime(file, &stamp, nullptr, &stamp) != 0;
}

// Serves the progress after a block; true when it was cancelled.
bool BlockDone(Extraction& job, DWORD size)
{
    job.work += size;
    job.progress->SetProgress(job.work);
    return job.progress->IsCancelled() != 0;
}

bool WriteBlock(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return g_writer(file, data, size, &written) && written == size;
}

// Streams the open entry into file; 0 or the first read/write error.
int CopyEntryData(Extraction& job, HANDLE file, ZPOS64_T declaredSize, bool* cancelled)
{
    ZPOS64_T total = 0;
    for (;;) {
        const int read = unzReadCurrentFile(job.archive, job.buffers->data, kWriteBlockSize);
        if (read < 0)
            return read;
        if (read == 0)
            break;
        if (!WriteBlock(file, job.buffers->data, static_cast<DWORD>(read)))
            return UNZ_ERRNO;
        total += static_cast<ZPOS64_T>(read);
        if (BlockDone(job, static_cast<DWORD>(read))) {
            *cancelled = true;
            return UNZ_OK;
        }
    }
    // A stream that ends before its declared size is damaged (minizip checks
    // the CRC only of entries read to their declared end).
    return total == declaredSize ? UNZ_OK : UNZ_BADZIPFILE;
}

// Inflates the open (raw) entry's stream into file in blocks, checked
// against the entry's size and CRC: zlib inflates, libdeflate's CRC-32 is
// several times as fast as minizip's. 0 or the first error.
int InflateEntryData(Extraction& job, HANDLE file, const unz_file_info64& info, bool* cancelled)
{
    z_stream* stream = job.inflater.Fresh();
    if (!stream)
        return UNZ_INTERNALERROR;
    unsigned char* out = reinterpret_cast<unsigned char*>(job.buffers->data);
    unsigned long crc = 0;
    ZPOS64_T total = 0;
    stream->avail_in = 0;
    bool wantsInput = true;
    for (int status = Z_OK; status != Z_STREAM_END;) {
        // More input only when zlib asks for it: after filling the output
        // it may still hold the stream's end, all its input taken.
        if (wantsInput && stream->avail_in == 0) {
            const int read = unzReadCurrentFile(job.archive, job.buffers->packed, kReadBlockSize);
            if (read <= 0)
                return read < 0 ? read : UNZ_BADZIPFILE;  // the data ends before its stream
            stream->next_in = job.buffers->packed;
            stream->avail_in = static_cast<uInt>(read);
        }
        stream->next_out = out;
        stream->avail_out = kWriteBlockSize;
        status = inflate(stream, Z_NO_FLUSH);
        if (status == Z_BUF_ERROR && stream->avail_in == 0)
            status = Z_OK;  // nothing was held back: it needs input
        if (status != Z_OK && status != Z_STREAM_END)
            return UNZ_BADZIPFILE;
        // Room left in the output: zlib stopped for want of input.
        wantsInput = stream->avail_out != 0;
        const DWORD produced = kWriteBlockSize - stream->avail_out;
        total += produced;
        if (total > info.uncompressed_size)
            return UNZ_BADZIPFILE;
        crc = WholeCrc32(crc, out, produced);
        if (produced > 0 && !WriteBlock(file, out, produced))
            return UNZ_ERRNO;
        if (produced > 0 && BlockDone(job, produced)) {
            *cancelled = true;
            return UNZ_OK;
        }
    }
    return total == info.uncompressed_size && crc == info.crc ? UNZ_OK : UNZ_BADZIPFILE;
}

// Writes size bytes of data into file in blocks; 0 or UNZ_ERRNO.
int WriteWholeData(Extraction& job, HANDLE file, const char* data, size_t size, bool* cancelled)
{
    for (size_t done = 0; done < size;) {
        const DWORD block = static_cast<DWORD>(size - done < kWriteBlockSize ? size - done : kWriteBlockSize);
        if (!WriteBlock(file, data + done, block))
            return UNZ_ERRNO;
        done += block;
        if (BlockDone(job, block)) {
            *cancelled = true;
            return UNZ_OK;
        }
    }
    return UNZ_OK;
}

// Makes the entry's file and fills it through fill (0 or an error), marked
// for deletion until it is whole: a damaged or cancelled one never stays.
template <typename Fill>
EntryOutcome WriteMarkedFile(Extraction& job, const unz_file_info64& info, const wchar_t* target, Fill fill)
{
    CreateFoldersOf(job, target);
    ScopedFile file(CreateFileW(target, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return kEntrySkipped;
    const bool marked = MarkForDeletion(file.Get(), true);
    bool cancelled = false;
    const int error = fill(file.Get(), &cancelled);
    if (error == UNZ_OK && !cancelled) {
        StampFile(file.Get(), info.dosDate);
        if (!marked || MarkForDeletion(file.Get(), false))
            return kEntryWritten;
    }
    file.Reset();
    if (!marked)
        DeleteFileW(target);  // a damaged file must not look complete
    return cancelled ? kEntryCancelled : kEntryFailed;
}

// A deflated entry whose both sizes fit the whole-entry buffers is inflated
// at once (libdeflate), checked against its CRC before its file is made.
bool FitsWholeBuffers(const unz_file_info64& info)
{
    return info.compression_method == Z_DEFLATED && info.uncompressed_size > kCopyBufferSize &&
           info.uncompressed_size <= kWholeEntryLimit && info.compressed_size <= kWholeEntryLimit;
}

bool PrepareWholeBuffers(Extraction& job)
{
    if (!job.packed)
        job.packed.Reset(SystemHelper::Alloc(kWholeEntryLimit));
    if (!job.unpacked)
        job.unpacked.Reset(SystemHelper::Alloc(kWholeEntryLimit));
    if (!job.decompressor)
        job.decompressor.Reset(NewWholeDecompressor());
    return job.packed && job.unpacked && job.decompressor;
}

// Reads the open (raw) entry's compressed bytes, all size of them.
bool ReadRawEntry(Extraction& job, ZPOS64_T size)
{
    char* packed = static_cast<char*>(job.packed.Get());
    ZPOS64_T total = 0;
    int read = 1;
    while (read > 0 && total < size) {
        read = unzReadCurrentFile(job.archive, packed + total, static_cast<unsigned>(size - total));
        total += read > 0 ? static_cast<ZPOS64_T>(read) : 0;
    }
    return total == size;
}

EntryOutcome WriteWholeEntry(Extraction& job, const unz_file_info64& info, const wchar_t* target)
{
    const bool read = PrepareWholeBuffers(job) && ReadRawEntry(job, info.compressed_size);
    const size_t size = static_cast<size_t>(info.uncompressed_size);
    const char* data = static_cast<const char*>(job.unpacked.Get());
    if (unzCloseCurrentFile(job.archive) != UNZ_OK || !read ||
        !InflateWhole(job.decompressor.Get(), job.packed.Get(), static_cast<size_t>(info.compressed_size),
                      job.unpacked.Get(), size) ||
        WholeCrc32(0, data, size) != info.crc)
        return kEntryFailed;
    return WriteMarkedFile(job, info, target, [&job, data, size](HANDLE file, bool* cancelled) {
        return WriteWholeData(job, file, data, size, cancelled);
    });
}

// An entry that fits the copy buffer is read and checked whole before its file
// is made: a damaged one never leaves a file, and the file needs no mark.
EntryOutcome WriteSmallEntry(Extraction& job, const unz_file_info64& info, const wchar_t* target)
{
    ZPOS64_T total = 0;
    int read = 0;
    do {
        read = unzReadCurrentFile(job.archive, job.buffers->data + total,
                                  static_cast<unsigned>(kCopyBufferSize - total));
        total += read > 0 ? static_cast<ZPOS64_T>(read) : 0;
    } while (read > 0 && total < kCopyBufferSize);
    char rest;
    const bool whole = read >= 0 && total == info.uncompressed_size &&
                       (total < kCopyBufferSize || unzReadCurrentFile(job.archive, &rest, 1) == 0);
    if (unzCloseCurrentFile(job.archive) != UNZ_OK || !whole)
        return kEntryFailed;
    CreateFoldersOf(job, target);
    ScopedFile file(CreateFileW(target, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return kEntrySkipped;
    DWORD written = 0;
    if (total == 0 || (g_writer(file.Get(), job.buffers->data, static_cast<DWORD>(total), &written) &&
                       written == static_cast<DWORD>(total))) {
        job.work += total;
        StampFile(file.Get(), info.dosDate);
        return kEntryWritten;
    }
    file.Reset();
    DeleteFileW(target);  // a damaged file must not look complete
    return kEntryFailed;
}

EntryOutcome WriteFileEntry(Extraction& job, const unz_file_info64& info, const wchar_t* target)
{
    // Encrypted entries cannot be read without a password: like an
    // unsupported method, nothing is written and the extraction ends.
    const bool whole = FitsWholeBuffers(info);
    const bool streamed = !whole && info.compression_method == Z_DEFLATED && info.uncompressed_size > kCopyBufferSize;
    if ((info.flag & 1) != 0 || unzOpenCurrentFile2(job.archive, nullptr, nullptr, whole || streamed) != UNZ_OK) {
        unzCloseCurrentFile(job.archive);
        return kEntryFailed;
    }
    if (whole)
        return WriteWholeEntry(job, info, target);
    if (info.uncompressed_size <= kCopyBufferSize)
        return WriteSmallEntry(job, info, target);
    const EntryOutcome outcome = WriteMarkedFile(job, info, target, [&](HANDLE file, bool* cancelled) {
        const int error = streamed ? InflateEntryData(job, file, info, cancelled)
                                   : CopyEntryData(job, file, info.uncompressed_size, cancelled);
        const int closed = unzCloseCurrentFile(job.archive);
        return error == UNZ_OK && !*cancelled ? closed : error;
    });
    if (outcome == kEntrySkipped)
        unzCloseCurrentFile(job.archive);
    return outcome;
}

// Writes the archive's current entry below the destination.
EntryOutcome ExtractCurrentEntry(Extraction& job, ExtractReport* report)
{
    unz_file_info64 info;
    Buffers& buffers = *job.buffers;
    report->entry[0] = L'\0';
    if (unzGetCurrentFileInfo64(job.archive, &info, buffers.name, kNameBufferSize, buffers.extra, kExtraBufferSize,
                                nullptr, 0) != UNZ_OK)
        return kEntryFailed;
    // A name that cannot be decoded (or that is longer than any path) is
    // skipped, as is a name with a NUL inside: it is not what it claims to be.
    wchar_t name[MAX_PATH];
    const size_t extraLength = info.size_file_extra < kExtraBufferSize ? info.size_file_extra : 0;
    if (info.size_filename >= kNameBufferSize ||
        !DecodeEntryName(buffers.name, info.size_filename, info.flag, buffers.extra, extraLength, name, MAX_PATH)) {
        return kEntrySkipped;
    }
    lstrcpynW(report->entry, name, MAX_PATH);
    if (IsSymbolicLink(info))
        return kEntrySkipped;

    wchar_t target[MAX_PATH];
    if (!BuildEntryTarget(job.destination, name, target, MAX_PATH) || IsArchiveItself(job, target))
        return kEntrySkipped;
    // A name ending in a separator is a folder entry.
    if (target[std::wcslen(target) - 1] == L'\\') {
        CreateFolderChain(target);
        return kEntryWritten;
    }
    return WriteFileEntry(job, info, target);
}

ExtractResult Finish(ExtractReport* report, ExtractResult result)
{
    report->result = result;
    return result;
}

// True when the declared sizes fit in the free space of the volume the
// destination goes on (asked of the folder it lies in, which exists); an
// unknown free space lets the extraction go on.
bool HasRoom(const wchar_t* destination, const ArchiveScan& scan, ExtractReport* report)
{
    wchar_t parent[MAX_PATH];
    lstrcpynW(parent, destination, MAX_PATH);
    const wchar_t* last = LastBackslash(parent);
    if (last)
        parent[last + 1 - parent] = L'\0';
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(last ? parent : nullptr, &available, nullptr, nullptr))
        return true;
    report->needed = scan.bytes;
    report->available = available.QuadPart;
    return scan.bytes <= available.QuadPart;
}

// Settles the folder the entries go into (report->folder); false when a new
// one was wanted and could not be made.
bool SettleFolder(const wchar_t* destination, ExtractInto into, const ArchiveScan& scan, ExtractReport* report)
{
    if (into == kIntoFolder) {
        if (std::wcslen(destination) >= MAX_PATH)
            return false;  // cut short it would name another folder
        lstrcpynW(report->folder, destination, MAX_PATH);
        return true;
    }
    return scan.entries == 0 || MakeNewFolder(destination, report->folder, MAX_PATH);
}

ExtractResult ExtractEntries(Extraction& job, const ArchiveScan& scan, ExtractReport* report)
{
    const unsigned long count = static_cast<unsigned long>(scan.entries);
    for (unsigned long long i = 0; i < scan.entries; ++i) {
        if (job.progress->DueForDisplay()) {
            wchar_t text[256];
            FormatText(text, ARRAYSIZE(text), IDS_EXTRACT_PROGRESS_FORMAT, static_cast<unsigned long>(i), count);
            job.progress->SetText(text);
        }
        if (i == 0)
            job.progress->SetProgress(job.work);  // later, the end of the previous entry shows it
        switch (ExtractCurrentEntry(job, report)) {
        case kEntrySkipped:
            ++report->skipped;
            break;
        case kEntryFailed:
            return Finish(report, kExtractFailed);
        case kEntryCancelled:
            return Finish(report, kExtractCancelled);
        case kEntryWritten:
            break;
        }
        job.work += kEntryWork;
        if (i + 1 < scan.entries && unzGoToNextFile(job.archive) != UNZ_OK)
            return Finish(report, kExtractFailed);
        job.progress->SetProgress(job.work);
        if (job.progress->IsCancelled())
            return Finish(report, kExtractCancelled);
    }
    return Finish(report, kExtractDone);
}

}  // namespace

void OverrideEntryWriter(EntryWriteFunction writer)
{
    g_writer = writer ? writer : DefaultWriter;
}

bool CreateFolderChain(const wchar_t* path)
{
    if (!path)
        return false;
    wchar_t part[MAX_PATH];
    for (const wchar_t* p = path; *p; ++p) {
        const size_t length = static_cast<size_t>(p - path);
        if (*p != L'\\' || length == 0 || length >= MAX_PATH)
            continue;
        wmemcpy(part, path, length);
        part[length] = L'\0';
        CreateDirectoryW(part, nullptr);
    }
    return true;
}

bool SetFileTimeFromDos(const wchar_t* path, DWORD dosDate)
{
    if (!path)
        return false;
    ScopedFile file(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && StampFile(file.Get(), dosDate);
}

bool IsZipArchive(const wchar_t* path)
{
    ScopedZipReader archive(OpenZipForReading(path));
    return archive || (path && ClassifyUnreadableZip(path) == kZipFileEmpty);
}

ExtractResult ExtractArchive(const wchar_t* archivePath, const wchar_t* destination, HWND owner,
                             ExtractReport* report, ExtractInto into)
{
    ExtractReport local;
    if (!report)
        report = &local;
    *report = ExtractReport();
    ProgressDialog progress;
    if (!owner)
        owner = GetForegroundWindow();
    if (!archivePath || !destination)
        return Finish(report, kExtractNotArchive);
    ScopedZipReader archive(OpenZipForReading(archivePath));
    if (!archive) {
        switch (ClassifyUnreadableZip(archivePath)) {
        case kZipFileEmpty:
            progress.Show(owner);
            return Finish(report, kExtractDone);
        case kZipFileDamaged:
            return Finish(report, kExtractRefused);
        case kZipFileOther:
            break;
        }
        return Finish(report, kExtractNotArchive);
    }
    ArchiveScan scan;
    if (!ScanArchive(archive.Get(), &scan))
        return Finish(report, kExtractRefused);
    if (!HasRoom(destination, scan, report))
        return Finish(report, kExtractNoRoom);
    HeapObject<Buffers> buffers;
    if (!buffers.Allocate())
        return Finish(report, kExtractFailed);
    if (!SettleFolder(destination, into, scan, report))
        return Finish(report, kExtractNoFolder);

    progress.Show(owner);
    progress.SetTotal(scan.bytes + scan.entries * kEntryWork);
    wchar_t title[128];
    LoadText(IDS_EXTRACT_TITLE, title, ARRAYSIZE(title));
    progress.SetTitle(title);
    Extraction job{archive.Get(), report->folder, archivePath, &progress, buffers.Get()};
    lstrcpynW(job.archiveName, FileNameOf(archivePath), MAX_PATH);
    wchar_t shortPath[MAX_PATH];
    if (GetShortPathNameW(archivePath, shortPath, MAX_PATH))
        lstrcpynW(job.archiveShortName, FileNameOf(shortPath), MAX_PATH);
    return ExtractEntries(job, scan, report);
}
