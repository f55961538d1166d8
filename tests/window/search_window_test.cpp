// The search window opened as a user opens it, typed into, and left by ENTER, ESC or another window; the programs
// of the Start menu it finds, counted and put on buttons.
#include "window/window_test.h"

#include "data/usage_file.h"
#include "support/kanji_reading.h"

#include <atomic>

using namespace window_test;

namespace {

struct SearchRow {
    const char* name;
    int opened;  // the control whose menu opens it; 0: its hotkey, -1: the tray menu
    const wchar_t* typed;
    int downs;
    BYTE left;    // the key that leaves it; 0: another window takes the activation
    int started;  // 0 none, 1 the first recorder, 2 the second
};
class SearchWindow : public Table<SearchRow> {};

TEST_P(SearchWindow, StartsTheChosenButtonOfAnyGroupOrClosesWithoutStarting)
{
    Recorder first(folder_, L"a\\alpha.exe"), second(folder_, L"b\\beta.exe");
    data_.settings.groupCount = 4;
    data_.Button(0, 0, L"Alpha ツール", first.Path()).Button(3, 5, L"ベータ ツール", second.Path());
    shortcuts_ = ActiveLines(0, 0) + "ShortCut.Search.key,114\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F3
    Open();
    std::atomic<bool> gone{false};
    DialogWaiter search(kSearch, 0, [&](HWND dialog) {
        HWND field = GetDlgItem(dialog, IDC_SEARCH_QUERY);
        SetWindowTextW(field, row().typed);
        for (int i = 0; i < row().downs; ++i)
            PostMessageW(field, WM_KEYDOWN, VK_DOWN, 1);
        if (row().left) {
            PostMessageW(field, WM_KEYDOWN, row().left, 1);
        } else {
            EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
            HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                         nullptr, nullptr);
            SetForegroundWindow(other);
            WaitGone(dialog);
            DestroyWindow(other);
        }
        gone = WaitGone(dialog);
    });
    if (!row().opened)
        ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F3));
    else
        ASSERT_TRUE((row().opened < 0 ? Tray(WM_RBUTTONUP, IDM_SEARCH_BUTTONS)
                                      : RightClick(row().opened, IDM_SEARCH_BUTTONS)).opened);
    ASSERT_TRUE(WaitUntil([&] { return gone.load(); }));  // the search has returned: what was chosen is done
    EXPECT_TRUE(!row().started || (row().started == 1 ? first : second).Started());
    EXPECT_EQ(row().started == 1, first.StartedYet());
    EXPECT_EQ(row().started == 2, second.StartedYet());
}

const SearchRow kSearches[] = {
    {"ByItsHotkeyFindsAnotherGroupsButtonWithKanaFolded", 0, L"べーた", 0, VK_RETURN, 2},
    {"ByTheButtonMenuTheSecondOfTwoWordStarts", B(2), L"つーる", 1, VK_RETURN, 2},
    {"ByTheTrayMenu", -1, L"ALPHA", 0, VK_RETURN, 1},
    {"EscStartsNothing", 0, L"ALPHA", 0, VK_ESCAPE, 0},
    {"AnotherWindowTakingTheActivationClosesIt", -1, L"べーた", 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Rows, SearchWindow, ::testing::ValuesIn(kSearches), RowName);

}  // namespace

namespace {

// What the launcher counted in porun.usage for path, now.
double Counted(const TempFolder& folder, const std::wstring& path)
{
    const std::string text = ReadBytes(folder.File(L"porun.usage"));
    UsageLog usage;
    return usage.Parse(text.data(), text.size()) ? usage.Score(path, UsageNow()) : 0.0;
}

// In the open search window: typed, then the first row once it names first (the programs may arrive later).
bool Lists(HWND dialog, const std::wstring& typed, const std::wstring& first)
{
    SetDlgItemTextW(dialog, IDC_SEARCH_QUERY, typed.c_str());
    HWND list = GetDlgItem(dialog, IDC_SEARCH_LIST);
    return WaitUntil([&] { return ListCell(list, 0, 0) == first; });
}

struct FoundRow {
    const char* name;
    const wchar_t* program;  // in the Programs folder, ".exe" added
    const wchar_t* typed;
};
class StartMenuProgram : public Table<FoundRow> {};

TEST_P(StartMenuProgram, IsFoundStartedCountedAndListedFirstThen)
{
    const SeamGuard readings = OverrideKanjiReading([](const std::wstring& text) {
        return text == L"家計簿" ? std::wstring(L"かけいぼ") : std::wstring();
    });
    const Recorder program(folder_, std::wstring(L"Programs\\") + row().program + L".exe", true);
    data_.Button(0, 0, L"メモ", CopyInto(BuildFile(PORUN_RECORDER_PATH), folder_, L"memo\\memo.exe"));
    Open();
    EXPECT_TRUE(FromMenu(B(0), IDM_SEARCH_BUTTONS, kSearch, 0, [&](HWND dialog) {
        EXPECT_TRUE(Lists(dialog, row().typed, row().program));
        PostMessageW(GetDlgItem(dialog, IDC_SEARCH_QUERY), WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_TRUE(WaitGone(dialog));
    }));
    ASSERT_TRUE(program.Started());
    EXPECT_NEAR(1.0, Counted(folder_, program.Path()), 1e-3);
    EXPECT_TRUE(FromMenu(B(0), IDM_SEARCH_BUTTONS, kSearch, IDCANCEL, [&](HWND dialog) {
        EXPECT_TRUE(Lists(dialog, L"", row().program)) << "the most used first";
    }));
}

const FoundRow kFound[] = {
    {.name = "ByItsName", .program = L"フォト カメラ", .typed = L"ふぉと かめら"},
    {.name = "ByRomaji", .program = L"フォト カメラ", .typed = L"foto"},
    {.name = "ByAWordInsideInRomaji", .program = L"フォト カメラ", .typed = L"kamera"},
    {.name = "KanjiByTheirReading", .program = L"家計簿", .typed = L"kakeibo"},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartMenuProgram, ::testing::ValuesIn(kFound), RowName);

// Button 1 holds the recorder; how it is started.
enum class Start { Click, Key, Hotkey, FolderMenu };
struct CountRow {
    const char* name;
    Start start;
};
class EveryStart : public Table<CountRow> {};

TEST_P(EveryStart, IsCountedForItsPath)
{
    const Recorder recorder(folder_, L"tree\\rec.exe", true);
    const bool menu = row().start == Start::FolderMenu;
    data_.Button(0, 0, L"rec", menu ? FolderOf(recorder.Path()) : recorder.Path());
    shortcuts_ = ActiveLines(0, 0) + ShortcutLines(0, 0, row().start == Start::Key ? VK_F5 : VK_F6,
                                                   row().start == Start::Key ? 0 : 3, row().start == Start::Hotkey);
    ASSERT_TRUE(!menu || WriteBytes(folder_.File(L"porun.options"), "folder_menu_0,1\r\n"));
    Open();
    if (row().start == Start::Click)
        Click(B(0));
    if (row().start == Start::Key)
        Key(VK_F5);
    if (row().start == Start::Hotkey) {
        ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F6));
    }
    if (menu) {
        for (BYTE key : {VK_DOWN, VK_RETURN})  // queued before the click: the menu's
            PostMessageW(window_, WM_KEYDOWN, key, 0);
        Click(B(0));
    }
    ASSERT_TRUE(recorder.Started());
    EXPECT_TRUE(WaitUntil([&] { return Counted(folder_, recorder.Path()) > 0.99; }));
}

const CountRow kStarts[] = {
    {.name = "AClick", .start = Start::Click},
    {.name = "AKey", .start = Start::Key},
    {.name = "AHotkey", .start = Start::Hotkey},
    {.name = "AFolderMenusItem", .start = Start::FolderMenu},
};
INSTANTIATE_TEST_SUITE_P(Rows, EveryStart, ::testing::ValuesIn(kStarts), RowName);

// A found program on the first empty button: of the current group by CTRL+D, of another from the row's menu.
enum class Found { Program, Shortcut, StoreApp };
struct PutRow {
    const char* name;
    Found found;
    int group;       // chosen from the row's menu; -1: CTRL+D on the current group
    int filled;      // buttons filled before in the group that takes it
    bool full;       // no empty button: the notice, nothing written
};
class PutOnButton : public Table<PutRow> {};

TEST_P(PutOnButton, FillsTheFirstEmptyButtonAsADropWouldAndSavesAtOnce)
{
    const Recorder recorder(folder_, L"apps\\camera.exe", true);
    const std::wstring work = folder_.Folder(L"work");
    if (row().found == Found::Shortcut)
        ASSERT_TRUE(MakeShellLink(programs_ + L"\\カメラ.lnk", recorder.Path(), L"-x", work));
    else if (row().found == Found::Program)
        ASSERT_TRUE(CopyFileW(recorder.Path().c_str(), (programs_ + L"\\カメラ.exe").c_str(), FALSE));
    else
        storeApps_ = {{L"カメラ", L"Microsoft.WindowsCamera_8wekyb3d8bbwe!App"}};
    const int group = row().group < 0 ? 0 : row().group;
    data_.settings.groupCount = 3;
    for (int i = 0; i < row().filled; ++i)
        data_.Button(group, i, L"memo " + std::to_wstring(i), L"C:\\memo.exe");
    Open();
    std::unique_ptr<DialogWaiter> notice = Expect(row().full ? kNotice : nullptr, IDOK);
    EXPECT_TRUE(FromMenu(B(0), IDM_SEARCH_BUTTONS, kSearch, 0, [&](HWND dialog) {
        ASSERT_TRUE(Lists(dialog, L"kamera", L"カメラ"));
        if (row().group < 0) {
            EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
            EXPECT_TRUE(PressChord({VK_CONTROL}, 'D'));
        } else {
            const OpenMenu menu = WhileMenuOpen(dialog, [&] {
                SendMessageW(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SEARCH_LIST)), -1);
            }, IDM_SEARCH_FIRST_GROUP + row().group);
            EXPECT_EQ(4u, menu.texts.size());
        }
        EXPECT_TRUE(WaitGone(dialog));
    }));
    if (notice) {
        EXPECT_NE(std::wstring::npos, notice->Message().find(L"第 " + std::to_wstring(group + 1) + L"グループ"));
    }
    const auto saved = Saved();
    ASSERT_TRUE(saved);
    const std::wstring title = saved->Title(group, row().filled < 10 ? row().filled : 9);
    EXPECT_EQ(row().full ? L"memo 9" : L"カメラ", title);
    if (row().full)
        return;
    const std::wstring file = saved->File(group, row().filled);
    const std::wstring params = Decoded(saved->At(group, row().filled).params);
    const std::wstring folder = Decoded(saved->At(group, row().filled).workDir);
    if (row().found == Found::StoreApp) {
        EXPECT_EQ(std::make_pair(std::wstring(L"%SystemRoot%\\explorer.exe"),
                                 std::wstring(L"shell:AppsFolder\\Microsoft.WindowsCamera_8wekyb3d8bbwe!App")),
                  std::make_pair(file, params));
        return;
    }
    const bool link = row().found == Found::Shortcut;
    EXPECT_EQ(link ? recorder.Path() : programs_ + L"\\カメラ.exe", file);
    EXPECT_EQ(link ? L"-x" : L"", params);
    EXPECT_EQ(link ? work : programs_, folder);
    EXPECT_EQ(L"カメラ", Tip(B(row().filled)));
    EXPECT_EQ(std::to_wstring(row().filled + 1) + L" カメラ", Text(GetDlgItem(window_, B(row().filled))));
    Click(B(row().filled));
    EXPECT_TRUE(link ? recorder.Started() : WaitUntil([&] { return Exists(programs_ + L"\\received.txt"); }));
}

const PutRow kPut[] = {
    {.name = "AProgramByCtrlD", .found = Found::Program, .group = -1, .filled = 1, .full = false},
    {.name = "AShortcutByItsTargetInAGroupChosen", .found = Found::Shortcut, .group = 2, .filled = 3, .full = false},
    {.name = "AStoreApplicationThroughExplorer", .found = Found::StoreApp, .group = 1, .filled = 0, .full = false},
    {.name = "AFullGroupSaysSo", .found = Found::Program, .group = -1, .filled = 10, .full = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, PutOnButton, ::testing::ValuesIn(kPut), RowName);

// A program that comes while the window is open is listed without a keystroke.
TEST_F(Window, SearchListsAProgramThatArrivesWhileItIsOpen)
{
    Open();
    EXPECT_TRUE(FromMenu(B(0), IDM_SEARCH_BUTTONS, kSearch, IDCANCEL, [&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SEARCH_QUERY, L"kamera");
        EXPECT_TRUE(WaitUntil([&] { return Text(dialog, IDC_SEARCH_HINT) == String(IDS_SEARCH_NO_MATCH); }));
        EXPECT_TRUE(WriteBytes(programs_ + L"\\カメラ.lnk", ""));
        EXPECT_TRUE(WaitUntil([&] { return ListCell(GetDlgItem(dialog, IDC_SEARCH_LIST), 0, 0) == L"カメラ"; }));
    }));
}

}  // namespace
