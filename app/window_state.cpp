#include "app/window_state.h"

#include <new>

namespace {
// A window property rather than the user data, which the bar's controls
// use for their pictures: asked of any other window, it is simply not there.
constexpr wchar_t kStateProperty[] = L"porun21.MainWindowState";
}  // namespace

bool AttachWindowState(HWND mainWindow, Launcher& launcher)
{
    auto* state = new (std::nothrow) MainWindowState(mainWindow, launcher);
    if (state && SetPropW(mainWindow, kStateProperty, state))
        return true;
    delete state;
    return false;
}

void DetachWindowState(HWND mainWindow)
{
    delete static_cast<MainWindowState*>(RemovePropW(mainWindow, kStateProperty));
}

MainWindowState* WindowState(HWND mainWindow)
{
    return mainWindow ? static_cast<MainWindowState*>(GetPropW(mainWindow, kStateProperty)) : nullptr;
}
