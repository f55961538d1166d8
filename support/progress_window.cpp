#include "support/progress_window.h"

#include "resources/resource_ids.h"
#include "support/messages.h"

#include <commctrl.h>

#include <cwchar>

namespace {

ProgressCancelWatcher g_watcher = nullptr;

}  // namespace

void WatchProgressCancel(ProgressCancelWatcher watcher)
{
    g_watcher = watcher;
}

ProgressDialog::ProgressDialog()
{
    InitCommonControls();
}

ProgressDialog::~ProgressDialog()
{
    if (watcher_)
        watcher_(nullptr);
    if (dialog_ && IsWindow(dialog_))
        DestroyWindow(dialog_);
}

HWND ProgressDialog::Show(HWND owner)
{
    // A stop from outside reaches the task through this dialog.
    watcher_ = g_watcher;
    if (watcher_)
        watcher_(&cancelled_);
    return ShowModeless(owner, IDD_PROGRESS);
}

void ProgressDialog::SetRange(int low, int high)
{
    rangeLow_ = low;
    rangeHigh_ = high < 0 ? 0 : static_cast<unsigned long long>(high);
}

void ProgressDialog::SetTitle(const wchar_t* text)
{
    // A caption is redrawn at once when set: the same one is not set again.
    if (!text || !dialog_ || std::wcsncmp(text, title_, kTitleSize) == 0)
        return;
    lstrcpynW(title_, text, kTitleSize);
    SetWindowTextW(dialog_, text);
}

void ProgressDialog::SetText(const wchar_t* text)
{
    if (text && dialog_)
        SetDlgItemTextW(dialog_, IDC_PROGRESS_TEXT, text);
}

bool ProgressDialog::DueForDisplay()
{
    const DWORD now = GetTickCount();
    if (displayed_ && now - lastDisplay_ < kDisplayIntervalMs)
        return false;
    displayed_ = true;
    lastDisplay_ = now;
    return true;
}

int ProgressDialog::Percentage(unsigned long long value, unsigned long long high)
{
    if (high == 0)
        return 0;
    // Multiplying first keeps exact quotients exact (29 of 100 is 29, not 28).
    if (value >= high)
        return 100;  // files that grew while a task ran
    return static_cast<int>(static_cast<double>(value) * 100.0 / static_cast<double>(high));
}

int ProgressDialog::SetProgress(unsigned long long value, int* cancelled)
{
    const int position = Percentage(value, rangeHigh_);
    int previous = shownPosition_ < 0 ? 0 : shownPosition_;
    // Many small entries share one percentage: the bar is touched only when its
    // position changes. It repaints itself at once when moved, so between the
    // display intervals it is moved without drawing, and drawn whole at them.
    if (dialog_ && position != shownPosition_) {
        HWND bar = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
        const DWORD now = GetTickCount();
        const bool draw = shownPosition_ < 0 || now - lastBarDrawn_ >= kDisplayIntervalMs;
        if (!draw)
            SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
        previous = static_cast<int>(SendMessageW(bar, PBM_SETPOS, position, 0));
        if (!draw) {
            SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
        } else {
            RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            lastBarDrawn_ = now;
        }
    }
    shownPosition_ = position;
    PumpMessages();
    if (cancelled)
        *cancelled = cancelled_;
    return previous;
}

void ProgressDialog::PumpMessages()
{
    // What the user does (a click on Cancel, a key) and what other windows
    // send or post is run at once; the window's own painting and timers wait
    // for the display interval. Entries finish hundreds a second: an empty
    // round of PeekMessage, or a repaint per entry, would cost more than the
    // entries themselves.
    const DWORD now = GetTickCount();
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_HOTKEY)) == 0) {
        if (pumped_ && now - lastPump_ < kDisplayIntervalMs)
            return;
    }
    pumped_ = true;
    lastPump_ = now;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The task must not swallow the end of the program's message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (dialog_ && IsDialogMessageW(dialog_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ProgressDialog::AskCancel()
{
    wchar_t title[64];
    wchar_t text[260];
    LoadText(IDS_CANCEL_TITLE, title, ARRAYSIZE(title));
    LoadText(IDS_ASK_CANCEL, text, ARRAYSIZE(text));
    if (MessageBoxW(dialog_, text, title, MB_OKCANCEL | MB_DEFBUTTON2) == IDOK)
        cancelled_ = 1;
}

INT_PTR ProgressDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        if (parent_)
            EnableWindow(parent_, FALSE);
        return 1;
    case WM_DESTROY:
        // Later messages of the dying window no longer reach this object.
        SetWindowLongPtrW(dialog_, GWLP_USERDATA, 0);
        dialog_ = nullptr;
        if (parent_) {
            EnableWindow(parent_, TRUE);
            SetFocus(parent_);
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            AskCancel();
            return 1;
        }
        return 0;
    default:
        return 0;
    }
}
