#include "app/main_window.h"
#include "launcher_process.h"

LauncherProcess::LauncherProcess(const std::string& exe)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    started_ = CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != FALSE;
}

LauncherProcess::~LauncherProcess()
{
    if (!started_)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

HWND LauncherProcess::Window(DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (started_ && GetTickCount() - start < timeoutMs) {
        HWND window = FindWindowA(kMainWindowClass, nullptr);
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        if (window && owner == process_.dwProcessId && IsWindowVisible(window))
            return window;
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

long LauncherProcess::WaitForExit(DWORD timeoutMs) const
{
    if (!started_ || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

bool LauncherProcess::Close(HWND window) const
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit() != -1;
}

void LauncherProcess::Kill() const
{
    if (!started_)
        return;
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
}
