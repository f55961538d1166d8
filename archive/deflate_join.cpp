#include "archive/deflate_join.h"

namespace {

// Where the inflater stands in stream, in bits from its start.
unsigned long long BitsRead(const unsigned char* stream, const z_stream& inflater)
{
    const unsigned unused = static_cast<unsigned>(inflater.data_type) & 7;
    return static_cast<unsigned long long>(inflater.next_in - stream) * 8 - unused;
}

// Bits written on from a bit position, lowest first, as deflate packs them.
class BitTail {
public:
    BitTail(unsigned char* stream, unsigned long long bit) : stream_(stream), bit_(bit) {}
    void Put(unsigned value, unsigned count)
    {
        for (unsigned i = 0; i < count; ++i, ++bit_) {
            unsigned char& byte = stream_[bit_ / 8];
            if (bit_ % 8 == 0)
                byte = 0;
            if ((value >> i) & 1)
                byte = static_cast<unsigned char>(byte | (1u << (bit_ % 8)));
        }
    }
    unsigned FreeBits() const { return static_cast<unsigned>((8 - bit_ % 8) % 8); }
    void PadToByte() { Put(0, FreeBits()); }
    size_t Bytes() const { return static_cast<size_t>((bit_ + 7) / 8); }

private:
    unsigned char* stream_;
    unsigned long long bit_;
};

// Fills the last byte after a block that is no longer the last: an even
// number of free bits takes empty fixed-code blocks of ten bits each (header
// 010, end-of-block 0000000) until the byte boundary; an odd number takes an
// empty stored block (header 000, padding, length 0 and its complement).
size_t EndOnByteBoundary(unsigned char* stream, unsigned long long end)
{
    BitTail tail(stream, end);
    const unsigned free = tail.FreeBits();
    if (free == 0)
        return tail.Bytes();
    stream[end / 8] = static_cast<unsigned char>(stream[end / 8] & ((1u << (8 - free)) - 1));
    if (free % 2 == 0) {
        for (unsigned block = 0; block < free / 2; ++block) {
            tail.Put(2, 3);
            tail.Put(0, 7);
        }
    } else {
        tail.Put(0, 3);
        tail.PadToByte();
        tail.Put(0x0000, 16);
        tail.Put(0xFFFF, 16);
    }
    return tail.Bytes();
}

}  // namespace

size_t MakeStreamContinue(unsigned char* stream, size_t length, z_stream* inflater)
{
    if (length == 0 || inflateReset(inflater) != Z_OK)
        return 0;
    unsigned char scratch[16384];
    inflater->next_in = stream;
    inflater->avail_in = static_cast<uInt>(length);
    // The bit that marks the block being read as the last: a raw stream's
    // first block begins at bit 0, each later one where the one before ended.
    // Past the last block's end the inflater drops the bits up to the byte
    // boundary, so the stream's end is taken at that block's end.
    unsigned long long lastMark = 0;
    unsigned long long end = 0;
    int result = Z_OK;
    while (result == Z_OK) {
        inflater->next_out = scratch;
        inflater->avail_out = sizeof scratch;
        result = inflate(inflater, Z_BLOCK);
        const bool blockEnded = result == Z_OK && (inflater->data_type & 128);
        const bool wasLast = (inflater->data_type & 64) != 0;
        if (blockEnded && wasLast)
            end = BitsRead(stream, *inflater);
        else if (blockEnded)
            lastMark = BitsRead(stream, *inflater);
    }
    if (result != Z_STREAM_END || end == 0)
        return 0;
    const unsigned char mark = static_cast<unsigned char>(1u << (lastMark % 8));
    stream[lastMark / 8] = static_cast<unsigned char>(stream[lastMark / 8] & ~mark);
    return EndOnByteBoundary(stream, end);
}
