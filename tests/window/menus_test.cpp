// The menus a right click opens, their commands, and the skin that paints them.
#include "window/window_test.h"

#include <algorithm>
#include <cstring>

using namespace window_test;

namespace {

constexpr char kSuffix[] = "、なのら。";

struct MenuRow {
    const char* name;
    int control;
    const char* title;  // of the clicked launcher button ("" untitled; null: empty button)
    int groupCount;
    int items;
    const char* caption;         // of the first item; null: the title cut at a whole character
    std::vector<int> grayed;     // item positions
    std::vector<int> enabled;
};

class MenuOnRightClick : public Table<MenuRow> {};

// Group 1 is named "いつもの"; the menu of a button acts on that button.
TEST_P(MenuOnRightClick, IsTitledForItsTargetWithTheItemsItCanUse)
{
    data_.settings.groupCount = row().groupCount;
    data_.Group(0, "いつもの");
    const int index = row().control - B(0);
    if (row().title && index >= 0 && index < 10)
        data_.Button(0, index, row().title, "C:\\x.exe");
    for (int at = 0; !row().caption && at < 270; ++at)  // a title filling its field without an end
        data_.data.groups[0].buttons[index].title[at] = row().title[at % strlen(row().title)];
    Open();
    const OpenMenu menu = RightClick(row().control);
    ASSERT_TRUE(menu.opened);
    ASSERT_EQ(row().items, static_cast<int>(menu.texts.size()));
    const std::string caption = menu.texts[0];
    if (row().caption) {
        EXPECT_EQ(row().caption, caption);
    } else {
        const size_t cut = caption.size() - strlen(kSuffix);
        ASSERT_GT(cut, 0u);
        EXPECT_EQ(kSuffix, caption.substr(cut));
        EXPECT_LE(cut, 270u);
        EXPECT_EQ(0u, cut % strlen(row().title)) << "cut at a whole character";
        EXPECT_EQ(std::string(data_.data.groups[0].buttons[index].title, cut), caption.substr(0, cut));
    }
    for (int position : row().grayed) {
        EXPECT_TRUE(menu.states[position] & MF_GRAYED) << position;
    }
    for (int position : row().enabled) {
        EXPECT_FALSE(menu.states[position] & MF_GRAYED) << position;
    }
}

// Items of a button's menu: 0 title, 5 up, 6 down, 8 delete; of the group menu: 2.. the groups.
const MenuRow kMenus[] = {
    {"FirstFilledButton", B(0), "メモ帳", 4, 15, "メモ帳、なのら。", {5}, {6, 8}},
    {"LastButton", B(9), "最後", 4, 15, "最後、なのら。", {6}, {5, 8}},
    {"EmptyButton", B(3), nullptr, 4, 15, "からっぽボタン、なのら。", {8}, {5, 6}},
    {"EmptyFirstButton", B(0), nullptr, 4, 15, "からっぽボタン、なのら。", {5, 8}, {6}},
    {"UntitledButton", B(2), "", 4, 15, "、なのら。", {}, {5, 6, 8}},
    {"TitleFillingTheField", B(2), "x", 4, 15, nullptr, {}, {8}},
    {"TitleOfDoubleByteCharactersFillingTheField", B(2), "表", 4, 15, nullptr, {}, {8}},
    {"GroupButton", IDC_GROUP_BUTTON, nullptr, 4, 15, "おべんとばこ、なのら。", {5, 6, 8}, {}},
    {"PreviousArrowSwitchesGroups", IDC_PREVIOUS_GROUP, nullptr, 4, 6, "グループ切り替え、なのら。", {2}, {3}},
    {"NextArrowSwitchesGroups", IDC_NEXT_GROUP, nullptr, 4, 6, "グループ切り替え、なのら。", {2}, {5}},
    {"GroupCountBeyondTenShowsTen", IDC_NEXT_GROUP, nullptr, 77, 12, "グループ切り替え、なのら。", {2}, {11}},
};
INSTANTIATE_TEST_SUITE_P(Rows, MenuOnRightClick, ::testing::ValuesIn(kMenus), RowName());

class Menus : public LauncherWindow {};

TEST_F(Menus, TheGroupMenuNamesTheGroupsAndShowsTheChosenOne)
{
    data_.settings.groupCount = 4;
    data_.Group(0, "いつもの");
    Open();
    const OpenMenu menu = RightClick(IDC_NEXT_GROUP, IDM_FIRST_GROUP + 3);
    EXPECT_NE(menu.texts.end(), std::find(menu.texts.begin(), menu.texts.end(), "いつもの"));
    EXPECT_NE(menu.texts.end(), std::find(menu.texts.begin(), menu.texts.end(), "グループ 2"));
    EXPECT_EQ(GroupPicture(3), Shows(IDC_GROUP_BUTTON));
}

TEST_F(Menus, TheTrayMenuChecksAlwaysOnTopAndOnlyItsRightClickOpensIt)
{
    data_.settings.alwaysOnTop = 1;
    Open();
    const OpenMenu on = Tray(WM_RBUTTONUP, IDM_ALWAYS_ON_TOP);
    ASSERT_EQ(4u, on.states.size());  // find a button, a line, always on top, close
    EXPECT_TRUE(on.states[2] & MF_CHECKED);
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const OpenMenu off = Tray(WM_RBUTTONUP);
    EXPECT_FALSE(off.states[2] & MF_CHECKED);
    ASSERT_EQ(on.picture.Width(), off.picture.Width());
    for (int y = 0; y < on.picture.Height(); ++y)  // the pictures differ in the checked row only
        for (int x = 0; x < on.picture.Width(); ++x)
            if (y < on.rects[2].top || y >= on.rects[2].bottom) {
                ASSERT_EQ(on.picture.At(x, y), off.picture.At(x, y)) << x << "," << y;
            }
    EXPECT_NE(on.picture, off.picture);
    for (auto [icon, mouse] : {std::pair<UINT, UINT>{2, WM_RBUTTONUP}, {1, WM_LBUTTONDBLCLK}, {1, WM_LBUTTONUP},
                               {1, WM_RBUTTONDOWN}})
        EXPECT_FALSE(Tray(mouse, 0, icon).opened) << icon << " " << mouse;
    EXPECT_FALSE(RightClick(0).opened) << "the bare window";
    HMENU system = GetSystemMenu(window_, FALSE);
    ASSERT_EQ(2, GetMenuItemCount(system));
    EXPECT_EQ(UINT(SC_MOVE), GetMenuItemID(system, 0));
    EXPECT_EQ(UINT(SC_CLOSE), GetMenuDefaultItem(system, FALSE, 0));
}

// ---- Commands -------------------------------------------------------------------

TEST_F(Menus, MoveCommandsMoveTheButtonWithItsShortcut)
{
    data_.Button(0, 5, "six", "C:\\6.exe").Button(0, 2, "three", "C:\\3.exe").Button(0, 0, "one", "C:\\1.exe");
    shortcuts_ = ShortcutLines(0, 5, 'S', 2, 0) + ActiveLines(0, 0);
    Open();
    RightClick(B(5), IDM_MOVE_UP);
    RightClick(B(2), IDM_MOVE_DOWN);
    RightClick(B(0), IDM_MOVE_UP);
    EXPECT_EQ("six (CTRL+S)", Tip(B(4)));
    Close();
    const char* expected[] = {"one", "", "", "three", "six", ""};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(expected[i], Saved()->At(0, i).title) << i;
    }
}

TEST_F(Menus, TheAboutBoxIgnoresEscapeAndClosesWithItsButton)
{
    Open();
    bool stayed = false;
    DialogWaiter about("バージョン情報", IDOK, [&](HWND box) {
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        stayed = IsWindowVisible(box) != FALSE;
    });
    RightClick(B(0), IDM_ABOUT);
    EXPECT_TRUE(about.Seen());
    EXPECT_TRUE(stayed);
}

TEST_F(Menus, AlwaysOnTopTogglesTheWindowAndTheSettingAndCloseSavesAndEnds)
{
    Open();
    for (bool on : {true, false}) {
        Tray(WM_RBUTTONUP, IDM_ALWAYS_ON_TOP);
        EXPECT_EQ(on, (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    }
    Tray(WM_RBUTTONUP, IDM_ALWAYS_ON_TOP);
    Tray(WM_RBUTTONUP, IDM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window_); }));
    EXPECT_EQ(1, DataImage::Read(folder_.File("porun.dat"))->settings.alwaysOnTop);
}

// ---- Skins ------------------------------------------------------------------------

class MenuSkin : public LauncherWindow {
protected:
    OpenMenu ButtonMenu()
    {
        data_.Button(0, 1, "ブラウザ", "C:\\x.exe");
        Open();
        return RightClick(B(1));
    }
    static COLORREF Mid(const OpenMenu& menu, int item, int x)
    {
        const RECT& r = menu.rects[item];
        return menu.picture.At(x < 0 ? r.right + x : x, (r.top + r.bottom) / 2);
    }
};

TEST_F(MenuSkin, WithoutSkinFilesTheStripIsGreyAndTheItemsBlack)
{
    const OpenMenu menu = ButtonMenu();
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), menu.picture.At(3, menu.picture.Height() / 2));
    EXPECT_EQ(RGB(0, 0, 0), Mid(menu, 8, -3));
}

TEST_F(MenuSkin, TheExampleSkinPaintsEveryMenu)
{
    for (const char* name : {"menuforeground.bmp", "menubackground.bmp", "menutitle.bmp"}) {
        ASSERT_FALSE(CopyInto(SourceFile(std::string("docs/skin/") + name), folder_, name).empty());
    }
    const OpenMenu menu = ButtonMenu();
    EXPECT_NE(RGB(0x40, 0x40, 0x40), menu.picture.At(3, menu.picture.Height() / 2));
    const COLORREF item = Mid(menu, 8, -3);
    EXPECT_GT(GetBValue(item), GetRValue(item)) << "the night-sky item bitmap";
    data_.settings.alwaysOnTop = 1;
    const COLORREF tray = Mid(Tray(WM_RBUTTONUP), 3, -3);
    EXPECT_GT(GetBValue(tray), GetRValue(tray));
    EXPECT_TRUE(RightClick(IDC_PREVIOUS_GROUP).opened);
}

TEST_F(MenuSkin, ATallTitleBitmapSetsTheStripWidthAndShowsItsBottomRows)
{
    ASSERT_TRUE(WriteBmp(folder_.File("menutitle.bmp"), 30, 2000,
                         [](int, int y) { return y < 1990 ? RGB(200, 0, 0) : RGB(0, 0, 200); }));
    const OpenMenu menu = ButtonMenu();
    const int left = menu.rects[0].left;  // the strip's
    const int bottom = menu.rects.back().bottom - 1;
    EXPECT_EQ(RGB(0, 0, 200), menu.picture.At(left + 29, bottom));
    EXPECT_EQ(RGB(200, 0, 0), menu.picture.At(left + 29, bottom - 20));
    EXPECT_NE(RGB(200, 0, 0), menu.picture.At(left + 30, bottom - 20));
}

TEST_F(MenuSkin, ANarrowItemBitmapStandsFlushRightOverItsTopLeftColour)
{
    ASSERT_TRUE(WriteBmp(folder_.File("menuforeground.bmp"), 16, 1500,
                         [](int x, int) { return x == 0 ? RGB(10, 200, 30) : RGB(250, 0, 250); }));
    const OpenMenu menu = ButtonMenu();
    EXPECT_EQ(RGB(250, 0, 250), Mid(menu, 8, -3));
    EXPECT_EQ(RGB(10, 200, 30), Mid(menu, 8, -30));
}

}  // namespace
