#include "zip_fixture.h"

namespace {
struct ExactFind {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindExact(HWND window, LPARAM lParam)
{
    auto* request = reinterpret_cast<ExactFind*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32];
    char caption[256];
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(className, "#32770") == 0 && *request->caption == caption) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

ExactDialogAnswerer::ExactDialogAnswerer(std::string caption, int button, DWORD timeoutMs)
    : caption_(std::move(caption)), button_(button), timeoutMs_(timeoutMs)
{
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

ExactDialogAnswerer::~ExactDialogAnswerer()
{
    Join();
}

void ExactDialogAnswerer::Join()
{
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

DWORD WINAPI ExactDialogAnswerer::Run(void* self)
{
    auto* answerer = static_cast<ExactDialogAnswerer*>(self);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < answerer->timeoutMs_) {
        ExactFind request{&answerer->caption_, nullptr};
        EnumWindows(FindExact, reinterpret_cast<LPARAM>(&request));
        if (request.found) {
            Sleep(50);
            PostMessageA(request.found, WM_COMMAND, MAKEWPARAM(answerer->button_, BN_CLICKED), 0);
            answerer->answered_ = true;
            return 0;
        }
        Sleep(20);
    }
    return 0;
}
