#include "archive/zip_extract.h"

#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "archive/zip_io.h"
#include "archive/zip_scan.h"
#include "resources/string_ids.h"
#include "support/scoped_handle.h"
#include "support/system_helper.h"
#include "support/text_buffer.h"

#include <unzip.h>

#include <cstring>

namespace {

constexpr DWORD kCopyBufferSize = 16384;
constexpr int kNameBufferSize = 260;
// The progress counts bytes plus this much per entry; inside an entry it
// (and with it the cancel button) is served every kBlocksPerUpdate blocks.
constexpr unsigned long long kEntryWork = 16384;
constexpr unsigned kBlocksPerUpdate = 16;

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

class CopyBuffer {
public:
    CopyBuffer() : data_(static_cast<char*>(g_systemHelper.Alloc(kCopyBufferSize))) {}
    ~CopyBuffer() { g_systemHelper.Free(data_); }
    CopyBuffer(const CopyBuffer&) = delete;
    CopyBuffer& operator=(const CopyBuffer&) = delete;
    char* Get() const { return data_; }

private:
    char* data_;
};

// One extraction's running state.
struct Extraction {
    unzFile archive;
    const char* destination;
    const char* archivePath;
    ProgressDialog* progress;
    char* buffer;
    unsigned long long work;  // bytes written plus kEntryWork per finished entry
};

// A Unix symbolic link stored by Info-ZIP and others: host 3, mode S_IFLNK.
bool IsSymbolicLink(const unz_file_info64& info)
{
    return (info.version >> 8) == 3 && ((info.external_fa >> 16) & 0170000) == 0120000;
}

// An entry must never write over the archive it is read from.
bool IsArchiveItself(const char* target, const char* archivePath)
{
    wchar_t wideTarget[MAX_PATH * 2];
    wchar_t wideArchive[MAX_PATH * 2];
    if (!archivePath || !MultiByteToWideChar(CP_ACP, 0, target, -1, wideTarget, MAX_PATH * 2) ||
        !MultiByteToWideChar(CP_ACP, 0, archivePath, -1, wideArchive, MAX_PATH * 2))
        return false;
    return IsSamePath(wideTarget, wideArchive);
}

// While set, the file goes away when its handle is closed, however the
// writing ends (an error, a cancel, the end of the process).
bool MarkForDeletion(HANDLE file, bool remove)
{
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove ? TRUE : FALSE)};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool StampFile(HANDLE file, DWORD dosDate)
{
    FILETIME local;
    FILETIME stamp;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) || !LocalFileTimeToFileTime(&local, &stamp))
        return false;
    return SetFileTime(file, &stamp, nullptr, &stamp) != 0;
}

// Streams the open entry into file; 0 or the first read/write error.
int CopyEntryData(Extraction& job, HANDLE file, ZPOS64_T declaredSize, bool* cancelled)
{
    ZPOS64_T total = 0;
    for (unsigned blocks = 1;; ++blocks) {
        const int read = unzReadCurrentFile(job.archive, job.buffer, kCopyBufferSize);
        if (read < 0)
            return read;
        if (read == 0)
            break;
        DWORD written = 0;
        if (!g_writer(file, job.buffer, static_cast<DWORD>(read), &written) || written != static_cast<DWORD>(read))
            return UNZ_ERRNO;
        total += static_cast<ZPOS64_T>(read);
        job.work += static_cast<unsigned long long>(read);
        if (blocks % kBlocksPerUpdate == 0) {
            job.progress->SetProgress(job.work);
            if (job.progress->IsCancelled()) {
                *cancelled = true;
                return UNZ_OK;
            }
        }
    }
    // A stream that ends before its declared size is damaged (minizip checks
    // the CRC only of entries read to their declared end).
    return total == declaredSize ? UNZ_OK : UNZ_BADZIPFILE;
}

EntryOutcome WriteFileEntry(Extraction& job, const unz_file_info64& info, const char* target)
{
    // Encrypted entries cannot be read without a password: like an
    // unsupported method, nothing is written and the extraction ends.
    if ((info.flag & 1) != 0 || unzOpenCurrentFile(job.archive) != UNZ_OK) {
        unzCloseCurrentFile(job.archive);
        return kEntryFailed;
    }
    CreateFolderChain(target);
    ScopedFile file(CreateFileA(target, GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        unzCloseCurrentFile(job.archive);
        return kEntrySkipped;
    }
    const bool marked = MarkForDeletion(file.Get(), true);
    bool cancelled = false;
    int error = CopyEntryData(job, file.Get(), info.uncompressed_size, &cancelled);
    const int closed = unzCloseCurrentFile(job.archive);
    if (error == UNZ_OK && !cancelled)
        error = closed;
    if (error == UNZ_OK && !cancelled) {
        StampFile(file.Get(), info.dosDate);
        if (!marked || MarkForDeletion(file.Get(), false))
            return kEntryWritten;
    }
    file.Reset();
    if (!marked)
        DeleteFileA(target);  // a damaged file must not look complete
    return cancelled ? kEntryCancelled : kEntryFailed;
}

// Writes the archive's current entry below the destination.
EntryOutcome ExtractCurrentEntry(Extraction& job, ExtractReport* report)
{
    unz_file_info64 info;
    char name[kNameBufferSize];
    if (unzGetCurrentFileInfo64(job.archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
        return kEntryFailed;
    // minizip leaves a name that fills the buffer unterminated; a name with
    // a NUL inside is not what it claims to be. Both are skipped.
    if (info.size_filename >= sizeof name)
        return kEntrySkipped;
    name[info.size_filename] = '\0';
    lstrcpynA(report->entry, name, sizeof report->entry);
    if (std::strlen(name) != info.size_filename || IsSymbolicLink(info))
        return kEntrySkipped;

    char target[MAX_PATH * 2];
    if (!BuildEntryTarget(job.destination, name, target, sizeof target) || IsArchiveItself(target, job.archivePath))
        return kEntrySkipped;

    // A name ending in a separator is a folder entry.
    const char* lastCharacter = CharPrevA(target, target + std::strlen(target));
    if (*lastCharacter == '\\' && lastCharacter == target + std::strlen(target) - 1) {
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

ExtractResult ExtractEntries(Extraction& job, const ArchiveScan& scan, ExtractReport* report)
{
    char format[128];
    LoadStringA(GetModuleHandleA(nullptr), IDS_EXTRACT_PROGRESS_FORMAT, format, sizeof format);
    const unsigned long count = static_cast<unsigned long>(scan.entries);
    for (unsigned long long i = 0; i < scan.entries; ++i) {
        if (job.progress->DueForDisplay()) {
            char text[256];
            wsprintfA(text, format, static_cast<unsigned long>(i), count);
            job.progress->SetText(text);
        }
        job.progress->SetProgress(job.work);
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

bool CreateFolderChain(const char* path)
{
    if (!path)
        return false;
    TextBuffer copy;
    if (!copy.Assign(path))
        return false;
    char* text = copy.GetText();
    for (char* p = text; *p; p = CharNextA(p)) {
        if (*p != '\\')
            continue;
        *p = '\0';
        if (p != text)
            CreateDirectoryA(text, nullptr);
        *p = '\\';
    }
    return true;
}

bool SetFileTimeFromDos(const char* path, DWORD dosDate)
{
    if (!path)
        return false;
    ScopedFile file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && StampFile(file.Get(), dosDate);
}

bool IsZipArchive(const char* path)
{
    ScopedZipReader archive(OpenZipForReading(path));
    return archive || (path && ClassifyUnreadableZip(path) == kZipFileEmpty);
}

ExtractResult ExtractArchive(const char* archivePath, const char* destination, HWND owner, ExtractReport* report)
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
    CopyBuffer buffer;
    if (!buffer.Get())
        return Finish(report, kExtractFailed);

    progress.Show(owner);
    progress.SetTotal(scan.bytes + scan.entries * kEntryWork);
    char title[128];
    LoadStringA(GetModuleHandleA(nullptr), IDS_EXTRACT_TITLE, title, sizeof title);
    progress.SetTitle(title);
    Extraction job{archive.Get(), destination, archivePath, &progress, buffer.Get(), 0};
    return ExtractEntries(job, scan, report);
}
