#pragma once
// Pieces of the files being packed, deflated on worker threads (one
// libdeflate compressor each) while the packing thread reads on, and handed
// back in the order they were given. A piece is a whole small file or a
// kPieceSize part of a larger one; a part that does not end its file is made
// to go on into the next part (deflate_join), so the parts of a file make
// one stream.
#include "archive/whole_deflate.h"
#include "support/scoped_handle.h"

#include <windows.h>

#include <memory>
#include <vector>

struct DeflatePiece {
    static constexpr size_t kPieceSize = 1u << 20;
    unsigned char* data = nullptr;  // kPieceSize bytes, filled by the packing thread
    size_t length = 0;
    bool ends = true;  // the last piece of its file: its stream ends here
    bool partOfLarger = false;  // one of several pieces of its file
    // Filled by the worker.
    unsigned char* packed = nullptr;
    size_t packedLength = 0;  // 0 when it could not be deflated
    unsigned long crc = 0;    // of data[0, length)
    bool done = false;
};

// Takes the deflated pieces in order; false stops the packing.
class PieceSink {
public:
    virtual bool TakePiece(const DeflatePiece& piece, size_t slot) = 0;

protected:
    ~PieceSink() = default;
};

class DeflatePool {
public:
    DeflatePool();
    ~DeflatePool();
    DeflatePool(const DeflatePool&) = delete;
    DeflatePool& operator=(const DeflatePool&) = delete;

    // Starts a worker per processor (at most four) with two pieces each;
    // false when memory or threads are short.
    bool Start();
    bool Started() const { return !workers_.empty(); }
    size_t Slots() const { return pieces_.size(); }

    // A piece to fill, at *slot (a number below Slots()); when every piece is
    // in use the oldest is waited for and handed to sink first. Null when the
    // sink refused it.
    DeflatePiece* Claim(PieceSink& sink, size_t* slot);
    // The piece claimed last goes to the workers.
    void Submit();
    // Waits for every piece given and hands them to sink in order; false when
    // the sink refused one (the rest are dropped).
    bool Drain(PieceSink& sink);
    // Drops the pieces given and not yet handed over (a cancel or a failure).
    void Abandon();

private:
    struct Worker;
    static DWORD WINAPI Work(void* context);
    void Serve(Worker& worker);
    DeflatePiece& Piece(unsigned long long number) { return pieces_[number % pieces_.size()]; }
    bool HandOldest(PieceSink& sink);
    void WaitDone(const DeflatePiece& piece);
    void Stop();

    std::vector<DeflatePiece> pieces_;
    std::vector<ScopedHeapBlock> blocks_;  // the pieces' data and packed buffers
    std::vector<std::unique_ptr<Worker>> workers_;
    size_t packedCapacity_ = 0;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE given_ = CONDITION_VARIABLE_INIT;  // a piece submitted, or the end
    CONDITION_VARIABLE done_ = CONDITION_VARIABLE_INIT;   // a piece deflated
    // Pieces counted from the start: handed over, taken by a worker, submitted.
    unsigned long long handed_ = 0;
    unsigned long long taken_ = 0;
    unsigned long long submitted_ = 0;
    bool dropping_ = false;
    bool stopping_ = false;
};
