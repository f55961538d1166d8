// The launcher's rules: key combinations, the window's place, the bar at each scale, the button search.
#include "support/launcher.h"

#include "app/placement.h"
#include "bar/bar_geometry.h"
#include "bar/icon_cache.h"
#include "data/button_search.h"
#include "menus/menu_skin.h"
#include "shortcuts/shortcut_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

using namespace support;

namespace {

// Activation CTRL+ALT+SPACE, hotkeys CTRL+S on (4,4) and CTRL+L on (9,9), plain CTRL+P on (1,2); asked for (1,3).
struct Combination {
    int key, flags;
    bool refused;
    int asks;  // the duplicate question; -1: no combination to compare (key 0)
    int group = 1, button = 3;
    int activeKey = VK_SPACE, activeFlags = 6;
};

class RefusedCombinations : public ::testing::TestWithParam<Combination> {};

TEST_P(RefusedCombinations, FollowTheRulesOfTheReadme)
{
    const Combination& c = GetParam();
    ASSERT_NE(nullptr, CreateShortcutTable());
    *GetShortcutEntry(4, 4) = ShortcutEntry{44, 'S', 2, 1};
    *GetShortcutEntry(9, 9) = ShortcutEntry{99, 'L', 2, 1};
    *GetShortcutEntry(1, 2) = ShortcutEntry{12, 'P', 2, 0};
    SetActiveShortcut(c.activeKey, c.activeFlags);
    EXPECT_EQ(c.refused, IsShortcutRefused(c.key, c.flags));
    EXPECT_TRUE(c.asks < 0 || c.asks == IsDuplicateShortcut(c.key, c.flags, c.group, c.button));
    DestroyShortcutTable();
}

INSTANTIATE_TEST_SUITE_P(Keys, RefusedCombinations, ::testing::ValuesIn(std::vector<Combination>{
    {VK_BACK, 0, true, false}, {VK_TAB, 7, true, false}, {VK_RETURN, 2, true, false}, {VK_SHIFT, 1, true, false},
    {VK_CONTROL, 2, true, false}, {VK_ESCAPE, 4, true, false}, {0x2A, 6, true, false}, {VK_DELETE, 3, true, false},
    {VK_MENU, 2, false, false}, {VK_INSERT, 2, false, false},
    {VK_SPACE, 0, true, false}, {VK_SPACE, 2, false, false}, {VK_SPACE, 1, false, false},
    {VK_SPACE, 6, true, false}, {VK_SPACE, 7, false, false}, {'Q', 2, true, false, 1, 3, 'Q', 2},
    {0, 0, true, -1, 1, 3, 0, 0}, {0, 2, false, -1, 1, 3, 0, 0},
    {'5', 0, true, false}, {'5', 2, true, false}, {'0', 0, true, false}, {'9', 2, true, false},
    {'5', 1, false, false}, {'5', 6, false, false}, {'5', 3, false, false}, {VK_NUMPAD5, 0, false, false},
    {'S', 2, true, false}, {'S', 2, true, false, 4, 4}, {'S', 3, false, false}, {'L', 2, true, false},
    {'P', 2, false, true}, {'P', 2, false, true, 2, 1}, {'P', 2, false, false, 1, 2}, {'P', 3, false, false},
}));

struct AreaCase {
    const char* label;
    RECT taskbar;  // on a 1024 x 768 screen
    WorkArea area;
};

class WorkAreaBesideTaskbar : public ::testing::TestWithParam<AreaCase> {};

TEST_P(WorkAreaBesideTaskbar, LeavesTheTaskbarsEdgeOut)
{
    const WorkArea area = ::WorkAreaBesideTaskbar(SIZE{1024, 768}, GetParam().taskbar);
    const WorkArea& want = GetParam().area;
    EXPECT_EQ(std::vector<int>({want.left, want.top, want.right, want.bottom}),
              std::vector<int>({area.left, area.top, area.right, area.bottom}));
}

INSTANTIATE_TEST_SUITE_P(Edges, WorkAreaBesideTaskbar, ::testing::ValuesIn(std::vector<AreaCase>{
    {"Bottom", {0, 738, 1024, 768}, {0, 0, 1023, 737}},
    {"Top", {0, 0, 1024, 30}, {0, 31, 1023, 767}},
    {"Left", {0, 0, 60, 768}, {61, 0, 1023, 767}},
    {"Right", {964, 0, 1024, 768}, {0, 0, 963, 767}},
    {"AutoHiddenStrip", {0, 766, 1024, 798}, {0, 0, 1023, 765}},
    {"HiddenBelow", {0, 768, 1024, 798}, {0, 0, 1023, 767}},
    {"NoArea", {0, 0, 0, 0}, {0, 0, 1023, 767}},
    {"BottomOverhang", {-2, 736, 1026, 770}, {0, 0, 1023, 735}},
    {"StaleFromASmallerScreen", {0, 570, 800, 600}, {0, 0, 1023, 767}},
}), [](const auto& info) { return std::string(info.param.label); });

// A window, the screen, the size seen before (0: a start), the work area, a remembered place → where it goes.
struct PlacementCase {
    const char* label;
    RECT window;
    SIZE screen, last;
    WorkArea area;
    std::vector<int> remembered;  // width, height, x, y; 20 sizes for a full table
    POINT placed;
    bool move, recorded = true;  // recorded: the table holds the place for the screen afterwards
};

const SIZE kScreen{1024, 768};
const WorkArea kAboveTaskbar{0, 0, 1023, 737};

class PlacementRule : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementRule, KeepsTheWindowOnTheScreen)
{
    const PlacementCase& c = GetParam();
    WindowPositionTable table;
    ClearPositions(&table);
    const std::vector<int>& r = c.remembered;
    if (r.size() == 4)
        RecordPosition(&table, r[0], r[1], r[2], r[3]);
    for (int i = 0; r.size() == 1 && i < kPositionSlots; ++i)
        RecordPosition(&table, 640 + i, 480, i, i);
    const PlacementResult place = ComputePlacement(c.window, c.screen, c.last, c.area, &table);
    EXPECT_EQ(std::vector<int>({c.placed.x, c.placed.y, c.move}), std::vector<int>({place.left, place.top, place.move}));
    PositionQuery query{c.screen.cx, c.screen.cy, 0, 0};
    EXPECT_EQ(c.recorded, FindPosition(&table, &query) && query.x == c.placed.x && query.y == c.placed.y);
    EXPECT_EQ(c.recorded, place.recorded);
}

INSTANTIATE_TEST_SUITE_P(Places, PlacementRule, ::testing::ValuesIn(std::vector<PlacementCase>{
    {"SnapsOntoARightTaskbar", {940, 100, 990, 570}, kScreen, kScreen, {0, 0, 963, 767}, {}, {914, 100}, true},
    {"LargerThanTheArea", {500, 500, 2500, 1500}, kScreen, kScreen, {61, 31, 1023, 737}, {}, {60, 30}, true},
    {"UserMoveReplacesTheRemembered", {30, 30, 80, 500}, kScreen, kScreen, kAboveTaskbar, {1024, 768, 400, 120}, {30, 30},
     false},
    {"RememberedOffTheScreen", {100, 100, 150, 570}, {800, 600}, kScreen, {0, 0, 799, 569}, {800, 600, 3000, -2500},
     {750, -1}, true},
    {"ExtremeRemembered", {10, 10, 60, 480}, kScreen, {0, 0}, kAboveTaskbar, {1024, 768, INT_MAX, INT_MIN}, {974, -1}, true},
    {"FullTableRecordsNothing", {-300, 900, -250, 1370}, kScreen, {0, 0}, kAboveTaskbar, {20}, {-1, 268}, true, false},
}), [](const auto& info) { return std::string(info.param.label); });

// The controls tile the client area without gap or overlap; the bar and its icons grow with the scale.
struct ScaleRow {
    int dpi, width, expandedHeight, collapsedHeight, iconSize;
};

class BarAtScale : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(BarAtScale, ControlsTileTheClientAreaAndIconsFollowTheScale)
{
    const ScaleRow row = GetParam();
    const SIZE expanded = BarWindowSize(0, 0, 0, true, row.dpi), collapsed = BarWindowSize(0, 0, 0, false, row.dpi);
    EXPECT_EQ(std::vector<int>({row.width, row.expandedHeight, row.collapsedHeight, row.iconSize}),
              std::vector<int>({expanded.cx, expanded.cy, collapsed.cy, BarIconSize(row.dpi)}));
    std::vector<int> covered(expanded.cx * expanded.cy);
    for (int position = 0; position < kBarControlCount; ++position) {
        const BarControl c = BarControlAt(position, row.dpi);
        EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.width <= expanded.cx && c.y + c.height <= expanded.cy) << position;
        for (int y = std::max(c.y, 0); y < std::min(c.y + c.height, static_cast<int>(expanded.cy)); ++y)
            for (int x = std::max(c.x, 0); x < std::min(c.x + c.width, static_cast<int>(expanded.cx)); ++x)
                ++covered[y * expanded.cx + x];
        EXPECT_TRUE(position > 0 || c.height == collapsed.cy);  // collapsed, the group button fills the client area
    }
    EXPECT_EQ(covered.size(), static_cast<size_t>(std::count(covered.begin(), covered.end(), 1)));  // each pixel once
}

INSTANTIATE_TEST_SUITE_P(Scales, BarAtScale, ::testing::Values(ScaleRow{96, 44, 434, 38, 32}, ScaleRow{120, 55, 543, 48, 40},
                                                              ScaleRow{144, 66, 651, 57, 48}, ScaleRow{192, 88, 868, 76, 64}));

// An icon the bar kept at one scale is never lent to a button of another size.
TEST(IconCache, LendsAKeptIconOnlyAtThePixelSizeItWasMadeAt)
{
    const std::string self = BuildFile(PORUN_EXE_PATH);
    const HICON icon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
    LendNewIcon(MakeIconCacheKey(self.c_str(), 0, 32), icon);
    ReleaseIcon(icon);  // taken back and kept
    EXPECT_EQ(nullptr, LendCachedIcon(MakeIconCacheKey(self.c_str(), 0, 48)));
    EXPECT_EQ(icon, LendCachedIcon(MakeIconCacheKey(self.c_str(), 0, 32)));
    ReleaseIcon(icon);
    ClearIconCache();
}

// The titles a query lists, best first: two groups in use; the third holds a button that is never searched.
std::string Listed(const char* query)
{
    static const auto image = [] {
        auto data = std::make_unique<DataImage>();
        data->Button(0, 0, "メモ帳", "C:\\Windows\\notepad.exe").Button(0, 1, "サクラエディタ", "C:\\sakura.exe");
        data->Button(0, 2, "WinMerge", "C:\\Tools\\WinMerge.exe").Button(0, 3, "空のエディタ", "");
        data->Button(1, 0, "秀丸エディタ", "C:\\Tools\\Hidemaru.exe").Button(1, 1, "Ｗｏｒｄ", "C:\\winword.exe");
        data->Button(1, 2, "merge tool", "C:\\mt.exe").Button(1, 3, "Emerge", "C:\\em.exe");
        data->Button(1, 4, "ぺいんと", "C:\\mspaint.exe").Button(2, 0, "外のエディタ", "C:\\out.exe");
        return data;
    }();
    auto index = std::make_unique<SearchIndex>();
    BuildSearchIndex(image->data, 2, index.get());
    int found[kButtonCount];
    std::string titles;
    for (int i = 0, count = FindButtons(*index, query, found); i < count; ++i)
        titles += std::string(i ? "," : "") + image->At(found[i] / 10, found[i] % 10).title;
    return titles;
}

using QueryRow = std::pair<const char*, const char*>;  // query, titles listed
using ButtonSearch = ::testing::TestWithParam<QueryRow>;

TEST_P(ButtonSearch, ListsTheMatchingButtonsBestFirst)
{
    EXPECT_EQ(GetParam().second, Listed(GetParam().first)) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Rows, ButtonSearch, ::testing::Values(
    QueryRow{"めも", "メモ帳"},                       // hiragana finds katakana
    QueryRow{"ﾒﾓ", "メモ帳"},                         // half width
    QueryRow{"ペイント", "ぺいんと"},                 // katakana finds hiragana
    QueryRow{"WORD", "Ｗｏｒｄ"},                     // case and full width
    QueryRow{"ｗｉｎ", "WinMerge,Ｗｏｒｄ"},          // title start, then file name start (winword)
    QueryRow{"えでぃた", "秀丸エディタ,サクラエディタ"},  // a word after kanji before one inside katakana
    QueryRow{"merge", "merge tool,WinMerge,Emerge"},  // start, capital after a small letter, inside
    QueryRow{"hidemaru", "秀丸エディタ"},             // the file's name
    QueryRow{"tools", ""},                            // never its folder
    QueryRow{"exe", ""},                              // nor its extension
    QueryRow{"外", ""},                               // nor a group not in use
    QueryRow{" ", "メモ帳,サクラエディタ,WinMerge,秀丸エディタ,Ｗｏｒｄ,merge tool,Emerge,ぺいんと"}));

TEST(ProgramFile, RunsAsInvokerSoItsFilesStayBesideIt)
{
    HMODULE exe = LoadLibraryExA(BuildFile(PORUN_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    FreeLibrary(exe);
}

TEST(MenuFont, AnUnknownFaceFallsBackToAnInstalledJapaneseFace)
{
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

}  // namespace
