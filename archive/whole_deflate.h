#pragma once
// Deflate and inflate of a whole buffer at once through libdeflate, several
// times as fast as zlib's stream and no larger than zlib's default level.
// Packing deflates every file in pieces this way (deflate_pool); extraction
// inflates the entries that fit its buffers whole, larger ones through
// zlib's stream.
#include "support/scoped_handle.h"

#include <cstddef>

struct libdeflate_compressor;
struct libdeflate_decompressor;

// Extraction: entries up to this many bytes, compressed or not, are inflated whole.
constexpr size_t kWholeEntryLimit = 4u << 20;

struct CompressorTraits {
    using Handle = libdeflate_compressor*;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h);
};
struct DecompressorTraits {
    using Handle = libdeflate_decompressor*;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h);
};
using ScopedCompressor = ScopedHandle<CompressorTraits>;
using ScopedDecompressor = ScopedHandle<DecompressorTraits>;

// A compressor at the level that matches zlib's default in size, for a
// whole file or for a part of a larger one.
enum class WholeInput { kWholeFile, kPartOfLarger };
libdeflate_compressor* NewWholeCompressor(WholeInput input);
libdeflate_decompressor* NewWholeDecompressor();

// The most a whole buffer of size bytes can take deflated.
size_t WholeDeflateBound(libdeflate_compressor* compressor, size_t size);
// Raw deflate of size bytes into out; the compressed length, 0 when it failed.
size_t DeflateWhole(libdeflate_compressor* compressor, const void* data, size_t size, void* out, size_t capacity);
// True when the raw deflate stream in (inSize bytes) is whole and sound and
// holds exactly size bytes, now in out.
bool InflateWhole(libdeflate_decompressor* decompressor, const void* in, size_t inSize, void* out, size_t size);

// The ZIP CRC-32 of size bytes, continuing crc (0 to begin).
unsigned long WholeCrc32(unsigned long crc, const void* data, size_t size);

// zlib's guess of text or binary, which the directory notes for an entry,
// made on the first kTextSample bytes: binary when one is a control
// character of 0-6, 14-25 or 28-31; text when one is a tab, line feed,
// carriage return or from 32 up; binary when neither is seen.
constexpr size_t kTextSample = 65536;
bool LooksLikeText(const void* data, size_t size);
