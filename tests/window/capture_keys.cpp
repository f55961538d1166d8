#include "capture_keys.h"
#include "common/menu_harness.h"
#include "common/test_support.h"
#include "resources/resource_ids.h"
#include "dialogs/key_capture_dialog.h"


#include <atomic>

namespace capture_keys {

const char kCaptureCaption[] = "ショートカットキーの登録";

namespace {
std::atomic<HWND> g_watchedDialog{nullptr};
WNDPROC g_captureProc = nullptr;
std::atomic<int> g_handled[256];

LRESULT CALLBACK WitnessProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcA(g_captureProc, control, message, wParam, lParam);
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
        ++g_handled[wParam & 0xFF];
    return result;
}
}  // namespace

void Watch(HWND dialog)
{
    for (auto& count : g_handled)
        count = 0;
    HWND prompt = GetDlgItem(dialog, IDC_KEY_CAPTURE_PROMPT);
    g_captureProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(prompt, GWLP_WNDPROC));
    SetWindowLongPtrA(prompt, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WitnessProc));
    g_watchedDialog = dialog;
}

void KeyEvent(BYTE key, bool down)
{
    const int before = g_handled[key];
    keybd_event(key, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
    const DWORD start = GetTickCount();
    while (g_handled[key] == before && IsWindow(g_watchedDialog) && GetTickCount() - start < 3000)
        Sleep(2);
}

bool AllDown(std::initializer_list<BYTE> keys)
{
    for (BYTE k : keys)
        if (!(GetAsyncKeyState(k) & 0x8000))
            return false;
    return true;
}

void Press(std::initializer_list<BYTE> held, BYTE key)
{
    for (BYTE m : held)
        KeyEvent(m, true);
    // Wine brings its key state in line with the X server's when a window of
    // the display gets the focus, which lets go of keys that only the test
    // holds: press again whatever such a focus change released.
    for (int attempt = 0; attempt < 5 && !AllDown(held); ++attempt) {
        for (BYTE m : held)
            if (!(GetAsyncKeyState(m) & 0x8000))
                KeyEvent(m, true);
    }
    KeyEvent(key, true);
    KeyEvent(key, false);
    for (auto it = held.end(); it != held.begin();)
        KeyEvent(*--it, false);
}

HWND WaitForDialog(const char* captionPart, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!(dialog = FindProcessDialog(captionPart)) && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return dialog;
}

bool WaitUntilGone(HWND dialog, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return !IsWindow(dialog);
}

bool DriveCapture(const std::function<void()>& press, std::string* prompt)
{
    HWND dialog = WaitForDialog(kCaptureCaption, 10000);
    if (!dialog)
        return false;
    if (prompt) {
        char text[256] = "";
        GetDlgItemTextA(dialog, IDC_KEY_CAPTURE_PROMPT, text, sizeof text);
        *prompt = text;
    }
    Watch(dialog);
    // Keys go to the foreground window: make sure that is the capture dialog
    // with its prompt focused before pressing anything.
    HWND promptControl = GetDlgItem(dialog, IDC_KEY_CAPTURE_PROMPT);
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    for (int i = 0; i < 250; ++i) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        if (GetForegroundWindow() == dialog && info.hwndFocus == promptControl)
            break;
        SetForegroundWindow(dialog);
        Sleep(20);
    }
    // Let the dialog's thread take the display's focus events before any key.
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    press();
    const bool ended = WaitUntilGone(dialog, 5000);
    if (!ended)
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    g_watchedDialog = nullptr;
    return ended;
}

CaptureDriver::CaptureDriver(std::function<void()> press)
    : thread_([this, press] {
          endedByKeys_ = DriveCapture(press, &prompt_);
      })
{
}

CaptureDriver::~CaptureDriver()
{
    Join();
}

void CaptureDriver::Join()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace capture_keys
