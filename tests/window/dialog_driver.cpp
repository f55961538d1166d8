#include "window/dialog_driver.h"

#include "common/test_support.h"


namespace drive {

DialogDriver::DialogDriver(std::string captionPart, std::function<void(HWND)> action, DWORD timeoutMs)
    : captionPart_(std::move(captionPart)), action_(std::move(action)), timeoutMs_(timeoutMs)
{
    thread_ = std::thread([this] {
        HWND dialog = WaitForDialog(captionPart_, timeoutMs_);
        if (!dialog)
            return;
        action_(dialog);
        ran_ = true;
    });
}

DialogDriver::~DialogDriver()
{
    Join();
}

void DialogDriver::Join()
{
    if (thread_.joinable())
        thread_.join();
}

HWND WaitForDialog(const std::string& captionPart, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND dialog = FindProcessDialog(captionPart);
        if (dialog) {
            // The dialog's thread answers once its initialisation is over.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            return dialog;
        }
        Sleep(20);
    }
    return nullptr;
}

void ClickButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DoubleClickItem(HWND list, int index)
{
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

std::vector<COLORREF> ItemColumnColours(HWND list, int index, int dx)
{
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    std::vector<COLORREF> colours;
    HDC dc = GetDC(list);
    for (int y = rect.top; y < rect.bottom; ++y)
        colours.push_back(GetPixel(dc, rect.left + dx, y));
    ReleaseDC(list, dc);
    return colours;
}

int CountColour(const std::vector<COLORREF>& colours, COLORREF colour)
{
    int count = 0;
    for (COLORREF c : colours)
        count += c == colour ? 1 : 0;
    return count;
}

void MaybeSaveScreenShot(const RECT& rect, const char* name)
{
    char folder[MAX_PATH];
    if (!GetEnvironmentVariableA("PORUN_SHOT_DIR", folder, sizeof folder))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    HDC screen = GetDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), imageSize);
    WriteFileBytes(std::string(folder) + "\\" + name + ".bmp", bytes);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

void MaybeSaveWindowShot(HWND window, const char* name)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    MaybeSaveScreenShot(rect, name);
}

HeldKey::HeldKey(BYTE key) : key_(key)
{
    keybd_event(key_, 0, 0, 0);
    PumpUntil([this] { return (GetAsyncKeyState(key_) & 0x8000) != 0; }, 2000);
}

HeldKey::~HeldKey()
{
    keybd_event(key_, 0, KEYEVENTF_KEYUP, 0);
    PumpUntil([this] { return (GetAsyncKeyState(key_) & 0x8000) == 0; }, 2000);
}

}  // namespace drive
