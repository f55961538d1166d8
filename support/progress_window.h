#pragma once
// Modeless progress window shown while a long task runs: a title, one line
// of text, a percentage bar and a cancel button that asks before it sets the
// cancel flag. The window runs on a thread of its own, so that it paints and
// answers its cancel button while the task works. Who does what:
// - the task's thread (the one that calls Show) sets the texts and the
//   progress and looks at the cancel flag after each entry (which costs
//   nothing). It runs its own thread's messages every kDisplayIntervalMs,
//   so that a task on a thread with windows keeps them answering, and waits
//   for the answer while the cancel is being asked. A quit its messages
//   bring (the program's end) is kept until the window goes and then posted
//   again for its loop.
// - the window's thread runs the window and the cancel question, and shows
//   at each display interval what the task set last.
// - they share only the members marked so below: atomic, or under the text
//   lock. Stop may come from any thread.
// The object goes on the task's thread, or on another once the task's
// thread has ended (an archive job's window is closed on the thread of the
// window that owns it, which then gets the focus back).
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

#include <atomic>
#include <string>

class ProgressDialog : public DialogBase {
public:
    ProgressDialog();
    ~ProgressDialog() override;

    // Shows the dialog owned by owner (disabled while the dialog exists).
    HWND Show(HWND owner);
    void SetRange(int low, int high);
    // The high end of a task counted in bytes, past what an int holds.
    void SetTotal(unsigned long long high) { rangeHigh_ = high; }
    void SetTitle(const wchar_t* text);
    // The text line, shown at the window's next display interval.
    void SetText(const wchar_t* text);
    // Moves the bar to value as a percentage of the range's high end (the
    // window shows it at its next display interval, or at a cancel), waits
    // while the cancel is being asked, runs this thread's messages at most
    // every kDisplayIntervalMs, copies the cancel flag into cancelled when
    // given and returns the position the update before gave.
    int SetProgress(unsigned long long value, int* cancelled = nullptr);
    int IsCancelled() const { return cancelled_ ? 1 : 0; }
    // Cancels as a confirmed cancel does and ends the cancel question when
    // it is open (unanswered: the task is stopped anyway). Any thread, also
    // before Show.
    void Stop();
    // True at the first call and then at most every kDisplayIntervalMs: tasks
    // that finish hundreds of entries a second renew the texts only then
    // (nobody can read faster).
    bool DueForDisplay();
    static constexpr DWORD kDisplayIntervalMs = 50;

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // value / high as a whole percentage, truncated; 0 when high is 0.
    static int Percentage(unsigned long long value, unsigned long long high);
    static DWORD WINAPI RunWindow(void* context);

    void ShowProgress();
    void AskCancel();
    void EndQuestion();
    void WaitForAnswer();
    void PumpMessages();

    // Set by Show before the window's thread starts, then only read.
    HWND owner_ = nullptr;
    DWORD taskThread_ = 0;
    ScopedFile created_;   // set once the window's thread has made the window (or failed to)
    ScopedFile answered_;  // set whenever no cancel is being asked

    // The task's thread's.
    ScopedFile thread_;  // the window's thread, ending with the window
    int rangeLow_ = 0;
    unsigned long long rangeHigh_ = 100;
    bool displayed_ = false;
    DWORD lastDisplay_ = 0;
    static constexpr size_t kTitleSize = 128;
    wchar_t title_[kTitleSize] = L"";
    bool pumped_ = false;
    DWORD lastPump_ = 0;
    bool quitKept_ = false;  // a WM_QUIT was taken from the task's messages
    WPARAM quitCode_ = 0;
    int shownPosition_ = -1;  // what the bar shows, -1 before the first update

    // The window's thread's (with DialogBase's dialog_ and parent_).
    int barPosition_ = 0;  // where this thread put the bar

    // Shared.
    std::atomic<HWND> window_{nullptr};  // the window for the other threads: set when made, null once destroyed
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> asking_{false};
    std::atomic<int> position_{0};  // where the task put the bar
    SRWLOCK textLock_ = SRWLOCK_INIT;
    std::wstring text_;         // under the lock: the text the task set last
    bool textChanged_ = false;  // under the lock
};
