#include "archive/deflate_pool.h"

#include "archive/deflate_join.h"
#include "support/system_helper.h"

#include <zlib.h>

namespace {

constexpr unsigned kMostWorkers = 4;
constexpr unsigned kPiecesPerWorker = 2;

unsigned WorkerCount()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const unsigned processors = system.dwNumberOfProcessors;
    return processors < 1 ? 1 : processors > kMostWorkers ? kMostWorkers : processors;
}

}  // namespace

struct DeflatePool::Worker {
    DeflatePool* pool = nullptr;
    ScopedCompressor wholeFiles;
    ScopedCompressor parts;
    z_stream inflater{};  // finds a part's last block (MakeStreamContinue)
    bool inflaterReady = false;
    ScopedFile thread;
    ~Worker()
    {
        if (inflaterReady)
            inflateEnd(&inflater);
    }
};

DeflatePool::DeflatePool() = default;

DeflatePool::~DeflatePool()
{
    Stop();
}

bool DeflatePool::Start()
{
    if (Started())
        return true;
    const unsigned workers = WorkerCount();
    ScopedCompressor sizing(NewWholeCompressor(WholeInput::kPartOfLarger));
    if (!sizing)
        return false;
    packedCapacity_ = WholeDeflateBound(sizing.Get(), DeflatePiece::kPieceSize) + kContinueSlack;
    pieces_.resize(workers * kPiecesPerWorker);
    for (DeflatePiece& piece : pieces_) {
        blocks_.emplace_back(SystemHelper::Alloc(DeflatePiece::kPieceSize));
        piece.data = static_cast<unsigned char*>(blocks_.back().Get());
        blocks_.emplace_back(SystemHelper::Alloc(packedCapacity_));
        piece.packed = static_cast<unsigned char*>(blocks_.back().Get());
        if (!piece.data || !piece.packed)
            return false;
    }
    for (unsigned i = 0; i < workers; ++i) {
        std::unique_ptr<Worker> worker(new Worker);
        worker->pool = this;
        worker->wholeFiles.Reset(NewWholeCompressor(WholeInput::kWholeFile));
        worker->parts.Reset(NewWholeCompressor(WholeInput::kPartOfLarger));
        worker->inflaterReady = inflateInit2(&worker->inflater, -MAX_WBITS) == Z_OK;
        if (!worker->wholeFiles || !worker->parts || !worker->inflaterReady)
            break;
        worker->thread.Reset(CreateThread(nullptr, 0, Work, worker.get(), 0, nullptr));
        if (!worker->thread)
            break;
        workers_.push_back(std::move(worker));
    }
    return Started();
}

void DeflatePool::Stop()
{
    AcquireSRWLockExclusive(&lock_);
    stopping_ = true;
    dropping_ = true;
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&given_);
    for (const std::unique_ptr<Worker>& worker : workers_)
        WaitForSingleObject(worker->thread.Get(), INFINITE);
    workers_.clear();
}

DWORD WINAPI DeflatePool::Work(void* context)
{
    Worker* worker = static_cast<Worker*>(context);
    worker->pool->Serve(*worker);
    return 0;
}

// Takes the pieces in the order given until the pool stops.
void DeflatePool::Serve(Worker& worker)
{
    for (;;) {
        AcquireSRWLockExclusive(&lock_);
        while (taken_ == submitted_ && !stopping_)
            SleepConditionVariableSRW(&given_, &lock_, INFINITE, 0);
        if (taken_ == submitted_) {
            ReleaseSRWLockExclusive(&lock_);
            return;
        }
        DeflatePiece& piece = Piece(taken_++);
        const bool drop = dropping_;
        ReleaseSRWLockExclusive(&lock_);
        if (!drop) {
            piece.crc = WholeCrc32(0, piece.data, piece.length);
            libdeflate_compressor* compressor = piece.partOfLarger ? worker.parts.Get() : worker.wholeFiles.Get();
            piece.packedLength =
                DeflateWhole(compressor, piece.data, piece.length, piece.packed, packedCapacity_ - kContinueSlack);
            if (piece.packedLength > 0 && !piece.ends)
                piece.packedLength = MakeStreamContinue(piece.packed, piece.packedLength, &worker.inflater);
        }
        AcquireSRWLockExclusive(&lock_);
        piece.done = true;
        ReleaseSRWLockExclusive(&lock_);
        WakeAllConditionVariable(&done_);
    }
}

DeflatePiece* DeflatePool::Claim(PieceSink& sink, size_t* slot)
{
    if (!Started() || (submitted_ - handed_ == pieces_.size() && !HandOldest(sink)))
        return nullptr;
    DeflatePiece& piece = Piece(submitted_);
    piece.length = 0;
    piece.ends = true;
    piece.partOfLarger = false;
    piece.packedLength = 0;
    piece.done = false;
    *slot = static_cast<size_t>(submitted_ % pieces_.size());
    return &piece;
}

void DeflatePool::Submit()
{
    AcquireSRWLockExclusive(&lock_);
    ++submitted_;
    ReleaseSRWLockExclusive(&lock_);
    WakeConditionVariable(&given_);
}

void DeflatePool::WaitDone(const DeflatePiece& piece)
{
    AcquireSRWLockExclusive(&lock_);
    while (!piece.done)
        SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
    ReleaseSRWLockExclusive(&lock_);
}

bool DeflatePool::HandOldest(PieceSink& sink)
{
    const size_t slot = static_cast<size_t>(handed_ % pieces_.size());
    DeflatePiece& piece = Piece(handed_);
    WaitDone(piece);
    ++handed_;
    if (sink.TakePiece(piece, slot))
        return true;
    Abandon();
    return false;
}

bool DeflatePool::Drain(PieceSink& sink)
{
    while (handed_ < submitted_) {
        if (!HandOldest(sink))
            return false;
    }
    return true;
}

void DeflatePool::Abandon()
{
    AcquireSRWLockExclusive(&lock_);
    dropping_ = true;
    ReleaseSRWLockExclusive(&lock_);
    for (; handed_ < submitted_; ++handed_)
        WaitDone(Piece(handed_));
    AcquireSRWLockExclusive(&lock_);
    dropping_ = false;
    ReleaseSRWLockExclusive(&lock_);
}
