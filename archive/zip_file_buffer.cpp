#include "archive/zip_file_buffer.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr uLong kBlockSize = 32768;
// The directory and the entry being read live apart: a few blocks keep both.
constexpr int kBlockCount = 4;
constexpr uLong kWindowSize = kBlockSize * kBlockCount;

struct Block {
    ZPOS64_T start;
    uLong length;  // bytes the file held there; less than kBlockSize at its end
    unsigned long long lastUse;
    bool filled;
};

struct BufferedFile {
    const zlib_filefunc64_def* inner;
    voidpf stream;
    bool writing;
    bool failed;
    ZPOS64_T position;       // where minizip is
    ZPOS64_T innerPosition;  // where the inner file is
    bool innerKnown;
    Block blocks[kBlockCount];  // reading: blocks of data, each kBlockSize long
    unsigned long long uses;
    ZPOS64_T windowStart;  // writing: data[0, windowLength) belongs at windowStart
    uLong windowLength;
    unsigned char data[kWindowSize];
};

bool InnerSeek(BufferedFile& file, ZPOS64_T to)
{
    if (file.innerKnown && file.innerPosition == to)
        return true;
    file.innerKnown = file.inner->zseek64_file(file.inner->opaque, file.stream, to, ZLIB_FILEFUNC_SEEK_SET) == 0;
    file.innerPosition = to;
    return file.innerKnown;
}

uLong InnerRead(BufferedFile& file, ZPOS64_T at, void* buffer, uLong size)
{
    if (!InnerSeek(file, at))
        return 0;
    const uLong read = file.inner->zread_file(file.inner->opaque, file.stream, buffer, size);
    file.innerPosition += read;
    return read;
}

uLong InnerWrite(BufferedFile& file, ZPOS64_T at, const void* buffer, uLong size)
{
    if (!InnerSeek(file, at))
        return 0;
    const uLong written = file.inner->zwrite_file(file.inner->opaque, file.stream, buffer, size);
    file.innerPosition += written;
    return written;
}

// Writes the window out and starts an empty one where minizip is.
bool Flush(BufferedFile& file)
{
    bool ok = true;
    if (file.windowLength > 0)
        ok = InnerWrite(file, file.windowStart, file.data, file.windowLength) == file.windowLength;
    if (!ok)
        file.failed = true;
    file.windowStart = file.position;
    file.windowLength = 0;
    return ok;
}

const Block* BlockAt(BufferedFile& file, ZPOS64_T start)
{
    Block* slot = &file.blocks[0];
    for (Block& block : file.blocks) {
        if (block.filled && block.start == start) {
            block.lastUse = ++file.uses;
            return &block;
        }
        if (!block.filled || (slot->filled && block.lastUse < slot->lastUse))
            slot = &block;
    }
    unsigned char* data = file.data + (slot - file.blocks) * kBlockSize;
    slot->start = start;
    slot->length = InnerRead(file, start, data, kBlockSize);
    slot->filled = slot->length > 0;
    slot->lastUse = ++file.uses;
    return slot->filled ? slot : nullptr;
}

voidpf ZCALLBACK Open(voidpf opaque, const void* name, int mode)
{
    const zlib_filefunc64_def* inner = static_cast<const zlib_filefunc64_def*>(opaque);
    BufferedFile* file = static_cast<BufferedFile*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(BufferedFile)));
    if (!file)
        return nullptr;
    file->inner = inner;
    file->writing = (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ;
    file->stream = inner->zopen64_file(inner->opaque, name, mode);
    if (!file->stream) {
        HeapFree(GetProcessHeap(), 0, file);
        return nullptr;
    }
    return file;
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong size)
{
    BufferedFile& file = *static_cast<BufferedFile*>(stream);
    unsigned char* out = static_cast<unsigned char*>(buffer);
    if (file.writing) {
        if (!Flush(file))
            return 0;
        const uLong read = InnerRead(file, file.position, out, size);
        file.position += read;
        return read;
    }
    uLong done = 0;
    while (done < size) {
        if (size - done >= kBlockSize) {  // a large read goes straight through
            const uLong read = InnerRead(file, file.position, out + done, size - done);
            done += read;
            file.position += read;
            break;
        }
        const ZPOS64_T start = file.position - file.position % kBlockSize;
        const Block* block = BlockAt(file, start);
        const uLong offset = static_cast<uLong>(file.position - start);
        if (!block || offset >= block->length)
            break;  // the end of the file
        uLong take = block->length - offset;
        if (take > size - done)
            take = size - done;
        std::memcpy(out + done, file.data + (block - file.blocks) * kBlockSize + offset, take);
        done += take;
        file.position += take;
    }
    return done;
}

uLong ZCALLBACK Write(voidpf, voidpf stream, const void* buffer, uLong size)
{
    BufferedFile& file = *static_cast<BufferedFile*>(stream);
    if (!file.writing)
        return 0;
    if (file.position < file.windowStart || file.position > file.windowStart + file.windowLength ||
        file.position - file.windowStart + size > kWindowSize) {
        if (!Flush(file))
            return 0;
    }
    if (size >= kWindowSize) {
        const uLong written = InnerWrite(file, file.position, buffer, size);
        file.position += written;
        file.windowStart = file.position;
        if (written != size)
            file.failed = true;
        return written;
    }
    const uLong offset = static_cast<uLong>(file.position - file.windowStart);
    std::memcpy(file.data + offset, buffer, size);
    if (offset + size > file.windowLength)
        file.windowLength = offset + size;
    file.position += size;
    return size;
}

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream)
{
    return static_cast<BufferedFile*>(stream)->position;
}

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    BufferedFile& file = *static_cast<BufferedFile*>(stream);
    ZPOS64_T to;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        to = offset;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        to = file.position + offset;
        break;
    case ZLIB_FILEFUNC_SEEK_END: {
        if (file.writing && !Flush(file))
            return -1;
        file.innerKnown = false;
        if (file.inner->zseek64_file(file.inner->opaque, file.stream, 0, ZLIB_FILEFUNC_SEEK_END) != 0)
            return -1;
        to = file.inner->ztell64_file(file.inner->opaque, file.stream) + offset;
        break;
    }
    default:
        return -1;
    }
    file.position = to;
    if (file.writing && (to < file.windowStart || to > file.windowStart + file.windowLength) && !Flush(file))
        return -1;
    return 0;
}

int ZCALLBACK Close(voidpf, voidpf stream)
{
    BufferedFile* file = static_cast<BufferedFile*>(stream);
    const bool flushed = !file->writing || Flush(*file);
    const int closed = file->inner->zclose_file(file->inner->opaque, file->stream);
    HeapFree(GetProcessHeap(), 0, file);
    return flushed && closed == 0 ? 0 : -1;
}

int ZCALLBACK Error(voidpf, voidpf stream)
{
    BufferedFile& file = *static_cast<BufferedFile*>(stream);
    return file.failed ? 1 : file.inner->zerror_file(file.inner->opaque, file.stream);
}

}  // namespace

void FillBufferedFileFunctions(zlib_filefunc64_def* files, const zlib_filefunc64_def* inner)
{
    files->zopen64_file = Open;
    files->zread_file = Read;
    files->zwrite_file = Write;
    files->ztell64_file = Tell;
    files->zseek64_file = Seek;
    files->zclose_file = Close;
    files->zerror_file = Error;
    files->opaque = const_cast<zlib_filefunc64_def*>(inner);
}
