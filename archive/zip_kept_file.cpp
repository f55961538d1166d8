#include "archive/zip_kept_file.h"

#include <windows.h>

namespace {

struct KeptFile {
    HANDLE handle;
    bool failed;
};

voidpf ZCALLBACK Open(voidpf, const void* handle, int)
{
    KeptFile* file = static_cast<KeptFile*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(KeptFile)));
    if (file)
        file->handle = *static_cast<const HANDLE*>(handle);
    return file;
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong size)
{
    KeptFile& file = *static_cast<KeptFile*>(stream);
    DWORD read = 0;
    if (!ReadFile(file.handle, buffer, size, &read, nullptr))
        file.failed = true;
    return read;
}

uLong ZCALLBACK Write(voidpf, voidpf stream, const void* buffer, uLong size)
{
    KeptFile& file = *static_cast<KeptFile*>(stream);
    DWORD written = 0;
    if (!WriteFile(file.handle, buffer, size, &written, nullptr) || written != size)
        file.failed = true;
    return written;
}

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream)
{
    KeptFile& file = *static_cast<KeptFile*>(stream);
    LARGE_INTEGER position;
    if (SetFilePointerEx(file.handle, LARGE_INTEGER{}, &position, FILE_CURRENT))
        return static_cast<ZPOS64_T>(position.QuadPart);
    file.failed = true;
    return static_cast<ZPOS64_T>(-1);
}

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    KeptFile& file = *static_cast<KeptFile*>(stream);
    DWORD method;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        method = FILE_BEGIN;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        method = FILE_CURRENT;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        method = FILE_END;
        break;
    default:
        return -1;
    }
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    if (SetFilePointerEx(file.handle, distance, nullptr, method))
        return 0;
    file.failed = true;
    return -1;
}

// The handle stays open: it is the caller's.
int ZCALLBACK Close(voidpf, voidpf stream)
{
    HeapFree(GetProcessHeap(), 0, stream);
    return 0;
}

int ZCALLBACK Error(voidpf, voidpf stream)
{
    return static_cast<KeptFile*>(stream)->failed ? 1 : 0;
}

}  // namespace

void FillKeptFileFunctions(zlib_filefunc64_def* files)
{
    files->zopen64_file = Open;
    files->zread_file = Read;
    files->zwrite_file = Write;
    files->ztell64_file = Tell;
    files->zseek64_file = Seek;
    files->zclose_file = Close;
    files->zerror_file = Error;
    files->opaque = nullptr;
}
