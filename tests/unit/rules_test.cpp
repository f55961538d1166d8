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
    ShortcutTable table = {};
    *GetShortcutEntry(table, 4, 4) = ShortcutEntry{44, 'S', 2, 1};
    *GetShortcutEntry(table, 9, 9) = ShortcutEntry{99, 'L', 2, 1};
    *GetShortcutEntry(table, 1, 2) = ShortcutEntry{12, 'P', 2, 0};
    table.Active = ShortcutEntry{.key = c.activeKey, .flag = c.activeFlags};
    EXPECT_EQ(c.refused, IsShortcutRefused(table, c.key, c.flags));
    EXPECT_TRUE(c.asks < 0 || c.asks == IsDuplicateShortcut(table, c.key, c.flags, c.group, c.button));
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
    EXPECT_EQ(std::vector<int>({c.placed.x, c.placed.y, c.move}),
              std::vector<int>({place.left, place.top, place.move}));
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
    {"ExtremeRemembered", {10, 10, 60, 480}, kScreen, {0, 0}, kBottomBar, {1024, 768, INT_MAX, INT_MIN}, {974, -1},
     true},
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

INSTANTIATE_TEST_SUITE_P(Scales, BarAtScale, ::testing::Values(
    ScaleRow{.dpi = 96, .width = 44, .expandedHeight = 434, .collapsedHeight = 38, .iconSize = 32},
    ScaleRow{.dpi = 120, .width = 55, .expandedHeight = 543, .collapsedHeight = 48, .iconSize = 40},
    ScaleRow{.dpi = 144, .width = 66, .expandedHeight = 651, .collapsedHeight = 57, .iconSize = 48},
    ScaleRow{.dpi = 192, .width = 88, .expandedHeight = 868, .collapsedHeight = 76, .iconSize = 64}));

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

INSTANTIATE_TEST_SUITE_P(Rows, ButtonSearch, ::testing::Values(
    QueryRow{L"めも", L"メモ帳"}, QueryRow{L"ﾒﾓ", L"メモ帳"}, QueryRow{L"ペイント", L"ぺいんと"},  // kana and width folded
    QueryRow{L"WORD", L"Ｗｏｒｄ"}, QueryRow{L"ｗｉｎ", L"WinMerge,Ｗｏｒｄ"},  // case; a title start before a file's
    QueryRow{L"えでぃた", L"秀丸エディタ,サクラエディタ"},  // a word after kanji before one inside katakana
    QueryRow{L"merge", L"merge tool,WinMerge,Emerge"},  // start, capital after a small letter, inside
    QueryRow{L"hidemaru", L"秀丸エディタ"}, QueryRow{L"tools", L""},  // the file's name, never its folder
    QueryRow{L"exe", L""}, QueryRow{L"外", L""},          // nor its extension, nor a group not in use
    QueryRow{L"\U0001F600ノ", L"絵文字\U0001F600ノート"},  // a character beyond the code page, kept whole
    QueryRow{L" ", L"メモ帳,サクラエディタ,WinMerge,秀丸エディタ,Ｗｏｒｄ,merge tool,Emerge,ぺいんと,絵文字\U0001F600ノート"}));

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
    std::wstring dataFile;  // "": the program has no data file
    std::wstring helpFile;  // its topic opens the index page
    std::wstring positions;  // "": no position.dat beside the program
    std::wstring names;     // "": the program has no names file
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

INSTANTIATE_TEST_SUITE_P(Programs, FilesBesideTheProgram, ::testing::Values(
    ProgramCase{L"C:\\tools\\x.exe", L"C:\\tools\\x.dat", L"C:\\tools\\x.chm", L"C:\\tools\\position.dat",
                L"C:\\tools\\x.names"},
    ProgramCase{L"C:\\my.tools\\launcher", L"", L"C:\\my.tools\\launcher.chm", L"C:\\my.tools\\position.dat", L""},
    ProgramCase{L"C:\\a\\b.c.exe", L"C:\\a\\b.c.dat", L"C:\\a\\b.c.chm", L"C:\\a\\position.dat", L"C:\\a\\b.c.names"},
    ProgramCase{L"C:\\a\\x.ex", L"", L"C:\\a\\x.chm", L"C:\\a\\position.dat", L""},
    ProgramCase{L"C:\\\U0001F600\\p.exe", L"C:\\\U0001F600\\p.dat", L"C:\\\U0001F600\\p.chm",
                L"C:\\\U0001F600\\position.dat", L"C:\\\U0001F600\\p.names"},
    ProgramCase{L"porun.exe", L"porun.dat", L"porun.chm", L"", L"porun.names"},
    ProgramCase{L"C:\\p.exe", L"C:\\p.dat", L"C:\\p.chm", L"C:\\position.dat", L"C:\\p.names"},
    ProgramCase{kLong + L"\\porun.exe", kLong + L"\\porun.dat", kLong + L"\\porun.chm", L"", L""}));

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

const Case kCases[] = {
    {L"Z:<R>\\both.exe", L"Z:<R>\\both.exe", true},        // there as written: used as written
    {L"Z:<R>\\c.exe", L"C:<R>\\c.exe", true}, {L"Q:<R>\\c.exe", L"C:<R>\\c.exe", true},  // only on ours; no such drive
    {L"Q:<R>\\none.exe", L"Q:<R>\\none.exe", false},        // nowhere: as written, missing
    {L"\\\\nosuch\\share<R>\\c.exe", L"\\\\nosuch\\share<R>\\c.exe", false},  // UNC: left alone
    {L"<R>\\c.exe", L"<R>\\c.exe", false},                    // no drive (the current one is Z:): left alone
    {L"Q:<R>\\<259>", L"Q:<R>\\<259>", false}, {L"Q:<R>\\<260>", L"", false},  // fits MAX_PATH; does not, on any drive
    {L"%PORUN_TEST_C%\\c.exe", L"C:<R>\\c.exe", true}, {L"%PORUN_TEST_Q%\\c.exe", L"C:<R>\\c.exe", true},  // expanded
    {L"%PORUN_DIR%\\c.exe", L"C:<R>\\c.exe", true},         // the launcher's folder
    {L"C:<R>\\%PORUN_UNSET%.exe", L"C:<R>\\%PORUN_UNSET%.exe", false},  // undefined: as written
    {L"C:<R>\\%PORUN_TEST_Z%.exe", L"C:<R>\\%PORUN_TEST_Z%.exe", true},  // a real % in a name wins
    {L"%PORUN_TEST_LONG%\\c.exe", L"", false},              // too long once expanded
    {.stored = kJapanese.c_str(), .used = kJapanese.c_str(), .found = false},  // MAX_PATH counts characters
    {.stored = kBeyond.c_str(), .used = kBeyond.c_str(), .found = true},
    {.stored = L"Z:<R>\\c.exe", .used = L"Z:<R>\\c.exe", .found = false, .windowsDrive = L'C'},  // not onto Windows's
};

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
INSTANTIATE_TEST_SUITE_P(Rows, StringTableText, ::testing::Values(
    TextRow{.name = "ClearQuestion", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear, .insert = L"メモ帳",
            .formatted = L"メモ帳 の設定を削除しちゃうのら？"},
    TextRow{.name = "CapturePrompt", .id = IDS_CAPTURE_PROMPT_FORMAT, .text = L"キーを押すのら！( 必須キー %s )",
            .insert = L"CTRL", .formatted = L"キーを押すのら！( 必須キー CTRL )"},
    TextRow{.name = "CutBeforeAPairThatDoesNotFit", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear,
            .insert = L"ab\U0001F600", .formatted = L"ab", .room = 4},
    TextRow{.name = "CutAtTheLimit", .id = IDS_ASK_CLEAR_BUTTON, .text = kClear, .insert = std::wstring(2000, L'表'),
            .formatted = std::wstring(kFormattedTextLimit, L'表'), .room = 2048}),
    RowName);

UINT WINAPI DriveRIsAShare(LPCWSTR root)
{
    return (root[0] | 0x20) == L'r' ? DRIVE_REMOTE : GetDriveTypeW(root);
}

// Off this machine: a UNC path in either form, a path on a drive mapped to a share; not a local drive or device.
TEST(NetworkPath, IsAUncPathOrOnADriveMappedToAShare)
{
    const SeamGuard share = OverrideDriveType(DriveRIsAShare);
    const std::pair<const wchar_t*, bool> paths[] = {
        {L"\\\\server\\share\\a.exe", true}, {L"\\\\?\\UNC\\server\\share\\a.exe", true}, {L"R:\\a.exe", true},
        {L"\\\\?\\r:\\a.exe", true}, {L"C:\\a.exe", false}, {L"\\\\?\\C:\\a.exe", false}, {L"\\\\.\\C:", false},
        {L"a.exe", false}};
    for (const auto& [path, network] : paths)
        EXPECT_EQ(network, IsNetworkPath(path)) << Utf8(path);
}

}  // namespace
