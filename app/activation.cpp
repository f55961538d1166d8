#include "app/activation.h"

#include "bar/bar_geometry.h"
#include "bar/launch.h"
#include "data/launcher_data.h"

namespace {
HWND g_previousForeground = nullptr;

void BringToFront(HWND launcher, HWND foreground)
{
    const DWORD self = GetCurrentThreadId();
    const DWORD other = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached = other && other != self && AttachThreadInput(self, other, TRUE);

    DWORD timeout = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(launcher);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)), 0);
    if (attached)
        AttachThreadInput(self, other, FALSE);
    // Detaching may hand the foreground back to nobody (seen under Wine): claim it again.
    if (GetForegroundWindow() != launcher)
        SetForegroundWindow(launcher);
    SetFocus(GetDlgItem(launcher, IDC_GROUP_BUTTON));
}
}  // namespace

void ToggleActivation(HWND launcher)
{
    if (g_previousForeground) {
        SetForegroundWindow(g_previousForeground);
        g_previousForeground = nullptr;
        return;
    }
    HWND foreground = GetForegroundWindow();
    if (foreground != launcher)
        g_previousForeground = foreground;
    BringToFront(launcher, foreground);
}

void ForgetPreviousForeground()
{
    g_previousForeground = nullptr;
}

void LaunchHotkeyButton(int buttonNumber)
{
    const ButtonRecord* button = ButtonAt(buttonNumber / kButtonsPerGroup, buttonNumber % kButtonsPerGroup);
    if (!button || buttonNumber < 0)
        return;
    StartButtonFile(nullptr, *button);  // silent: nobody is watching the launcher
}
