#pragma once
// Opens popup menus in tests: an owner window that forwards the owner-draw
// messages like the main window does, runs a check while the menu is open
// (when the menu loop first goes idle) and then closes the menu.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

class PopupMenu;

class MenuOwner {
public:
    MenuOwner();
    ~MenuOwner();
    MenuOwner(const MenuOwner&) = delete;
    MenuOwner& operator=(const MenuOwner&) = delete;

    HWND Window() const { return window_; }
    // Tracks menu at (x, y); whileOpen runs once the menu is shown and
    // painted, then the menu is closed. False when the menu never opened.
    bool TrackAndRun(PopupMenu& menu, int x, int y, const std::function<void()>& whileOpen);

    // Item rectangles of the last WM_DRAWITEM of each item (by item data).
    const std::map<ULONG_PTR, RECT>& DrawnItems() const { return drawn_; }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    std::map<ULONG_PTR, RECT> drawn_;
};

// Runs whileOpen when the first popup menu opened by this thread is idle and
// then closes it, for menus that other code tracks (the main window's).
// Install before the menu opens; the window must be the menu's owner.
class MenuIdleHook {
public:
    MenuIdleHook(HWND owner, std::function<void()> whileOpen);
    ~MenuIdleHook();
    MenuIdleHook(const MenuIdleHook&) = delete;
    MenuIdleHook& operator=(const MenuIdleHook&) = delete;
    bool Ran() const { return ran_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND owner_;
    WNDPROC previous_;
    std::function<void()> whileOpen_;
    bool ran_ = false;
};

// The visible popup menu window ("#32768") of this thread, or null.
HWND OpenMenuWindow();
// The menu shown in the open menu window.
HMENU OpenMenuHandle();

// A 32-bit top-down pixel canvas with its own memory device context.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;  // CLR_INVALID outside

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

// Writes a 24-bit BMP whose pixel (x, y) (y from the top) is colour(x, y).
bool WriteTestBitmap(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour);
// A DIB section of the same kind (the caller owns it).
HBITMAP CreateTestBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour);
