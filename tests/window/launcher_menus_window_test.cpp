// The launcher's popup menus opened through the real main window: a right
// click on the bar's buttons or the tray icon opens the skinned menu with the
// right title and item states.
#include "app/main_window.h"
#include "app/program_path.h"
#include "data/launcher_data.h"
#include "menus/launcher_menus.h"
#include "menus/popup_menu.h"

#include "common/menu_harness.h"
#include "common/launcher_window_test.h"
#include "common/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kTitleGrey = RGB(0x40, 0x40, 0x40);

struct OpenMenu {
    bool opened = false;
    int items = 0;
    std::string title;  // caption of the first item
    UINT states[3] = {};
    COLORREF stripPixel = CLR_INVALID;
    COLORREF itemPixel = CLR_INVALID;
};

class LauncherMenusWindowTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        OpenLauncherWindow();
        SetWindowPos(window_, nullptr, 300, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PumpMessages(20);
    }

    void UseExampleSkin()
    {
        for (const char* name : {"menuforeground.bmp", "menubackground.bmp", "menutitle.bmp"}) {
            const std::string source = SourcePath((std::string("docs/skin/") + name).c_str());
            ASSERT_TRUE(CopyFileA(source.c_str(), folder_.File(name).c_str(), FALSE)) << source;
        }
    }

    // Sends message to the main window with the cursor beside the control and
    // reads the menu that opens.
    OpenMenu Open(UINT message, WPARAM wParam, LPARAM lParam, int controlId,
                  UINT id0 = kCmdClearButton, UINT id1 = kCmdMoveButtonUp, UINT id2 = kCmdMoveButtonDown)
    {
        RECT place;
        GetWindowRect(controlId ? GetDlgItem(window_, controlId) : window_, &place);
        SetCursorPos(place.right + 4, place.top + 4);
        OpenMenu seen;
        MenuIdleHook hook(window_, [&] {
            HWND menuWindow = OpenMenuWindow();
            HMENU menu = OpenMenuHandle();
            if (!menuWindow || !menu)
                return;
            seen.opened = true;
            seen.items = GetMenuItemCount(menu);
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA;
            GetMenuItemInfoA(menu, 0, TRUE, &info);
            if (const auto* record = reinterpret_cast<const MenuItemRecord*>(info.dwItemData))
                seen.title = record->caption.GetText() ? record->caption.GetText() : "";
            const UINT ids[3] = {id0, id1, id2};
            for (int i = 0; i < 3; ++i)
                seen.states[i] = GetMenuState(menu, ids[i], MF_BYCOMMAND);
            RECT client;
            GetClientRect(menuWindow, &client);
            Canvas canvas(client.right, client.bottom);
            HDC dc = GetDC(menuWindow);
            BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
            ReleaseDC(menuWindow, dc);
            seen.stripPixel = canvas.Pixel(5, client.bottom / 2);
            seen.itemPixel = canvas.Pixel(client.right - 6, client.bottom / 2);
        });
        SendMessageA(window_, message, wParam, lParam);
        EXPECT_TRUE(hook.Ran());
        return seen;
    }

    OpenMenu RightClick(int controlId)
    {
        HWND control = GetDlgItem(window_, controlId);
        RECT place;
        GetWindowRect(control, &place);
        return Open(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(place.left + 2, place.top + 2),
                    controlId);
    }

    static bool Grayed(UINT state) { return (state & (MF_GRAYED | MF_DISABLED)) == (MF_GRAYED | MF_DISABLED); }
};

TEST_F(LauncherMenusWindowTest, FirstLauncherButtonMenuIsSkinnedTitledAndSelectsTheButton)
{
    ButtonRecord* button = CurrentButton(0);
    lstrcpyA(button->title, "メモ帳");
    lstrcpyA(button->file, "C:\\windows\\notepad.exe");
    SetSelectedButton(7);
    const OpenMenu menu = RightClick(1003);
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(13, menu.items);
    EXPECT_EQ("メモ帳、なのら。", menu.title);
    EXPECT_FALSE(Grayed(menu.states[0]));  // delete
    EXPECT_TRUE(Grayed(menu.states[1]));   // move up
    EXPECT_FALSE(Grayed(menu.states[2]));  // move down
    EXPECT_EQ(kTitleGrey, menu.stripPixel);
    EXPECT_EQ(RGB(0, 0, 0), menu.itemPixel);
    EXPECT_EQ(0, SelectedButton());
}

TEST_F(LauncherMenusWindowTest, LastAndEmptyButtonMenus)
{
    lstrcpyA(CurrentButton(9)->title, "最後");
    lstrcpyA(CurrentButton(9)->file, "C:\\x.exe");
    OpenMenu last = RightClick(1012);
    ASSERT_TRUE(last.opened);
    EXPECT_EQ("最後、なのら。", last.title);
    EXPECT_FALSE(Grayed(last.states[1]));
    EXPECT_TRUE(Grayed(last.states[2]));
    EXPECT_EQ(9, SelectedButton());

    OpenMenu empty = RightClick(1006);
    ASSERT_TRUE(empty.opened);
    EXPECT_EQ("からっぽボタン、なのら。", empty.title);
    EXPECT_TRUE(Grayed(empty.states[0]));
    EXPECT_FALSE(Grayed(empty.states[1]));
    EXPECT_FALSE(Grayed(empty.states[2]));
    EXPECT_EQ(3, SelectedButton());
}

TEST_F(LauncherMenusWindowTest, GroupButtonMenuSelectsTwenty)
{
    const OpenMenu menu = RightClick(1000);
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ("おべんとばこ、なのら。", menu.title);
    for (UINT state : menu.states)
        EXPECT_TRUE(Grayed(state));
    EXPECT_EQ(20, SelectedButton());
}

TEST_F(LauncherMenusWindowTest, BothArrowsOpenTheGroupSwitchMenu)
{
    AppSettings settings = GetSettings();
    settings.groupCount = 4;
    SetSettings(settings);
    lstrcpyA(LauncherImage()->groups[0].group.name, "いつもの");
    for (int arrow : {1001, 1002}) {
        HWND control = GetDlgItem(window_, arrow);
        const OpenMenu menu = Open(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0, arrow, 6000, 6001, 30);
        ASSERT_TRUE(menu.opened) << arrow;
        EXPECT_EQ(6, menu.items);
        EXPECT_EQ("グループ切り替え、なのら。", menu.title);
        EXPECT_TRUE(Grayed(menu.states[0]));  // the current group
        EXPECT_FALSE(Grayed(menu.states[1]));
        EXPECT_FALSE(Grayed(menu.states[2]));
    }
}

TEST_F(LauncherMenusWindowTest, TrayMenuCheckFollowsAlwaysOnTop)
{
    SetAlwaysOnTop(true);
    OpenMenu on = Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, kCmdAlwaysOnTop, kCmdCloseLauncher,
                       kCmdCloseLauncher);
    ASSERT_TRUE(on.opened);
    EXPECT_EQ(2, on.items);
    EXPECT_TRUE(on.states[0] & MF_CHECKED);
    EXPECT_FALSE(on.states[1] & MF_CHECKED);
    SetAlwaysOnTop(false);
    OpenMenu off = Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, kCmdAlwaysOnTop,
                        kCmdCloseLauncher, kCmdCloseLauncher);
    ASSERT_TRUE(off.opened);
    EXPECT_FALSE(off.states[0] & MF_CHECKED);
}

TEST_F(LauncherMenusWindowTest, OtherTrayIconsAndClicksOpenNothing)
{
    for (auto [icon, mouse] : {std::pair<WPARAM, LPARAM>{2, WM_RBUTTONUP}, {1, WM_LBUTTONDBLCLK},
                               {1, WM_LBUTTONUP}, {1, WM_RBUTTONDOWN}}) {
        MenuIdleHook hook(window_, [] {});
        EXPECT_EQ(0, SendMessageA(window_, WM_TRAYNOTIFY, icon, mouse));
        EXPECT_FALSE(hook.Ran()) << icon << " " << mouse;
    }
}

TEST_F(LauncherMenusWindowTest, ARightClickOutsideTheButtonsOpensNothing)
{
    MenuIdleHook hook(window_, [] {});
    SendMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), MAKELPARAM(1, 1));
    EXPECT_FALSE(hook.Ran());
}

TEST_F(LauncherMenusWindowTest, TheExampleSkinReplacesTheDefaultColours)
{
    UseExampleSkin();
    lstrcpyA(CurrentButton(1)->title, "ブラウザ");
    lstrcpyA(CurrentButton(1)->file, "C:\\x.exe");
    const OpenMenu menu = RightClick(1004);
    ASSERT_TRUE(menu.opened);
    EXPECT_NE(kTitleGrey, menu.stripPixel);
    EXPECT_NE(RGB(0, 0, 0), menu.itemPixel);
    // The night-sky item bitmap: blue above red and green.
    EXPECT_GT(GetBValue(menu.itemPixel), GetRValue(menu.itemPixel));
    SetAlwaysOnTop(true);
    EXPECT_TRUE(Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, kCmdAlwaysOnTop, kCmdCloseLauncher,
                     kCmdCloseLauncher).opened);
    HWND control = GetDlgItem(window_, 1001);
    EXPECT_TRUE(Open(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0, 1001, 6000, 6000,
                     30).opened);
}

TEST_F(LauncherMenusWindowTest, AlwaysOnTopCommandTogglesTheSettingAndTheWindow)
{
    SetAlwaysOnTop(false);
    SendMessageA(window_, WM_COMMAND, kCmdAlwaysOnTop, 0);
    EXPECT_TRUE(GetAlwaysOnTop());
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(window_, WM_COMMAND, kCmdAlwaysOnTop, 0);
    EXPECT_FALSE(GetAlwaysOnTop());
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
