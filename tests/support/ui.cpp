#include "support/ui.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace support {

namespace {
bool SendKeys(const std::vector<BYTE>& keys, bool up)
{
    std::vector<INPUT> inputs(keys.size(), INPUT{INPUT_KEYBOARD, {}});
    for (size_t i = 0; i < keys.size(); ++i)
        inputs[i].ki = {keys[i], static_cast<WORD>(MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC)),
                        up ? KEYEVENTF_KEYUP : 0u, 0, 0};
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool AllKeys(const std::vector<BYTE>& keys, bool down)
{
    return std::all_of(keys.begin(), keys.end(), [down](BYTE key) { return (GetAsyncKeyState(key) < 0) == down; });
}

std::mutex g_dialogsLock;
std::set<HWND> g_claimed;                  // found by a test: the test's to answer
std::map<HWND, DWORD> g_unclaimedSince;  // seen on the screen unclaimed, since

// Told, then answered with Cancel where the dialog has it, else No, else OK: the answer that changes least.
void FailAndAnswer(HWND dialog)
{
    const std::string what = "unexpected dialog \"" + Utf8(Text(dialog)) + "\": " + Utf8(Text(dialog, 0xFFFF));
    fprintf(stderr, "%s\n", what.c_str());
    ADD_FAILURE() << what;
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (HWND button = GetDlgItem(dialog, id); button && IsWindowEnabled(button))
            return Press(dialog, id);
    }
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// The visible dialogs unclaimed for kUnclaimedLimit now, each claimed as it is returned; the progress window
// asks nothing.
std::set<HWND> OverdueDialogs()
{
    const std::lock_guard<std::mutex> hold(g_dialogsLock);
    std::map<HWND, DWORD> since;
    std::set<HWND> overdue;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
        const bool progress = FindWindowExW(window, nullptr, PROGRESS_CLASSW, nullptr) != nullptr;
        if (!IsWindowVisible(window) || progress || g_claimed.count(window))
            continue;
        since[window] = g_unclaimedSince.count(window) ? g_unclaimedSince[window] : GetTickCount();
        if (GetTickCount() - since[window] >= kUnclaimedLimit && g_claimed.insert(window).second)
            overdue.insert(window);
    }
    g_unclaimedSince.swap(since);
    return overdue;
}

// A look at the screen at every tick of this thread's timer while a test runs; the thread ends with the process.
DWORD WINAPI WatchTheScreen(void*)
{
    SetTimer(nullptr, 0, 100, nullptr);
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) {
        const bool running = ::testing::UnitTest::GetInstance()->current_test_info() != nullptr;
        for (HWND dialog : running ? OverdueDialogs() : std::set<HWND>())
            FailAndAnswer(dialog);
    }
    return 0;
}
const bool g_watching = CloseHandle(CreateThread(nullptr, 0, WatchTheScreen, nullptr, 0, nullptr));
}  // namespace

void PumpPending()
{
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        if (message.message != WM_QUIT) {  // the tests own the loop; a closed launcher window posts one
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    for (const DWORD start = GetTickCount(); !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        if (GetTickCount() - start >= ms)
            return false;
        PumpPending();
    }
    return true;
}

HWND FindDialog(const std::wstring& captionPart, DWORD pid, HWND skip)
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && window != skip && IsWindowVisible(window) &&
            Text(window).find(captionPart) != std::wstring::npos) {
            const std::lock_guard<std::mutex> hold(g_dialogsLock);
            g_claimed.insert(window);
            return window;
        }
    }
    return nullptr;
}

void PostKeys(HWND target, Keys held, BYTE key)
{
    static HWND lastTarget = nullptr;
    static std::vector<BYTE> down;
    for (auto k = down.rbegin(); target == lastTarget && k != down.rend(); ++k)
        PostMessageW(target, WM_KEYUP, *k, 0xC0000001 | MapVirtualKeyW(*k, MAPVK_VK_TO_VSC) << 16);
    lastTarget = target;
    down.assign(held);
    down.push_back(key);
    for (BYTE k : down)
        PostMessageW(target, WM_KEYDOWN, k, 1 | MapVirtualKeyW(k, MAPVK_VK_TO_VSC) << 16);
}

bool PressChord(Keys modifiers, BYTE key)
{
    std::vector<BYTE> keys(modifiers);
    keys.push_back(key);
    return SendKeys(keys, false) && SendKeys({keys.rbegin(), keys.rend()}, true);
}

DialogWaiter::DialogWaiter(std::wstring captionPart, int press, std::function<void(HWND)> act, DWORD pid, HWND skip,
                           DWORD ms)
    : thread_([=] {
          HWND dialog = WaitForDialog(captionPart, pid, ms, skip);
          if (!dialog)
              return;
          caption_ = Text(dialog);
          message_ = Text(dialog, 0xFFFF);
          if (act)
              act(dialog);
          if (press)
              Press(dialog, press);
          seen_ = true;
      })
{
}

HeldKeys::HeldKeys(std::vector<BYTE> keys) : keys_(std::move(keys))
{
    SendKeys(keys_, false);
    WaitUntil([this] { return AllKeys(keys_, true); }, 5000);
}

HeldKeys::~HeldKeys()
{
    SendKeys({keys_.rbegin(), keys_.rend()}, true);
    WaitUntil([this] { return AllKeys(keys_, false); }, 5000);
}

Picture Picture::Drawn(int width, int height, const std::function<void(HDC)>& paint)
{
    Picture picture;
    BITMAPINFO info = {{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};  // top-down
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    if (bitmap && width > 0 && height > 0) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        paint(dc);
        GdiFlush();
        picture.width_ = width;
        picture.height_ = height;
        picture.pixels_.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
    return picture;
}

Picture Picture::OfIcon(HICON icon, bool destroy)
{
    const Picture picture = icon ? Drawn(32, 32, [icon](HDC dc) {
        PatBlt(dc, 0, 0, 32, 32, WHITENESS);
        DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    }) : Picture();
    if (icon && destroy)
        DestroyIcon(icon);
    return picture;
}

Picture Picture::OfWindow(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    UpdateWindow(window);
    return Drawn(client.right, client.bottom, [&](HDC dc) {
        HDC source = GetDC(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    });
}

bool WriteBmp(const std::wstring& path, int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    const int stride = (width * 3 + 3) & ~3;
    const BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // bottom-up
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file = {0x4D42, offset + stride * height, 0, 0, offset};
    std::string bytes(file.bfSize, '\0');
    std::memcpy(&bytes[0], &file, sizeof file);
    std::memcpy(&bytes[sizeof file], &info, sizeof info);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            const BYTE bgr[] = {GetBValue(c), GetGValue(c), GetRValue(c)};
            std::memcpy(&bytes[offset + static_cast<size_t>(stride) * (height - 1 - y) + x * 3], bgr, sizeof bgr);
        }
    return WriteBytes(path, bytes);
}

namespace {
std::wstring AccessibleText(HMENU menu, UINT position)  // as a screen reader reads an owner-drawn item
{
    MENUITEMINFOW item = {sizeof item, MIIM_DATA};
    GetMenuItemInfoW(menu, position, TRUE, &item);
    const auto* info = reinterpret_cast<const MSAAMENUINFO*>(item.dwItemData);
    if (!info || info->dwMSAASignature != static_cast<DWORD>(MSAA_MENU_SIG) || !info->pszWText)
        return L"-";
    return std::wstring(info->pszWText, info->cchWText);
}

constexpr UINT_PTR kMenuDeadlineTimer = 0x7E57;  // ends a menu that never idles
WNDPROC g_ownersProcedure = nullptr;              // while a menu is watched
std::function<void()> g_onIdle;                   // reads the watched menu the first time its loop idles

LRESULT CALLBACK MenuWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool idle = message == WM_ENTERIDLE && wParam == MSGF_MENU;
    if (!g_onIdle || !(idle || (message == WM_TIMER && wParam == kMenuDeadlineTimer)))
        return CallWindowProcW(g_ownersProcedure, window, message, wParam, lParam);
    const std::function<void()> onIdle = std::move(g_onIdle);
    g_onIdle = nullptr;  // once
    if (idle)
        onIdle();
    EndMenu();
    return 0;
}
}  // namespace

OpenMenu WhileMenuOpen(HWND owner, const std::function<void()>& open, UINT choose,
                       const std::function<void(const OpenMenu&)>& look)
{
    OpenMenu seen;
    g_onIdle = [&] {  // the menu of this thread, its items and its picture
        while ((seen.window = FindWindowExW(nullptr, seen.window, L"#32768", nullptr)) &&
               !(IsWindowVisible(seen.window) &&
                 GetWindowThreadProcessId(seen.window, nullptr) == GetCurrentThreadId())) {
        }
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(seen.window, 0x01E1, 0, 0));  // MN_GETHMENU
        seen.opened = seen.window && menu;
        for (UINT i = 0; seen.opened && i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
            wchar_t text[512] = L"";  // a title fills 260 characters
            GetMenuStringW(menu, i, text, 512, MF_BYPOSITION);
            seen.texts.push_back(text);
            seen.accessible.push_back(AccessibleText(menu, i));
            RECT rect = {};
            GetMenuItemRect(nullptr, menu, i, &rect);
            MapWindowPoints(nullptr, seen.window, reinterpret_cast<POINT*>(&rect), 2);
            seen.rects.push_back(rect);
            seen.ids.push_back(GetMenuItemID(menu, static_cast<int>(i)));
            seen.states.push_back(GetMenuState(menu, i, MF_BYPOSITION));
        }
        if (seen.opened)
            seen.picture = Picture::OfWindow(seen.window);
        if (seen.opened && look)
            look(seen);
    };
    g_ownersProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWatchProc)));
    SetTimer(owner, kMenuDeadlineTimer, 10000, nullptr);
    open();
    KillTimer(owner, kMenuDeadlineTimer);
    SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_ownersProcedure));
    g_onIdle = nullptr;
    seen.window = nullptr;
    if (choose && seen.opened)
        PostMessageW(owner, WM_COMMAND, choose, 0);
    PumpPending();
    return seen;
}

}  // namespace support
