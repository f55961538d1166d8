#include "archive/zip_extract.h"

#include "archive/entry_path.h"
#include "archive/progress_dialog.h"
#include "resources/resource_ids.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"
#include "support/system_helper.h"
#include "support/text_buffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kCopyBufferSize = 16384;
constexpr int kNameBufferSize = 260;

BOOL DefaultWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    return WriteFile(file, data, size, written, nullptr);
}

EntryWriteFunction g_writer = DefaultWriter;

// A Unix symbolic link stored by Info-ZIP and others: host 3, mode S_IFLNK.
bool IsSymbolicLink(const unz_file_info64& info)
{
    return (info.version >> 8) == 3 && ((info.external_fa >> 16) & 0170000) == 0120000;
}

struct UnzipTraits {
    using Handle = unzFile;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { unzClose(h); }
};
using ScopedUnzip = ScopedHandle<UnzipTraits>;

// Streams the open entry into file; 0 or the first read/write error.
int CopyEntryData(unzFile archive, HANDLE file, char* buffer, ZPOS64_T declaredSize)
{
    ZPOS64_T total = 0;
    for (;;) {
        const int read = unzReadCurrentFile(archive, buffer, kCopyBufferSize);
        if (read < 0)
            return read;
        if (read == 0)
            break;
        DWORD written = 0;
        if (!g_writer(file, buffer, static_cast<DWORD>(read), &written) || written != static_cast<DWORD>(read))
            return UNZ_ERRNO;
        total += static_cast<ZPOS64_T>(read);
    }
    // A stream that ends before its declared size is damaged (minizip checks
    // the CRC only of entries read to their declared end).
    return total == declaredSize ? UNZ_OK : UNZ_BADZIPFILE;
}

// minizip does not find the end record of an archive that is nothing but
// that record (an empty archive), so such files are recognised here.
bool IsEmptyArchiveFile(const char* path)
{
    ScopedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    unsigned char record[22];
    DWORD read = 0;
    if (!ReadFile(file.Get(), record, sizeof record, &read, nullptr) || read != sizeof record)
        return false;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    const DWORD commentLength = record[20] | (record[21] << 8);
    bool zeros = true;
    for (int i = 4; i < 20; ++i)
        zeros = zeros && record[i] == 0;
    return record[0] == 'P' && record[1] == 'K' && record[2] == 5 && record[3] == 6 && zeros &&
           size == sizeof record + commentLength;
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
    if (!file)
        return false;
    FILETIME creation, access, write;
    GetFileTime(file.Get(), &creation, &access, &write);
    FILETIME local;
    FILETIME stamp;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) || !LocalFileTimeToFileTime(&local, &stamp))
        return false;
    SetFileTime(file.Get(), &stamp, nullptr, &stamp);
    return true;
}

bool IsZipArchive(const char* path)
{
    if (!path)
        return false;
    return ScopedUnzip(unzOpen(path)) || IsEmptyArchiveFile(path);
}

bool HasOverlappingEntries(unzFile archive)
{
    struct Range {
        ZPOS64_T begin;
        ZPOS64_T end;
    };
    std::vector<Range> ranges;
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        // Opened raw: only the local header is read and checked, nothing inflated.
        int method = 0;
        int level = 0;
        if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK)
            continue;  // never written: the extraction stops at this entry
        const ZPOS64_T dataStart = unzGetCurrentFileZStreamPos64(archive);
        const int localExtra = unzGetLocalExtrafield(archive, nullptr, 0);
        unzCloseCurrentFile(archive);
        const ZPOS64_T header = 30 + static_cast<ZPOS64_T>(info.size_filename) +
                                static_cast<ZPOS64_T>(localExtra > 0 ? localExtra : 0);
        const ZPOS64_T begin = dataStart >= header ? dataStart - header : 0;
        ranges.push_back(Range{begin, dataStart + info.compressed_size});
    }
    unzGoToFirstFile(archive);
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i].begin < ranges[i - 1].end)
            return true;
    }
    return false;
}

int ExtractCurrentEntry(unzFile archive, const char* destination)
{
    unz_file_info64 info;
    char name[kNameBufferSize];
    const int status = unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0);
    if (status != UNZ_OK)
        return status;
    // minizip leaves a name that fills the buffer unterminated; a name with
    // a NUL inside is not what it claims to be. Both are skipped.
    if (info.size_filename >= sizeof name)
        return UNZ_OK;
    name[info.size_filename] = '\0';
    if (std::strlen(name) != info.size_filename || IsSymbolicLink(info))
        return UNZ_OK;

    char target[MAX_PATH * 2];
    if (!BuildEntryTarget(destination, name, target, sizeof target))
        return UNZ_OK;

    ScopedHeapBlock buffer(g_systemHelper.Alloc(kCopyBufferSize));
    if (!buffer)
        return UNZ_OK;

    // A name ending in a separator is a folder entry.
    if (EndsWithBackslash(target)) {
        CreateFolderChain(target);
        return UNZ_OK;
    }

    // Encrypted entries cannot be read without a password: like an
    // unsupported method, nothing is written and the extraction ends.
    if ((info.flag & 1) != 0 || unzOpenCurrentFile(archive) != UNZ_OK) {
        unzCloseCurrentFile(archive);
        return UNZ_PARAMERROR;
    }

    int error = UNZ_OK;
    bool created = false;
    CreateFolderChain(target);
    {
        ScopedFile file(CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            created = true;
            error = CopyEntryData(archive, file.Get(), static_cast<char*>(buffer.Get()), info.uncompressed_size);
            SetEndOfFile(file.Get());
        }
    }
    const int closed = unzCloseCurrentFile(archive);
    const int result = error != UNZ_OK ? error : (created ? closed : UNZ_OK);
    if (created) {
        if (result != UNZ_OK)
            DeleteFileA(target);  // a damaged file must not look complete
        else
            SetFileTimeFromDos(target, info.dosDate);
    }
    return result;
}

bool ExtractArchive(const char* archivePath, const char* destination, HWND owner, int* cancelled)
{
    ProgressDialog progress;
    if (!owner)
        owner = GetForegroundWindow();
    if (cancelled)
        *cancelled = 0;
    if (!archivePath || !destination)
        return false;
    ScopedUnzip archive(unzOpen(archivePath));
    if (!archive) {
        if (!IsEmptyArchiveFile(archivePath))
            return false;
        progress.Show(owner);
        return true;
    }

    unz_global_info64 global;
    if (unzGetGlobalInfo64(archive.Get(), &global) == UNZ_OK && !HasOverlappingEntries(archive.Get())) {
        progress.Show(owner);
        progress.SetRange(0, static_cast<int>(global.number_entry));
        char title[128];
        char format[128];
        LoadStringA(GetModuleHandleA(nullptr), IDS_EXTRACT_TITLE, title, sizeof title);
        LoadStringA(GetModuleHandleA(nullptr), IDS_EXTRACT_PROGRESS_FORMAT, format, sizeof format);
        progress.SetTitle(title);
        const unsigned long count = static_cast<unsigned long>(global.number_entry);
        for (unsigned long i = 0; i < count; ++i) {
            if (progress.DueForDisplay()) {
                char text[256];
                wsprintfA(text, format, i, count);
                progress.SetText(text);
            }
            progress.SetProgress(i);
            if (ExtractCurrentEntry(archive.Get(), destination) != UNZ_OK)
                break;
            if (i + 1 < count && unzGoToNextFile(archive.Get()) != UNZ_OK)
                break;
            progress.SetProgress(i);
            if (progress.IsCancelled()) {
                if (cancelled)
                    *cancelled = 1;
                break;
            }
        }
    }
    unzCloseCurrentFile(archive.Get());
    return true;
}
