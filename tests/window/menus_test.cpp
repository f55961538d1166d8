// The menus a right click opens, their commands, and the skin that paints them.
#include "window/window_test.h"

#include "bar/shell_calls.h"
#include "shortcuts/key_names.h"
#include "support/high_contrast.h"
#include "support/scoped_handle.h"

#include <cstring>
#include <optional>

using namespace window_test;

namespace {

constexpr wchar_t kSuffix[] = L"、なのら。";
constexpr UINT kAbsent = UINT(-1);

struct MenuRow {
    const char* name;
    int control;
    const wchar_t* title;  // of the clicked launcher button ("" untitled; null: empty button)
    int groupCount;
    const wchar_t* caption;  // of the first item; null: the title cut at a whole character
    std::vector<UINT> grayed, enabled, absent;
    const wchar_t* file = L"C:\\x.exe";  // of the clicked launcher button: not there
};
class MenuOnRightClick : public Table<MenuRow> {};

// Group 1 is named "いつもの"; the menu of a button acts on that button.
TEST_P(MenuOnRightClick, IsTitledForItsTargetWithTheItemsItCanUse)
{
    data_.settings.groupCount = row().groupCount;
    data_.Group(0, L"いつもの");
    const int index = row().control - B(0);
    if (row().title && index >= 0 && index < 10)
        data_.Button(0, index, row().title, row().file);
    const std::string bytes = "\x95\x5C";  // "表" in code page 932, its second byte that of "\"
    for (int at = 0; !row().caption && at < kStoredFieldSize; ++at)  // a title filling its field without an end
        data_.groups[0].buttons[index].title[at] = bytes[at % bytes.size()];
    Open();
    const OpenMenu menu = RightClick(row().control, 0, [&](const OpenMenu&) { Command(IDC_NEXT_GROUP); });
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.texts, menu.accessible) << "every item's text for screen readers";
    EXPECT_EQ(GroupPicture(0), Shows(IDC_GROUP_BUTTON)) << "no group switch while a menu is open";
    const std::wstring caption = menu.texts[0], suffix = String(IDS_MENU_TITLE_SUFFIX);
    EXPECT_EQ(suffix, caption.substr(caption.size() - std::min(caption.size(), suffix.size()))) << "the string table's";
    if (row().control == IDC_PREVIOUS_GROUP) {  // the groups by name
        EXPECT_EQ(L"いつもの", menu.texts.at(2));
        EXPECT_EQ(L"グループ 2", menu.texts.at(3));
    }
    if (row().caption) {
        EXPECT_EQ(row().caption, caption);
    } else {
        const size_t cut = caption.size() - wcslen(kSuffix);
        EXPECT_EQ(kSuffix, caption.substr(cut));
        EXPECT_LE(cut, size_t(kStoredFieldSize / 2));
        EXPECT_EQ(Repeated(std::wstring(row().title), int(cut)), caption.substr(0, cut)) << "whole characters";
    }
    for (const auto& [listed, expected] : {std::pair{&row().grayed, UINT(MF_GRAYED)}, {&row().enabled, 0u},
                                           {&row().absent, kAbsent}})
        for (UINT id : *listed)
            EXPECT_EQ(expected, menu.State(id) == kAbsent ? kAbsent : menu.State(id) & MF_GRAYED) << id;
}

constexpr UINT kUp = IDM_MOVE_UP, kDown = IDM_MOVE_DOWN, kClear = IDM_CLEAR_BUTTON, kGroup1 = IDM_FIRST_GROUP;
constexpr UINT kAdmin = IDM_RUN_AS_ADMIN, kPlace = IDM_OPEN_FILE_LOCATION, kSheet = IDM_FILE_PROPERTIES;
const MenuRow kMenus[] = {
    {"FirstFilledButton", B(0), L"メモ帳", 4, L"メモ帳、なのら。", {kUp, kAdmin, kPlace, kSheet}, {kDown, kClear}},
    {.name = "AFileThatIsThereOffersTheShellsCommands", .control = B(1), .title = L"ノート", .groupCount = 4,
     .caption = L"ノート、なのら。", .grayed = {}, .enabled = {kAdmin, kPlace, kSheet}, .absent = {},
     .file = L"%WINDIR%\\notepad.exe"},
    {"LastButton", B(9), L"最後", 4, L"最後、なのら。", {kDown}, {kUp, kClear}},
    {"EmptyFirstButton", B(0), nullptr, 4, L"からっぽボタン、なのら。", {kUp, kClear, kAdmin, kPlace, kSheet}, {kDown}},
    {"UntitledButton", B(2), L"", 4, L"、なのら。", {}, {kUp, kDown, kClear}},
    {"TitleOfDoubleByteCharactersFillingTheField", B(2), L"表", 4, nullptr, {}, {kClear}},
    {"GroupButton", IDC_GROUP_BUTTON, nullptr, 4, L"おべんとばこ、なのら。", {kUp, kDown, kClear, kAdmin}, {}},
    {"PreviousArrowSwitchesGroups", IDC_PREVIOUS_GROUP, nullptr, 4, L"グループ切り替え、なのら。", {kGroup1},
     {kGroup1 + 1, kGroup1 + 3}, {kGroup1 + 4, kUp}},
    {"GroupCountBeyondTenShowsTen", IDC_NEXT_GROUP, nullptr, 77, L"グループ切り替え、なのら。", {kGroup1},
     {kGroup1 + 9}, {kGroup1 + 10}},
};
INSTANTIATE_TEST_SUITE_P(Rows, MenuOnRightClick, ::testing::ValuesIn(kMenus), RowName);

class Menus : public Window {};

TEST_F(Menus, TheTrayMenuOpensOnItsRightClickOnlyAndTogglesAlwaysOnTop)
{
    data_.settings.alwaysOnTop = 1;
    Open();
    std::vector<Picture> pictures;
    for (bool on : {true, false, true}) {
        const OpenMenu menu = Tray(WM_RBUTTONUP, IDM_ALWAYS_ON_TOP);
        EXPECT_EQ(menu.texts, menu.accessible);
        pictures.push_back(menu.picture);
        EXPECT_EQ(on, (menu.State(IDM_ALWAYS_ON_TOP) & MF_CHECKED) != 0);
        EXPECT_EQ(!on, (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    }
    EXPECT_TRUE(pictures[0] != pictures[1] && pictures[0] == pictures[2]) << "the check is drawn";
    for (auto [icon, mouse] : {std::pair<UINT, UINT>{2, WM_RBUTTONUP}, {1, WM_LBUTTONDBLCLK}, {1, WM_LBUTTONUP},
                               {1, WM_RBUTTONDOWN}})
        EXPECT_FALSE(Tray(mouse, 0, icon).opened) << icon << " " << mouse;
    EXPECT_FALSE(RightClick(0).opened) << "the bare window";
    HMENU system = GetSystemMenu(window_, FALSE);
    EXPECT_EQ(2, GetMenuItemCount(system));
    EXPECT_EQ(UINT(SC_CLOSE), GetMenuDefaultItem(system, FALSE, 0));
    Tray(WM_RBUTTONUP, IDM_CLOSE);
    EXPECT_TRUE(WaitGone(window_));
    EXPECT_EQ(0, Saved()->settings.alwaysOnTop);
}

TEST_F(Menus, TheButtonMenusCommandsMoveAndShowTheAboutBox)
{
    data_.Button(0, 5, L"six", L"C:\\6.exe").Button(0, 2, L"three", L"C:\\3.exe").Button(0, 0, L"one", L"C:\\1.exe");
    shortcuts_ = ShortcutLines(0, 5, 'S', 2, 0) + ActiveLines(0, 0);
    ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "folder_menu_5,1\r\nstart_with_porun_5,1\r\n"));
    Open();
    RightClick(B(5), IDM_MOVE_UP);
    RightClick(B(2), IDM_MOVE_DOWN);
    RightClick(B(0), IDM_MOVE_UP);
    EXPECT_EQ(L"six (CTRL+S)", Tip(B(4)));
    EXPECT_TRUE(FromMenu(B(0), IDM_ABOUT, L"バージョン情報", IDOK, [](HWND box) {
        SendMessageW(box, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(box));
    }));
    Close();
    const wchar_t* expected[] = {L"one", L"", L"", L"three", L"six", L""};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], Saved()->Title(0, i)) << i;
    EXPECT_EQ("folder_menu_4,1\r\nstart_with_porun_4,1\r\n", ReadBytes(folder_.File(L"porun.options"))) << "with six";
}

// SHIFT copies only a drag: chosen from button 6's menu while it is held, move up still swaps the two buttons.
TEST_F(Menus, AMoveChosenWithShiftHeldSwaps)
{
    data_.Button(0, 5, L"six", L"C:\\6.exe");
    shortcuts_ = ShortcutLines(0, 5, 'S', kModifierCtrl, 0) + ActiveLines(0, 0);
    Open();
    ASSERT_TRUE(RightClick(B(5)).opened);
    PumpPending();  // the menu's focus changes first: under Wine they reset the key state
    {
        const HeldKeys shift({VK_SHIFT});
        Command(IDM_MOVE_UP);
    }
    EXPECT_EQ(L"six (CTRL+S)", Tip(B(4)));
    EXPECT_EQ(L"", Tip(B(5)));
    Close();
    EXPECT_EQ(L"six", Saved()->Title(0, 4));
    EXPECT_EQ(L"", Saved()->Title(0, 5));
}

// What the shell was asked last: by ShellExecuteExW, or to select item in folder.
struct ShellAsked {
    std::wstring verb, file, params, directory, folder, item;
    bool idList = false;  // SEE_MASK_INVOKEIDLIST
};
ShellAsked g_asked;
std::wstring PathOf(PCIDLIST_ABSOLUTE ids)
{
    wchar_t path[MAX_PATH] = L"";
    SHGetPathFromIDListW(ids, path);
    return path;
}
BOOL WINAPI AskedToExecute(SHELLEXECUTEINFOW* info)
{
    const auto text = [](const wchar_t* t) { return std::wstring(t ? t : L"<none>"); };
    g_asked = {text(info->lpVerb), text(info->lpFile), text(info->lpParameters), text(info->lpDirectory)};
    g_asked.idList = (info->fMask & SEE_MASK_INVOKEIDLIST) != 0;
    return TRUE;
}
HRESULT WINAPI AskedToSelect(PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items, DWORD)
{
    ScopedIdList item(count == 1 ? ILCombine(folder, items[0]) : nullptr);
    g_asked = {};
    g_asked.folder = PathOf(folder);
    g_asked.item = item ? PathOf(item.Get()) : L"<none>";
    return S_OK;
}
const ShellCalls kAskedCalls = {AskedToExecute, AskedToSelect};

// Wine does not elevate: the stand-ins hear what each command asks of the shell.
TEST_F(Menus, TheShellCommandsHandTheButtonsFileAsAClickWould)
{
    const std::wstring tool = folder_.File(L"道具.exe"), target = folder_.Folder(L"中") + L"\\先.txt";
    ASSERT_TRUE(WriteBytes(tool, "MZ"));
    ASSERT_TRUE(WriteBytes(target, "x"));
    ASSERT_TRUE(MakeShellLink(folder_.File(L"先.lnk"), target, L"", L""));
    data_.Button(0, 0, L"道具", tool, L"-x \"a b\"", L"%TEMP%").Button(0, 1, L"先", folder_.File(L"先.lnk"));
    Open();
    std::optional<SeamGuard> calls(OverrideShellCalls(&kAskedCalls));
    RightClick(B(0), kAdmin);
    const ShellAsked admin = g_asked;
    RightClick(B(0), kSheet);
    const ShellAsked sheet = g_asked;
    RightClick(B(0), kPlace);
    const ShellAsked place = g_asked;
    RightClick(B(1), kPlace);
    const ShellAsked link = g_asked;
    calls.reset();
    wchar_t temp[MAX_PATH] = L"";
    ExpandEnvironmentStringsW(L"%TEMP%", temp, MAX_PATH);
    EXPECT_EQ(L"runas", admin.verb);
    EXPECT_EQ(tool, admin.file);
    EXPECT_EQ(L"-x \"a b\"", admin.params);
    EXPECT_EQ(temp, admin.directory) << "as a click resolves it";
    EXPECT_EQ(L"properties", sheet.verb);
    EXPECT_EQ(tool, sheet.file);
    EXPECT_TRUE(sheet.idList);
    EXPECT_EQ(folder_.Path(), place.folder);
    EXPECT_EQ(tool, place.item);
    EXPECT_EQ(folder_.File(L"中"), link.folder) << "the shortcut's target's";
    EXPECT_EQ(target, link.item);
}

constexpr wchar_t kList[] = L"ショートカットキーの設定";
constexpr UINT kRestore = IDM_RESTORE_GENERATION, kFind = IDM_SEARCH_BUTTONS, kOnTop = IDM_ALWAYS_ON_TOP;

// A dialog, a message box or a menu of the launcher open, and a command of the tray menu chosen meanwhile.
struct HeldRow {
    const char* name;
    int control;             // whose menu opens
    UINT opener;             // its command that opens the dialog; 0: the menu itself stays open
    const wchar_t* caption;  // of the dialog or box opened
    int cancel;              // ends it unconfirmed
    bool capture;            // the key capture its assign button opens is the one open
    UINT command;            // of the tray menu
};
class TrayCommandWhileOpen : public Table<HeldRow> {};

// What would reload or replace what the open one works on brings it to the front instead; always on top and the
// close work as ever (the close cancels what is open first).
TEST_P(TrayCommandWhileOpen, LeavesWhatTheOpenOneWorksOnAlone)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    Open();
    const bool topmost = (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    auto choose = [&](HWND open) {  // sent as the menu's choice is posted: handled before the test goes on
        SendMessageW(window_, WM_COMMAND, row().command, 0);
        EXPECT_TRUE(!open || row().command == IDM_CLOSE || WaitUntil([&] { return GetForegroundWindow() == open; }));
    };
    DialogWaiter dialog(row().caption ? row().caption : L"-", row().cancel, [&](HWND d) {
        if (!row().capture)
            return choose(d);
        DialogWaiter capture(kCapture, IDCANCEL, choose);
        Press(d, IDC_SHORTCUT_ASSIGN);
        EXPECT_TRUE(capture.Seen());
    }, GetCurrentProcessId(), nullptr, row().opener ? 15000 : 0);
    RightClick(row().control, row().opener, [&](const OpenMenu&) { row().opener ? void() : choose(nullptr); });
    EXPECT_EQ(row().opener != 0, dialog.Seen());
    if (row().command == IDM_CLOSE)
        EXPECT_TRUE(WaitGone(window_));
    else
        EXPECT_EQ(topmost != (row().command == kOnTop), (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
}

const HeldRow kHeld[] = {
    {"RestoreWhileTheButtonSettingsAreOpen", B(0), IDM_BUTTON_SETTINGS, kButtonDialog, IDCANCEL, false, kRestore},
    {"RestoreWhileTheGeneralSettingsAreOpen", IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDC_GROUP_CANCEL,
     false, kRestore},
    {"RestoreWhileTheShortcutListIsOpen", B(0), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, false, kRestore},
    {"RestoreWhileAKeyIsCaptured", B(0), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, true, kRestore},
    {"RestoreWhileTheClearQuestionIsOpen", B(0), IDM_CLEAR_BUTTON, kQuestion, IDNO, false, kRestore},
    {"RestoreWhileTheButtonMenuIsOpen", B(0), 0, nullptr, 0, false, kRestore},
    {"SearchWhileTheGeneralSettingsAreOpen", IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDC_GROUP_CANCEL,
     false, kFind},
    {"SearchWhileTheClearQuestionIsOpen", B(0), IDM_CLEAR_BUTTON, kQuestion, IDNO, false, kFind},
    {"SearchWhileTheSearchWindowIsOpen", B(0), IDM_SEARCH_BUTTONS, kSearch, IDCANCEL, false, kFind},
    {"SearchWhileTheButtonMenuIsOpen", B(0), 0, nullptr, 0, false, kFind},
    {"AlwaysOnTopWhileAKeyIsCaptured", B(0), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, true, kOnTop},
    {"AlwaysOnTopWhileTheClearQuestionIsOpen", B(0), IDM_CLEAR_BUTTON, kQuestion, IDNO, false, kOnTop},
    {"CloseWhileAKeyIsCaptured", B(0), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, true, IDM_CLOSE},
    {"CloseWhileTheClearQuestionIsOpen", B(0), IDM_CLEAR_BUTTON, kQuestion, IDNO, false, IDM_CLOSE},
};
INSTANTIATE_TEST_SUITE_P(Rows, TrayCommandWhileOpen, ::testing::ValuesIn(kHeld), RowName);

class MenuSkin : public LauncherWindow {
protected:
    OpenMenu ButtonMenu()  // opened anew with the skin files now beside the program
    {
        Close();
        data_.Button(0, 1, L"ブラウザ", L"C:\\x.exe");
        Open();
        return RightClick(B(1));
    }
    static COLORREF Mid(const OpenMenu& menu, int item, int x)
    {
        const RECT& r = menu.rects[item];
        return menu.picture.At(x < 0 ? r.right + x : x, (r.top + r.bottom) / 2);
    }
};

// Plain: a grey strip, black items; a tall title bitmap fills a strip its width, a narrow item bitmap stands right.
TEST_F(MenuSkin, PaintsEveryMenuWithTheSkinFilesOfAnySize)
{
    const OpenMenu plain = ButtonMenu();
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), plain.picture.At(3, plain.picture.Height() / 2));
    EXPECT_EQ(RGB(0, 0, 0), Mid(plain, 8, -3));
    for (const wchar_t* name : {L"menuforeground.bmp", L"menubackground.bmp", L"menutitle.bmp"})
        ASSERT_FALSE(CopyInto(SourceFile(std::wstring(L"docs\\skin\\") + name), folder_, name).empty());
    const OpenMenu skinned = ButtonMenu();
    EXPECT_NE(RGB(0x40, 0x40, 0x40), skinned.picture.At(3, skinned.picture.Height() / 2));
    for (const COLORREF item : {Mid(skinned, 8, -3), Mid(Tray(WM_RBUTTONUP), 0, -3)})
        EXPECT_GT(GetBValue(item), GetRValue(item)) << "the night-sky item bitmap";
    EXPECT_TRUE(RightClick(IDC_PREVIOUS_GROUP).opened);
    ASSERT_TRUE(WriteBmp(folder_.File(L"menutitle.bmp"), 30, 2000,
                         [](int, int y) { return y < 1990 ? RGB(200, 0, 0) : RGB(0, 0, 200); }));
    ASSERT_TRUE(WriteBmp(folder_.File(L"menuforeground.bmp"), 16, 1500,
                         [](int x, int) { return x == 0 ? RGB(10, 200, 30) : RGB(250, 0, 250); }));
    const OpenMenu menu = ButtonMenu();
    const int left = menu.rects[0].left, bottom = menu.rects.back().bottom - 1;  // the strip's
    EXPECT_EQ(RGB(0, 0, 200), menu.picture.At(left + 29, bottom));
    EXPECT_EQ(RGB(200, 0, 0), menu.picture.At(left + 29, bottom - 20));
    EXPECT_NE(RGB(200, 0, 0), menu.picture.At(left + 30, bottom - 20));
    EXPECT_EQ(RGB(250, 0, 250), Mid(menu, 8, -3));
    EXPECT_EQ(RGB(10, 200, 30), Mid(menu, 8, -30));
}

}  // namespace

namespace {
BOOL WINAPI HighContrastIsOn(UINT, UINT, PVOID contrast, UINT)
{
    static_cast<HIGHCONTRASTW*>(contrast)->dwFlags = HCF_HIGHCONTRASTON;
    return TRUE;
}

// With high contrast on, the skin's bitmaps and colours give way to the system's menu colours, strip included.
TEST_F(MenuSkin, HighContrastPaintsInTheSystemsColours)
{
    for (const wchar_t* name : {L"menuforeground.bmp", L"menubackground.bmp", L"menutitle.bmp"})
        ASSERT_FALSE(CopyInto(SourceFile(std::wstring(L"docs\\skin\\") + name), folder_, name).empty());
    std::optional<SeamGuard> highContrast(OverrideHighContrastLookup(HighContrastIsOn));
    const OpenMenu menu = ButtonMenu();
    highContrast.reset();
    EXPECT_EQ(GetSysColor(COLOR_MENU), Mid(menu, 8, -3));
    EXPECT_EQ(GetSysColor(COLOR_MENU), menu.picture.At(3, menu.picture.Height() / 2));
}
}  // namespace
