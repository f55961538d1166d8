#pragma once
// The archive job of a drop (asking for a name, packing or extracting,
// telling the outcome). While it runs, its progress updates pump the
// thread's messages, so the main window still receives closes, hotkeys and
// commands: it asks here whether a job runs, and a close or the session's
// end stops the job first. Only one job runs at a time.
#include <windows.h>

// True while a job runs.
bool ArchiveJobRunning();
// True once the running job was asked to stop for a close: it ends without
// further questions or messages.
bool ArchiveJobStopping();

// Stops the running job as a confirmed cancel does (its partial output is
// removed as it unwinds) and posts WM_CLOSE to window once it has ended.
// False when no job runs: the caller closes at once.
bool StopArchiveJobThenClose(HWND window);
// Stops the running job for the session's end; the caller closes at once.
void StopArchiveJob();

// A job from construction to destruction (a nested one is part of the first).
class ArchiveJobScope {
public:
    ArchiveJobScope();
    ~ArchiveJobScope();
    ArchiveJobScope(const ArchiveJobScope&) = delete;
    ArchiveJobScope& operator=(const ArchiveJobScope&) = delete;

private:
    bool outermost_;
};

// What a stop must reach: the job's progress window (stopped as its
// confirmed cancel button does, its cancel question ended; the scope has
// every progress window shown during the job report itself) and its modal
// question (the name dialog); null when gone.
class ProgressDialog;
void NoteJobProgress(ProgressDialog* progress);
void NoteJobDialog(HWND dialog);
