// Key combinations, the window's place, the bar's scale, the search, files beside the program, stored paths.
#include "support/launcher.h"

#include "app/help.h"
#include "app/placement.h"
#include "bar/bar_geometry.h"
#include "data/button_place.h"
#include "data/data_file_path.h"
#include "data/launcher.h"
#include "data/search_index.h"
#include "data/store_field.h"
#include "data/whole_names.h"
#include "menus/menu_skin.h"
#include "resources/resource_ids.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"
#include "support/path_lookup.h"
#include "support/program_files.h"
#include "support/stored_path.h"
#include "support/system_library.h"

#include <climits>
#include <cwchar>
#include <memory>

using namespace support;

namespace {

constexpr int kAllThree = kShift | kCtrl | kAlt;
constexpr int kNoKey = 0;  // a shortcut not set

// Activation CTRL+ALT+SPACE, hotkeys CTRL+S on (4,4) and CTRL+L on (9,9), plain CTRL+P on (1,2).
ShortcutTable Table(const ShortcutEntry& active)
{
    ShortcutTable table = {};
    *GetShortcutEntry(table, 4, 4) = ShortcutEntry{.id = 44, .key = 'S', .flag = kCtrl, .usesystemshortcut = 1};
    *GetShortcutEntry(table, 9, 9) = ShortcutEntry{.id = 99, .key = 'L', .flag = kCtrl, .usesystemshortcut = 1};
    *GetShortcutEntry(table, 1, 2) = ShortcutEntry{.id = 12, .key = 'P', .flag = kCtrl, .usesystemshortcut = 0};
    table.Active = active;
    return table;
}
const ShortcutEntry kActivation = {.key = VK_SPACE, .flag = kCtrl | kAlt};

struct KeyRule {
    int key;
    std::vector<int> refusedWith;  // the modifiers with which the key is refused
    std::vector<int> allowedWith;
    ShortcutEntry active = kActivation;
};
class RefusedCombinations : public ::testing::TestWithParam<KeyRule> {};

TEST_P(RefusedCombinations, FollowTheRulesOfTheReadme)
{
    const ShortcutTable table = Table(GetParam().active);
    for (int modifiers : GetParam().refusedWith)
        EXPECT_TRUE(IsShortcutRefused(table, GetParam().key, modifiers)) << modifiers;
    for (int modifiers : GetParam().allowedWith)
        EXPECT_FALSE(IsShortcutRefused(table, GetParam().key, modifiers)) << modifiers;
}

// clang-format off
const KeyRule kKeyRules[] = {
    {.key = VK_BACK, .refusedWith = {0}}, {.key = VK_TAB, .refusedWith = {kAllThree}},
    {.key = VK_RETURN, .refusedWith = {kCtrl}}, {.key = VK_SHIFT, .refusedWith = {kShift}},
    {.key = VK_CONTROL, .refusedWith = {kCtrl}}, {.key = VK_ESCAPE, .refusedWith = {kAlt}},
    {.key = VK_PRINT, .refusedWith = {kCtrl | kAlt}}, {.key = VK_DELETE, .refusedWith = {kShift | kCtrl}},
    {.key = VK_MENU, .allowedWith = {kCtrl}}, {.key = VK_INSERT, .allowedWith = {kCtrl}},
    {.key = VK_SPACE, .refusedWith = {0, kCtrl | kAlt}, .allowedWith = {kCtrl, kShift, kAllThree}},
    {.key = 'Q', .refusedWith = {kCtrl}, .active = {.key = 'Q', .flag = kCtrl}},
    {.key = kNoKey, .refusedWith = {0}, .allowedWith = {kCtrl}, .active = {}},
    {.key = '5', .refusedWith = {0, kCtrl}, .allowedWith = {kShift, kCtrl | kAlt, kShift | kCtrl}},
    {.key = '0', .refusedWith = {0}}, {.key = '9', .refusedWith = {kCtrl}},
    {.key = VK_NUMPAD5, .allowedWith = {0}},
    {.key = 'S', .refusedWith = {kCtrl}, .allowedWith = {kShift | kCtrl}}, {.key = 'L', .refusedWith = {kCtrl}},
    {.key = 'P', .allowedWith = {kCtrl, kShift | kCtrl}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Keys, RefusedCombinations, ::testing::ValuesIn(kKeyRules));

// A plain shortcut taken by another button asks first; its own button's, a system hotkey's or another key's not.
struct Duplicate {
    int key;
    int modifiers;
    int group;  // the button asking for it
    int button;
    bool asks;
};
class DuplicateShortcut : public ::testing::TestWithParam<Duplicate> {};

TEST_P(DuplicateShortcut, AsksOnlyForAnotherButtonsPlainShortcut)
{
    const Duplicate& d = GetParam();
    EXPECT_EQ(d.asks, IsDuplicateShortcut(Table(kActivation), d.key, d.modifiers, d.group, d.button));
}

// clang-format off
const Duplicate kDuplicates[] = {
    {.key = 'P', .modifiers = kCtrl, .group = 1, .button = 3, .asks = true},
    {.key = 'P', .modifiers = kCtrl, .group = 2, .button = 1, .asks = true},
    {.key = 'P', .modifiers = kCtrl, .group = 1, .button = 2, .asks = false},
    {.key = 'P', .modifiers = kShift | kCtrl, .group = 1, .button = 3, .asks = false},
    {.key = 'S', .modifiers = kCtrl, .group = 1, .button = 3, .asks = false},
    {.key = 'S', .modifiers = kCtrl, .group = 4, .button = 4, .asks = false},
    {.key = VK_SPACE, .modifiers = kCtrl | kAlt, .group = 1, .button = 3, .asks = false},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Keys, DuplicateShortcut, ::testing::ValuesIn(kDuplicates));

// A window, the screen, the size seen before (0: a start), the taskbar, a remembered place → where it goes.
struct Remembered {
    int width;
    int height;
    int x;
    int y;
};
struct PlacementCase {
    const char* name;
    RECT window;
    SIZE screen;
    SIZE last;  // the size seen before; none at a start
    RECT taskbar;
    std::vector<Remembered> remembered;  // the places in the table before
    POINT placed;
    bool move;
    bool recorded = true;  // the table holds the place for the screen afterwards
};

const SIZE kScreen{1024, 768};
const SIZE kStart{0, 0};
const RECT kBottomBar{0, 738, 1024, 768};
const RECT kLow{10, 700, 60, 1170};  // pushed up by the bottom

std::vector<Remembered> FullTable()
{
    std::vector<Remembered> places;
    for (int i = 0; i < kPositionSlots; ++i)
        places.push_back({.width = 640 + i, .height = 480, .x = i, .y = i});
    return places;
}

class PlacementRule : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementRule, KeepsTheWindowOnTheScreenBesideTheTaskbar)
{
    const PlacementCase& c = GetParam();
    WindowPositionTable table;
    ClearPositions(&table);
    for (const Remembered& r : c.remembered)
        RecordPosition(&table, r.width, r.height, r.x, r.y);
    const WorkArea area = WorkAreaBesideTaskbar(c.screen, c.taskbar);
    const PlacementResult place = ComputePlacement(c.window, c.screen, c.last, area, &table);
    EXPECT_EQ(c.placed.x, place.left);
    EXPECT_EQ(c.placed.y, place.top);
    EXPECT_EQ(c.move, place.move);
    PositionQuery query{c.screen.cx, c.screen.cy, 0, 0};
    EXPECT_EQ(c.recorded, FindPosition(&table, &query) && query.x == c.placed.x && query.y == c.placed.y);
    EXPECT_EQ(c.recorded, place.recorded);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Places, PlacementRule, ::testing::ValuesIn(std::vector<PlacementCase>{
    {.name = "SnapsOntoARightTaskbar", .window = {940, 100, 990, 570}, .screen = kScreen, .last = kScreen,
     .taskbar = {964, 0, 1024, 768}, .placed = {914, 100}, .move = true},
    {.name = "LargerThanTheArea", .window = {500, 500, 2500, 1500}, .screen = kScreen, .last = kScreen,
     .taskbar = {0, 0, 60, 768}, .placed = {60, -1}, .move = true},
    {.name = "UserMoveReplacesTheRemembered", .window = {30, 30, 80, 500}, .screen = kScreen, .last = kScreen,
     .taskbar = kBottomBar, .remembered = {{.width = 1024, .height = 768, .x = 400, .y = 120}}, .placed = {30, 30},
     .move = false},
    {.name = "RememberedOffTheScreen", .window = {100, 100, 150, 570}, .screen = {800, 600}, .last = kScreen,
     .taskbar = {0, 570, 800, 600}, .remembered = {{.width = 800, .height = 600, .x = 3000, .y = -2500}},
     .placed = {750, -1}, .move = true},
    {.name = "ExtremeRemembered", .window = {10, 10, 60, 480}, .screen = kScreen, .last = kStart,
     .taskbar = kBottomBar, .remembered = {{.width = 1024, .height = 768, .x = INT_MAX, .y = INT_MIN}},
     .placed = {974, -1}, .move = true},
    {.name = "OnlyTheHeightDiffers", .window = {30, 30, 80, 500}, .screen = kScreen, .last = kStart,
     .taskbar = kBottomBar, .remembered = {{.width = 1024, .height = 600, .x = 400, .y = 120}}, .placed = {30, 30},
     .move = false},
    {.name = "FullTableRecordsNothing", .window = {-300, 900, -250, 1370}, .screen = kScreen, .last = kStart,
     .taskbar = kBottomBar, .remembered = FullTable(), .placed = {-1, 268}, .move = true, .recorded = false},
    // the taskbar's edge is left out; a taskbar hidden, absent or left from a smaller screen leaves it all
    {.name = "BelowATopTaskbar", .window = {10, -300, 60, 170}, .screen = kScreen, .last = kScreen,
     .taskbar = {0, 0, 1024, 30}, .placed = {10, 30}, .move = true},
    {.name = "AboveAnAutoHiddenStrip", .window = kLow, .screen = kScreen, .last = kScreen,
     .taskbar = {0, 766, 1024, 798}, .placed = {10, 296}, .move = true},
    {.name = "AboveAnOverhangingTaskbar", .window = kLow, .screen = kScreen, .last = kScreen,
     .taskbar = {-2, 736, 1026, 770}, .placed = {10, 266}, .move = true},
    {.name = "TaskbarHiddenBelow", .window = kLow, .screen = kScreen, .last = kScreen,
     .taskbar = {0, 768, 1024, 798}, .placed = {10, 298}, .move = true},
    {.name = "NoTaskbar", .window = kLow, .screen = kScreen, .last = kScreen, .taskbar = {0, 0, 0, 0},
     .placed = {10, 298}, .move = true},
    {.name = "TaskbarFromASmallerScreen", .window = kLow, .screen = kScreen, .last = kScreen,
     .taskbar = {0, 570, 800, 600}, .placed = {10, 298}, .move = true},
}), RowName);
// clang-format on

struct ScaleRow {
    int dpi;
    int width;
    int expandedHeight;
    int collapsedHeight;
    int iconSize;
};
class BarAtScale : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(BarAtScale, ControlsTileTheClientAreaAndIconsFollowTheScale)
{
    const ScaleRow row = GetParam();
    const SIZE expanded = BarWindowSize(0, 0, 0, true, row.dpi);
    const SIZE collapsed = BarWindowSize(0, 0, 0, false, row.dpi);
    EXPECT_EQ(row.width, expanded.cx);
    EXPECT_EQ(row.expandedHeight, expanded.cy);
    EXPECT_EQ(row.collapsedHeight, collapsed.cy);
    EXPECT_EQ(row.iconSize, BarIconSize(row.dpi));
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scales, BarAtScale, ::testing::Values(
    ScaleRow{.dpi = 96, .width = 44, .expandedHeight = 434, .collapsedHeight = 38, .iconSize = 32},
    ScaleRow{.dpi = 120, .width = 55, .expandedHeight = 543, .collapsedHeight = 48, .iconSize = 40},
    ScaleRow{.dpi = 144, .width = 66, .expandedHeight = 651, .collapsedHeight = 57, .iconSize = 48}));
// clang-format on

using QueryRow = std::pair<const wchar_t*, const wchar_t*>;  // query, titles listed
using ButtonSearch = ::testing::TestWithParam<QueryRow>;

void PutButton(LauncherData* data, int group, int button, const wchar_t* title, const wchar_t* file)
{
    StoreField(data->groups[group].buttons[button].title, title);
    StoreField(data->groups[group].buttons[button].file, file);
}

TEST_P(ButtonSearch, ListsTheMatchingButtonsBestFirst)
{
    const auto data = std::make_unique<LauncherData>();
    PutButton(data.get(), 0, 0, L"メモ帳", L"C:\\Windows\\notepad.exe");
    PutButton(data.get(), 0, 1, L"サクラエディタ", L"C:\\sakura.exe");
    PutButton(data.get(), 0, 2, L"WinMerge", L"C:\\Tools\\WinMerge.exe");
    PutButton(data.get(), 0, 3, L"空のエディタ", L"");
    PutButton(data.get(), 1, 0, L"秀丸エディタ", L"C:\\Tools\\Hidemaru.exe");
    PutButton(data.get(), 1, 1, L"Ｗｏｒｄ", L"C:\\winword.exe");
    PutButton(data.get(), 1, 2, L"merge tool", L"C:\\mt.exe");
    PutButton(data.get(), 1, 3, L"Emerge", L"C:\\em.exe");
    PutButton(data.get(), 1, 4, L"ぺいんと", L"C:\\mspaint.exe");
    PutButton(data.get(), 1, 5, L"絵文字\U0001F600ノート", L"C:\\\U0001F600\\emoji.exe");
    PutButton(data.get(), 2, 0, L"外のエディタ", L"C:\\out.exe");
    SearchIndex index;
    BuildSearchIndex(*data, 2, nullptr, nullptr, &index);
    std::vector<SearchItem> found;
    FindItems(index, GetParam().first, &found);
    std::wstring titles;
    for (size_t i = 0; i < found.size(); ++i) {
        const ButtonPlace place = ButtonPlace::FromNumber(found[i].button);
        titles += std::wstring(i ? L"," : L"") + data->groups[place.group].buttons[place.button].title;
    }
    EXPECT_EQ(GetParam().second, titles) << Utf8(GetParam().first);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ButtonSearch, ::testing::Values(
    // kana and width folded
    QueryRow{L"めも", L"メモ帳"}, QueryRow{L"ﾒﾓ", L"メモ帳"}, QueryRow{L"ペイント", L"ぺいんと"},
    // case; a title start before a file's
    QueryRow{L"WORD", L"Ｗｏｒｄ"}, QueryRow{L"ｗｉｎ", L"WinMerge,Ｗｏｒｄ"},
    // a word after kanji before one inside katakana
    QueryRow{L"えでぃた", L"秀丸エディタ,サクラエディタ"},
    QueryRow{L"merge", L"merge tool,WinMerge,Emerge"},  // start, capital after a small letter, inside
    QueryRow{L"hidemaru", L"秀丸エディタ"}, QueryRow{L"tools", L""},  // the file's name, never its folder
    QueryRow{L"exe", L""}, QueryRow{L"外", L""},          // nor its extension, nor a group not in use
    QueryRow{L"\U0001F600ノ", L"絵文字\U0001F600ノート"}));  // a character beyond the code page, kept whole
// clang-format on

// Libraries are looked for in the system folder alone, never where a planted one could lie beside the program.
TEST(LibrarySearch, NamesTheSystemFolderAlone)
{
    static std::vector<DWORD> flags;
    const auto setDefault = [](DWORD f) -> BOOL {
        flags.push_back(f);
        return TRUE;
    };
    const auto load = [](LPCWSTR, HANDLE, DWORD f) {
        flags.push_back(f);
        return GetModuleHandleW(nullptr);
    };
    const SeamGuard calls = OverrideLibrarySearchCalls({setDefault, load});
    RestrictLibrarySearch();
    LoadSystemLibrary(L"hhctrl.ocx");
    EXPECT_EQ((std::vector<DWORD>{LOAD_LIBRARY_SEARCH_SYSTEM32, LOAD_LIBRARY_SEARCH_SYSTEM32}), flags);
}

TEST(MenuFont, AnUnknownFaceFallsBackToAnInstalledJapaneseFace)
{
    FontHandle font;
    ASSERT_NE(nullptr, font.Create(L"No Such Face At All", 12));
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font.Get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    DeleteDC(dc);
    EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet);
}

struct ProgramCase {
    std::wstring program;
    std::wstring dataFile;   // "": the program has no data file
    std::wstring helpFile;   // its topic opens the index page
    std::wstring positions;  // "": no position.dat beside the program
    std::wstring names;      // "": the program has no names file
};
using FilesBesideTheProgram = ::testing::TestWithParam<ProgramCase>;

TEST_P(FilesBesideTheProgram, AreNamedAfterItInItsFolder)
{
    const SeamGuard programPath = OverrideProgramPath(GetParam().program.c_str());
    wchar_t data[MAX_PATH] = L"", topic[520] = L"", positions[MAX_PATH] = L"", names[MAX_PATH] = L"";
    auto built = [](bool ok, const wchar_t* text) { return std::wstring(ok ? text : L""); };
    EXPECT_EQ(GetParam().dataFile, built(DataFilePath(data, MAX_PATH), data));
    EXPECT_EQ(GetParam().helpFile + L"::/html/index.html", built(BuildHelpTopic(topic, 520), topic));
    EXPECT_EQ(GetParam().positions, built(ProgramFolderFile(L"position.dat", positions, MAX_PATH), positions));
    EXPECT_EQ(GetParam().names, built(DataFilePath(data, MAX_PATH) && NamesFilePath(data, names, MAX_PATH), names));
}

const std::wstring kLong = L"C:\\" + std::wstring(245, L'd');  // porun.exe fits MAX_PATH beside it, position.dat not

// clang-format off
INSTANTIATE_TEST_SUITE_P(Programs, FilesBesideTheProgram, ::testing::Values(
    ProgramCase{.program = L"C:\\tools\\x.exe", .dataFile = L"C:\\tools\\x.dat", .helpFile = L"C:\\tools\\x.chm",
                .positions = L"C:\\tools\\position.dat", .names = L"C:\\tools\\x.names"},
    ProgramCase{.program = L"C:\\my.tools\\launcher", .dataFile = L"", .helpFile = L"C:\\my.tools\\launcher.chm",
                .positions = L"C:\\my.tools\\position.dat", .names = L""},
    ProgramCase{.program = L"C:\\a\\b.c.exe", .dataFile = L"C:\\a\\b.c.dat", .helpFile = L"C:\\a\\b.c.chm",
                .positions = L"C:\\a\\position.dat", .names = L"C:\\a\\b.c.names"},
    ProgramCase{.program = L"C:\\a\\x.ex", .dataFile = L"", .helpFile = L"C:\\a\\x.chm",
                .positions = L"C:\\a\\position.dat", .names = L""},
    ProgramCase{.program = L"porun.exe", .dataFile = L"porun.dat", .helpFile = L"porun.chm", .positions = L"",
                .names = L"porun.names"},
    ProgramCase{.program = L"C:\\p.exe", .dataFile = L"C:\\p.dat", .helpFile = L"C:\\p.chm",
                .positions = L"C:\\position.dat", .names = L"C:\\p.names"},
    ProgramCase{.program = kLong + L"\\porun.exe", .dataFile = kLong + L"\\porun.dat",
                .helpFile = kLong + L"\\porun.chm", .positions = L"", .names = L""}));
// clang-format on

// A stored path as used: the launcher runs from C:<R>, a folder both C: and Z: hold; <259>: letters up to 259.
std::wstring Filled(std::wstring text, const std::wstring& rest)
{
    for (size_t at; (at = text.find(L"<R>")) != std::wstring::npos;)
        text.replace(at, 3, rest);
    for (const wchar_t* mark : {L"<259>", L"<260>"})
        if (const size_t at = text.find(mark); at != std::wstring::npos)
            text.replace(at, 5, std::wstring(std::wcstol(mark + 1, nullptr, 10) - (text.size() - 5), L'x'));
    return text;
}

struct Case {
    const wchar_t* stored;
    const wchar_t* used;  // "" when it counts as missing whatever exists
    bool found;
    wchar_t windowsDrive = L'W';  // the drive Windows runs from
};

const std::wstring kJapanese = L"Q:<R>\\" + Repeated(std::wstring(L"表"), 200) + L".exe";  // 200 characters
const std::wstring kBeyond = L"C:<R>\\\U0001F600.exe";  // a character beyond code page 932, there

// clang-format off
const Case kCases[] = {
    // there as written: used as written
    {.stored = L"Z:<R>\\both.exe", .used = L"Z:<R>\\both.exe", .found = true},
    // only on ours; no such drive
    {.stored = L"Z:<R>\\c.exe", .used = L"C:<R>\\c.exe", .found = true},
    {.stored = L"Q:<R>\\c.exe", .used = L"C:<R>\\c.exe", .found = true},
    // nowhere: as written, missing
    {.stored = L"Q:<R>\\none.exe", .used = L"Q:<R>\\none.exe", .found = false},
    // UNC: left alone
    {.stored = L"\\\\nosuch\\share<R>\\c.exe", .used = L"\\\\nosuch\\share<R>\\c.exe", .found = false},
    // no drive (the current one is Z:): left alone
    {.stored = L"<R>\\c.exe", .used = L"<R>\\c.exe", .found = false},
    // fits MAX_PATH; does not, on any drive
    {.stored = L"Q:<R>\\<259>", .used = L"Q:<R>\\<259>", .found = false},
    {.stored = L"Q:<R>\\<260>", .used = L"", .found = false},
    // expanded; the launcher's folder
    {.stored = L"%PORUN_TEST_C%\\c.exe", .used = L"C:<R>\\c.exe", .found = true},
    {.stored = L"%PORUN_TEST_Q%\\c.exe", .used = L"C:<R>\\c.exe", .found = true},
    {.stored = L"%PORUN_DIR%\\c.exe", .used = L"C:<R>\\c.exe", .found = true},
    // undefined: as written; a real % in a name wins; too long once expanded
    {.stored = L"C:<R>\\%PORUN_UNSET%.exe", .used = L"C:<R>\\%PORUN_UNSET%.exe", .found = false},
    {.stored = L"C:<R>\\%PORUN_TEST_Z%.exe", .used = L"C:<R>\\%PORUN_TEST_Z%.exe", .found = true},
    {.stored = L"%PORUN_TEST_LONG%\\c.exe", .used = L"", .found = false},
    // MAX_PATH counts characters; a character beyond code page 932; not onto Windows's drive
    {.stored = kJapanese.c_str(), .used = kJapanese.c_str(), .found = false},
    {.stored = kBeyond.c_str(), .used = kBeyond.c_str(), .found = true},
    {.stored = L"Z:<R>\\c.exe", .used = L"Z:<R>\\c.exe", .found = false, .windowsDrive = L'C'},
};
// clang-format on

TEST(StoredPath, IsUsedAsWrittenExpandedOrOnTheLaunchersDrive)
{
    const std::wstring rest = L"\\tmp\\porun-stored-" + std::to_wstring(GetCurrentProcessId());
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    Restore undo{[rest, &current] {
        RemoveTree(L"C:" + rest);
        RemoveTree(L"Z:" + rest);
        SetCurrentDirectoryW(current);
    }};
    for (const wchar_t* drive : {L"C:", L"Z:"})
        ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExW(nullptr, (drive + rest).c_str(), nullptr));
    const std::wstring files[] = {L"C:<R>\\both.exe", L"C:<R>\\c.exe", L"C:<R>\\%PORUN_TEST_Z%.exe", L"Z:<R>\\both.exe",
                                  kBeyond};
    for (const std::wstring& file : files)
        ASSERT_TRUE(WriteBytes(Filled(file, rest), ""));
    SetEnvironmentVariableW(L"PORUN_TEST_C", (L"C:" + rest).c_str());
    SetEnvironmentVariableW(L"PORUN_TEST_Q", (L"Q:" + rest).c_str());
    SetEnvironmentVariableW(L"PORUN_TEST_Z", L"z");
    SetEnvironmentVariableW(L"PORUN_TEST_LONG", (L"C:" + rest + L"\\" + std::wstring(250, L'x')).c_str());
    const SeamGuard programPath = OverrideProgramPath((L"C:" + rest + L"\\porun.exe").c_str());
    ASSERT_TRUE(SetProgramFolderVariable());
    ASSERT_TRUE(SetCurrentDirectoryW(L"Z:\\"));
    for (const Case& row : kCases) {
        const std::wstring stored = Filled(row.stored, rest);
        SCOPED_TRACE(Utf8(stored));
        const SeamGuard windowsDrive = OverrideWindowsDrive(row.windowsDrive);
        wchar_t used[kResolvedPathSize] = L"?";
        bool found = !row.found;
        EXPECT_EQ(row.used[0] != L'\0', ResolveStoredPath(stored.c_str(), used, kResolvedPathSize, &found));
        EXPECT_EQ(Filled(row.used, rest), used);
        EXPECT_EQ(row.found, found);
    }
}

// The string table's texts with an insert read as the program's, "%s" for a wide string; formatted, cut on a whole
// character to the room given and to wvsprintfW's 1024 characters.
struct TextRow {
    const char* name;
    UINT id;
    const wchar_t* text;
    std::wstring insert, formatted;
    int room = 64;
};
class StringTableText : public ::testing::TestWithParam<TextRow> {};

TEST_P(StringTableText, ReadsAsTheProgramsOwnAndFormatsItsInsertWhole)
{
    EXPECT_EQ(GetParam().text, String(GetParam().id));
    std::vector<wchar_t> formatted(GetParam().room, L'?');
    FormatText(formatted.data(), GetParam().room, GetParam().id, GetParam().insert.c_str());
    EXPECT_EQ(GetParam().formatted, formatted.data());
}

constexpr wchar_t kClear[] = L"%s の設定を削除しちゃうのら？";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, StringTableText, ::testing::Values(
    TextRow{.name = "ClearQuestion", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear, .insert = L"メモ帳",
            .formatted = L"メモ帳 の設定を削除しちゃうのら？"},
    TextRow{.name = "CutBeforeAPairThatDoesNotFit", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear,
            .insert = L"ab\U0001F600", .formatted = L"ab", .room = 4},
    TextRow{.name = "CutAtTheLimit", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear, .insert = std::wstring(2000, L'表'),
            .formatted = std::wstring(kFormattedTextLimit, L'表'), .room = 2048}),
    RowName);
// clang-format on

UINT WINAPI DriveRIsAShare(LPCWSTR root)
{
    return (root[0] | 0x20) == L'r' ? DRIVE_REMOTE : GetDriveTypeW(root);
}

// Off this machine: a UNC path in either form, a path on a drive mapped to a share; not a local drive or device.
TEST(NetworkPath, IsAUncPathOrOnADriveMappedToAShare)
{
    const SeamGuard share = OverrideDriveType(DriveRIsAShare);
    const std::pair<const wchar_t*, bool> paths[] = {{L"\\\\server\\share\\a.exe", true},
                                                     {L"\\\\?\\UNC\\server\\share\\a.exe", true},
                                                     {L"R:\\a.exe", true},
                                                     {L"\\\\?\\r:\\a.exe", true},
                                                     {L"C:\\a.exe", false},
                                                     {L"\\\\?\\C:\\a.exe", false},
                                                     {L"\\\\.\\C:", false},
                                                     {L"a.exe", false}};
    for (const auto& [path, network] : paths)
        EXPECT_EQ(network, IsNetworkPath(path)) << Utf8(path);
}

}  // namespace
