#include "common/test_support.h"
#include "resources/resource_ids.h"
#include "window/dialog_driver.h"


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
