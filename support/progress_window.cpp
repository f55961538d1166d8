#include "support/progress_window.h"

#include "resources/resource_ids.h"
#include "support/message_wait.h"
#include "support/messages.h"
#include "support/window_messages.h"

#include <commctrl.h>

#include <cwchar>

namespace {

constexpr UINT_PTR kBarTimer = 1;

HANDLE NewEvent(BOOL signalled)
{
    return CreateEventW(nullptr, TRUE, signalled, nullptr);
}

// Cancels the message box (the cancel question) that window owns, if any.
BOOL CALLBACK CancelOwnedBox(HWND candidate, LPARAM owner)
{
    if (GetWindow(candidate, GW_OWNER) == reinterpret_cast<HWND>(owner))
        PostMessageW(candidate, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

}  // namespace

ProgressDialog::ProgressDialog()
{
    InitCommonControls();
}

// The owner is enabled again before the window goes, so that it (not some
// other program) becomes the active window, and gets the focus back once
// the window's thread has ended (only its own thread can give it). A kept
// quit goes back to the task's thread; once that has ended, no loop waits
// for it.
ProgressDialog::~ProgressDialog()
{
    if (thread_) {
        if (owner_)
            EnableWindow(owner_, TRUE);
        if (HWND window = window_)
            PostMessageW(window, WM_PROGRESS_END, 0, 0);
        WaitServingSentMessages(thread_.Get());
        if (owner_ && GetWindowThreadProcessId(owner_, nullptr) == GetCurrentThreadId())
            SetFocus(owner_);
    }
    if (quitKept_ && GetCurrentThreadId() == taskThread_)
        PostQuitMessage(static_cast<int>(quitCode_));
}

HWND ProgressDialog::Show(HWND owner)
{
    if (thread_)
        return window_;
    owner_ = owner;
    taskThread_ = GetCurrentThreadId();
    created_.Reset(NewEvent(FALSE));
    answered_.Reset(NewEvent(TRUE));
    if (created_ && answered_)
        thread_.Reset(CreateThread(nullptr, 0, RunWindow, this, 0, nullptr));
    if (!thread_)
        return nullptr;
    WaitServingSentMessages(created_.Get());
    return window_;
}

DWORD WINAPI ProgressDialog::RunWindow(void* context)
{
    ProgressDialog* self = static_cast<ProgressDialog*>(context);
    // This thread shares its owner's input state, so that the window is
    // activated when shown, as a window of the owner's own thread would be,
    // with the keyboard (ESC, ENTER) on its cancel button.
    const DWORD ownerThread = self->owner_ ? GetWindowThreadProcessId(self->owner_, nullptr) : 0;
    const bool attached = ownerThread && AttachThreadInput(GetCurrentThreadId(), ownerThread, TRUE);
    HWND dialog = self->ShowModeless(self->owner_, IDD_PROGRESS);
    SetEvent(self->created_.Get());
    MSG msg;
    while (dialog && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (attached)
        AttachThreadInput(GetCurrentThreadId(), ownerThread, FALSE);
    return 0;
}

void ProgressDialog::SetRange(int low, int high)
{
    rangeLow_ = low;
    rangeHigh_ = high < 0 ? 0 : static_cast<unsigned long long>(high);
}

void ProgressDialog::SetTitle(const wchar_t* text)
{
    // A caption is redrawn at once when set: the same one is not set again.
    HWND window = window_;
    if (!text || !window || std::wcsncmp(text, title_, kTitleSize) == 0)
        return;
    lstrcpynW(title_, text, kTitleSize);
    SetWindowTextW(window, text);
}

void ProgressDialog::SetText(const wchar_t* text)
{
    if (!text)
        return;
    AcquireSRWLockExclusive(&textLock_);
    text_ = text;
    textChanged_ = true;
    ReleaseSRWLockExclusive(&textLock_);
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
    // The window's thread shows it (and the text) at the display interval.
    const int position = Percentage(value, rangeHigh_);
    const int previous = shownPosition_ < 0 ? 0 : shownPosition_;
    shownPosition_ = position;
    position_ = position;
    WaitForAnswer();
    PumpMessages();
    if (cancelled)
        *cancelled = IsCancelled();
    return previous;
}

// On the window's thread: the bar and the text as the task last set them.
void ProgressDialog::ShowProgress()
{
    const int position = position_;
    if (dialog_ && position != barPosition_)
        SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
    barPosition_ = position;
    AcquireSRWLockExclusive(&textLock_);
    const bool changed = textChanged_;
    const std::wstring text = changed ? text_ : std::wstring();
    textChanged_ = false;
    ReleaseSRWLockExclusive(&textLock_);
    if (changed && dialog_)
        SetDlgItemTextW(dialog_, IDC_PROGRESS_TEXT, text.c_str());
}

void ProgressDialog::Stop()
{
    cancelled_ = true;
    if (HWND window = window_)
        PostMessageW(window, WM_PROGRESS_STOP, 0, 0);
}

// While the cancel is asked, the task waits; this thread's windows still run.
void ProgressDialog::WaitForAnswer()
{
    HANDLE answered = answered_.Get();
    while (asking_ && MsgWaitForMultipleObjectsEx(1, &answered, INFINITE, QS_ALLINPUT, 0) != WAIT_OBJECT_0) {
        pumped_ = false;
        PumpMessages();
    }
}

void ProgressDialog::PumpMessages()
{
    // Entries finish hundreds a second: this thread's messages (the other
    // windows', a close of the program) are run at the display interval; the
    // progress window answers its cancel button on its own thread meanwhile.
    const DWORD now = GetTickCount();
    if (pumped_ && now - lastPump_ < kDisplayIntervalMs)
        return;
    pumped_ = true;
    lastPump_ = now;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The end of the program's message loop, kept for it: posted
            // again at once, it would wake every wait of the task at once.
            quitKept_ = true;
            quitCode_ = msg.wParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// On the window's thread; a stop that came first asks nothing.
void ProgressDialog::AskCancel()
{
    if (cancelled_)
        return;
    wchar_t title[64];
    wchar_t text[260];
    LoadText(IDS_CANCEL_TITLE, title, ARRAYSIZE(title));
    LoadText(IDS_ASK_CANCEL, text, ARRAYSIZE(text));
    ResetEvent(answered_.Get());
    asking_ = true;
    if (MessageBoxW(dialog_, text, title, MB_OKCANCEL | MB_DEFBUTTON2) == IDOK)
        cancelled_ = true;
    asking_ = false;
    SetEvent(answered_.Get());
}

// On the window's thread, inside the question's own message loop when it is open.
void ProgressDialog::EndQuestion()
{
    if (asking_ && dialog_)
        EnumThreadWindows(GetCurrentThreadId(), CancelOwnedBox, reinterpret_cast<LPARAM>(dialog_));
}

INT_PTR ProgressDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        window_ = dialog_;
        if (parent_)
            EnableWindow(parent_, FALSE);
        SetTimer(dialog_, kBarTimer, kDisplayIntervalMs, nullptr);
        return 1;
    case WM_TIMER:
        ShowProgress();
        return 1;
    case WM_PROGRESS_END:
        DestroyWindow(dialog_);
        return 1;
    case WM_PROGRESS_STOP:
        EndQuestion();
        return 1;
    case WM_DESTROY:
        // Later messages of the dying window no longer reach this object.
        SetWindowLongPtrW(dialog_, GWLP_USERDATA, 0);
        dialog_ = nullptr;
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            ShowProgress();  // the question shows how far the task came
            AskCancel();
            return 1;
        }
        return 0;
    default:
        return 0;
    }
}
