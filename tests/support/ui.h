#pragma once
// Driving windows as a user does and reading what they show. Nothing here
// sleeps to synchronise: a wait polls its condition until a deadline, or makes
// a WM_NULL round trip through the window's thread.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace support {

using Keys = std::initializer_list<BYTE>;
bool AllKeys(const std::vector<BYTE>& keys, bool down);  // the system's key state shows them all down (up)

void PumpPending();  // dispatches what this thread has queued now, never waits; a WM_QUIT is dropped
// Until done(), dispatching this thread's messages meanwhile (nothing to dispatch on a helper thread).
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);
inline bool Idle(HWND window, DWORD ms = 5000)  // WM_NULL round trip: its thread handled what was sent before
{
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ms, nullptr) != 0;
}
// A visible dialog (#32770) of process pid whose caption holds captionPart, other than skip.
HWND FindDialog(const std::string& captionPart, DWORD pid = GetCurrentProcessId(), HWND skip = nullptr);
HWND WaitForDialog(const std::string& captionPart, DWORD pid = GetCurrentProcessId(), DWORD ms = 15000,
                   HWND skip = nullptr);  // found, then Idle()
inline bool WaitGone(HWND window, DWORD ms = 15000) { return WaitUntil([&] { return !IsWindow(window); }, ms); }
// Control id's BN_CLICKED posted, as a click makes it; sent, back once handled (for a button that opens no window).
inline void Press(HWND dialog, int id, bool wait = false)
{
    const LPARAM button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
    wait ? void(SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button))
         : void(PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button));
}
std::string Text(HWND window, int id = 0);  // of control id; 0: the window's; 0xFFFF: a message box's text

// Keys into a key capture prompt without focus or a real keyboard: posts the
// ups of what the previous call left down on target, then WM_KEYDOWN of held
// and of key (the prompt counts WM_KEYDOWN only; a real ALT is WM_SYSKEYDOWN).
// Keys stay down, as a user's fingers do, so an accepted key closes the dialog
// before any key-up reaches it.
void PostKeys(HWND target, Keys held, BYTE key);
// One SendInput batch pressing and releasing a system hotkey (matched by the system, no focus needed).
bool PressChord(Keys modifiers, BYTE key);

// On its own thread: waits for a dialog, records its caption and message text,
// runs act, then presses button press (0: none).
class DialogWaiter {
public:
    DialogWaiter(std::string captionPart, int press, std::function<void(HWND)> act = {},
                 DWORD pid = GetCurrentProcessId(), HWND skip = nullptr, DWORD ms = 15000);
    ~DialogWaiter() { Join(); }
    bool Seen() { return Join(), seen_; }  // the dialog came and was acted on
    std::string Caption() { return Join(), caption_; }
    std::string Message() { return Join(), message_; }

private:
    void Join() { if (thread_.joinable()) thread_.join(); }
    bool seen_ = false;
    std::string caption_;
    std::string message_;
    std::thread thread_;
};

// Keys pressed through SendInput; the constructor returns once the system's
// key state shows them all, and they are let go in reverse on every way out.
// The product reads modifiers with GetAsyncKeyState when it handles a click.
class HeldKeys {
public:
    explicit HeldKeys(Keys keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    bool StillHeld() const { return AllKeys(keys_, true); }  // a focus change lets keys go under Wine

private:
    std::vector<BYTE> keys_;
};

// 32-bit pixels: of an icon drawn on white at 32 x 32 (empty for none), or of a window's client area.
class Picture {
public:
    static Picture OfIcon(HICON icon, bool destroy = false);
    static Picture OfWindow(HWND window);  // as painted now
    static Picture OfResourceIcon(int id);  // an icon of this program: the same art as porun.exe
    static Picture OfFileIcon(const std::string& path, int index);  // ExtractIconA's
    static Picture OfControl(HWND parent, int id)  // the image a bar button shows
    {
        return OfIcon(reinterpret_cast<HICON>(SendDlgItemMessageA(parent, id, BM_GETIMAGE, IMAGE_ICON, 0)));
    }
    COLORREF At(int x, int y) const;  // CLR_INVALID outside
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    bool operator==(const Picture& o) const { return width_ == o.width_ && pixels_ == o.pixels_; }
    bool operator!=(const Picture& o) const { return !(*this == o); }

private:
    static Picture Drawn(int width, int height, const std::function<void(HDC)>& paint);
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// A 24-bit BMP file whose pixel (x, y), y from the top, is colour(x, y).
bool WriteBmp(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& colour);

// A popup menu as it was while open: captions ("" for separators and for
// owner-drawn items without a string), states, item rectangles in its picture.
struct OpenMenu {
    bool opened = false;
    std::vector<std::string> texts;
    std::vector<UINT> states;
    std::vector<RECT> rects;
    Picture picture;
    HWND window = nullptr;  // the menu window, while look runs
};
// Runs open, which makes owner track a popup menu. When the menu loop first
// idles, reads the menu, runs look with it and ends the menu; then, when
// choose is not 0, posts that command to owner as choosing it does.
OpenMenu WhileMenuOpen(HWND owner, const std::function<void()>& open, UINT choose = 0,
                       const std::function<void(const OpenMenu&)>& look = {});

}  // namespace support
