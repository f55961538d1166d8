#include "app/activation.h"

#include "app/folder_menus.h"
#include "app/window_state.h"
#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/launch.h"
#include "bar/start_count.h"
#include "data/button_place.h"

namespace {
void BringToFront(HWND launcher, HWND foreground)
{
    const DWORD self = GetCurrentThreadId();
    const DWORD other = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached = other && other != self && AttachThreadInput(self, other, TRUE);

    DWORD timeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(launcher);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)), 0);
    if (attached)
        AttachThreadInput(self, other, FALSE);
    // Detaching may hand the foreground back to nobody (seen under Wine): claim it again.
    if (GetForegroundWindow() != launcher)
        SetForegroundWindow(launcher);
    FocusBar(launcher);  // the bar from the keyboard at once
}
}  // namespace

void ToggleActivation(HWND launcher)
{
    MainWindowState* state = WindowState(launcher);
    if (!state)
        return;
    if (state->previousForeground) {
        SetForegroundWindow(state->previousForeground);
        state->previousForeground = nullptr;
        return;
    }
    HWND foreground = GetForegroundWindow();
    if (foreground != launcher)
        state->previousForeground = foreground;
    BringToFront(launcher, foreground);
}

bool GiveBackActivation(HWND launcher)
{
    MainWindowState* state = WindowState(launcher);
    if (!state || !state->previousForeground)
        return false;
    ToggleActivation(launcher);
    return true;
}

void ForgetPreviousForeground(HWND launcher)
{
    if (MainWindowState* state = WindowState(launcher))
        state->previousForeground = nullptr;
}

void LaunchHotkeyButton(HWND launcher, int buttonNumber)
{
    const ButtonPlace place = ButtonPlace::FromNumber(buttonNumber);
    const MainWindowState* state = WindowState(launcher);
    const ButtonRecord* button = state ? state->launcher.ButtonAt(place.group, place.button) : nullptr;
    if (!button || OpenFolderMenu(launcher, *button, nullptr))
        return;
    if (StartButtonFile(nullptr, *button))  // silent: nobody is watching the launcher
        CountStart(state->launcher, *button);
}
