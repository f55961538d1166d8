#include "app/archive_jobs.h"

#include "app/window_state.h"
#include "archive/archive_drop.h"
#include "archive/archive_job.h"
#include "support/window_messages.h"

#include <utility>

namespace {
// What the session's end waits for a stopped job: about what the system
// grants a program before it offers to end it.
constexpr DWORD kSessionEndWaitMs = 5000;

WindowArchiveJob* JobsOf(HWND window)
{
    MainWindowState* state = WindowState(window);
    return state ? &state->archiveJob : nullptr;
}

ArchiveJob* CurrentJob(HWND window)
{
    WindowArchiveJob* jobs = JobsOf(window);
    return jobs ? jobs->current.load() : nullptr;
}

using JobStep = ArchiveStep (*)(ArchiveJob& job);

// Runs step on job on this thread, then leaves the job to the window while it
// works, or ends it: a close asked for meanwhile follows.
ArchiveStep RunStep(HWND window, std::unique_ptr<ArchiveJob> job, JobStep step)
{
    if (WindowArchiveJob* jobs = JobsOf(window))
        jobs->current = job.get();
    const ArchiveStep next = step(*job);
    WindowArchiveJob* jobs = JobsOf(window);  // none when the window went meanwhile (the session's end)
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
    // One job at a time (the input rule refuses drops meanwhile): a drop
    // meanwhile is taken and nothing happens; a window without its state
    // could not stop a job and takes none.
    if (!JobsOf(window))
        return false;
    if (CurrentJob(window))
        return true;
    auto job = std::make_unique<ArchiveJob>(window, WM_ARCHIVE_JOB_ENDED, ReadArchiveDrop(drop));
    return RunStep(window, std::move(job), BeginArchiveDrop) != ArchiveStep::kNotForArchives;
}

std::wstring FinishArchiveJob(HWND window)
{
    WindowArchiveJob* jobs = JobsOf(window);
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
    WindowArchiveJob* jobs = JobsOf(window);
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
