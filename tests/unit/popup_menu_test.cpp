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

const MenuItemRecord* Record(const PopupMenu& menu, std::uint32_t index)
{
    return static_cast<const MenuItemRecord*>(menu.ItemRecords().Get(index));
}

// A menu "first", submenu ("inner": "x", separator, "y"), separator, "last".
HMENU BuildNestedMenu(PopupMenu& menu, HMENU* inner)
{
    HMENU popup = menu.CreateEmpty();
    *inner = CreatePopupMenu();
    AppendMenuA(*inner, MF_STRING, 11, "x");
    AppendMenuA(*inner, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(*inner, MF_STRING, 12, "y\tCTRL+Y");
    AppendMenuA(popup, MF_STRING, 1, "first");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(*inner), "inner");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 2, "last");
    return popup;
}

TEST(PopupMenu, LoadingTheContextMenuTwiceReturnsTheSamePopup)
{
    PopupMenu menu;
    HMENU first = menu.LoadFromResource(IDR_BUTTON_MENU);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(13, GetMenuItemCount(first));
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
    const std::vector<UINT> ids = {IDM_MENU_TITLE, 0, IDM_BUTTON_SETTINGS, IDM_BUTTON_SHORTCUTS, 0, IDM_MOVE_UP, IDM_MOVE_DOWN, 0,
                                   IDM_CLEAR_BUTTON, 0, IDM_HELP, 0, IDM_ABOUT};
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
        EXPECT_EQ(ids[i], GetMenuItemID(popup, i)) << i;
        EXPECT_EQ(ids[i] == 0, (GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR) != 0) << i;
    }
    TrayMenu tray;
    ASSERT_TRUE(tray.LoadTrayMenu(false));
    ASSERT_EQ(2, GetMenuItemCount(tray.GetPopup()));
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

TEST(PopupMenu, ConversionRecordsSubmenuItemsFirstAndKeepsSeparatorFlags)
{
    MenuOwner owner;
    PopupMenu menu;
    HMENU inner = nullptr;
    HMENU popup = BuildNestedMenu(menu, &inner);
    ASSERT_TRUE(menu.MakeOwnerDraw(owner.Window(), nullptr));
    EXPECT_EQ(0, OwnerDrawNesting());

    struct Expected {
        HMENU menu;
        int position;
        const char* caption;
        std::uint32_t flags;
    };
    const Expected expected[] = {
        {popup, 0, "first", 0},        {inner, 0, "x", 0}, {inner, 1, "", kMenuItemSeparator},
        {inner, 2, "y\tCTRL+Y", 0},    {popup, 1, "inner", 0},
        {popup, 2, "", kMenuItemSeparator}, {popup, 3, "last", 0},
    };
    ASSERT_EQ(7u, menu.ItemRecords().GetCount());
    for (std::uint32_t i = 0; i < 7; ++i) {
        const MenuItemRecord* record = Record(menu, i);
        ASSERT_NE(nullptr, record) << i;
        EXPECT_EQ(&menu, record->owner) << i;
        EXPECT_EQ(expected[i].menu, record->menu) << i;
        EXPECT_EQ(expected[i].position, record->position) << i;
        EXPECT_STREQ(expected[i].caption, record->caption.GetText()) << i;
        EXPECT_EQ(expected[i].flags, record->flags) << i;

        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(record->menu, record->position, TRUE, &info));
        EXPECT_EQ(static_cast<UINT>(MFT_OWNERDRAW), info.fType) << i;  // separator bit replaced
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(record), info.dwItemData) << i;
    }
    // The item that opens the submenu still opens it.
    EXPECT_EQ(inner, GetSubMenu(popup, 1));
}

TEST(PopupMenu, ConvertingAgainReplacesTheRecords)
{
    MenuOwner owner;
    PopupMenu menu;
    HMENU inner = nullptr;
    BuildNestedMenu(menu, &inner);
    ASSERT_TRUE(menu.MakeOwnerDraw(owner.Window(), nullptr));
    ASSERT_TRUE(menu.MakeOwnerDraw(owner.Window(), nullptr));
    EXPECT_EQ(7u, menu.ItemRecords().GetCount());
}

TEST(PopupMenu, TrackingDeletesTheRecordsAfterTheMenuCloses)
{
    MenuOwner owner;
    PopupMenu menu;
    HMENU inner = nullptr;
    BuildNestedMenu(menu, &inner);
    ASSERT_TRUE(menu.MakeOwnerDraw(owner.Window(), nullptr));
    std::uint32_t recordsWhileOpen = 0;
    const bool ran = owner.TrackAndRun(menu, 100, 100, [&] {
        recordsWhileOpen = menu.ItemRecords().GetCount();
        EXPECT_NE(nullptr, OpenMenuWindow());
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(7u, recordsWhileOpen);
    EXPECT_EQ(0u, menu.ItemRecords().GetCount());
    EXPECT_FALSE(owner.DrawnItems().empty());  // the items were painted through their records
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

TEST(PopupMenu, SetItemStateFindsAnIdInsideASubmenu)
{
    PopupMenu menu;
    HMENU inner = nullptr;
    HMENU popup = BuildNestedMenu(menu, &inner);

    MenuItemState check{popup, 12, kMenuStateCheck, true, 0};
    EXPECT_TRUE(menu.SetItemState(check));
    EXPECT_EQ(popup, check.menu);  // restored after the search
    EXPECT_TRUE(IsChecked(inner, 12));

    MenuItemState gray{popup, 11, kMenuStateEnabled, false, 0};
    EXPECT_TRUE(menu.SetItemState(gray));
    EXPECT_TRUE(IsGrayed(inner, 11));
    MenuItemState enable{popup, 11, kMenuStateEnabled, true, 0};
    EXPECT_TRUE(menu.SetItemState(enable));
    EXPECT_FALSE(IsGrayed(inner, 11));

    MenuItemState text{popup, 2, kMenuStateText, false, IDS_MENU_TITLE_SUFFIX};
    EXPECT_TRUE(menu.SetItemState(text));
    EXPECT_EQ("、なのら。", MenuText(popup, 2));
}

TEST(PopupMenu, SetItemStateReportsAMissingIdAndChangesNothing)
{
    PopupMenu menu;
    HMENU inner = nullptr;
    HMENU popup = BuildNestedMenu(menu, &inner);
    MenuItemState request{popup, 4242, kMenuStateEnabled, false, 0};
    EXPECT_FALSE(menu.SetItemState(request));
    EXPECT_EQ(popup, request.menu);
    for (UINT id : {1u, 2u})
        EXPECT_EQ(0u, GetMenuState(popup, id, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED)) << id;
    for (UINT id : {11u, 12u})
        EXPECT_EQ(0u, GetMenuState(inner, id, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED)) << id;
    EXPECT_EQ("last", MenuText(popup, 2));
}

TEST(PopupMenu, TrackAtPointOpensTheMenuAtThePackedPoint)
{
    MenuOwner owner;
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_TRAY_MENU));
    ASSERT_TRUE(menu.MakeOwnerDraw(owner.Window(), nullptr));
    RECT shown = {};
    MenuIdleHook hook(owner.Window(), [&] { GetWindowRect(OpenMenuWindow(), &shown); });
    menu.TrackAtPoint(owner.Window(), MAKELONG(120, 130));
    ASSERT_TRUE(hook.Ran());
    EXPECT_EQ(120, shown.left);
    EXPECT_EQ(130, shown.top);
    EXPECT_EQ(0u, menu.ItemRecords().GetCount());
}

}  // namespace
