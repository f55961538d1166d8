// Small helper for the scripts: waits for a window class, or closes it.
//   porun_window_tool wait CLASS MS   exit 0 when a window of CLASS exists within MS and its
//                                     thread has handled what was sent before (it is in its loop)
//   porun_window_tool close CLASS     posts WM_CLOSE and waits until it is gone
//   porun_window_tool rect CLASS      prints the window's screen rectangle as WxH+X+Y
//   porun_window_tool command CLASS ID  posts WM_COMMAND ID to the window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const char* className = argv[2];
    if (std::strcmp(argv[1], "wait") == 0) {
        const DWORD limit = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 5000;
        const DWORD start = GetTickCount();
        HWND window;
        while (!(window = FindWindowA(className, nullptr))) {
            if (GetTickCount() - start > limit)
                return 1;
            Sleep(50);
        }
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, limit, &ignored) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "close") == 0) {
        HWND window = FindWindowA(className, nullptr);
        if (!window)
            return 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        for (int i = 0; i < 200 && IsWindow(window); ++i)
            Sleep(50);
        return IsWindow(window) ? 1 : 0;
    }
    if (std::strcmp(argv[1], "command") == 0 && argc > 3) {
        HWND window = FindWindowA(className, nullptr);
        return window && PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[3])), 0) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "rect") == 0) {
        HWND window = FindWindowA(className, nullptr);
        RECT rect;
        if (!window || !GetWindowRect(window, &rect))
            return 1;
        printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
        return 0;
    }
    return 2;
}
