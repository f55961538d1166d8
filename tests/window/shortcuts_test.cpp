// Shortcut keys: the key capture, the shortcut list and the system hotkeys, also those held elsewhere.
#include "window/window_test.h"

#include "app/tray_icon.h"
#include "shortcuts/hotkeys.h"

using namespace window_test;

namespace {

constexpr wchar_t kList[] = L"ショートカットキーの設定", kNone[] = L"- 未設定 -";
constexpr int kSearchRow = 100;  // the search window's row: after the hundred buttons

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_SHORTCUT_LIST); }

int RowOf(HWND dialog, int number)  // the row of button number (group * 10 + index)
{
    LVFINDINFOW find = {LVFI_PARAM, nullptr, number};
    return ListView_FindItem(ListOf(dialog), -1, &find);
}

std::wstring Cell(HWND dialog, int number, int column, bool byRow = false)
{
    return ListCell(ListOf(dialog), byRow ? number : RowOf(dialog, number), column);
}

void Select(HWND dialog, const std::vector<int>& numbers)
{
    ListView_SetItemState(ListOf(dialog), -1, 0, LVIS_SELECTED);
    for (int number : numbers)
        ListView_SetItemState(ListOf(dialog), RowOf(dialog, number), LVIS_SELECTED, LVIS_SELECTED);
    Idle(dialog);
}

int Selected(HWND dialog)  // the number of the one selected row; -1 when none or several
{
    HWND list = ListOf(dialog);
    LVITEMW item = {LVIF_PARAM, ListView_GetNextItem(list, -1, LVNI_SELECTED)};
    return ListView_GetSelectedCount(list) == 1 && ListView_GetItem(list, &item) ? int(item.lParam) : -1;
}

struct SettingsCaptureRow {
    const char* name;
    bool group;  // the activation key of the group settings, else button 1's key
    std::vector<Keystroke> keys;
    int answer;        // to the duplicate question; 0: none comes
    const wchar_t *text, *tip;  // the dialog's shortcut row afterwards, button 1's tip after OK
    UINT modifiers, vk;      // a combination and whether it is held after OK
    bool taken;
    int close = IDOK;  // how the settings end
    bool search = false;  // the search window's row of the shortcut list instead
};
class CaptureFromSettings : public Table<SettingsCaptureRow> {};

// Button 1 holds ALT+Z system-wide, button 2 CTRL+M, button 3 CTRL+Q system-wide; the activation is CTRL+ALT+SPACE.
TEST_P(CaptureFromSettings, ShowsAndStoresTheCapturedKey)
{
    data_.Button(0, 0, L"x", folder_.File(L"x.exe")).Button(0, 1, L"y", folder_.File(L"y.exe"));
    shortcuts_ = ShortcutLines(0, 0, 'Z', 4, 1) + ShortcutLines(0, 1, 'M', 2, 0) + ShortcutLines(0, 2, 'Q', 2, 1) +
                 ActiveLines(VK_SPACE, 6);
    Open();
    std::wstring text;
    const wchar_t* caption = row().search ? kList : row().group ? kGroupDialog : kButtonDialog;
    const UINT command = row().search ? IDM_BUTTON_SHORTCUTS : IDM_BUTTON_SETTINGS;
    ASSERT_TRUE(FromMenu(row().group ? IDC_GROUP_BUTTON : B(0), command, caption, row().close, [&](HWND d) {
        if (row().search)
            Select(d, {kSearchRow});
        const auto duplicate = Expect(L"ぽてまる", row().answer, {}, d);
        const int assign = row().search ? IDC_SHORTCUT_ASSIGN : row().group ? IDC_GROUP_HOTKEY_KEY : IDC_BUTTON_KEY;
        CaptureBy(d, assign, row().keys);
        EXPECT_TRUE(!duplicate || duplicate->Seen());
        EXPECT_TRUE(WaitUntil([&] { return !FindDialog(L"ぽてまる", GetCurrentProcessId(), d); }));
        Idle(d);
        const int shown = row().group ? IDC_GROUP_HOTKEY_TEXT : IDC_BUTTON_SHORTCUT_TEXT;
        text = row().search ? Cell(d, kSearchRow, 4) : Text(d, shown);
    }));
    EXPECT_EQ(row().text, text);
    EXPECT_EQ(row().tip ? row().tip : Tip(B(0)), Tip(B(0)));  // null: not looked at
    EXPECT_EQ(row().taken, HotkeyTaken(row().modifiers, row().vk));
    Close();
    shortcuts_.clear();  // the next start reads what this one saved
    Open();
    EXPECT_EQ(row().taken, HotkeyTaken(row().modifiers, row().vk)) << "at the next start";
}

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
const SettingsCaptureRow kSettingsCaptures[] = {
    {"ButtonKeyTakenKeepsItsSystemMark", false, {{VK_CONTROL, VK_MENU, 'K'}}, 0, L"CTRL+ALT+K", L"x <CTRL+ALT+K>",
     kCtrlAlt, 'K', true},
    {"RefusedKeysKeepWaitingUntilEscKeeps", false, {{'5'}, {VK_CONTROL, '7'}, {VK_RETURN}, {VK_TAB}, {VK_BACK},
     {VK_SNAPSHOT}, {VK_CONTROL, 0x2C}, {VK_CONTROL, VK_MENU, VK_SPACE}, {VK_ESCAPE}}, 0, L"ALT+Z", L"x <ALT+Z>",
     MOD_ALT, 'Z', true},
    {"AModifierLetGoInAnotherWindowNoLongerCounts", false, {{VK_CONTROL, kLeave}, {VK_F8}}, 0, L"F8", L"x (F8)",
     MOD_ALT, 'Z', false},
    {"DelClearsWhateverIsHeld", false, {{VK_CONTROL, VK_SHIFT, VK_DELETE}}, 0, kNone, L"x", MOD_ALT, 'Z', false},
    {"AnotherButtonsSystemHotkeyIsIgnored", false, {{VK_CONTROL, 'Q'}, {VK_CONTROL, VK_SHIFT, 'Q'}}, 0,
     L"CTRL+SHIFT+Q", L"x <CTRL+SHIFT+Q>", MOD_CONTROL | MOD_SHIFT, 'Q', true},
    {"DuplicateAnsweredNoKeeps", false, {{VK_CONTROL, 'M'}}, IDNO, L"ALT+Z", L"x <ALT+Z>", MOD_ALT, 'Z', true},
    {"DuplicateAnsweredYesStores", false, {{VK_CONTROL, 'M'}}, IDYES, L"CTRL+M", L"x <CTRL+M>", MOD_ALT, 'Z', false},
    {.name = "ActivationNeedsCtrl", .group = true,
     .keys = {{VK_SHIFT, 0, 'P'}, {'P'}, {VK_MENU, 'P'}, {VK_CONTROL, VK_SHIFT, 'P'}}, .answer = 0,
     .text = L"CTRL+SHIFT+P", .tip = nullptr, .modifiers = MOD_CONTROL | MOD_SHIFT, .vk = 'P', .taken = true},
    {"ActivationDelClears", true, {{VK_DELETE}}, 0, kNone, nullptr, kCtrlAlt, VK_SPACE, false},
    {"ActivationCancelledKeepsTheOneBefore", true, {{VK_CONTROL, VK_SHIFT, 'P'}}, 0, L"CTRL+SHIFT+P", nullptr, kCtrlAlt,
     VK_SPACE, true, IDC_GROUP_CANCEL},
    {.name = "SearchNeedsCtrl", .group = false, .keys = {{'P'}, {VK_MENU, 'P'}, {kCloseBox}}, .answer = 0,
     .text = kNone, .tip = nullptr, .modifiers = MOD_ALT, .vk = 'P', .taken = false, .search = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, CaptureFromSettings, ::testing::ValuesIn(kSettingsCaptures), RowName);

// Rows by number (group * 10 + index): 2 "Editor" CTRL+SHIFT+E system-wide, 3 CTRL+L, 4 CTRL+N, 5 and 6 CTRL+P, 7 F6.
class ShortcutList : public Window {
protected:
    void Open()
    {
        const std::wstring file = folder_.File(L"x.exe");
        data_.settings.groupCount = 3;
        data_.Group(0, L"Tools").Button(0, 2, L"Editor", file).Button(0, 3, L"a", file).Button(0, 4, L"c", file);
        data_.Button(0, 5, L"b", file).Button(0, 6, L"d", file).Button(0, 7, L"f", file).Button(1, 0, L"", file);
        shortcuts_ = ShortcutLines(0, 2, 'E', 3, 1) + ShortcutLines(0, 3, 'L', 2, 0) + ShortcutLines(0, 4, 'N', 2, 0) +
                     ShortcutLines(0, 5, 'P', 2, 0) + ShortcutLines(0, 6, 'P', 2, 0) +
                     ShortcutLines(0, 7, VK_F6, 0, 0) + ActiveLines(0, 0);
        LauncherWindow::Open();
    }
};

// The search row heads every order; a header sorts descending first, then back; each opening starts unsorted.
TEST_F(ShortcutList, ListsTheFilledButtonsUnderTheSearchRowAndSortsThem)
{
    Open();
    ASSERT_TRUE(FromMenu(B(0), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, [](HWND d) {
        std::vector<std::wstring> editor, untitled;
        for (int column = 0; column < 6; ++column) {
            editor.push_back(Cell(d, 2, column));
            untitled.push_back(Cell(d, 10, column));
        }
        const std::vector<std::wstring> editorRow = {L"003", L"Editor", L"Tools - 3", L"*", L"CTRL+SHIFT+E", editor[5]};
        EXPECT_EQ(editorRow, editor);
        EXPECT_EQ((std::vector<std::wstring>{L"011", L"第 1ボタン", L"第 2グループ - 1", L"", kNone, editor[5]}), untitled);
        EXPECT_EQ(-1, RowOf(d, 0)) << "an empty button has no row";
        EXPECT_EQ(2, Selected(d)) << "the next filled button of its group";
    }));
    for (int opened : {B(4), IDC_GROUP_BUTTON, B(8)})  // itself, the group's first filled, none after it
        ASSERT_TRUE(FromMenu(opened, IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, [&](HWND d) {
            EXPECT_EQ(opened == B(8) ? -1 : opened == B(4) ? 4 : 2, Selected(d));
            EXPECT_EQ(opened != B(8), IsWindowEnabled(GetDlgItem(d, IDC_SHORTCUT_CLEAR)) != FALSE);
        }));
    using Firsts = std::vector<const wchar_t*>;  // the first button row after each click on the first header
    for (const Firsts& firsts : {Firsts{L"011", L"003", L"011"}, Firsts{L"011"}})
        ASSERT_TRUE(FromMenu(B(2), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, [&](HWND d) {
            for (const wchar_t* first : firsts) {
                NMLISTVIEW click = {{ListOf(d), IDC_SHORTCUT_LIST, UINT(LVN_COLUMNCLICK)}, -1, 0};  // the first header
                SendMessageW(d, WM_NOTIFY, IDC_SHORTCUT_LIST, reinterpret_cast<LPARAM>(&click));
                EXPECT_EQ(L"---", Cell(d, 0, 0, true));
                EXPECT_EQ(first, Cell(d, 1, 0, true));
            }
        }));
}

struct ListRow {
    const char* name;
    int opened;               // the button whose menu opens the list
    std::vector<int> select;  // empty: as preselected
    int press;                // assign (the keystroke below), clear, or the system check box
    Keystroke key;
    int answer, end;                     // to the question about system-wide rows (0: none); IDOK, IDCANCEL or WM_CLOSE
    std::vector<std::wstring> keys, marks;  // of buttons 2, 3, 4 before the end, and their system marks
    std::vector<int> uncheckable;          // rows whose check box is disabled
    bool heldDuring;                 // CTRL+SHIFT+E of button 2 held by the launcher
    std::vector<std::wstring> tips;   // of buttons 2, 3, 4 afterwards
    bool heldAfter;
};
class ShortcutChanges : public ShortcutList, public ::testing::WithParamInterface<ListRow> {};

TEST_P(ShortcutChanges, ShowStoreOrPutBackTheKeys)
{
    const ListRow& row = GetParam();
    Open();
    std::vector<std::wstring> keys, marks;
    bool heldDuring = false;
    ASSERT_TRUE(FromMenu(B(row.opened), IDM_BUTTON_SHORTCUTS, kList, 0, [&](HWND d) {
        if (!row.select.empty())
            Select(d, row.select);
        const auto ask = Expect(L"ぽてまる", row.answer, {}, d);
        if (row.press == IDC_SHORTCUT_ASSIGN && row.answer != IDNO)
            CaptureBy(d, IDC_SHORTCUT_ASSIGN, {row.key});
        else if (row.press == IDC_SHORTCUT_SYSTEM_HOTKEY)
            Toggle(d, row.press);
        else
            Press(d, row.press, true);
        EXPECT_EQ(nullptr, FindDialog(kCapture));
        EXPECT_TRUE(!ask || ask->Seen());
        for (int number : {2, 3, 4}) {
            keys.push_back(Cell(d, number, 4));
            marks.push_back(Cell(d, number, 3));
        }
        for (int number : row.uncheckable) {
            Select(d, {number});
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SHORTCUT_SYSTEM_HOTKEY))) << number;
        }
        heldDuring = HotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'E');
        row.end == WM_CLOSE ? void(PostMessageW(d, WM_CLOSE, 0, 0)) : Press(d, row.end);
    }));
    EXPECT_EQ(row.keys, keys);
    EXPECT_EQ(row.marks, marks);
    EXPECT_EQ(row.heldDuring, heldDuring);
    EXPECT_EQ(row.tips, std::vector<std::wstring>({Tip(B(2)), Tip(B(3)), Tip(B(4))}));
    EXPECT_EQ(row.heldAfter, HotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'E'));
}

constexpr int kAssign = IDC_SHORTCUT_ASSIGN;
const std::vector<std::wstring> kKeys = {L"CTRL+SHIFT+E", L"CTRL+L", L"CTRL+N"}, kMarks = {L"*", L"", L""};
const std::vector<std::wstring> kTips = {L"Editor <CTRL+SHIFT+E>", L"a (CTRL+L)", L"c (CTRL+N)"};
const ListRow kChanges[] = {
    {"OneKeyForSeveralRowsIsNeverSystemWide", 3, {3, 4, 10}, kAssign, {VK_CONTROL, VK_F5}, 0, IDOK,
     {L"CTRL+SHIFT+E", L"CTRL+F5", L"CTRL+F5"}, kMarks, {3, 4, 10}, true,
     {L"Editor <CTRL+SHIFT+E>", L"a (CTRL+F5)", L"c (CTRL+F5)"}, true},
    {"DelClearsThePreselectedRowOnly", 3, {}, kAssign, {VK_DELETE}, 0, IDOK, {L"CTRL+SHIFT+E", kNone, L"CTRL+N"},
     kMarks, {}, true, {L"Editor <CTRL+SHIFT+E>", L"a", L"c (CTRL+N)"}, true},
    {"ASystemRowAnsweredYesLosesItsMarkAndHotkey", 2, {}, kAssign, {VK_CONTROL, VK_MENU, 'J'}, IDYES, IDOK,
     {L"CTRL+ALT+J", L"CTRL+L", L"CTRL+N"}, {L"", L"", L""}, {}, false,
     {L"Editor (CTRL+ALT+J)", L"a (CTRL+L)", L"c (CTRL+N)"}, false},
    {"ASystemRowAnsweredNoCapturesNothing", 2, {}, kAssign, {}, IDNO, IDOK, kKeys, kMarks, {}, true, kTips, true},
    {"CancelPutsClearedRowsBackAndHoldsTheirHotkeysAgain", 2, {2, 3, 4}, IDC_SHORTCUT_CLEAR, {}, 0, IDCANCEL,
     {kNone, kNone, kNone}, {L"", L"", L""}, {}, false, kTips, true},
    {"ClosingTheWindowCancelsToo", 2, {2, 3, 4}, IDC_SHORTCUT_CLEAR, {}, 0, WM_CLOSE, {kNone, kNone, kNone},
     {L"", L"", L""}, {}, false, kTips, true},
    {"OnlyAUniqueCombinationWithModifiersCanBeMarked", 4, {4}, IDC_SHORTCUT_SYSTEM_HOTKEY, {}, 0, IDOK, kKeys,
     {L"*", L"", L"*"}, {5, 7}, true, {L"Editor <CTRL+SHIFT+E>", L"a (CTRL+L)", L"c <CTRL+N>"}, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, ShortcutChanges, ::testing::ValuesIn(kChanges), RowName);

// Closed from the tray or by the session's end while the list is open, the launcher cancels the list first:
// nothing unconfirmed is saved.
TEST_F(ShortcutList, ClosingTheLauncherCancelsTheOpenListFirst)
{
    const MSG ways[] = {{.message = WM_COMMAND, .wParam = IDM_CLOSE}, {.message = WM_ENDSESSION, .wParam = TRUE}};
    for (const MSG& way : ways) {
        Open();
        ASSERT_TRUE(FromMenu(B(3), IDM_BUTTON_SHORTCUTS, kList, 0, [&](HWND d) {
            CaptureBy(d, IDC_SHORTCUT_ASSIGN, {{VK_CONTROL, VK_F5}});
            PostMessageW(window_, way.message, way.wParam, 0);
            EXPECT_TRUE(WaitGone(d));
        }));
        EXPECT_TRUE(WaitGone(window_));
        EXPECT_NE(std::string::npos, ReadBytes(folder_.File(L"shortcut.dat")).find(ShortcutLines(0, 3, 'L', 2, 0)))
            << "closed by message " << way.message;
        Close();
    }
}

class SystemHotkeys : public Window {};

TEST_F(SystemHotkeys, TheActivationKeyTogglesTheLauncherAndActivatesAgainAfterTheUserLeft)
{
    shortcuts_ = ActiveLines(VK_F12, 6);
    Open(SW_SHOWNORMAL);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    Restore destroy{[other] { DestroyWindow(other); }};
    auto front = [](HWND w) { return WaitUntil([w] { return GetForegroundWindow() == w; }); };
    SetForegroundWindow(other);
    ASSERT_TRUE(front(other));
    for (HWND expected : {window_, other, window_}) {
        PostMessageW(window_, WM_HOTKEY, kActivationHotkeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F12));
        EXPECT_TRUE(front(expected));
    }
    SetForegroundWindow(other);  // the user goes to another program by hand
    ASSERT_TRUE(front(other));
    SendMessageW(window_, WM_ACTIVATEAPP, FALSE, 0);  // as the system tells the launcher's process
    PostMessageW(window_, WM_HOTKEY, kActivationHotkeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F12));
    EXPECT_TRUE(front(window_));
}

// Held while the window lives, only if marked 1; ones held elsewhere are told once, marked, refused when chosen.
TEST_F(SystemHotkeys, AreHeldWhileTheWindowLivesAndOnesHeldElsewhereAreToldMarkedAndRefused)
{
    static std::vector<std::wstring> balloons;
    balloons.clear();
    const std::pair<UINT, UINT> elsewhere[] = {{MOD_CONTROL | MOD_SHIFT, VK_F9}, {MOD_CONTROL | MOD_SHIFT, VK_F10},
                                               {MOD_CONTROL | MOD_SHIFT, VK_F8}, {MOD_CONTROL | MOD_ALT, VK_F8}};
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(RegisterHotKey(nullptr, 0xBFF0 + k, elsewhere[k].first, elsewhere[k].second));
    Restore undo{[] {
        for (int id = 0xBFF0; id < 0xBFF4; ++id)
            UnregisterHotKey(nullptr, id);
    }};
    const SeamGuard balloon = OverrideNotifyIcon([](DWORD message, PNOTIFYICONDATAW icon) -> BOOL {
        if (message == NIM_MODIFY && (icon->uFlags & NIF_INFO))
            balloons.push_back(std::wstring(icon->szInfoTitle) + L"|" + icon->szInfo);
        return TRUE;
    });
    data_.Button(0, 2, L"Editor", folder_.Path()).Button(0, 3, L"Memo", folder_.Path());
    shortcuts_ = ShortcutLines(0, 2, VK_F9, 3, 1) + ShortcutLines(0, 3, VK_F10, 3, 0) +
                 ShortcutLines(0, 4, VK_F11, 3, 1) + ShortcutLines(0, 5, 'Q', 4, 0) + ShortcutLines(0, 6, VK_F7, 3, 2) +
                 ActiveLines(VK_F12, 6) + "ShortCut.Search.key,119\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F8
    Open();
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11) && HotkeyTaken(MOD_CONTROL | MOD_ALT, VK_F12));
    EXPECT_FALSE(HotkeyTaken(MOD_ALT, 'Q') || HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F7)) << "flag 2 holds none";
    ASSERT_EQ(1u, balloons.size());
    EXPECT_EQ(0u, balloons[0].find(L"=(+.+)= 使えないホットキーがあるのら！|"));
    EXPECT_NE(std::wstring::npos, balloons[0].find(L"\nCTRL+SHIFT+F9 → Editor"));
    EXPECT_NE(std::wstring::npos, balloons[0].find(L"\nCTRL+SHIFT+F8 → ボタンさがし"));
    EXPECT_EQ(std::wstring::npos, balloons[0].find(L"Memo"));  // a plain shortcut loses nothing
    // Checking the box of a combination held elsewhere says so, and the box goes off again.
    auto refused = [](HWND dialog, int box) {
        DialogWaiter told(kNotice, IDOK, {}, GetCurrentProcessId(), dialog);
        Toggle(dialog, box);
        EXPECT_TRUE(told.Seen());
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, box));
    };
    EXPECT_TRUE(FromMenu(B(2), IDM_BUTTON_SHORTCUTS, kList, IDCANCEL, [&](HWND dialog) {
        EXPECT_EQ(L"×", Cell(dialog, 2, 3));
        Select(dialog, {3});
        refused(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        EXPECT_EQ(L"", Cell(dialog, 3, 3));
        // The search window's row: marked too, and a held combination chosen for it leaves the one before.
        EXPECT_EQ(L"×", Cell(dialog, kSearchRow, 3));
        Select(dialog, {kSearchRow});
        DialogWaiter told(kNotice, IDOK, {}, GetCurrentProcessId(), dialog);
        CaptureBy(dialog, IDC_SHORTCUT_ASSIGN, {{VK_CONTROL, VK_MENU, VK_F8}});
        EXPECT_NE(std::wstring::npos, told.Message().find(L"ボタンさがし")) << told.Message();
        EXPECT_EQ(L"CTRL+SHIFT+F8", Cell(dialog, kSearchRow, 4));
    }));
    EXPECT_TRUE(FromMenu(B(3), IDM_BUTTON_SETTINGS, L"第 4ボタンの設定", IDCANCEL,
                         [&](HWND dialog) { refused(dialog, IDC_BUTTON_SYSTEM_HOTKEY); }));
    Close();
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11) || HotkeyTaken(MOD_CONTROL | MOD_ALT, VK_F12));
}

}  // namespace
