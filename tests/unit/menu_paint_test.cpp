// Measuring and painting of the skinned menus: items of an open menu are
// painted again into a memory bitmap and its pixels are read.
#include "common/menu_harness.h"
#include "common/test_support.h"
#include "menus/menu_paint.h"
#include "menus/menu_skin.h"
#include "menus/popup_menu.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr COLORREF kTitleGrey = RGB(0x40, 0x40, 0x40);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kHighlightGrey = RGB(0x80, 0x80, 0x80);

struct Item {
    const MenuItemRecord* record;
    RECT rect;  // in the menu window's client area
};

// The top-level items of an open menu with the rectangles they were drawn in.
std::vector<Item> OpenItems(const PopupMenu& menu, const MenuOwner& owner)
{
    std::vector<Item> items;
    HMENU popup = menu.GetPopup();
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
        const auto* record = reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
        if (!record)
            continue;
        auto found = owner.DrawnItems().find(reinterpret_cast<ULONG_PTR>(record));
        if (found != owner.DrawnItems().end())
            items.push_back({record, found->second});
    }
    std::sort(items.begin(), items.end(),
              [](const Item& a, const Item& b) { return a.record->position < b.record->position; });
    return items;
}

// Paints the items onto a canvas as large as the menu's client area.
void Paint(PopupMenu& menu, HWND owner, const std::vector<Item>& items, Canvas& canvas,
           const std::map<int, UINT>& states = {})
{
    for (const Item& item : items) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = GetMenuItemID(item.record->menu, item.record->position);
        draw.itemAction = ODA_DRAWENTIRE;
        auto state = states.find(item.record->position);
        draw.itemState = state == states.end() ? 0 : state->second;
        draw.hDC = canvas.Dc();
        draw.rcItem = item.rect;
        draw.itemData = reinterpret_cast<ULONG_PTR>(item.record);
        EXPECT_TRUE(menu.DrawItem(owner, &draw));
    }
}

int CanvasWidth(const std::vector<Item>& items)
{
    int width = 0;
    for (const Item& item : items)
        width = std::max<int>(width, item.rect.right);
    return width;
}

int CanvasHeight(const std::vector<Item>& items)
{
    int height = 0;
    for (const Item& item : items)
        height = std::max<int>(height, item.rect.bottom);
    return height;
}

// An item's top within the menu: from the top of the first item.
int Offset(const std::vector<Item>& items, const RECT& r)
{
    return r.top - items.front().rect.top;
}

int MenuHeight(const std::vector<Item>& items)
{
    int height = 0;
    for (const Item& item : items)
        height += item.rect.bottom - item.rect.top;
    return height;
}

// Opens the button menu with the skin of the folder (none: the defaults) and runs
// check with its items while it is open.
class MenuPaintTest : public ::testing::Test {
protected:
    void TearDown() override { OverrideProgramPath(nullptr); }

    void UseSkinFolder() { OverrideProgramPath(folder_.File("porun.exe").c_str()); }

    void WithOpenMenu(PopupMenu& menu, const std::function<void(std::vector<Item>&)>& check)
    {
        ASSERT_TRUE(menu.MakeOwnerDraw(owner_.Window(), nullptr));
        const bool ran = owner_.TrackAndRun(menu, 200, 100, [&] {
            std::vector<Item> items = OpenItems(menu, owner_);
            ASSERT_EQ(static_cast<size_t>(GetMenuItemCount(menu.GetPopup())), items.size());
            check(items);
        });
        EXPECT_TRUE(ran);
    }

    TempFolder folder_;
    MenuOwner owner_;
};

TEST_F(MenuPaintTest, DefaultsGiveAGreyStripBlackItemsAndAGreyHighlight)
{
    UseSkinFolder();  // an empty folder: no skin files
    PopupMenu menu;
    ASSERT_TRUE(menu.LoadSkin());
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas, {{2, ODS_SELECTED}, {4, ODS_SELECTED}});
        for (const Item& item : items) {
            const RECT& r = item.rect;
            const int mid = (r.top + r.bottom) / 2;
            EXPECT_EQ(kTitleGrey, canvas.Pixel(r.left, r.top)) << item.record->position;
            EXPECT_EQ(kTitleGrey, canvas.Pixel(r.left + 19, mid)) << item.record->position;
            const COLORREF fill = item.record->position == 2 ? kHighlightGrey : kBlack;
            EXPECT_EQ(fill, canvas.Pixel(r.left + 20, r.top)) << item.record->position;
            EXPECT_EQ(fill, canvas.Pixel(r.right - 1, r.bottom - 1)) << item.record->position;
        }
    });
}

TEST_F(MenuPaintTest, SeparatorsShowASunkenLineFromTheStrip)
{
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        const Item& separator = items[1];
        ASSERT_TRUE(separator.record->flags & kMenuItemSeparator);
        const int h = separator.rect.bottom - separator.rect.top;
        EXPECT_EQ(6, h);
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas, {{1, ODS_SELECTED}});
        const int x0 = separator.rect.left;
        const int y = separator.rect.top + h / 2;
        EXPECT_EQ(kTitleGrey, canvas.Pixel(x0 + 19, y - 1));
        for (int x : {x0 + 20, x0 + 60, static_cast<int>(separator.rect.right) - 3}) {
            // the sunken inner edge: dark shadow above, light below
            EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(x, y - 1)) << x;
            EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), canvas.Pixel(x, y)) << x;
            EXPECT_EQ(kBlack, canvas.Pixel(x, y - 2)) << x;  // selected separators keep the item fill
            EXPECT_EQ(kBlack, canvas.Pixel(x, y + 1)) << x;
        }
    });
}

// Rightmost column in an item's rows with a light (text) pixel.
int RightmostText(const Canvas& canvas, const RECT& r)
{
    int rightmost = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            if (GetRValue(c) > 0x90 && GetGValue(c) > 0x90 && GetBValue(c) > 0x90)
                rightmost = std::max(rightmost, x);
        }
    return rightmost;
}

TEST_F(MenuPaintTest, AcceleratorsEndOnOneRightEdge)
{
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas);
        const Item& settings = items[2];  // "設定ら！(&S)" TAB "SHIFT+クリック"
        const Item& clear = items[8];     // "削除するろ！(&D)" TAB "ESC+クリック"
        const Item& about = items[12];    // no accelerator
        const int edge = settings.rect.left + 20 + 20 + settings.record->textWidth;
        const int a = RightmostText(canvas, settings.rect);
        const int b = RightmostText(canvas, clear.rect);
        EXPECT_EQ(a, b);
        EXPECT_LE(a, edge - 1);
        EXPECT_GE(a, edge - 6);  // the last glyph's right side bearing
        EXPECT_LT(RightmostText(canvas, about.rect), a - 20);
    });
}

TEST_F(MenuPaintTest, ACheckedItemShowsTheCheckIconInTheLeftColumn)
{
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas plain(CanvasWidth(items), CanvasHeight(items));
        Canvas checked(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, plain);
        Paint(menu, owner_.Window(), items, checked, {{5, ODS_CHECKED}});
        const RECT& r = items[5].rect;
        int changed = 0, outside = 0;
        for (int y = 0; y < checked.Height(); ++y)
            for (int x = 0; x < checked.Width(); ++x)
                if (plain.Pixel(x, y) != checked.Pixel(x, y)) {
                    ++changed;
                    // a 32 x 32 icon centred 10 pixels right of the strip, clipped by the item
                    if (x < r.left + 20 + 10 - 16 || x >= r.left + 20 + 10 + 16 || y < r.top || y >= r.bottom)
                        ++outside;
                }
        EXPECT_GT(changed, 20);
        EXPECT_EQ(0, outside);
    });
}

TEST_F(MenuPaintTest, ADisabledItemIsEmbossedAlsoWhenSelected)
{
    PopupMenu menu;
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas normal(CanvasWidth(items), CanvasHeight(items));
        Canvas grayed(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, normal, {{8, ODS_SELECTED}});
        Paint(menu, owner_.Window(), items, grayed, {{8, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED}});
        const RECT& r = items[8].rect;
        EXPECT_EQ(kHighlightGrey, grayed.Pixel(r.right - 1, r.top));
        int differing = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                differing += normal.Pixel(x, y) != grayed.Pixel(x, y);
        EXPECT_GT(differing, 20);
    });
}

TEST_F(MenuPaintTest, ATitleBitmapSetsTheStripWidthAndShowsItsBottomPart)
{
    const int tall = 2000;
    auto colour = [](int x, int y) { return RGB(y & 0xFF, (y >> 8) & 0xFF, 0x80 + x); };
    ASSERT_TRUE(WriteTestBitmap(folder_.File("menutitle.bmp"), 30, tall, colour));
    UseSkinFolder();
    PopupMenu menu;
    ASSERT_TRUE(menu.LoadSkin());
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas);
        const int H = MenuHeight(items);
        for (const Item& item : items) {
            const RECT& r = item.rect;
            for (int row = 0; row < r.bottom - r.top; row += 3) {
                const int y = tall - H + Offset(items, r) + row;
                EXPECT_EQ(colour(29, y), canvas.Pixel(r.left + 29, r.top + row)) << r.top + row;
                EXPECT_EQ(colour(0, y), canvas.Pixel(r.left, r.top + row)) << r.top + row;
            }
            EXPECT_EQ(kBlack, canvas.Pixel(r.left + 30, r.top));
        }
    });
}

TEST_F(MenuPaintTest, AShortTitleBitmapSitsAtTheBottomOfTheStrip)
{
    auto colour = [](int x, int y) { return RGB(0x30 + y, 0x10, 0x40 + x); };
    ASSERT_TRUE(WriteTestBitmap(folder_.File("menutitle.bmp"), 24, 10, colour));
    UseSkinFolder();
    PopupMenu menu;
    ASSERT_TRUE(menu.LoadSkin());
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas);
        const RECT& first = items.front().rect;
        const RECT& last = items.back().rect;
        EXPECT_EQ(colour(0, 0), canvas.Pixel(first.left + 5, first.top));  // the top-left colour fills
        EXPECT_EQ(colour(5, 0), canvas.Pixel(last.left + 5, last.bottom - 10));
        EXPECT_EQ(colour(5, 9), canvas.Pixel(last.left + 5, last.bottom - 1));
        EXPECT_EQ(colour(0, 0), canvas.Pixel(last.left + 5, last.bottom - 11));
    });
}

TEST_F(MenuPaintTest, ANarrowItemBitmapIsDrawnFlushRight)
{
    const int tall = 1500;
    auto colour = [](int x, int y) { return RGB(0x10 + x, y & 0xFF, 0x40 + (y >> 8)); };
    ASSERT_TRUE(WriteTestBitmap(folder_.File("menuforeground.bmp"), 16, tall, colour));
    UseSkinFolder();
    PopupMenu menu;
    ASSERT_TRUE(menu.LoadSkin());
    ASSERT_NE(nullptr, menu.LoadFromResource(IDR_BUTTON_MENU));
    WithOpenMenu(menu, [&](std::vector<Item>& items) {
        Canvas canvas(CanvasWidth(items), CanvasHeight(items));
        Paint(menu, owner_.Window(), items, canvas);
        const int H = MenuHeight(items);
        for (const Item& item : items) {
            const RECT& r = item.rect;
            const int y = tall - H + Offset(items, r);
            EXPECT_EQ(colour(15, y), canvas.Pixel(r.right - 1, r.top));
            EXPECT_EQ(colour(0, y), canvas.Pixel(r.right - 16, r.top));
            EXPECT_EQ(colour(0, 0), canvas.Pixel(r.right - 17, r.top));  // the fill left of it
            EXPECT_EQ(colour(0, 0), canvas.Pixel(r.left + 20, r.top));
        }
    });
}

TEST(FontHandle, RefusesMissingAndOverlongFaces)
{
    FontHandle font;
    EXPECT_EQ(nullptr, font.Create(nullptr, 12));
    ASSERT_NE(nullptr, font.Create("ＭＳ ゴシック", 12));
    EXPECT_EQ(nullptr, font.Create(std::string(32, 'A').c_str(), 12));
    EXPECT_EQ(nullptr, font.Get());
    EXPECT_NE(nullptr, font.Create(std::string(31, 'A').c_str(), 12));
}

TEST(FontHandle, AnUnknownFaceIsReplacedByAnInstalledJapaneseFace)
{
    char face[LF_FACESIZE] = {};
    MenuFontFace("No Such Face At All", face);
    EXPECT_STRNE("No Such Face At All", face);
    EXPECT_NE('\0', face[0]);
    FontHandle font;
    ASSERT_NE(nullptr, font.Create("No Such Face At All", 12));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Get());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet);
}

TEST(MenuMessages, OnlyMenuItemsAreHandled)
{
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_BUTTON;
    EXPECT_EQ(0, HandleMenuMeasureItem(nullptr, 5, reinterpret_cast<LPARAM>(&measure)));
    measure.CtlType = ODT_MENU;
    measure.itemData = 0;  // no record: handled, nothing measured
    measure.itemWidth = 9;
    EXPECT_EQ(1, HandleMenuMeasureItem(nullptr, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(9u, measure.itemWidth);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    EXPECT_EQ(0, HandleMenuDrawItem(nullptr, 0, reinterpret_cast<LPARAM>(&draw)));
    draw.CtlType = ODT_MENU;
    EXPECT_EQ(1, HandleMenuDrawItem(nullptr, 0, reinterpret_cast<LPARAM>(&draw)));
}

}  // namespace
