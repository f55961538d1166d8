#include "app/startup.h"

#include "app/main_window.h"
#include "data/launcher.h"
#include "support/messages.h"
#include "support/scoped_handle.h"
#include "support/system_library.h"

namespace {
constexpr wchar_t kInstanceMutex[] = L"porun21 - kessaro/QZT instance";
constexpr DWORD kWaitForFirstWindow = 5000;  // ms a second start waits for the first one's window
constexpr DWORD kPollInterval = 50;

bool BringExistingToFront(const wchar_t* className)
{
    HWND existing = FindWindowW(className, nullptr);
    if (!existing)
        return false;
    SetForegroundWindow(existing);
    return true;
}
}  // namespace

bool AnotherInstanceRuns(const wchar_t* className, ScopedFile* claim)
{
    // The class name is the key other copies look for; the mutex closes the gap
    // between two starts at the same moment.
    claim->Reset(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    const bool held = *claim && GetLastError() == ERROR_ALREADY_EXISTS;
    if (!held)
        return BringExistingToFront(className);

    claim->Reset();
    for (DWORD waited = 0; waited < kWaitForFirstWindow; waited += kPollInterval) {
        if (BringExistingToFront(className))
            return true;
        Sleep(kPollInterval);
    }
    return true;
}

int RunMessageLoop(HWND mainWindow)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunLauncher(HINSTANCE instance, int showCommand)
{
    RestrictLibrarySearch();  // before anything can load a library on the program's behalf
    ScopedFile claim;
    if (AnotherInstanceRuns(kMainWindowClass, &claim))
        return 0;
    const std::unique_ptr<Launcher> launcher = Launcher::Create();
    if (!launcher) {
        ShowMessageId(nullptr, IDS_MSG_MEMORY_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    HWND window = CreateMainWindow(instance, kMainWindowClass, *launcher);
    if (!window) {
        ShowMessageId(nullptr, IDS_MSG_WINDOW_FAILED, MB_OK | MB_ICONERROR);
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    PostMessageW(window, WM_LAUNCHER_STARTED, 0, 0);  // after the first picture, not before it
    return RunMessageLoop(window);
}
