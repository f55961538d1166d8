// The button settings dialog: what it proposes, what OK stores and what Cancel puts back.
#include "bar/button_icons.h"
#include "app/commands.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "dialogs/file_browser.h"
#include "resources/resource_ids.h"
#include "support/kept_path.h"
#include "window/bar_fixture.h"
#include "window/capture_keys.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

namespace {

constexpr char kButtonDialog[] = "ボタンの設定";

TEST(FileFilter, SinglePatternListBecomesDescriptionPatternPairs)
{
    char filter[128];
    ASSERT_TRUE(BuildFileFilter("*.exe;*.lnk;*.*", filter, sizeof filter));
    EXPECT_EQ(0, std::memcmp(filter, "*.exe\0*.exe\0*.lnk\0*.lnk\0*.*\0*.*\0\0", 32));
    ASSERT_TRUE(BuildFileFilter("*.exe;;*.*", filter, sizeof filter));
    EXPECT_EQ(0, std::memcmp(filter, "*.exe\0*.exe\0*.*\0*.*\0\0", 21));
    EXPECT_FALSE(BuildFileFilter("*.exe;*.lnk;*.*", filter, 20));
}

class SettingsDialogTest : public BarWindowTest {
protected:
    // Opens the dialog for index with the request given; probe reads/acts, then presses button.
    void Open(int index, int presetFlag, const std::string& path, std::function<void(HWND)> probe, int button)
    {
        DialogProbe watcher(kButtonDialog, std::move(probe), button);
        SetDialogRequest(index, presetFlag, path.c_str());
        ShowButtonSettingsDialog(window_);
        watcher.Join();
        ASSERT_TRUE(watcher.Found());
    }
    std::string Editor()
    {
        const std::string tools = folder_.File("Tools");
        CreateDirectoryA(tools.c_str(), nullptr);
        const std::string editor = tools + "\\editor.exe";
        CopyFileA(ProgramCopy().c_str(), editor.c_str(), FALSE);
        return editor;
    }
};

TEST_F(SettingsDialogTest, DropPresetProposesTitleFileFolderAndIcon)
{
    const std::string editor = Editor();
    std::string caption, title, file, work, iconFile, label;
    int position = -1;
    std::vector<DWORD> preview;
    Open(2, 1, editor, [&](HWND dialog) {
        char text[256];
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        title = ItemText(dialog, IDC_BUTTON_TITLE);
        file = ItemText(dialog, IDC_BUTTON_FILE);
        work = ItemText(dialog, IDC_BUTTON_WORK_DIR);
        iconFile = ItemText(dialog, IDC_BUTTON_ICON_FILE);
        label = ItemText(dialog, IDC_ICON_NUMBER);
        position = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_SLIDER, TBM_GETPOS, 0, 0));
        preview = IconPixels(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0)));
    }, IDCANCEL);
    EXPECT_EQ("=(o.o)= 第 3ボタンの設定、なのら。", caption);
    EXPECT_EQ("editor", title);
    EXPECT_EQ(editor, file);
    EXPECT_EQ(folder_.File("Tools"), work);
    EXPECT_EQ(editor, iconFile);
    EXPECT_EQ("アイコン&No. 0", label);
    EXPECT_EQ(0, position);
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), preview);
    EXPECT_STREQ("", CurrentButton(2)->file) << "nothing stored until OK";
    EXPECT_FALSE(FileExists(folder_.File("porun.dat")));
}

TEST_F(SettingsDialogTest, CaptionNumbersOneAndTen)
{
    std::string first, tenth;
    Open(0, 0, "", [&](HWND dialog) { char t[256]; GetWindowTextA(dialog, t, sizeof t); first = t; }, IDCANCEL);
    Open(9, 0, "", [&](HWND dialog) { char t[256]; GetWindowTextA(dialog, t, sizeof t); tenth = t; }, IDCANCEL);
    EXPECT_EQ("=(o.o)= 第 1ボタンの設定、なのら。", first);
    EXPECT_EQ("=(o.o)= 第10ボタンの設定、なのら。", tenth);
}

TEST_F(SettingsDialogTest, EmptyButtonShowsEmptyFieldsAndOkStoresNothing)
{
    bool browseIcon = true, iconSource = true;
    std::string file;
    std::vector<DWORD> preview;
    Open(4, 0, "", [&](HWND dialog) {
        file = ItemText(dialog, IDC_BUTTON_FILE);
        browseIcon = IsWindowEnabled(GetDlgItem(dialog, IDC_BUTTON_BROWSE_ICON));
        iconSource = IsWindowEnabled(GetDlgItem(dialog, IDC_ICON_SOURCE_LIST));
        preview = IconPixels(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0)));
        SetDlgItemTextA(dialog, IDC_BUTTON_TITLE, "a title only");
    }, IDOK);
    EXPECT_EQ("", file);
    EXPECT_FALSE(browseIcon);
    EXPECT_FALSE(iconSource);
    EXPECT_EQ(ResourcePixels(IDI_EMPTY_BUTTON), preview);
    const ButtonRecord zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, CurrentButton(4), sizeof zero));
    EXPECT_FALSE(FileExists(folder_.File("porun.dat")));
}

TEST_F(SettingsDialogTest, SliderPositionThreeIsStoredAsIconIndexThree)
{
    FillButton(1, "Porun", ProgramCopy(), "-x", folder_.Path());
    std::string label;
    Open(1, 0, "", [&](HWND dialog) {
        HWND slider = GetDlgItem(dialog, IDC_ICON_SLIDER);
        SendMessageA(slider, TBM_SETPOS, TRUE, 3);
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3), reinterpret_cast<LPARAM>(slider));
        label = ItemText(dialog, IDC_ICON_NUMBER);
    }, IDOK);
    EXPECT_EQ("アイコン&No. 3", label);
    const ButtonRecord* record = CurrentButton(1);
    EXPECT_EQ(3, record->iconIndex);
    EXPECT_EQ(ProgramCopy(), record->iconFile);
    EXPECT_STREQ("Porun", record->title);
    EXPECT_STREQ("-x", record->params);
    EXPECT_EQ(folder_.Path(), record->workDir);
    EXPECT_EQ(FileIconPixels(ProgramCopy(), 3), ControlPixels(window_, IDC_FIRST_LAUNCHER + 1));
    EXPECT_EQ("Porun", ToolText(window_, IDC_FIRST_LAUNCHER + 1));
    const std::string data = ReadFileBytes(folder_.File("porun.dat"));
    ASSERT_EQ(141068u, data.size());
    EXPECT_EQ(0, std::memcmp(data.data() + sizeof(GroupRecord) + sizeof(ButtonRecord), record, sizeof *record));
}

TEST_F(SettingsDialogTest, IconSourceEntriesOneAndTwo)
{
    const std::string editor = Editor();
    FillButton(0, "Editor", editor, "", "", folder_.File("other.ico"), 0);
    std::string afterSelf, afterTarget;
    LRESULT selfMax = -1;
    Open(0, 0, "", [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ICON_SOURCE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ICON_SOURCE_LIST)));
        afterSelf = ItemText(dialog, IDC_BUTTON_ICON_FILE);
        selfMax = SendDlgItemMessageA(dialog, IDC_ICON_SLIDER, TBM_GETRANGEMAX, 0, 0);
        SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ICON_SOURCE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ICON_SOURCE_LIST)));
        afterTarget = ItemText(dialog, IDC_BUTTON_ICON_FILE);
    }, IDCANCEL);
    EXPECT_EQ(ProgramCopy(), afterSelf);
    EXPECT_EQ(reinterpret_cast<LRESULT>(ExtractIconA(nullptr, ProgramCopy().c_str(), static_cast<UINT>(-1))) - 1, selfMax);
    EXPECT_GE(selfMax, 10) << "the program icon and ten group icons at least";
    EXPECT_EQ(editor, afterTarget);
}

TEST_F(SettingsDialogTest, ListHoldsTheThreeIconSourceTexts)
{
    std::string texts[3];
    Open(0, 1, ProgramCopy(), [&](HWND dialog) {
        for (int i = 0; i < 3; ++i) {
            char t[128] = "";
            SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
            texts[i] = t;
        }
    }, IDCANCEL);
    EXPECT_EQ("自由に設定するろ！", texts[0]);
    EXPECT_EQ("ぽてまるポルンにするろ！", texts[1]);
    EXPECT_EQ("実行ファイルにするろ！", texts[2]);
}

TEST_F(SettingsDialogTest, CancelPutsTheShortcutBackAndTheCloseBoxKeepsIt)
{
    FillButton(6, "Six", ProgramCopy());
    *GetShortcutEntry(0, 6) = ShortcutEntry{6, 'S', 2, 0};
    Open(6, 0, "", [&](HWND) { *GetShortcutEntry(0, 6) = ShortcutEntry{6, 'T', 4, 0}; }, IDCANCEL);
    EXPECT_EQ('S', GetShortcutEntry(0, 6)->key);
    EXPECT_EQ(2, GetShortcutEntry(0, 6)->flag);

    DialogProbe watcher(kButtonDialog, [&](HWND dialog) {
        *GetShortcutEntry(0, 6) = ShortcutEntry{6, 'T', 4, 0};
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }, 0);
    SetDialogRequest(6, 0, nullptr);
    ShowButtonSettingsDialog(window_);
    watcher.Join();
    EXPECT_EQ('T', GetShortcutEntry(0, 6)->key);
    EXPECT_STREQ("", GetDialogRequest().presetPath);
}

TEST_F(SettingsDialogTest, ShortcutWithoutModifierCannotBeASystemHotkey)
{
    FillButton(3, "Three", ProgramCopy());
    *GetShortcutEntry(0, 3) = ShortcutEntry{3, VK_F7, 0, 1};
    std::string text;
    bool enabled = true;
    UINT checked = BST_CHECKED;
    Open(3, 0, "", [&](HWND dialog) {
        text = ItemText(dialog, IDC_BUTTON_SHORTCUT_TEXT);
        enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_BUTTON_SYSTEM_HOTKEY));
        checked = IsDlgButtonChecked(dialog, IDC_BUTTON_SYSTEM_HOTKEY);
    }, IDOK);
    EXPECT_EQ("F7", text);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), checked);
    EXPECT_EQ(0, GetShortcutEntry(0, 3)->usesystemshortcut);
}

TEST_F(SettingsDialogTest, ShortcutRowShowsTheTextAndTheSystemFlag)
{
    FillButton(3, "Three", ProgramCopy());
    *GetShortcutEntry(0, 3) = ShortcutEntry{3, 'A', 7, 1};
    std::string text, none;
    UINT checked = BST_UNCHECKED;
    Open(3, 0, "", [&](HWND dialog) {
        text = ItemText(dialog, IDC_BUTTON_SHORTCUT_TEXT);
        checked = IsDlgButtonChecked(dialog, IDC_BUTTON_SYSTEM_HOTKEY);
    }, IDCANCEL);
    Open(4, 0, "", [&](HWND dialog) { none = ItemText(dialog, IDC_BUTTON_SHORTCUT_TEXT); }, IDCANCEL);
    EXPECT_EQ("CTRL+SHIFT+ALT+A", text);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), checked);
    EXPECT_EQ("- 未設定 -", none);
}

TEST_F(SettingsDialogTest, KeyButtonCapturesTheShortcutAndOkKeepsIt)
{
    FillButton(3, "Three", ProgramCopy());
    bool captured = false;
    std::string text;
    Open(3, 0, "", [&](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDC_BUTTON_KEY), BM_CLICK, 0, 0);
        captured = capture_keys::DriveCapture([] { capture_keys::Press({VK_CONTROL}, 'K'); });
        for (int i = 0; i < 200 && (text = ItemText(dialog, IDC_BUTTON_SHORTCUT_TEXT)) != "CTRL+K"; ++i)
            Sleep(20);
    }, IDOK);
    EXPECT_TRUE(captured);
    EXPECT_EQ("CTRL+K", text);
    EXPECT_EQ('K', GetShortcutEntry(0, 3)->key);
    EXPECT_EQ(2, GetShortcutEntry(0, 3)->flag);
}

OPENFILENAMEW g_seen;
std::string g_seenFilter, g_seenTitle, g_seenInitialFile, g_seenInitialDir;
std::wstring g_choice;
BOOL WINAPI FakeOpenFile(LPOPENFILENAMEW open)
{
    g_seen = *open;
    const wchar_t* f = open->lpstrFilter;
    g_seenFilter.clear();
    while (*f) {
        g_seenFilter += Narrow(f) + '|';
        f += std::wcslen(f) + 1;
    }
    g_seenTitle = Narrow(open->lpstrTitle);
    g_seenInitialFile = Narrow(open->lpstrFile);
    g_seenInitialDir = open->lpstrInitialDir ? Narrow(open->lpstrInitialDir) : "";
    if (g_choice.empty())
        return FALSE;
    lstrcpynW(open->lpstrFile, g_choice.c_str(), open->nMaxFile);
    return TRUE;
}

class BrowseTest : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        OverrideOpenFileDialog(FakeOpenFile);
    }
    void TearDown() override
    {
        OverrideOpenFileDialog(nullptr);
        g_choice.clear();
        SettingsDialogTest::TearDown();
    }
};

TEST_F(BrowseTest, ChoosingTheFileToRunProposesItAgain)
{
    const std::string editor = Editor();
    g_choice = Widen(editor);
    std::string title, work;
    Open(0, 0, "", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_BROWSE_FILE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_BROWSE_FILE)));
        title = ItemText(dialog, IDC_BUTTON_TITLE);
        work = ItemText(dialog, IDC_BUTTON_WORK_DIR);
    }, IDOK);
    EXPECT_EQ("*.exe|*.exe|*.lnk|*.lnk|*.*|*.*|", g_seenFilter);
    EXPECT_EQ("=(o.o)= ボタンに関連付けるファイルを選択するんら！！", g_seenTitle);
    EXPECT_EQ(static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON), g_seen.Flags);
    EXPECT_EQ("", g_seenInitialFile);
    EXPECT_EQ("editor", title);
    EXPECT_EQ(folder_.File("Tools"), work);
    EXPECT_EQ(editor, CurrentButton(0)->file);
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), ControlPixels(window_, IDC_FIRST_LAUNCHER));
}

TEST_F(BrowseTest, ChoosingAnotherFileToRunStoresTheIconThePreviewShows)
{
    FillButton(2, "Two", ProgramCopy(), "", "", "", 3);
    g_choice = Widen(Editor());
    std::vector<DWORD> preview;
    Open(2, 0, "", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_BROWSE_FILE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_BROWSE_FILE)));
        preview = IconPixels(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0)));
    }, IDOK);
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), preview);
    EXPECT_EQ(0, CurrentButton(2)->iconIndex);
    ShowGroup(window_, 0);
    EXPECT_EQ(preview, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2)) << "the bar keeps the icon after a group switch";
}

TEST_F(BrowseTest, ChoosingAnIconFileStartsAtItsFirstIcon)
{
    const std::string editor = Editor();
    FillButton(2, "Two", editor, "", "", "", 0);
    g_choice = Widen(ProgramCopy());
    std::string iconFile;
    LRESULT selected = -1, maximum = -1;
    Open(2, 0, "", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_BROWSE_ICON, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_BROWSE_ICON)));
        iconFile = ItemText(dialog, IDC_BUTTON_ICON_FILE);
        selected = SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETCURSEL, 0, 0);
        maximum = SendDlgItemMessageA(dialog, IDC_ICON_SLIDER, TBM_GETRANGEMAX, 0, 0);
    }, IDCANCEL);
    EXPECT_EQ("*.exe|*.exe|*.*|*.*|", g_seenFilter);
    EXPECT_EQ("=(o.o)= ボタンに設定するアイコン入りファイルを選択するんら！！", g_seenTitle);
    EXPECT_EQ(editor, g_seenInitialFile);
    EXPECT_EQ(folder_.File("Tools"), g_seenInitialDir);
    EXPECT_EQ(ProgramCopy(), iconFile);
    EXPECT_EQ(2, selected);
    EXPECT_EQ(reinterpret_cast<LRESULT>(ExtractIconA(nullptr, ProgramCopy().c_str(), static_cast<UINT>(-1))) - 1,
              maximum);
}

TEST_F(BrowseTest, CancelledBrowsingChangesNothing)
{
    g_choice.clear();
    std::string file;
    Open(0, 0, "", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_BROWSE_FILE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_BROWSE_FILE)));
        file = ItemText(dialog, IDC_BUTTON_FILE);
    }, IDOK);
    EXPECT_EQ("", file);
    EXPECT_STREQ("", CurrentButton(0)->file);
}

// A volume without short (8.3) names answers with the long path itself.
DWORD WINAPI NoShortNames(LPCWSTR path, LPWSTR shortPath, DWORD size)
{
    lstrcpynW(shortPath, path, static_cast<int>(size));
    return static_cast<DWORD>(std::wcslen(path));
}

enum class Kept { AsIs, ShortName, Refused };

struct ForeignNameCase {
    bool dropped;  // dropped on the empty button, else chosen in its file browser
    const wchar_t* name;
    bool shortNames;
    Kept expected;
};

class ForeignNameTest : public BrowseTest, public ::testing::WithParamInterface<ForeignNameCase> {
protected:
    void TearDown() override
    {
        OverrideShortPathLookup(nullptr);
        BrowseTest::TearDown();
    }
};

// A program whose name the code page cannot hold goes onto an empty button
// by its short name, and starts; without a short name the user is told and
// nothing is stored.
TEST_P(ForeignNameTest, NameOutsideTheCodePageIsKeptByItsShortNameOrRefused)
{
    const ForeignNameCase& c = GetParam();
    if (!c.shortNames)
        OverrideShortPathLookup(NoShortNames);
    const std::wstring program = Widen(folder_.Path()) + L"\\" + c.name;
    ASSERT_TRUE(CopyFileW(Widen(HostPath(PORUN_RECORDER_ICON_PATH)).c_str(), program.c_str(), FALSE));
    g_choice = program;
    std::string proposed;
    auto readFile = [&](HWND dialog) { proposed = ItemText(dialog, IDC_BUTTON_FILE); };
    DialogAnswerer refusal("ぽてまるのお知らせ", IDOK, c.expected == Kept::Refused ? 10000 : 0);
    if (c.dropped) {
        DialogProbe probe(kButtonDialog, readFile, IDOK, c.expected == Kept::Refused ? 0 : 10000);
        SendMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(program, ControlCentre(window_, IDC_FIRST_LAUNCHER))), 0);
        probe.Join();
    } else {
        Open(0, 0, "", [&](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_BROWSE_FILE, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BUTTON_BROWSE_FILE)));
            readFile(dialog);
        }, IDOK);
    }
    refusal.Join();
    if (c.expected == Kept::Refused) {
        EXPECT_EQ("このファイルの名前は、ポルンには覚えられないのら！\n短い名前（8.3形式）もないから、使えないろ！\n\n"
                  "名前を変えてから、もう一度ためしてほしいのら。", refusal.Text());
        EXPECT_STREQ("", CurrentButton(0)->file);
        return;
    }
    ASSERT_NE("", proposed);
    EXPECT_EQ(c.expected == Kept::AsIs, proposed == Narrow(program)) << proposed;
    EXPECT_STREQ(proposed.c_str(), CurrentButton(0)->file);
    Command(IDC_FIRST_LAUNCHER);
    EXPECT_TRUE(WaitForRecord(proposed, nullptr, nullptr)) << proposed;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ForeignNameTest,
    ::testing::Values(ForeignNameCase{true, L"表示ツール.exe", true, Kept::AsIs},
                      ForeignNameCase{true, L"caf\u00e9\ud55c\uad6d\U0001F600.exe", true, Kept::ShortName},
                      ForeignNameCase{true, L"caf\u00e9\ud55c\uad6d\U0001F600.exe", false, Kept::Refused},
                      ForeignNameCase{false, L"caf\u00e9\ud55c\uad6d\U0001F600.exe", true, Kept::ShortName},
                      ForeignNameCase{false, L"caf\u00e9\ud55c\uad6d\U0001F600.exe", false, Kept::Refused}));

TEST_F(SettingsDialogTest, MenuCommandOpensTheDialogForTheSelectedButton)
{
    FillButton(7, "Seven", ProgramCopy());
    SetSelectedButton(7);
    std::string title;
    DialogProbe watcher(kButtonDialog, [&](HWND dialog) { title = ItemText(dialog, IDC_BUTTON_TITLE); }, IDCANCEL);
    Command(IDM_BUTTON_SETTINGS);
    watcher.Join();
    EXPECT_EQ("Seven", title);
}

}  // namespace
