#pragma once
// Modeless progress window shown while a long task runs on the GUI thread:
// a title, one line of text, a percentage bar and a cancel button that asks
// before it sets the cancel flag. Progress updates run the thread's messages,
// so the rest of the program stays responsive.
#include "support/dialog_base.h"

// Told the cancel flag of each progress window as it is shown and null as it
// goes, for a task that must be stoppable from outside (a close of the main
// window): setting the flag to 1 acts as a confirmed cancel. Null: nobody.
using ProgressCancelWatcher = void (*)(int* cancelFlag);
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
    void SetText(const wchar_t* text);
    // Moves the bar to value as a percentage of the range's high end, runs
    // the messages waiting (input and messages from other windows at once,
    // painting at most every kDisplayIntervalMs), copies the cancel flag into
    // cancelled when given and returns the bar's previous position.
    int SetProgress(unsigned long long value, int* cancelled = nullptr);
    int IsCancelled() const { return cancelled_; }
    // True at the first call and then at most every kDisplayIntervalMs: tasks
    // that finish hundreds of entries a second renew the texts only then
    // (nobody can read faster).
    bool DueForDisplay();
    static constexpr DWORD kDisplayIntervalMs = 50;

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // value / high as a whole percentage, truncated; 0 when high is 0.
    static int Percentage(unsigned long long value, unsigned long long high);

    void AskCancel();
    void PumpMessages();

    int cancelled_ = 0;
    int rangeLow_ = 0;
    unsigned long long rangeHigh_ = 100;
    bool displayed_ = false;
    DWORD lastDisplay_ = 0;
    static constexpr size_t kTitleSize = 128;
    wchar_t title_[kTitleSize] = L"";
    DWORD lastBarDrawn_ = 0;
    bool pumped_ = false;
    DWORD lastPump_ = 0;
    int shownPosition_ = -1;  // what the bar shows, -1 before the first update
    ProgressCancelWatcher watcher_ = nullptr;  // the one told at Show
};
