#pragma once
// Modeless progress window shown while a long task runs on the GUI thread:
// a title, one line of text, a percentage bar and a cancel button that asks
// before it sets the cancel flag. The window runs on a thread of its own, so
// that it paints and answers its cancel button while the task works: the
// task looks at the flag after each entry for nothing, and runs its own
// thread's messages only every kDisplayIntervalMs, so the rest of the
// program stays responsive. While the cancel is being asked, the task waits
// for the answer. A quit the task's messages bring (the program's end) is
// kept until the window goes and then posted again for the program's loop.
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

#include <string>

class ProgressDialog;

// Told each progress window as it is shown and null as it goes, for a task
// that must be stoppable from outside (a close of the main window, the
// session's end): see ProgressDialog::Stop. Null: nobody.
using ProgressCancelWatcher = void (*)(ProgressDialog* progress);
void WatchProgressCancel(ProgressCancelWatcher watcher);

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
    int IsCancelled() const { return cancelled_ != 0; }
    // Cancels as a confirmed cancel does and ends the cancel question when
    // it is open (unanswered: the task is stopped anyway). Any thread.
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

    volatile LONG cancelled_ = 0;
    volatile LONG asking_ = 0;
    volatile LONG position_ = 0;  // where the task put the bar
    int barPosition_ = 0;         // where the window's thread put it
    SRWLOCK textLock_ = SRWLOCK_INIT;
    std::wstring text_;  // the text the task set last, for the window's thread
    bool textChanged_ = false;
    ScopedFile created_;   // set once the window's thread has made it (or failed to)
    ScopedFile answered_;  // set whenever no cancel is being asked
    ScopedFile thread_;    // the window's thread, ending with the window
    HWND owner_ = nullptr;
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
    ProgressCancelWatcher watcher_ = nullptr;  // the one told at Show
};
