// The popup-menu classes on real menus: loading, owner-draw conversion with
// its records, item states, tracking, and the program folder for the skin.
#include "common/menu_harness.h"
#include "menus/menu_skin.h"
#include "menus/popup_menu.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string MenuText(HMENU menu, UINT id)
{
    char text[300] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool IsGrayed(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool IsChecked(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST(PopupMenu, LoadingTheContextMenuTwiceReturnsTheSamePopup)
{
    PopupMenu menu;
    HMENU first = menu.LoadFromResource(IDR_BUTTON_MENU);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(15, GetMenuItemCount(first));
    EXPECT_EQ(first, menu.LoadFromResource(IDR_BUTTON_MENU));
    EXPECT_EQ(first, menu.LoadFromResource(IDR_TRAY_MENU));  // a held popup is kept
    EXPECT_EQ(first, menu.CreateEmpty());
    EXPECT_EQ(first, menu.GetPopup());
}

TEST(PopupMenu, AMissingResourceGivesNoPopup)
{
    PopupMenu menu;
    EXPECT_EQ(nullptr, menu.LoadFromResource(9999));
    EXPECT_EQ(nullptr, menu.GetPopup());
    EXPECT_TRUE(menu.Destroy());
}

TEST(PopupMenu, TheMenuResourcesHoldTheirTexts)
{
    PopupMenu menu;
    HMENU popup = menu.LoadFromResource(IDR_BUTTON_MENU);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ("タイトル、なのら。", MenuText(popup, IDM_MENU_TITLE));
    EXPECT_EQ("設定ら！(&S)\tSHIFT+クリック", MenuText(popup, IDM_BUTTON_SETTINGS));
    EXPECT_EQ("ショートカットキーの設定ら！(&K)", MenuText(popup, IDM_BUTTON_SHORTCUTS));
    EXPECT_EQ("上にずらすろ！(&T)", MenuText(popup, IDM_MOVE_UP));
    EXPECT_EQ("下にずらすろ！(&U)", MenuText(popup, IDM_MOVE_DOWN));
    EXPECT_EQ("削除するろ！(&D)\tESC+クリック", MenuText(popup, IDM_CLEAR_BUTTON));
    EXPECT_EQ("ヘルプを読むろ！(&H)", MenuText(popup, IDM_HELP));
    EXPECT_EQ("バージョンら！(&A)", MenuText(popup, IDM_ABOUT));
    EXPECT_EQ("ボタンをさがすろ！(&F)", MenuText(popup, IDM_SEARCH_BUTTONS));
    const std::vector<UINT> ids = {IDM_MENU_TITLE, 0, IDM_BUTTON_SETTINGS, IDM_BUTTON_SHORTCUTS, 0, IDM_MOVE_UP, IDM_MOVE_DOWN, 0,
                                   IDM_CLEAR_BUTTON, 0, IDM_SEARCH_BUTTONS, 0, IDM_HELP, 0, IDM_ABOUT};
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
        EXPECT_EQ(ids[i], GetMenuItemID(popup, i)) << i;
        EXPECT_EQ(ids[i] == 0, (GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR) != 0) << i;
    }
    TrayMenu tray;
    ASSERT_TRUE(tray.LoadTrayMenu(false));
    ASSERT_EQ(4, GetMenuItemCount(tray.GetPopup()));  // the search item and a separator first
    EXPECT_EQ(IDM_SEARCH_BUTTONS, GetMenuItemID(tray.GetPopup(), 0));
    EXPECT_EQ("いつも手前に表示(&T)", MenuText(tray.GetPopup(), IDM_ALWAYS_ON_TOP));
    EXPECT_EQ("ばいばいら！(&C)", MenuText(tray.GetPopup(), IDM_CLOSE));
}

TEST(PopupMenu, TheTrayMenuCheckMarkFollowsAlwaysOnTop)
{
    TrayMenu on;
    ASSERT_TRUE(on.LoadTrayMenu(true));
    EXPECT_TRUE(IsChecked(on.GetPopup(), IDM_ALWAYS_ON_TOP));
    EXPECT_FALSE(IsChecked(on.GetPopup(), IDM_CLOSE));
    TrayMenu off;
    ASSERT_TRUE(off.LoadTrayMenu(false));
    EXPECT_FALSE(IsChecked(off.GetPopup(), IDM_ALWAYS_ON_TOP));
}

TEST(PopupMenu, TrackWithoutAPopupDoesNothing)
{
    MenuOwner owner;
    PopupMenu menu;
    EXPECT_FALSE(menu.Track(owner.Window(), 10, 10));
    EXPECT_EQ(nullptr, OpenMenuWindow());
    EXPECT_TRUE(menu.Destroy());  // nothing to destroy
}

TEST(PopupMenu, DestroyReleasesTheMenuOnce)
{
    PopupMenu menu;
    HMENU popup = menu.CreateEmpty();
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(IsMenu(popup));
    EXPECT_TRUE(menu.Destroy());
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(nullptr, menu.GetPopup());
    EXPECT_TRUE(menu.Destroy());
}

TEST(PopupMenu, AppendAddsStringsAndSeparators)
{
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.CreateEmpty());
    EXPECT_TRUE(menu.AppendItem(30, "グループ切り替え"));
    EXPECT_TRUE(menu.AppendSeparator());
    EXPECT_TRUE(menu.AppendItem(IDM_FIRST_GROUP, "one"));
    ASSERT_EQ(3, GetMenuItemCount(menu.GetPopup()));
    EXPECT_EQ("グループ切り替え", MenuText(menu.GetPopup(), 30));
    EXPECT_TRUE(GetMenuState(menu.GetPopup(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_FALSE(IsGrayed(menu.GetPopup(), IDM_FIRST_GROUP));
}

}  // namespace
