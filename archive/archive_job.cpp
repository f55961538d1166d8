#include "archive/archive_job.h"

#include "support/progress_window.h"

namespace {

bool g_running = false;
bool g_stopping = false;
HWND g_closeAfter = nullptr;
ProgressDialog* g_progress = nullptr;  // the job's progress window
HWND g_dialog = nullptr;

}  // namespace

bool ArchiveJobRunning()
{
    return g_running;
}

bool ArchiveJobStopping()
{
    return g_running && g_stopping;
}

void StopArchiveJob()
{
    if (!g_running)
        return;
    g_stopping = true;
    if (g_progress)
        g_progress->Stop();
    if (g_dialog)
        PostMessageW(g_dialog, WM_CLOSE, 0, 0);
}

bool StopArchiveJobThenClose(HWND window)
{
    if (!g_running)
        return false;
    g_closeAfter = window;
    StopArchiveJob();
    return true;
}

ArchiveJobScope::ArchiveJobScope() : outermost_(!g_running)
{
    if (outermost_) {
        g_running = true;
        g_stopping = false;
        g_closeAfter = nullptr;
        // A close during the job reaches the task through its progress window.
        WatchProgressCancel(NoteJobProgress);
    }
}

ArchiveJobScope::~ArchiveJobScope()
{
    if (!outermost_)
        return;
    WatchProgressCancel(nullptr);
    g_running = false;
    g_stopping = false;
    HWND window = g_closeAfter;
    g_closeAfter = nullptr;
    if (window && IsWindow(window))
        PostMessageW(window, WM_CLOSE, 0, 0);
}

void NoteJobProgress(ProgressDialog* progress)
{
    g_progress = progress;
    if (progress && g_running && g_stopping)
        progress->Stop();
}

void NoteJobDialog(HWND dialog)
{
    g_dialog = dialog;
    if (dialog && g_running && g_stopping)
        PostMessageW(dialog, WM_CLOSE, 0, 0);
}
