// The yardstick of the start-up benchmark: the least a Win32 program does to
// show a window (register a class, create, show, run the message loop).
// Built a second time with PORUN_BENCH_COMMON_CONTROLS: then it also loads the
// common controls version 6 through the launcher's own manifest, which shows
// what that part of the platform costs by itself.
#include <windows.h>
#ifdef PORUN_BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {
LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
#ifdef PORUN_BENCH_COMMON_CONTROLS
    InitCommonControls();
#endif
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"porun bench minimal window";
    if (!RegisterClassExW(&windowClass))
        return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 50, 455, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
