// The launcher's popup menus opened through the real main window: a right
// click on the bar's buttons or the tray icon opens the skinned menu with the
// right title and item states.
#include "app/main_window.h"
#include "app/commands.h"
#include "common/launcher_window_test.h"
#include "common/menu_harness.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "menus/launcher_menus.h"
#include "menus/popup_menu.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

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
                  UINT id0 = IDM_CLEAR_BUTTON, UINT id1 = IDM_MOVE_UP, UINT id2 = IDM_MOVE_DOWN)
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
            char title[300] = "";
            GetMenuStringA(menu, 0, title, sizeof title, MF_BYPOSITION);  // the owner-drawn item keeps its caption
            seen.title = title;
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
    const OpenMenu menu = RightClick(IDC_FIRST_LAUNCHER);
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(13, menu.items);
    EXPECT_EQ("メモ帳、なのら。", menu.title);
    EXPECT_FALSE(Grayed(menu.states[0]));  // delete
    EXPECT_TRUE(Grayed(menu.states[1]));   // move up
    EXPECT_FALSE(Grayed(menu.states[2]));  // move down
    EXPECT_EQ(kTitleGrey, menu.stripPixel);
    EXPECT_EQ(RGB(0, 0, 0), menu.itemPixel);
    SendMessageA(window_, WM_COMMAND, IDM_MOVE_DOWN, 0);  // the menu's commands act on the button it was opened on
    EXPECT_STREQ("メモ帳", CurrentButton(1)->title);
}

TEST_F(LauncherMenusWindowTest, LastAndEmptyButtonMenus)
{
    lstrcpyA(CurrentButton(9)->title, "最後");
    lstrcpyA(CurrentButton(9)->file, "C:\\x.exe");
    OpenMenu last = RightClick(IDC_FIRST_LAUNCHER + 9);
    ASSERT_TRUE(last.opened);
    EXPECT_EQ("最後、なのら。", last.title);
    EXPECT_FALSE(Grayed(last.states[1]));
    EXPECT_TRUE(Grayed(last.states[2]));

    OpenMenu empty = RightClick(IDC_FIRST_LAUNCHER + 3);
    ASSERT_TRUE(empty.opened);
    EXPECT_EQ("からっぽボタン、なのら。", empty.title);
    EXPECT_TRUE(Grayed(empty.states[0]));
    EXPECT_FALSE(Grayed(empty.states[1]));
    EXPECT_FALSE(Grayed(empty.states[2]));
}

TEST_F(LauncherMenusWindowTest, GroupButtonMenuGraysTheButtonCommands)
{
    const OpenMenu menu = RightClick(IDC_GROUP_BUTTON);
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ("おべんとばこ、なのら。", menu.title);
    for (UINT state : menu.states)
        EXPECT_TRUE(Grayed(state));
}

TEST_F(LauncherMenusWindowTest, BothArrowsOpenTheGroupSwitchMenu)
{
    AppSettings settings = GetSettings();
    settings.groupCount = 4;
    SetSettings(settings);
    lstrcpyA(LauncherImage()->groups[0].group.name, "いつもの");
    for (int arrow : {IDC_PREVIOUS_GROUP, IDC_NEXT_GROUP}) {
        HWND control = GetDlgItem(window_, arrow);
        const OpenMenu menu = Open(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0, arrow, IDM_FIRST_GROUP,
                                   IDM_FIRST_GROUP + 1, IDM_GROUP_MENU_TITLE);
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
    OpenMenu on = Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, IDM_ALWAYS_ON_TOP, IDM_CLOSE,
                       IDM_CLOSE);
    ASSERT_TRUE(on.opened);
    EXPECT_EQ(2, on.items);
    EXPECT_TRUE(on.states[0] & MF_CHECKED);
    EXPECT_FALSE(on.states[1] & MF_CHECKED);
    SetAlwaysOnTop(false);
    OpenMenu off = Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, IDM_ALWAYS_ON_TOP,
                        IDM_CLOSE, IDM_CLOSE);
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
    const OpenMenu menu = RightClick(IDC_FIRST_LAUNCHER + 1);
    ASSERT_TRUE(menu.opened);
    EXPECT_NE(kTitleGrey, menu.stripPixel);
    EXPECT_NE(RGB(0, 0, 0), menu.itemPixel);
    // The night-sky item bitmap: blue above red and green.
    EXPECT_GT(GetBValue(menu.itemPixel), GetRValue(menu.itemPixel));
    SetAlwaysOnTop(true);
    EXPECT_TRUE(Open(WM_TRAYNOTIFY, 1, WM_RBUTTONUP, 0, IDM_ALWAYS_ON_TOP, IDM_CLOSE,
                     IDM_CLOSE).opened);
    HWND control = GetDlgItem(window_, IDC_PREVIOUS_GROUP);
    EXPECT_TRUE(Open(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0, IDC_PREVIOUS_GROUP, IDM_FIRST_GROUP, IDM_FIRST_GROUP,
                     30).opened);
}

TEST_F(LauncherMenusWindowTest, AlwaysOnTopCommandTogglesTheSettingAndTheWindow)
{
    SetAlwaysOnTop(false);
    SendMessageA(window_, WM_COMMAND, IDM_ALWAYS_ON_TOP, 0);
    EXPECT_TRUE(GetAlwaysOnTop());
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(window_, WM_COMMAND, IDM_ALWAYS_ON_TOP, 0);
    EXPECT_FALSE(GetAlwaysOnTop());
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
