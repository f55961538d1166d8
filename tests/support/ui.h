#pragma once
// Driving windows as a user does and reading what they show; a wait polls until a deadline, never sleeps.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace support {

using Keys = std::initializer_list<BYTE>;
void PumpPending();  // dispatches what this thread has queued now, never waits; a WM_QUIT is dropped
// Until done(), dispatching this thread's messages meanwhile.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);
// A WM_NULL round trip: window's thread has handled what was sent to it before.
inline bool Idle(HWND window) { return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0; }
// A visible dialog of process pid whose caption holds captionPart, other than skip; the wait ends Idle().
// Every test program watches the screen: a dialog of any process that no FindDialog has claimed for
// kUnclaimedLimit ms fails the running test, naming its caption and text, and is answered (Cancel, No, OK).
HWND FindDialog(const std::wstring& captionPart, DWORD pid = GetCurrentProcessId(), HWND skip = nullptr);
constexpr DWORD kUnclaimedLimit = 5000;
inline HWND WaitForDialog(const std::wstring& captionPart, DWORD pid = GetCurrentProcessId(), DWORD ms = 15000,
                          HWND skip = nullptr)
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(captionPart, pid, skip)) != nullptr; }, ms);
    return dialog && Idle(dialog) ? dialog : nullptr;
}
inline bool WaitGone(HWND window, DWORD ms = 15000) { return WaitUntil([&] { return !IsWindow(window); }, ms); }
// Control id's BN_CLICKED posted, as a click makes it; sent with wait (for a button that opens no window).
inline void Press(HWND dialog, int id, bool wait = false)
{
    const LPARAM button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
    wait ? void(SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button))
         : void(PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button));
}
inline void Toggle(HWND dialog, int id)  // a check box clicked: its state flips, then its owner hears of it
{
    CheckDlgButton(dialog, id, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    Press(dialog, id, true);
}
inline std::wstring Text(HWND window, int id = 0)  // of control id; 0: the window's; 0xFFFF: a message box's text
{
    wchar_t text[2048] = L"";
    id ? GetDlgItemTextW(window, id, text, 2048) : GetWindowTextW(window, text, 2048);
    return text;
}
inline std::wstring ListCell(HWND list, int row, int column)  // a list view's, also of one whose owner keeps the data
{
    wchar_t text[512] = L"";
    ListView_GetItemText(list, row, column, text, 512);
    return text;
}
inline std::wstring String(UINT id)  // of this program's string table (the tests carry porun.exe's resources)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return std::wstring(text, length > 0 ? length : 0);
}

// held and key posted down to a capture prompt, the last call's keys up first: fingers stay on an accepted key.
void PostKeys(HWND target, Keys held, BYTE key);
bool PressChord(Keys modifiers, BYTE key);  // one SendInput batch pressing and releasing a system hotkey

// On its own thread: waits for a dialog, records its caption and text, runs act, then presses press (0: none).
class DialogWaiter {
public:
    DialogWaiter(std::wstring captionPart, int press, std::function<void(HWND)> act = {},
                 DWORD pid = GetCurrentProcessId(), HWND skip = nullptr, DWORD ms = 15000);
    ~DialogWaiter() { Joined(); }
    bool Seen() { return Joined().seen_; }  // the dialog came and was acted on
    std::wstring Caption() { return Joined().caption_; }
    std::wstring Message() { return Joined().message_; }

private:
    DialogWaiter& Joined()  // once the waiting thread has ended
    {
        if (thread_.joinable())
            thread_.join();
        return *this;
    }
    bool seen_ = false;
    std::wstring caption_, message_;
    std::thread thread_;
};

// Keys pressed through SendInput until GetAsyncKeyState shows them, let go in reverse on every way out.
class HeldKeys {
public:
    explicit HeldKeys(std::vector<BYTE> keys);
    ~HeldKeys();

private:
    std::vector<BYTE> keys_;
};

// 32-bit pixels: of an icon drawn on white at 32 x 32 (empty for none), or of a window's client area.
class Picture {
public:
    static Picture OfIcon(HICON icon, bool destroy = false);
    static Picture OfWindow(HWND window);  // as painted now
    static Picture OfResourceIcon(int id, int side = 32)  // an icon of this program (as porun.exe) loaded at side
    {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0);
        return OfIcon(static_cast<HICON>(icon), true);
    }
    static Picture OfFileIcon(const std::wstring& path, int index)  // ExtractIconW's; 1: a file without icons
    {
        HICON icon = ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(index));
        return OfIcon(reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr, true);
    }
    COLORREF At(int x, int y) const  // CLR_INVALID outside
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return CLR_INVALID;
        const DWORD v = pixels_[static_cast<size_t>(y) * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Height() const { return height_; }
    bool operator==(const Picture& o) const { return width_ == o.width_ && pixels_ == o.pixels_; }
    bool operator!=(const Picture& o) const { return !(*this == o); }

private:
    static Picture Drawn(int width, int height, const std::function<void(HDC)>& paint);
    int width_ = 0, height_ = 0;
    std::vector<DWORD> pixels_;
};

// A 24-bit BMP file whose pixel (x, y), y from the top, is colour(x, y).
bool WriteBmp(const std::wstring& path, int width, int height, const std::function<COLORREF(int, int)>& colour);

// A popup menu as it was while open: captions ("" for separators), item rectangles in its picture.
struct OpenMenu {
    bool opened = false;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> accessible;  // what each item's MSAAMENUINFO says; "-" for data without one
    std::vector<RECT> rects;
    std::vector<UINT> ids, states;  // of each item: its command and GetMenuState's flags
    Picture picture;
    HWND window = nullptr;  // the menu window, while look runs
    UINT State(UINT id) const  // UINT(-1) when id is not in the menu
    {
        const auto at = std::find(ids.begin(), ids.end(), id);
        return at == ids.end() ? UINT(-1) : states[at - ids.begin()];
    }
};
// open makes owner track a menu; once idle it is read, looked at and ended; choose (0: none) is then posted, handled.
OpenMenu WhileMenuOpen(HWND owner, const std::function<void()>& open, UINT choose = 0,
                       const std::function<void(const OpenMenu&)>& look = {});

}  // namespace support
