#include "archive/zip_io.h"

#include "archive/zip_file_buffer.h"
#include "archive/zip_kept_file.h"
#include "support/scoped_handle.h"

#include <iowin32.h>

#include <cstring>

namespace {

constexpr DWORD kEndRecordSize = 22;
constexpr DWORD kZip64RecordSize = 56;
constexpr DWORD kZip64LocatorSize = 20;
constexpr DWORD kEndRecordSignature = 0x06054b50;
constexpr DWORD kZip64RecordSignature = 0x06064b50;
constexpr DWORD kZip64LocatorSignature = 0x07064b50;
constexpr DWORD kLocalHeaderSignature = 0x04034b50;
constexpr DWORD kLongestComment = 0xFFFF;

// Win32 file handles behind a buffer (see zip_file_buffer.h).
zlib_filefunc64_def Win32Files()
{
    static const zlib_filefunc64_def win32 = [] {
        zlib_filefunc64_def files;
        fill_win32_filefunc64W(&files);
        return files;
    }();
    zlib_filefunc64_def files;
    FillBufferedFileFunctions(&files, &win32);
    return files;
}

// A file the caller keeps open behind the same buffer.
zlib_filefunc64_def KeptFiles()
{
    static const zlib_filefunc64_def kept = [] {
        zlib_filefunc64_def files;
        FillKeptFileFunctions(&files);
        return files;
    }();
    zlib_filefunc64_def files;
    FillBufferedFileFunctions(&files, &kept);
    return files;
}

unsigned long long Get(const unsigned char* bytes, int count)
{
    unsigned long long value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

unsigned char* Put(unsigned char* out, unsigned long long value, int count)
{
    for (int i = 0; i < count; ++i, value >>= 8)
        *out++ = static_cast<unsigned char>(value & 0xFF);
    return out;
}

bool ReadAt(HANDLE file, unsigned long long offset, void* data, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD read = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, data, size, &read, nullptr) &&
           read == size;
}

unsigned long long SizeOf(HANDLE file)
{
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

// True when the last kLongestComment + 22 bytes hold an end-record signature.
bool HasEndRecordSignature(HANDLE file, unsigned long long size)
{
    const DWORD span = static_cast<DWORD>(size < kLongestComment + kEndRecordSize ? size : kLongestComment + kEndRecordSize);
    if (span < kEndRecordSize)
        return false;
    unsigned char* tail = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, span));
    ScopedHeapBlock owner(tail);
    if (!tail || !ReadAt(file, size - span, tail, span))
        return false;
    for (DWORD i = span - kEndRecordSize + 1; i-- > 0;) {
        if (Get(tail + i, 4) == kEndRecordSignature)
            return true;
    }
    return false;
}

}  // namespace

unzFile OpenZipForReading(const wchar_t* path)
{
    if (!path)
        return nullptr;
    zlib_filefunc64_def files = Win32Files();
    return unzOpen2_64(path, &files);
}

zipFile CreateZipFileOn(HANDLE file)
{
    if (!file || file == INVALID_HANDLE_VALUE)
        return nullptr;
    zlib_filefunc64_def files = KeptFiles();
    return zipOpen2_64(&file, APPEND_STATUS_CREATE, nullptr, &files);
}

bool MarkForDeletion(HANDLE file, bool remove)
{
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove ? TRUE : FALSE)};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

ZipFileKind ClassifyUnreadableZip(const wchar_t* path)
{
    ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return kZipFileOther;
    const unsigned long long size = SizeOf(file.Get());
    unsigned char head[kEndRecordSize];
    if (size < 4 || !ReadAt(file.Get(), 0, head, size < sizeof head ? 4 : sizeof head))
        return kZipFileOther;
    // minizip does not find the end record of an archive that is nothing but
    // that record (plus its comment).
    if (Get(head, 4) == kEndRecordSignature && size >= kEndRecordSize && Get(head + 4, 4) == 0 &&
        Get(head + 8, 4) == 0 && Get(head + 12, 4) == 0 && Get(head + 16, 4) == 0 &&
        size == kEndRecordSize + Get(head + 20, 2))
        return kZipFileEmpty;
    if (Get(head, 4) == kLocalHeaderSignature || HasEndRecordSignature(file.Get(), size))
        return kZipFileDamaged;
    return kZipFileOther;
}

bool CompleteZip64EndRecords(HANDLE file, unsigned long long entries)
{
    if (entries < 0xFFFF)
        return true;
    const unsigned long long size = SizeOf(file);
    unsigned char end[kEndRecordSize];
    if (size < kEndRecordSize + kZip64LocatorSize || !ReadAt(file, size - kEndRecordSize, end, sizeof end) ||
        Get(end, 4) != kEndRecordSignature || Get(end + 20, 2) != 0)
        return false;
    unsigned char locator[kZip64LocatorSize];
    if (!ReadAt(file, size - kEndRecordSize - kZip64LocatorSize, locator, sizeof locator))
        return false;
    if (Get(locator, 4) == kZip64LocatorSignature)
        return true;  // minizip wrote them itself (the directory lies past 4 GiB)

    // The ZIP64 end record and its locator go where the end record was; the
    // end record follows them unchanged.
    const unsigned long long recordOffset = size - kEndRecordSize;
    unsigned char tail[kZip64RecordSize + kZip64LocatorSize + kEndRecordSize];
    unsigned char* out = Put(tail, kZip64RecordSignature, 4);
    out = Put(out, kZip64RecordSize - 12, 8);
    out = Put(out, 45, 2);  // made by: ZIP64 level
    out = Put(out, 45, 2);  // needed to extract
    out = Put(out, 0, 4);   // this disk
    out = Put(out, 0, 4);   // disk of the directory
    out = Put(out, entries, 8);
    out = Put(out, entries, 8);
    out = Put(out, Get(end + 12, 4), 8);  // directory size
    out = Put(out, Get(end + 16, 4), 8);  // directory offset
    out = Put(out, kZip64LocatorSignature, 4);
    out = Put(out, 0, 4);
    out = Put(out, recordOffset, 8);
    out = Put(out, 1, 4);  // disks in all
    std::memcpy(out, end, sizeof end);

    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(recordOffset);
    DWORD written = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
           WriteFile(file, tail, sizeof tail, &written, nullptr) && written == sizeof tail;
}
