#include "archive/whole_deflate.h"

#include <libdeflate.h>

namespace {

// The levels whose output is no larger than zlib's default level on the
// benchmark's trees: level 6 on small files; on the parts of large ones it
// falls 1.5 % behind, and level 7 keeps up there.
constexpr int kSmallLevel = 6;
constexpr int kLongLevel = 7;

}  // namespace

void CompressorTraits::Close(Handle h)
{
    libdeflate_free_compressor(h);
}

void DecompressorTraits::Close(Handle h)
{
    libdeflate_free_decompressor(h);
}

libdeflate_compressor* NewWholeCompressor(WholeInput input)
{
    return libdeflate_alloc_compressor(input == WholeInput::kPartOfLarger ? kLongLevel : kSmallLevel);
}

libdeflate_decompressor* NewWholeDecompressor()
{
    return libdeflate_alloc_decompressor();
}

size_t WholeDeflateBound(libdeflate_compressor* compressor, size_t size)
{
    return libdeflate_deflate_compress_bound(compressor, size);
}

size_t DeflateWhole(libdeflate_compressor* compressor, const void* data, size_t size, void* out, size_t capacity)
{
    return libdeflate_deflate_compress(compressor, data, size, out, capacity);
}

bool InflateWhole(libdeflate_decompressor* decompressor, const void* in, size_t inSize, void* out, size_t size)
{
    size_t used = 0;
    size_t produced = 0;
    // The stream must end exactly where the entry's compressed data ends.
    return libdeflate_deflate_decompress_ex(decompressor, in, inSize, out, size, &used, &produced) ==
               LIBDEFLATE_SUCCESS &&
           used == inSize && produced == size;
}

unsigned long WholeCrc32(unsigned long crc, const void* data, size_t size)
{
    return libdeflate_crc32(static_cast<uint32_t>(crc), data, size);
}

bool LooksLikeText(const void* data, size_t size)
{
    // The bytes zlib's detect_data_type calls binary: 0-6, 14-25 and 28-31.
    constexpr unsigned long kBinaryControls = 0xF3FFC07FUL;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    bool text = false;
    for (size_t i = 0; i < size && i < kTextSample; ++i) {
        const unsigned char c = bytes[i];
        if (c < 32 && ((kBinaryControls >> c) & 1))
            return false;
        text = text || c >= 32 || c == 9 || c == 10 || c == 13;
    }
    return text;
}
