// Key combinations, the window's place, the bar's scale, the search, files beside the program, stored paths.
#include "support/launcher.h"

#include "app/help.h"
#include "app/placement.h"
#include "bar/bar_geometry.h"
#include "data/button_search.h"
#include "data/launcher_data.h"
#include "menus/menu_skin.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"
#include "support/stored_path.h"
#include "support/system_library.h"

#include <climits>
#include <cstdlib>
#include <memory>

using namespace support;

namespace {

// Activation CTRL+ALT+SPACE, hotkeys CTRL+S on (4,4) and CTRL+L on (9,9), plain CTRL+P on (1,2); asked for (1,3).
struct Combination {
    int key, flags;
    bool refused;
    int asks = 0;  // the duplicate question; -1: no combination to compare (key 0)
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
    {VK_BACK, 0, true}, {VK_TAB, 7, true}, {VK_RETURN, 2, true}, {VK_SHIFT, 1, true}, {VK_CONTROL, 2, true},
    {VK_ESCAPE, 4, true}, {0x2A, 6, true}, {VK_DELETE, 3, true}, {VK_MENU, 2, false}, {VK_INSERT, 2, false},
    {VK_SPACE, 0, true}, {VK_SPACE, 2, false}, {VK_SPACE, 1, false}, {VK_SPACE, 6, true}, {VK_SPACE, 7, false},
    {'Q', 2, true, 0, 1, 3, 'Q', 2}, {0, 0, true, -1, 1, 3, 0, 0}, {0, 2, false, -1, 1, 3, 0, 0},
    {'5', 0, true}, {'5', 2, true}, {'0', 0, true}, {'9', 2, true}, {'5', 1, false}, {'5', 6, false}, {'5', 3, false},
    {VK_NUMPAD5, 0, false}, {'S', 2, true}, {'S', 2, true, 0, 4, 4}, {'S', 3, false}, {'L', 2, true},
    {'P', 2, false, 1}, {'P', 2, false, 1, 2, 1}, {'P', 2, false, 0, 1, 2}, {'P', 3, false},
}));

// A window, the screen, the size seen before (0: a start), the taskbar, a remembered place → where it goes.
struct PlacementCase {
    const char* name;
    RECT window;
    SIZE screen, last;
    RECT taskbar;
    std::vector<int> remembered;  // width, height, x, y; 20 sizes for a full table
    POINT placed;
    bool move, recorded = true;  // recorded: the table holds the place for the screen afterwards
};

const SIZE kScreen{1024, 768};
const RECT kBottomBar{0, 738, 1024, 768}, kLow{10, 700, 60, 1170};  // kLow: pushed up by the bottom

class PlacementRule : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementRule, KeepsTheWindowOnTheScreenBesideTheTaskbar)
{
    const PlacementCase& c = GetParam();
    WindowPositionTable table;
    ClearPositions(&table);
    const std::vector<int>& r = c.remembered;
    if (r.size() == 4)
        RecordPosition(&table, r[0], r[1], r[2], r[3]);
    for (int i = 0; r.size() == 1 && i < kPositionSlots; ++i)
        RecordPosition(&table, 640 + i, 480, i, i);
    const WorkArea area = WorkAreaBesideTaskbar(c.screen, c.taskbar);
    const PlacementResult place = ComputePlacement(c.window, c.screen, c.last, area, &table);
    EXPECT_EQ(std::vector<int>({c.placed.x, c.placed.y, c.move}), std::vector<int>({place.left, place.top, place.move}));
    PositionQuery query{c.screen.cx, c.screen.cy, 0, 0};
    EXPECT_EQ(c.recorded, FindPosition(&table, &query) && query.x == c.placed.x && query.y == c.placed.y);
    EXPECT_EQ(c.recorded, place.recorded);
}

INSTANTIATE_TEST_SUITE_P(Places, PlacementRule, ::testing::ValuesIn(std::vector<PlacementCase>{
    {"SnapsOntoARightTaskbar", {940, 100, 990, 570}, kScreen, kScreen, {964, 0, 1024, 768}, {}, {914, 100}, true},
    {"LargerThanTheArea", {500, 500, 2500, 1500}, kScreen, kScreen, {0, 0, 60, 768}, {}, {60, -1}, true},
    {"UserMoveReplacesTheRemembered", {30, 30, 80, 500}, kScreen, kScreen, kBottomBar, {1024, 768, 400, 120},
     {30, 30}, false},
    {"RememberedOffTheScreen", {100, 100, 150, 570}, {800, 600}, kScreen, {0, 570, 800, 600}, {800, 600, 3000, -2500},
     {750, -1}, true},
    {"ExtremeRemembered", {10, 10, 60, 480}, kScreen, {0, 0}, kBottomBar, {1024, 768, INT_MAX, INT_MIN}, {974, -1}, true},
    {"OnlyTheHeightDiffers", {30, 30, 80, 500}, kScreen, {0, 0}, kBottomBar, {1024, 600, 400, 120}, {30, 30}, false},
    {"FullTableRecordsNothing", {-300, 900, -250, 1370}, kScreen, {0, 0}, kBottomBar, {20}, {-1, 268}, true, false},
    // the taskbar's edge is left out; a taskbar hidden, absent or left from a smaller screen leaves it all
    {"BelowATopTaskbar", {10, -300, 60, 170}, kScreen, kScreen, {0, 0, 1024, 30}, {}, {10, 30}, true},
    {"AboveAnAutoHiddenStrip", kLow, kScreen, kScreen, {0, 766, 1024, 798}, {}, {10, 296}, true},
    {"AboveAnOverhangingTaskbar", kLow, kScreen, kScreen, {-2, 736, 1026, 770}, {}, {10, 266}, true},
    {"TaskbarHiddenBelow", kLow, kScreen, kScreen, {0, 768, 1024, 798}, {}, {10, 298}, true},
    {"NoTaskbar", kLow, kScreen, kScreen, {0, 0, 0, 0}, {}, {10, 298}, true},
    {"TaskbarFromASmallerScreen", kLow, kScreen, kScreen, {0, 570, 800, 600}, {}, {10, 298}, true},
}), RowName);

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

using QueryRow = std::pair<const char*, const char*>;  // query, titles listed
using ButtonSearch = ::testing::TestWithParam<QueryRow>;

TEST_P(ButtonSearch, ListsTheMatchingButtonsBestFirst)
{
    const auto image = std::make_unique<DataImage>();
    image->Button(0, 0, "メモ帳", "C:\\Windows\\notepad.exe").Button(0, 1, "サクラエディタ", "C:\\sakura.exe");
    image->Button(0, 2, "WinMerge", "C:\\Tools\\WinMerge.exe").Button(0, 3, "空のエディタ", "");
    image->Button(1, 0, "秀丸エディタ", "C:\\Tools\\Hidemaru.exe").Button(1, 1, "Ｗｏｒｄ", "C:\\winword.exe");
    image->Button(1, 2, "merge tool", "C:\\mt.exe").Button(1, 3, "Emerge", "C:\\em.exe");
    image->Button(1, 4, "ぺいんと", "C:\\mspaint.exe").Button(2, 0, "外のエディタ", "C:\\out.exe");
    auto index = std::make_unique<SearchIndex>();
    BuildSearchIndex(image->data, 2, index.get());
    int found[kButtonCount];
    std::string titles;
    for (int i = 0, count = FindButtons(*index, GetParam().first, found); i < count; ++i)
        titles += std::string(i ? "," : "") + image->At(found[i] / 10, found[i] % 10).title;
    EXPECT_EQ(GetParam().second, titles) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Rows, ButtonSearch, ::testing::Values(
    QueryRow{"めも", "メモ帳"}, QueryRow{"ﾒﾓ", "メモ帳"}, QueryRow{"ペイント", "ぺいんと"},  // kana and width folded
    QueryRow{"WORD", "Ｗｏｒｄ"}, QueryRow{"ｗｉｎ", "WinMerge,Ｗｏｒｄ"},  // case; a title start before a file's
    QueryRow{"えでぃた", "秀丸エディタ,サクラエディタ"},  // a word after kanji before one inside katakana
    QueryRow{"merge", "merge tool,WinMerge,Emerge"},  // start, capital after a small letter, inside
    QueryRow{"hidemaru", "秀丸エディタ"}, QueryRow{"tools", ""},  // the file's name, never its folder
    QueryRow{"exe", ""}, QueryRow{"外", ""},          // nor its extension, nor a group not in use
    QueryRow{" ", "メモ帳,サクラエディタ,WinMerge,秀丸エディタ,Ｗｏｒｄ,merge tool,Emerge,ぺいんと"}));

// Libraries are looked for in the system folder alone, never where a planted one could lie beside the program.
TEST(LibrarySearch, NamesTheSystemFolderAlone)
{
    static std::vector<DWORD> flags;
    Restore undo{[] { OverrideLibrarySearchCalls({}); }};
    const auto setDefault = [](DWORD f) -> BOOL {
        flags.push_back(f);
        return TRUE;
    };
    const auto load = [](LPCWSTR, HANDLE, DWORD f) {
        flags.push_back(f);
        return GetModuleHandleW(nullptr);
    };
    OverrideLibrarySearchCalls({setDefault, load});
    RestrictLibrarySearch();
    LoadSystemLibrary(L"hhctrl.ocx");
    EXPECT_EQ((std::vector<DWORD>{LOAD_LIBRARY_SEARCH_SYSTEM32, LOAD_LIBRARY_SEARCH_SYSTEM32}), flags);
}

TEST(MenuFont, AnUnknownFaceFallsBackToAnInstalledJapaneseFace)
{
    FontHandle font;
    ASSERT_NE(nullptr, font.Create("No Such Face At All", 12));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font.Get());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    DeleteDC(dc);
    EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet);
}

struct ProgramCase {
    std::string program;
    std::string dataFile;  // "": the program has no data file
    std::string helpFile;  // its topic opens the index page
    std::string positions;  // "": no position.dat beside the program
};
using FilesBesideTheProgram = ::testing::TestWithParam<ProgramCase>;

TEST_P(FilesBesideTheProgram, AreNamedAfterItInItsFolder)
{
    Restore restore{[] { OverrideProgramPath(nullptr); }};
    OverrideProgramPath(GetParam().program.c_str());
    char data[MAX_PATH] = "", topic[520] = "", positions[MAX_PATH] = "";
    auto built = [](bool ok, const char* text) { return std::string(ok ? text : ""); };
    EXPECT_EQ(GetParam().dataFile, built(DataFilePath(data, sizeof data), data));
    EXPECT_EQ(GetParam().helpFile + "::/html/index.html", built(BuildHelpTopic(topic, sizeof topic), topic));
    EXPECT_EQ(GetParam().positions, built(ProgramFolderFile("position.dat", positions, sizeof positions), positions));
}

const std::string kLong = "C:\\" + std::string(245, 'd');  // porun.exe fits MAX_PATH beside it, position.dat not

INSTANTIATE_TEST_SUITE_P(Programs, FilesBesideTheProgram, ::testing::Values(
    ProgramCase{"C:\\tools\\x.exe", "C:\\tools\\x.dat", "C:\\tools\\x.chm", "C:\\tools\\position.dat"},
    ProgramCase{"C:\\my.tools\\launcher", "", "C:\\my.tools\\launcher.chm", "C:\\my.tools\\position.dat"},
    ProgramCase{"C:\\a\\b.c.exe", "C:\\a\\b.c.dat", "C:\\a\\b.c.chm", "C:\\a\\position.dat"},
    ProgramCase{"C:\\a\\x.ex", "", "C:\\a\\x.chm", "C:\\a\\position.dat"},
    ProgramCase{"C:\\表.x\\ポルン表", "", "C:\\表.x\\ポルン表.chm", "C:\\表.x\\position.dat"},
    ProgramCase{"C:\\ソフト表\\ソ.exe", "C:\\ソフト表\\ソ.dat", "C:\\ソフト表\\ソ.chm", "C:\\ソフト表\\position.dat"},
    ProgramCase{"porun.exe", "porun.dat", "porun.chm", ""},
    ProgramCase{"C:\\p.exe", "C:\\p.dat", "C:\\p.chm", "C:\\position.dat"},
    ProgramCase{kLong + "\\porun.exe", kLong + "\\porun.dat", kLong + "\\porun.chm", ""}));

// A stored path as used: the launcher runs from C:<R>, a folder both C: and Z: hold; <259>: letters up to 259.
std::string Filled(std::string text, const std::string& rest)
{
    for (size_t at; (at = text.find("<R>")) != std::string::npos;)
        text.replace(at, 3, rest);
    for (const char* mark : {"<259>", "<260>"})
        if (const size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 5, std::string(std::atoi(mark + 1) - (text.size() - 5), 'x'));
    return text;
}

struct Case {
    const char* stored;
    const char* used;  // "" when it counts as missing whatever exists
    bool found;
    char windowsDrive = 'W';  // the drive Windows runs from
};

const std::string kJapanese = "Q:<R>\\" + Repeated("表", 200) + ".exe";  // 200 characters in 400 bytes

const Case kCases[] = {
    {"Z:<R>\\both.exe", "Z:<R>\\both.exe", true},        // there as written: used as written
    {"Z:<R>\\c.exe", "C:<R>\\c.exe", true}, {"Q:<R>\\c.exe", "C:<R>\\c.exe", true},  // only on ours; no such drive
    {"Q:<R>\\none.exe", "Q:<R>\\none.exe", false},        // nowhere: as written, missing
    {"\\\\nosuch\\share<R>\\c.exe", "\\\\nosuch\\share<R>\\c.exe", false},  // UNC: left alone
    {"<R>\\c.exe", "<R>\\c.exe", false},                    // no drive (the current one is Z:): left alone
    {"Q:<R>\\<259>", "Q:<R>\\<259>", false}, {"Q:<R>\\<260>", "", false},  // fits MAX_PATH; does not, on any drive
    {"%PORUN_TEST_C%\\c.exe", "C:<R>\\c.exe", true}, {"%PORUN_TEST_Q%\\c.exe", "C:<R>\\c.exe", true},  // expanded
    {"%PORUN_DIR%\\c.exe", "C:<R>\\c.exe", true},         // the launcher's folder
    {"C:<R>\\%PORUN_UNSET%.exe", "C:<R>\\%PORUN_UNSET%.exe", false},  // undefined: as written
    {"C:<R>\\%PORUN_TEST_Z%.exe", "C:<R>\\%PORUN_TEST_Z%.exe", true},  // a real % in a name wins
    {"%PORUN_TEST_LONG%\\c.exe", "", false},              // too long once expanded
    {.stored = kJapanese.c_str(), .used = kJapanese.c_str(), .found = false},  // MAX_PATH counts characters
    {.stored = "Z:<R>\\c.exe", .used = "Z:<R>\\c.exe", .found = false, .windowsDrive = 'C'},  // not onto Windows's
};

TEST(StoredPath, IsUsedAsWrittenExpandedOrOnTheLaunchersDrive)
{
    const std::string rest = "\\tmp\\porun-stored-" + std::to_string(GetCurrentProcessId());
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    Restore undo{[rest, &current] {
        RemoveTree("C:" + rest), RemoveTree("Z:" + rest), OverrideProgramPath(nullptr), SetCurrentDirectoryA(current);
        OverrideWindowsDrive(0);
    }};
    for (const char* drive : {"C:", "Z:"})
        ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExA(nullptr, (drive + rest).c_str(), nullptr));
    for (const char* file : {"C:<R>\\both.exe", "C:<R>\\c.exe", "C:<R>\\%PORUN_TEST_Z%.exe", "Z:<R>\\both.exe"})
        ASSERT_TRUE(WriteBytes(Filled(file, rest), ""));
    SetEnvironmentVariableA("PORUN_TEST_C", ("C:" + rest).c_str());
    SetEnvironmentVariableA("PORUN_TEST_Q", ("Q:" + rest).c_str());
    SetEnvironmentVariableA("PORUN_TEST_Z", "z");
    SetEnvironmentVariableA("PORUN_TEST_LONG", ("C:" + rest + "\\" + std::string(250, 'x')).c_str());
    OverrideProgramPath(("C:" + rest + "\\porun.exe").c_str());
    ASSERT_TRUE(SetProgramFolderVariable());
    ASSERT_TRUE(SetCurrentDirectoryA("Z:\\"));
    for (const Case& row : kCases) {
        const std::string stored = Filled(row.stored, rest);
        SCOPED_TRACE(stored);
        OverrideWindowsDrive(row.windowsDrive);
        char used[kResolvedPathSize] = "?";
        bool found = !row.found;
        EXPECT_EQ(row.used[0] != '\0', ResolveStoredPath(stored.c_str(), used, sizeof used, &found));
        EXPECT_EQ(Filled(row.used, rest), used);
        EXPECT_EQ(row.found, found);
    }
}

}  // namespace
