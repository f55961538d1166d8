#include "archive/zip_extract.h"

#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "resources/string_ids.h"
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
    unzFile archive = unzOpen(path);
    if (!archive)
        return IsEmptyArchiveFile(path);
    unzClose(archive);
    return true;
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

int ExtractCurrentEntry(unzFile archive, const char* destination, const char* archivePath)
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
    if (!BuildEntryTarget(destination, name, target, sizeof target) || IsArchiveItself(target, archivePath))
        return UNZ_OK;

    CopyBuffer buffer;
    if (!buffer.Get())
        return UNZ_OK;

    // A name ending in a separator is a folder entry.
    const char* lastCharacter = CharPrevA(target, target + std::strlen(target));
    if (*lastCharacter == '\\' && lastCharacter == target + std::strlen(target) - 1) {
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
            error = CopyEntryData(archive, file.Get(), buffer.Get(), info.uncompressed_size);
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
    unzFile archive = unzOpen(archivePath);
    if (!archive) {
        if (!IsEmptyArchiveFile(archivePath))
            return false;
        progress.Show(owner);
        return true;
    }

    unz_global_info64 global;
    if (unzGetGlobalInfo64(archive, &global) == UNZ_OK && !HasOverlappingEntries(archive)) {
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
            if (ExtractCurrentEntry(archive, destination, archivePath) != UNZ_OK)
                break;
            if (i + 1 < count && unzGoToNextFile(archive) != UNZ_OK)
                break;
            progress.SetProgress(i);
            if (progress.IsCancelled()) {
                if (cancelled)
                    *cancelled = 1;
                break;
            }
        }
    }
    unzCloseCurrentFile(archive);
    unzClose(archive);
    return true;
}
