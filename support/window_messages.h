#pragma once
// The program's private window messages, one table, each number once.
#include <windows.h>

// The main window's (app/main_window.h).
constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;  // the tray icon's callback message
// Posted once by a first start after the bar is shown: what starts with the launcher.
constexpr UINT WM_LAUNCHER_STARTED = WM_APP + 101;
// Posted by WM_CREATE to itself: what the bar's first picture does not need
// (the hotkeys, the tray icon, its balloon, the tooltips, the hover timer,
// the icon file) follows it.
constexpr UINT WM_FINISH_START = WM_APP + 102;
// Posted by the first keep of a generation that fails (data/generations.h).
constexpr UINT WM_GENERATION_NOT_KEPT = WM_APP + 103;

// Sent to the launcher's dialog in front when the main window closes
// (support/dialog_base.h): a dialog that knows it ends as its cancel button
// would and answers with AnswerCancelRequest; any other is sent IDCANCEL instead.
constexpr UINT WM_CANCEL_REQUEST = WM_APP + 104;

// Posted by the window's archive job when its work has ended (app/archive_jobs.h).
constexpr UINT WM_ARCHIVE_JOB_ENDED = WM_APP + 105;
// Posted by the catalog of programs to the main window when it has read them
// anew (data/program_catalog.h), and passed on to the dialog in front: the
// search window lists them.
constexpr UINT WM_PROGRAMS_READ = WM_APP + 106;

// A bar control forwards its WM_KEYDOWN to the main window as this message (bar/button_mouse.h).
constexpr UINT WM_BUTTONKEYDOWN = WM_USER + 2000;

// The progress window's own (support/progress_window.h), below the main
// window's numbers: posted as the object goes, the window closes and its
// thread ends.
constexpr UINT WM_PROGRESS_END = WM_APP + 1;
// Posted by its Stop: the cancel question, when open, ends unanswered.
constexpr UINT WM_PROGRESS_STOP = WM_APP + 2;
