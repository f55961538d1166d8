// Small helper for the scripts: waits for a window class, or closes it.
//   porun_window_tool wait CLASS MS   exit 0 when a window of CLASS exists within MS and its
//                                     thread has handled what was sent before (it is in its loop)
//   porun_window_tool close CLASS     posts WM_CLOSE and waits until it is gone
//   porun_window_tool rect CLASS      prints the window's screen rectangle as WxH+X+Y
//   porun_window_tool command CLASS ID  posts WM_COMMAND ID to the window
//   porun_window_tool snap CLASS FILE   writes the client area as the window has painted it
//                                     to FILE, a 24-bit BMP, and prints its screen rectangle as WxH+X+Y
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

// The client area as the window has painted it (its children included), into a 24-bit BMP; the rectangle on the screen in screen.
bool SnapClient(HWND window, const wchar_t* path, RECT* screen)
{
    RECT client;
    if (!GetClientRect(window, &client))
        return false;
    const int width = client.right, height = client.bottom;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    *screen = {origin.x, origin.y, origin.x + width, origin.y + height};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screenDc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC windowDc = GetDCEx(window, nullptr, DCX_CACHE);
    const bool printed = bitmap && BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
    SelectObject(memory, old);
    DeleteDC(memory);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader) + imageSize, 0,
                            0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader)};
    FILE* file = printed ? _wfopen(path, L"wb") : nullptr;
    const bool written = file && std::fwrite(&header, sizeof header, 1, file) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                         std::fwrite(bits, imageSize, 1, file) == 1;
    if (file)
        std::fclose(file);
    DeleteObject(bitmap);
    return written;
}

}  // namespace

int main()
{
    int argc = 0;  // in UTF-16, as the shell passed them
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3)
        return 2;
    const wchar_t* className = argv[2];
    if (std::wcscmp(argv[1], L"wait") == 0) {
        const DWORD limit = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 5000;
        const DWORD start = GetTickCount();
        HWND window;
        while (!(window = FindWindowW(className, nullptr))) {
            if (GetTickCount() - start > limit)
                return 1;
            Sleep(50);
        }
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limit, &ignored) ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"close") == 0) {
        HWND window = FindWindowW(className, nullptr);
        if (!window)
            return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
        for (int i = 0; i < 200 && IsWindow(window); ++i)
            Sleep(50);
        return IsWindow(window) ? 1 : 0;
    }
    if (std::wcscmp(argv[1], L"command") == 0 && argc > 3) {
        HWND window = FindWindowW(className, nullptr);
        return window && PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0) ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"snap") == 0 && argc > 3) {
        HWND window = FindWindowW(className, nullptr);
        RECT rect;
        if (!window || !SnapClient(window, argv[3], &rect))
            return 1;
        printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
        return 0;
    }
    if (std::wcscmp(argv[1], L"rect") == 0) {
        HWND window = FindWindowW(className, nullptr);
        RECT rect;
        if (!window || !GetWindowRect(window, &rect))
            return 1;
        printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
        return 0;
    }
    return 2;
}
