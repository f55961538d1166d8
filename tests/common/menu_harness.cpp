#include "menu_harness.h"
#include "menus/menu_paint.h"
#include "menus/menu_skin.h"
#include "menus/popup_menu.h"
#include "resources/resource_ids.h"

#include <cstring>
#include <vector>

namespace {
constexpr char kOwnerClass[] = "PorunMenuTestOwner";
constexpr UINT_PTR kSafetyTimer = 77;
constexpr UINT kSafetyMs = 10000;
constexpr UINT kMenuGetHandle = 0x01E1;  // MN_GETHMENU

MenuOwner* g_owner = nullptr;
const std::function<void()>* g_whileOpen = nullptr;
bool g_ran = false;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void RunWhileOpen(const std::function<void()>& whileOpen)
{
    if (HWND menuWindow = OpenMenuWindow())
        UpdateWindow(menuWindow);
    whileOpen();
}
}  // namespace

HWND OpenMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HMENU OpenMenuHandle()
{
    HWND window = OpenMenuWindow();
    return window ? reinterpret_cast<HMENU>(SendMessageA(window, kMenuGetHandle, 0, 0)) : nullptr;
}

MenuOwner::MenuOwner()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kOwnerClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, kOwnerClass, "menu owner", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 40, 40,
                              nullptr, nullptr, wc.hInstance, nullptr);
}

MenuOwner::~MenuOwner()
{
    if (window_)
        DestroyWindow(window_);
}

bool MenuOwner::TrackAndRun(PopupMenu& menu, int x, int y, const std::function<void()>& whileOpen)
{
    g_owner = this;
    g_whileOpen = &whileOpen;
    g_ran = false;
    drawn_.clear();
    SetTimer(window_, kSafetyTimer, kSafetyMs, nullptr);
    menu.Track(window_, x, y);
    KillTimer(window_, kSafetyTimer);
    g_whileOpen = nullptr;
    g_owner = nullptr;
    return g_ran;
}

LRESULT CALLBACK MenuOwner::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        return HandleMenuMeasureItem(window, wParam, lParam);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (g_owner && item->CtlType == ODT_MENU)
            g_owner->drawn_[item->itemData] = item->rcItem;
        return HandleMenuDrawItem(window, wParam, lParam);
    }
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && g_whileOpen) {
            const std::function<void()>* whileOpen = g_whileOpen;
            g_whileOpen = nullptr;
            RunWhileOpen(*whileOpen);
            g_ran = true;
            EndMenu();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kSafetyTimer) {
            KillTimer(window, kSafetyTimer);
            EndMenu();
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

namespace {
MenuIdleHook* g_hook = nullptr;
}

MenuIdleHook::MenuIdleHook(HWND owner, std::function<void()> whileOpen)
    : owner_(owner), whileOpen_(std::move(whileOpen))
{
    g_hook = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    SetTimer(owner, kSafetyTimer, kSafetyMs, nullptr);
}

MenuIdleHook::~MenuIdleHook()
{
    KillTimer(owner_, kSafetyTimer);
    SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    g_hook = nullptr;
}

LRESULT CALLBACK MenuIdleHook::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuIdleHook* hook = g_hook;
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && hook && !hook->ran_) {
        hook->ran_ = true;
        RunWhileOpen(hook->whileOpen_);
        EndMenu();
        return 0;
    }
    if (message == WM_TIMER && wParam == kSafetyTimer) {
        KillTimer(window, kSafetyTimer);
        EndMenu();
        return 0;
    }
    return CallWindowProcA(hook->previous_, window, message, wParam, lParam);
}

Canvas::Canvas(int width, int height, COLORREF background) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bits_ = static_cast<DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_)
        return CLR_INVALID;
    GdiFlush();
    const DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

namespace {
std::vector<unsigned char> BmpBytes(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    const int stride = (width * 3 + 3) & ~3;
    const DWORD imageSize = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageSize;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    std::vector<unsigned char> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int row = 0; row < height; ++row) {
        unsigned char* line = bytes.data() + file.bfOffBits + static_cast<size_t>(stride) * (height - 1 - row);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, row);
            line[x * 3 + 0] = GetBValue(c);
            line[x * 3 + 1] = GetGValue(c);
            line[x * 3 + 2] = GetRValue(c);
        }
    }
    return bytes;
}
}  // namespace

bool WriteTestBitmap(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour)
{
    const std::vector<unsigned char> bytes = BmpBytes(width, height, colour);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

HBITMAP CreateTestBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    const std::vector<unsigned char> bytes = BmpBytes(width, height, colour);
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bytes.data() + file->bfOffBits, info,
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

