#pragma once
// The main window's archive job (archive/archive_job.h), from the drop that
// makes it to its end. While the job's thread works, the window owns the job
// (app/window_archive_job.h, in its state); while a step of it runs on the
// window's thread (its questions before the work, its outcome after), that
// step owns it, so that a session's end during a question, which destroys the window
// under the step, frees nothing the step still uses. Either way the window
// knows its job: the input rule refuses what a job refuses
// (app/held_input.h), a close stops it and follows its end, the session's
// end stops it and waits for it.
#include <windows.h>
#include <shellapi.h>

#include <string>

class ArchiveJob;

// A drop on the group button: true when the archives took it (dealt with it,
// or a job now works on it); false when it goes on to be offered as the
// group's icon.
bool StartArchiveDrop(HWND window, HDROP drop);
// WM_ARCHIVE_JOB_ENDED: the outcome told, or the job's next work started.
// Returns the dropped item the job left to the group's icon offer (an
// extraction cancelled), empty when none.
std::wstring FinishArchiveJob(HWND window);
// The window's job, null when none. Any thread may ask: a job lives until the
// window's thread has joined its work.
const ArchiveJob* ArchiveJobOf(HWND window);
// A close: the job stops, and the window closes once it has ended. False when
// no job runs: the caller closes at once.
bool StopArchiveJobThenClose(HWND window);
// The session's end: the job stops and is waited for, a few seconds at most,
// before the window goes and writes the files. False when no job runs.
bool StopArchiveJobForSessionEnd(HWND window);
