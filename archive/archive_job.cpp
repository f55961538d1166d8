#include "archive/archive_job.h"

#include "support/message_wait.h"

#include <utility>

ArchiveJob::ArchiveJob(HWND window, UINT endMessage, ArchiveDropInputs drop)
    : window_(window), endMessage_(endMessage), drop_(std::move(drop))
{
}

ArchiveJob::~ArchiveJob()
{
    Stop();
    Join();
}

void ArchiveJob::StartExtracting(const std::wstring& archive, const std::wstring& folder)
{
    archive_ = archive;
    folder_ = folder;
    Start(Work::kExtracting);
}

void ArchiveJob::StartPacking(const std::wstring& archive)
{
    archive_ = archive;
    folder_.clear();
    Start(Work::kPacking);
}

void ArchiveJob::Start(Work work)
{
    work_ = work;
    extracted_ = ExtractReport();
    packed_ = PackReport();
    progress_ = std::make_unique<ProgressDialog>();
    if (stopping_)
        progress_->Stop();
    ended_ = false;
    thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    if (thread_)
        return;
    // No thread for it: the work ends before it began.
    extracted_.result = kExtractNoFolder;
    packed_.result = kPackCreateFailed;
    ended_ = true;
    if (window_)
        PostMessageW(window_, endMessage_, 0, 0);
}

DWORD WINAPI ArchiveJob::Run(void* context)
{
    ArchiveJob* job = static_cast<ArchiveJob*>(context);
    const HWND window = job->window_;
    const UINT endMessage = job->endMessage_;
    job->DoWork();
    job->ended_ = true;
    if (window)
        PostMessageW(window, endMessage, 0, 0);
    return 0;
}

// Nothing may unwind out of the thread: a work that throws ends as one that
// failed.
void ArchiveJob::DoWork()
{
    try {
        if (work_ == Work::kExtracting)
            ExtractArchive(archive_.c_str(), folder_.c_str(), *progress_, window_, &extracted_, kIntoNewFolder);
        else
            PackIntoArchive(archive_.c_str(), drop_.items, *progress_, window_, workers_, &packed_);
    } catch (...) {
        extracted_.result = kExtractFailed;
        packed_.result = kPackCreateFailed;
    }
}

bool ArchiveJob::WaitForEnd(DWORD ms)
{
    return !thread_ || WaitServingSentMessages(thread_.Get(), ms);
}

void ArchiveJob::Join()
{
    WaitForEnd(INFINITE);
    thread_.Reset();
    progress_.reset();
}

void ArchiveJob::Stop()
{
    stopping_ = true;
    if (progress_)
        progress_->Stop();
    if (question_)
        PostMessageW(question_, WM_CLOSE, 0, 0);
}

void ArchiveJob::StopThenClose()
{
    closeAfter_ = true;
    Stop();
}

void ArchiveJob::NoteQuestion(HWND dialog)
{
    question_ = dialog;
    if (dialog && stopping_)
        PostMessageW(dialog, WM_CLOSE, 0, 0);
}
