// Titles and item states of the launcher's context and group-switch menus.
#include "data/launcher_data.h"
#include "menus/launcher_menus.h"
#include "menus/popup_menu.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string MenuText(HMENU menu, UINT id)
{
    char text[400] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool IsGrayed(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == (MF_GRAYED | MF_DISABLED);
}

class LauncherMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AllocateLauncherData());
        SelectCurrentGroup(1);
        FillButton(0, "Editor", "C:\\\\tools\\\\editor.exe");
        FillButton(9, "Last one", "C:\\\\tools\\\\last.exe");
        FillButton(4, "", "C:\\\\tools\\\\untitled.exe");
    }
    void TearDown() override { FreeLauncherData(); }

    static void FillButton(int index, const char* title, const char* file)
    {
        ButtonRecord* button = CurrentButton(index);
        ASSERT_NE(nullptr, button);
        lstrcpyA(button->title, title);
        lstrcpyA(button->file, file);
    }

    char workspace_[kMenuWorkspaceSize] = {};
};

struct ButtonMenuCase {
    int target;
    const char* title;
    bool clearGrayed;
    bool upGrayed;
    bool downGrayed;
};

class ButtonMenuStates : public LauncherMenusTest, public ::testing::WithParamInterface<ButtonMenuCase> {};

TEST_P(ButtonMenuStates, TitleAndItemStates)
{
    const ButtonMenuCase& c = GetParam();
    PopupMenu menu;
    ASSERT_TRUE(PrepareButtonMenu(menu, c.target, workspace_));
    HMENU popup = menu.GetPopup();
    EXPECT_EQ(c.title, MenuText(popup, IDM_MENU_TITLE));
    EXPECT_EQ(c.clearGrayed, IsGrayed(popup, IDM_CLEAR_BUTTON));
    EXPECT_EQ(c.upGrayed, IsGrayed(popup, IDM_MOVE_UP));
    EXPECT_EQ(c.downGrayed, IsGrayed(popup, IDM_MOVE_DOWN));
    for (UINT id : {IDM_BUTTON_SETTINGS, IDM_BUTTON_SHORTCUTS, IDM_HELP, IDM_ABOUT})
        EXPECT_FALSE(IsGrayed(popup, id)) << id;
    EXPECT_EQ(15, GetMenuItemCount(popup));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ButtonMenuStates,
    ::testing::Values(ButtonMenuCase{0, "Editor、なのら。", false, true, false},
                      ButtonMenuCase{9, "Last one、なのら。", false, false, true},
                      ButtonMenuCase{5, "からっぽボタン、なのら。", true, false, false},
                      ButtonMenuCase{4, "、なのら。", false, false, false},
                      ButtonMenuCase{kGroupButtonTarget, "おべんとばこ、なのら。", true, true, true}));

TEST_F(LauncherMenusTest, AnEmptyFirstButtonGraysMoveUpAndDelete)
{
    CurrentButton(0)->file[0] = '\0';
    PopupMenu menu;
    ASSERT_TRUE(PrepareButtonMenu(menu, 0, workspace_));
    EXPECT_EQ("からっぽボタン、なのら。", MenuText(menu.GetPopup(), IDM_MENU_TITLE));
    EXPECT_TRUE(IsGrayed(menu.GetPopup(), IDM_CLEAR_BUTTON));
    EXPECT_TRUE(IsGrayed(menu.GetPopup(), IDM_MOVE_UP));
}

TEST_F(LauncherMenusTest, AFullLengthTitleStillEndsWithTheSuffix)
{
    ButtonRecord* button = CurrentButton(2);
    std::memset(button->title, 'A', sizeof button->title);  // no terminator at all
    lstrcpyA(button->file, "C:\\\\x.exe");
    PopupMenu menu;
    ASSERT_TRUE(PrepareButtonMenu(menu, 2, workspace_));
    const std::string title = MenuText(menu.GetPopup(), IDM_MENU_TITLE);
    EXPECT_EQ(269u, title.size());
    EXPECT_EQ("、なのら。", title.substr(title.size() - 10));
    EXPECT_EQ(std::string(259, 'A'), title.substr(0, 259));
}

TEST(JoinMenuTitle, CutsTheTitleAtAWholeCharacter)
{
    char buffer[8];
    JoinMenuTitle(buffer, sizeof buffer, "表表表", 270, "xy");  // 6 bytes + 2 do not fit in 7
    EXPECT_STREQ("表表xy", buffer);
    JoinMenuTitle(buffer, sizeof buffer, "ab", 270, "12345678");  // the suffix alone is too long
    EXPECT_STREQ("", buffer);
    JoinMenuTitle(buffer, sizeof buffer, "abc", 2, "!");
    EXPECT_STREQ("ab!", buffer);
}

TEST_F(LauncherMenusTest, GroupMenuListsTheGroupsInUse)
{
    AppSettings settings = GetSettings();
    settings.groupCount = 3;
    SetSettings(settings);
    lstrcpyA(LauncherImage()->groups[0].group.name, "仕事");
    LauncherImage()->groups[1].group.name[0] = '\0';
    lstrcpyA(LauncherImage()->groups[2].group.name, "遊び");
    lstrcpyA(LauncherImage()->groups[3].group.name, "not in use");
    SelectCurrentGroup(2);

    PopupMenu menu;
    ASSERT_NE(nullptr, menu.CreateEmpty());
    ASSERT_TRUE(FillGroupMenu(menu, workspace_));
    HMENU popup = menu.GetPopup();
    ASSERT_EQ(5, GetMenuItemCount(popup));
    EXPECT_EQ(30u, GetMenuItemID(popup, 0));
    EXPECT_EQ("グループ切り替え、なのら。", MenuText(popup, 30));
    EXPECT_FALSE(IsGrayed(popup, 30));
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    for (int g = 0; g < 3; ++g)
        EXPECT_EQ(static_cast<UINT>(IDM_FIRST_GROUP + g), GetMenuItemID(popup, 2 + g)) << g;
    EXPECT_EQ("仕事", MenuText(popup, IDM_FIRST_GROUP));
    EXPECT_EQ("グループ 2", MenuText(popup, IDM_FIRST_GROUP + 1));
    EXPECT_EQ("遊び", MenuText(popup, IDM_FIRST_GROUP + 2));
    EXPECT_FALSE(IsGrayed(popup, IDM_FIRST_GROUP));
    EXPECT_FALSE(IsGrayed(popup, IDM_FIRST_GROUP + 1));
    EXPECT_TRUE(IsGrayed(popup, IDM_FIRST_GROUP + 2));
}

TEST_F(LauncherMenusTest, GroupMenuOfAnOutOfRangeCountStaysWithinTenGroups)
{
    AppSettings settings = GetSettings();
    settings.groupCount = 77;
    SetSettings(settings);
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.CreateEmpty());
    ASSERT_TRUE(FillGroupMenu(menu, workspace_));
    EXPECT_EQ(12, GetMenuItemCount(menu.GetPopup()));
    EXPECT_EQ("グループ 10", MenuText(menu.GetPopup(), IDM_FIRST_GROUP + 9));
}

}  // namespace
