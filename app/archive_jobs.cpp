#include "app/archive_jobs.h"

#include "archive/archive_drop.h"
#include "archive/archive_job.h"

#include <atomic>
#include <memory>
#include <utility>

namespace {
constexpr wchar_t kJobsProperty[] = L"porun21.ArchiveJobs";
// What the session's end waits for a stopped job: about what the system
// grants a program before it offers to end it.
constexpr DWORD kSessionEndWaitMs = 5000;

// The window's record of its job, made at its first drop on the group button.
struct WindowJobs {
    std::unique_ptr<ArchiveJob> working;         // its thread works: the window's own
    std::atomic<ArchiveJob*> current{nullptr};  // working, or in a step on the window's thread; null when none
};

WindowJobs* JobsOf(HWND window)
{
    return window ? static_cast<WindowJobs*>(GetPropW(window, kJobsProperty)) : nullptr;
}

WindowJobs* MadeJobsOf(HWND window)
{
    if (WindowJobs* jobs = JobsOf(window))
        return jobs;
    std::unique_ptr<WindowJobs> jobs(new WindowJobs);
    return SetPropW(window, kJobsProperty, jobs.get()) ? jobs.release() : nullptr;
}

ArchiveJob* CurrentJob(HWND window)
{
    WindowJobs* jobs = JobsOf(window);
    return jobs ? jobs->current.load() : nullptr;
}

using JobStep = ArchiveStep (*)(ArchiveJob& job);

// Runs step on job on this thread, then leaves the job to the window while it
// works, or ends it: a close asked for meanwhile follows.
ArchiveStep RunStep(HWND window, std::unique_ptr<ArchiveJob> job, JobStep step)
{
    if (WindowJobs* jobs = JobsOf(window))
        jobs->current = job.get();
    const ArchiveStep next = step(*job);
    WindowJobs* jobs = JobsOf(window);  // none when the window went meanwhile (the session's end)
    if (!jobs)
        return next;
    if (next == ArchiveStep::kWorking) {
        jobs->working = std::move(job);
        return next;
    }
    jobs->current = nullptr;
    if (job->ClosesWindow())
        PostMessageW(window, WM_CLOSE, 0, 0);
    return next;
}
}  // namespace

bool StartArchiveDrop(HWND window, HDROP drop)
{
    // One job at a time (the input rule refuses drops meanwhile); without its
    // record the window could not stop a job. Either way the drop is taken
    // and nothing happens.
    if (CurrentJob(window) || !MadeJobsOf(window))
        return true;
    auto job = std::make_unique<ArchiveJob>(window, WM_ARCHIVE_JOB_ENDED, ReadArchiveDrop(drop));
    return RunStep(window, std::move(job), BeginArchiveDrop) != ArchiveStep::kNotForArchives;
}

std::wstring FinishArchiveJob(HWND window)
{
    WindowJobs* jobs = JobsOf(window);
    if (!jobs || !jobs->working || !jobs->working->Ended())
        return std::wstring();  // no work of the window's job has ended
    std::unique_ptr<ArchiveJob> job = std::move(jobs->working);
    const std::wstring first = job->Drop().items.empty() ? std::wstring() : job->Drop().items.front();
    const ArchiveStep next = RunStep(window, std::move(job), FinishArchiveDrop);
    return next == ArchiveStep::kNotForArchives ? first : std::wstring();
}

const ArchiveJob* ArchiveJobOf(HWND window)
{
    return CurrentJob(window);
}

bool StopArchiveJobThenClose(HWND window)
{
    ArchiveJob* job = CurrentJob(window);
    if (job)
        job->StopThenClose();
    return job != nullptr;
}

// A job whose thread works is waited for and ends here without a word; one in
// a step on this thread ends with that step, after the window has gone.
bool StopArchiveJobForSessionEnd(HWND window)
{
    WindowJobs* jobs = JobsOf(window);
    ArchiveJob* job = jobs ? jobs->current.load() : nullptr;
    if (!job)
        return false;
    job->Stop();
    if (jobs->working && jobs->working->WaitForEnd(kSessionEndWaitMs)) {
        jobs->current = nullptr;
        jobs->working.reset();
    }
    return true;
}

void ReleaseArchiveJobs(HWND window)
{
    delete static_cast<WindowJobs*>(RemovePropW(window, kJobsProperty));
}
