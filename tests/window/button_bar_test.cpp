// The bar's controls, their geometry and subclassing, and the tool texts.
#include "bar/button_bar.h"
#include "bar/bar_tooltips.h"
#include "bar/button_mouse.h"
#include "resources/resource_ids.h"
#include "shortcuts/key_names.h"
#include "window/bar_fixture.h"

#include <commctrl.h>

namespace {

struct ExpectedControl {
    int id;
    RECT rect;  // client coordinates
    bool toggle;
    int icon;
};

const ExpectedControl kControls[] = {
    {IDC_GROUP_BUTTON, {0, 0, 44, 38}, true, 0},  // the group button shows the group icon
    {IDC_PREVIOUS_GROUP, {0, 38, 22, 54}, false, IDI_PREVIOUS_GROUP},
    {IDC_NEXT_GROUP, {22, 38, 44, 54}, false, IDI_NEXT_GROUP},
    {IDC_FIRST_LAUNCHER, {0, 54, 44, 92}, false, IDI_EMPTY_BUTTON},
    {IDC_FIRST_LAUNCHER + 1, {0, 92, 44, 130}, false, IDI_EMPTY_BUTTON},
    {IDC_FIRST_LAUNCHER + 4, {0, 206, 44, 244}, false, IDI_EMPTY_BUTTON},
    {IDC_FIRST_LAUNCHER + 9, {0, 396, 44, 434}, false, IDI_EMPTY_BUTTON},
};

class ControlGeometryTest : public BarWindowTest, public ::testing::WithParamInterface<ExpectedControl> {};

TEST_P(ControlGeometryTest, StandsWhereTheBarPutsItWithItsStylesAndImage)
{
    const ExpectedControl& expected = GetParam();
    HWND control = GetDlgItem(window_, expected.id);
    ASSERT_NE(nullptr, control);
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(expected.rect.left, rect.left);
    EXPECT_EQ(expected.rect.top, rect.top);
    EXPECT_EQ(expected.rect.right, rect.right);
    EXPECT_EQ(expected.rect.bottom, rect.bottom);

    char className[32];
    GetClassNameA(control, className, sizeof className);
    EXPECT_EQ(0, lstrcmpiA("Button", className));
    EXPECT_EQ(0, GetWindowTextLengthA(control));
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & BS_ICON);
    EXPECT_EQ(expected.toggle, (style & BS_PUSHLIKE) != 0);
    EXPECT_EQ(expected.toggle ? BS_AUTOCHECKBOX : BS_PUSHBUTTON, style & BS_TYPEMASK);
    if (expected.icon) {
        EXPECT_EQ(ResourcePixels(expected.icon), ControlPixels(window_, expected.id));
    }
}

INSTANTIATE_TEST_SUITE_P(Bar, ControlGeometryTest, ::testing::ValuesIn(kControls));

TEST_F(BarWindowTest, ThirteenControlsAndAnExpandedCheckedGroupButton)
{
    int children = 0;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(13, children);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(44, client.right);
    EXPECT_EQ(434, client.bottom);
}

TEST_F(BarWindowTest, GroupButtonClickCollapsesToTheGroupButtonAndBack)
{
    SendDlgItemMessageA(window_, IDC_GROUP_BUTTON, BM_CLICK, 0, 0);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(38, client.bottom);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
    const SIZE collapsed = BarWindowSize(false, kBaseDpi);
    RECT outer;
    GetWindowRect(window_, &outer);
    EXPECT_EQ(collapsed.cy, outer.bottom - outer.top);
    EXPECT_EQ(collapsed.cx, outer.right - outer.left);

    SendDlgItemMessageA(window_, IDC_GROUP_BUTTON, BM_CLICK, 0, 0);
    GetClientRect(window_, &client);
    EXPECT_EQ(434, client.bottom);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, ControlsForwardKeysUntilTheyGetTheirProceduresBack)
{
    SetGroupCount(5);
    for (int id = IDC_GROUP_BUTTON; id <= kLastLauncherId; ++id)
        EXPECT_NE(nullptr, PreviousBarProcedure(id)) << id;
    // The group button and the launcher buttons share one remembered procedure.
    EXPECT_EQ(PreviousBarProcedure(IDC_GROUP_BUTTON), PreviousBarProcedure(IDC_FIRST_LAUNCHER));

    // A digit pressed on any bar control reaches the main window's key handling.
    SendDlgItemMessageA(window_, IDC_GROUP_BUTTON, WM_KEYDOWN, '3', 1);
    EXPECT_EQ(2, CurrentGroupIndex());
    SendDlgItemMessageA(window_, IDC_NEXT_GROUP, WM_KEYDOWN, '4', 1);
    EXPECT_EQ(3, CurrentGroupIndex());
    SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 9, WM_KEYDOWN, '1', 1);
    EXPECT_EQ(0, CurrentGroupIndex());

    HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 2, BM_GETIMAGE, IMAGE_ICON, 0));
    ASSERT_NE(nullptr, shown);
    ReleaseButtonBar(window_);
    for (int id = IDC_GROUP_BUTTON; id <= kLastLauncherId; ++id) {
        HWND control = GetDlgItem(window_, id);
        const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
        EXPECT_NE(LauncherButtonProc, procedure) << id;
        EXPECT_NE(KeyForwardingProc, procedure) << id;
        EXPECT_EQ(0, SendMessageA(control, BM_GETIMAGE, IMAGE_ICON, 0)) << id;
        SendMessageA(control, WM_KEYDOWN, '2', 1);
    }
    EXPECT_EQ(0, CurrentGroupIndex()) << "no key is forwarded any more";
    // The standard procedure answers: the group button still toggles.
    CheckDlgButton(window_, IDC_GROUP_BUTTON, BST_UNCHECKED);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(shown, &info)) << "the icon a control showed is destroyed with the bar";
    EXPECT_EQ(nullptr, BarTooltip(window_));
}

TEST_F(BarWindowTest, TooltipHasElevenToolsAndShowsAmpersands)
{
    HWND tooltip = BarTooltip(window_);
    ASSERT_NE(nullptr, tooltip);
    const LONG style = GetWindowLongA(tooltip, GWL_STYLE);
    EXPECT_TRUE(style & TTS_ALWAYSTIP);
    EXPECT_TRUE(style & TTS_NOPREFIX);
    EXPECT_EQ(11, SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("<no tool>", ToolText(window_, IDC_PREVIOUS_GROUP));
    EXPECT_EQ("<no tool>", ToolText(window_, IDC_NEXT_GROUP));
}

struct TipCase {
    const char* title;
    int key;
    int flag;
    int system;
    const char* expected;
};

class ToolTextTest : public BarWindowTest, public ::testing::WithParamInterface<TipCase> {};

TEST_P(ToolTextTest, TitleThenShortcutInItsBrackets)
{
    const TipCase& c = GetParam();
    FillButton(4, c.title, c.title[0] ? "C:\\x.exe" : "");
    ShortcutEntry* entry = GetShortcutEntry(CurrentGroupIndex(), 4);
    ASSERT_NE(nullptr, entry);
    *entry = ShortcutEntry{4, c.key, c.flag, c.system};
    UpdateBarTooltips(window_, TooltipMode::Update);
    EXPECT_EQ(c.expected, ToolText(window_, IDC_FIRST_LAUNCHER + 4));
    char built[kToolTextSize];
    BuildButtonToolText(4, built, sizeof built);
    EXPECT_STREQ(c.expected, built);
}

INSTANTIATE_TEST_SUITE_P(
    Tips, ToolTextTest,
    ::testing::Values(TipCase{"Editor", 0, 0, 0, "Editor"},
                      TipCase{"Editor", 0, 7, 1, "Editor"},  // no key: the flags do not show
                      TipCase{"Editor", 'A', 2, 0, "Editor (CTRL+A)"},
                      TipCase{"Editor", 'A', 2, 1, "Editor <CTRL+A>"},
                      TipCase{"Editor", 'A', 7, 0, "Editor (CTRL+SHIFT+ALT+A)"},
                      TipCase{"Editor", 'A', 5, 1, "Editor <SHIFT+ALT+A>"},
                      TipCase{"Editor", 0x70, 0, 0, "Editor (F1)"},
                      TipCase{"Editor", 0x20, 6, 0, "Editor (CTRL+ALT+SPACE)"},
                      TipCase{"Tom & Jerry", 0, 0, 0, "Tom & Jerry"},
                      TipCase{"メモ帳", 'M', 1, 0, "メモ帳 (SHIFT+M)"},
                      TipCase{"", 0, 0, 0, ""},
                      TipCase{"", 0x71, 0, 0, " (F2)"}));

TEST_F(BarWindowTest, TitleFillingTheWholeFieldIsCutAtTheField)
{
    ButtonRecord* record = CurrentButton(0);
    memset(record->title, 'x', sizeof record->title);  // no terminator at all
    *GetShortcutEntry(CurrentGroupIndex(), 0) = ShortcutEntry{0, 'A', 7, 1};
    char built[kToolTextSize];
    BuildButtonToolText(0, built, sizeof built);
    EXPECT_EQ(std::string(270, 'x') + " <CTRL+SHIFT+ALT+A>", built);
}

TEST_F(BarWindowTest, GroupButtonTipIsTheGroupNameAndFollowsTheGroup)
{
    lstrcpyA(LauncherImage()->groups[0].group.name, "Tools");
    lstrcpyA(LauncherImage()->groups[1].group.name, "Games & Fun");
    SetGroupCount(3);
    Command(IDM_FIRST_GROUP);
    EXPECT_EQ("Tools", ToolText(window_, IDC_GROUP_BUTTON));
    Command(IDC_NEXT_GROUP);
    EXPECT_EQ("Games & Fun", ToolText(window_, IDC_GROUP_BUTTON));
    Command(IDC_NEXT_GROUP);
    EXPECT_EQ("", ToolText(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, EmptyButtonGetsItsTipBackWhenFilled)
{
    EXPECT_EQ("", ToolText(window_, IDC_FIRST_LAUNCHER + 7));
    FillButton(7, "Later", "C:\\later.exe");
    UpdateBarTooltips(window_, TooltipMode::Update);
    EXPECT_EQ("Later", ToolText(window_, IDC_FIRST_LAUNCHER + 7));
}

}  // namespace
