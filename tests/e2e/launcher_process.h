#pragma once
// The built launcher started as a process of its own, for the end-to-end tests.
#include <windows.h>

#include <string>

class LauncherProcess {
public:
    explicit LauncherProcess(const std::string& exe);
    ~LauncherProcess();  // a launcher still running is terminated
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    bool Started() const { return started_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    // The launcher's main window once it is shown; null when it ended or did not show in time.
    HWND Window(DWORD timeoutMs = 15000) const;
    // Exit code, or -1 when the process did not end in time.
    long WaitForExit(DWORD timeoutMs = 15000) const;
    // WM_CLOSE to window, then true when the process ended in time.
    bool Close(HWND window) const;
    void Kill() const;

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};
