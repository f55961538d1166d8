// Pieces deflated apart and joined make one stream that inflates to all of them, in order.
#include "archive/deflate_join.h"
#include "archive/whole_deflate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Text runs with random bytes between them, so that the pieces end in every kind of block and at every bit.
std::string PieceData(size_t size, unsigned seed)
{
    std::string data;
    unsigned state = seed * 2654435761u + 7;
    while (data.size() < size) {
        state = state * 1103515245u + 12345u;
        data += (state >> 20) % 3 == 0 ? std::string(1, static_cast<char>(state >> 8)) : "porun ";
    }
    data.resize(size);
    return data;
}

class RawInflater {
public:
    RawInflater() { inflateInit2(&stream_, -MAX_WBITS); }
    ~RawInflater() { inflateEnd(&stream_); }
    z_stream* Get() { return &stream_; }
    // The whole stream inflated; "" when it is not one whole stream.
    std::string Inflate(const std::string& stream, size_t size)
    {
        std::string out(size + 1, '\0');
        inflateReset(&stream_);
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
        stream_.avail_in = static_cast<uInt>(stream.size());
        stream_.next_out = reinterpret_cast<Bytef*>(&out[0]);
        stream_.avail_out = static_cast<uInt>(out.size());
        const bool whole = inflate(&stream_, Z_FINISH) == Z_STREAM_END && stream_.avail_in == 0;
        return whole ? out.substr(0, stream_.total_out) : "";
    }

private:
    z_stream stream_{};
};

// piece deflated whole; made to go on when more pieces follow.
std::string Deflated(const std::string& piece, bool goesOn, RawInflater* inflater)
{
    ScopedCompressor compressor(NewWholeCompressor(WholeInput::kPartOfLarger));
    std::string out(WholeDeflateBound(compressor.Get(), piece.size()) + kContinueSlack, '\0');
    size_t length = DeflateWhole(compressor.Get(), piece.data(), piece.size(), &out[0], out.size() - kContinueSlack);
    if (goesOn)
        length = MakeStreamContinue(reinterpret_cast<unsigned char*>(&out[0]), length, inflater->Get());
    return out.substr(0, length);
}

TEST(JoinedStreams, InflateToTheirPiecesInOrder)
{
    RawInflater inflater;
    for (unsigned round = 0; round < 200; ++round) {
        std::string all;
        std::string joined;
        const unsigned pieces = 2 + round % 3;
        for (unsigned i = 0; i < pieces; ++i) {
            const std::string piece = PieceData((round * 7919 + i * 104729) % 9000, round * 5 + i);
            all += piece;
            joined += Deflated(piece, i + 1 < pieces, &inflater);
        }
        ASSERT_EQ(all, inflater.Inflate(joined, all.size())) << "round " << round;
    }
}

TEST(JoinedStreams, APieceThatIsNotOneWholeStreamIsRefused)
{
    RawInflater inflater;
    std::string stream = Deflated(PieceData(5000, 1), false, &inflater);
    stream.resize(stream.size() / 2);
    stream.append(kContinueSlack, '\0');
    EXPECT_EQ(0u, MakeStreamContinue(reinterpret_cast<unsigned char*>(&stream[0]), stream.size() - kContinueSlack,
                                     inflater.Get()));
}

}  // namespace
