#pragma once
// The main window's hold on its archive job (app/archive_jobs.h), a member
// of its state: going with the window, it stops a job it still owns and
// waits for it.
#include <atomic>
#include <memory>

class ArchiveJob;

struct WindowArchiveJob {
    WindowArchiveJob();
    ~WindowArchiveJob();
    WindowArchiveJob(const WindowArchiveJob&) = delete;
    WindowArchiveJob& operator=(const WindowArchiveJob&) = delete;

    std::unique_ptr<ArchiveJob> working;        // its thread works: the window's own
    std::atomic<ArchiveJob*> current{nullptr};  // working, or in a step on the window's thread; null when none
};
