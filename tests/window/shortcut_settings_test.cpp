// The shortcut list dialog driven from a helper thread: its rows and
// columns, assigning one key to several rows, DEL, clearing, the system
// hotkey check box, question 51, Cancel, preselection, sorting, and command
// IDM_BUTTON_SHORTCUTS of the main window.
#include "app/main_window.h"
#include "app/commands.h"
#include "support/messages.h"
#include "bar_fixture.h"
#include "capture_keys.h"
#include "common/launcher_window_test.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "dialogs/shortcut_settings_dialog.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using capture_keys::DriveCapture;
using capture_keys::Press;
using capture_keys::WaitForDialog;

const char kListCaption[] = "ショートカットキーの設定";

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_SHORTCUT_LIST);
}

std::string Cell(HWND dialog, int row, int column)
{
    char text[512] = "";
    ListView_GetItemText(ListOf(dialog), row, column, text, sizeof text);
    return text;
}

int RowOf(HWND dialog, int buttonNumber)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = buttonNumber;
    return static_cast<int>(SendMessageA(ListOf(dialog), LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)));
}

void SelectButtons(HWND dialog, std::initializer_list<int> numbers)
{
    HWND list = ListOf(dialog);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int number : numbers)
        ListView_SetItemState(list, RowOf(dialog, number), LVIS_SELECTED, LVIS_SELECTED);
}

std::vector<int> SelectedButtons(HWND dialog)
{
    std::vector<int> numbers;
    HWND list = ListOf(dialog);
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        numbers.push_back(static_cast<int>(item.lParam));
    }
    return numbers;
}

void Click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickHeader(HWND dialog, int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = ListOf(dialog);
    click.hdr.idFrom = IDC_SHORTCUT_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(dialog, WM_NOTIFY, IDC_SHORTCUT_LIST, reinterpret_cast<LPARAM>(&click));
}

// From the driver thread: whether the combination is free (a hotkey of the
// calling thread, given back at once).
bool IsFreeForThisThread(UINT modifiers, UINT key)
{
    if (!RegisterHotKey(nullptr, 0xBFF0, modifiers, key))
        return false;
    UnregisterHotKey(nullptr, 0xBFF0);
    return true;
}

std::string TitleFor(UINT type)
{
    char title[128];
    LoadText(MessageTitleId(type), title, sizeof title);
    return title;
}

class ShortcutSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AllocateLauncherData());
        ASSERT_NE(nullptr, CreateShortcutTable());
        SetActiveShortcut(VK_SPACE, 6);
        host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        probe_ = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        file_ = BuiltProgramPath();
    }
    void TearDown() override
    {
        UnregisterAllHotkeys(host_);
        DestroyWindow(host_);
        DestroyWindow(probe_);
        DestroyShortcutTable();
        FreeLauncherData();
    }

    void Fill(int group, int button, const char* title = "")
    {
        ButtonRecord* record = ButtonAt(group, button);
        lstrcpyA(record->title, title);
        lstrcpyA(record->file, file_.c_str());
    }
    static void SetEntry(int group, int button, int key, int flags, int system)
    {
        *GetShortcutEntry(group, button) = ShortcutEntry{group * 10 + button, key, flags, system};
    }
    // Whether the system still has the combination free for another window.
    bool IsFree(UINT modifiers, UINT key)
    {
        if (!RegisterHotKey(probe_, 1, modifiers, key))
            return false;
        UnregisterHotKey(probe_, 1);
        return true;
    }

    // Opens the list for (group, button) on this thread; drive runs on a
    // helper thread with the dialog and must leave it (OK or Cancel).
    bool Run(int group, int button, const std::function<void(HWND)>& drive)
    {
        bool seen = false;
        std::thread driver([&] {
            HWND dialog = WaitForDialog(kListCaption, 15000);
            if (!dialog)
                return;
            seen = true;
            drive(dialog);
            if (!capture_keys::WaitUntilGone(dialog, 5000))
                PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        ShowShortcutSettings(host_, LauncherImage(), group, button);
        driver.join();
        return seen;
    }

    HWND host_ = nullptr;
    HWND probe_ = nullptr;
    std::string file_;
};

TEST_F(ShortcutSettingsTest, RowsShowNumberNamesGroupMarkKeyAndFile)
{
    Fill(1, 0);
    Fill(0, 2, "Editor");
    lstrcpyA(LauncherImage()->groups[0].group.name, "Tools");
    SetEntry(0, 2, 'E', 3, 1);
    int rows = 0;
    std::vector<std::string> first, second, headers;
    std::vector<int> widths;
    bool assignEnabled = false;
    int idTextWidth = 1000;
    std::vector<int> selected;
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        rows = ListView_GetItemCount(ListOf(dialog));
        for (int column = 0; column < kShortcutColumnCount; ++column) {
            first.push_back(Cell(dialog, RowOf(dialog, 2), column));
            second.push_back(Cell(dialog, RowOf(dialog, 10), column));
            char header[64] = "";
            LVCOLUMNA info = {};
            info.mask = LVCF_TEXT;
            info.pszText = header;
            info.cchTextMax = sizeof header;
            SendMessageA(ListOf(dialog), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            headers.push_back(header);
            widths.push_back(ListView_GetColumnWidth(ListOf(dialog), column));
        }
        idTextWidth = ListView_GetStringWidth(ListOf(dialog), const_cast<char*>("100"));
        assignEnabled = Enabled(dialog, IDC_SHORTCUT_ASSIGN);
        selected = SelectedButtons(dialog);
        Click(dialog, IDOK);
    }));
    EXPECT_EQ(2, rows);
    EXPECT_EQ((std::vector<std::string>{"003", "Editor", "Tools - 3", "*", "CTRL+SHIFT+E", file_}), first);
    EXPECT_EQ((std::vector<std::string>{"011", "第 1ボタン", "第 2グループ - 1", "", "- 未設定 -", file_}), second);
    EXPECT_EQ((std::vector<std::string>{"ID", "ボタン名", "グループ - No", "*", "キー設定", "実行ファイル"}), headers);
    // The number column holds the icon and the number in full.
    EXPECT_GE(widths[0], 32 + idTextWidth);
    EXPECT_EQ((std::vector<int>{100, 100, 20, 80, 400}), std::vector<int>(widths.begin() + 1, widths.end()));
    // Buttons 0 and 1 of group 0 are empty: the first filled one after them is selected.
    EXPECT_EQ(std::vector<int>{2}, selected);
    EXPECT_TRUE(assignEnabled);
}

TEST_F(ShortcutSettingsTest, ThreeRowsGetCtrlF5AndTheCheckBoxStaysDisabled)
{
    Fill(0, 0);
    Fill(0, 1);
    Fill(2, 5);
    Fill(4, 4);
    std::vector<std::string> keys;
    std::vector<bool> checkEnabled;
    bool captured = false;
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        SelectButtons(dialog, {0, 1, 25});
        Click(dialog, IDC_SHORTCUT_ASSIGN);
        captured = DriveCapture([] { Press({VK_CONTROL}, VK_F5); });
        for (int number : {0, 1, 25, 44})
            keys.push_back(Cell(dialog, RowOf(dialog, number), 4));
        for (int number : {0, 1, 25}) {
            SelectButtons(dialog, {number});
            checkEnabled.push_back(Enabled(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY));
        }
        Click(dialog, IDOK);
    }));
    EXPECT_TRUE(captured);
    EXPECT_EQ((std::vector<std::string>{"CTRL+F5", "CTRL+F5", "CTRL+F5", "- 未設定 -"}), keys);
    EXPECT_EQ((std::vector<bool>{false, false, false}), checkEnabled);
    for (int number : {0, 1, 25}) {
        const ShortcutEntry entry = *GetShortcutEntry(number / 10, number % 10);
        EXPECT_EQ(number, entry.id);
        EXPECT_EQ(VK_F5, entry.key);
        EXPECT_EQ(2, entry.flag);
        EXPECT_EQ(0, entry.usesystemshortcut);
    }
    EXPECT_EQ(0, GetShortcutEntry(4, 4)->key);
}

TEST_F(ShortcutSettingsTest, DelClearsTheSelectedRowsInsteadOfStoringDel)
{
    Fill(3, 3);
    Fill(3, 4);
    SetEntry(3, 3, 'A', 2, 0);
    SetEntry(3, 4, 'B', 2, 0);
    std::string key;
    ASSERT_TRUE(Run(3, 3, [&](HWND dialog) {
        Click(dialog, IDC_SHORTCUT_ASSIGN);  // the preselected row
        DriveCapture([] { Press({}, VK_DELETE); });
        key = Cell(dialog, RowOf(dialog, 33), 4);
        Click(dialog, IDOK);
    }));
    EXPECT_EQ("- 未設定 -", key);
    const ShortcutEntry entry = *GetShortcutEntry(3, 3);
    EXPECT_EQ(33, entry.id);
    EXPECT_EQ(0, entry.key | entry.flag | entry.usesystemshortcut);
    EXPECT_EQ('B', GetShortcutEntry(3, 4)->key);
}

TEST_F(ShortcutSettingsTest, SystemRowAsksQuestion51AndLosesItsMarkAfterTheCapture)
{
    Fill(0, 4);
    SetEntry(0, 4, 'H', 3, 1);
    ASSERT_TRUE(RegisterAllHotkeys(host_));
    ASSERT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'H'));
    bool checkedBefore = false, enabledBefore = false, freeDuring = false;
    std::string mark, key, question;
    ASSERT_TRUE(Run(0, 4, [&](HWND dialog) {
        checkedBefore = Checked(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        enabledBefore = Enabled(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        DialogAnswerer answer(TitleFor(MB_ICONINFORMATION), IDYES);
        Click(dialog, IDC_SHORTCUT_ASSIGN);
        answer.Join();
        question = answer.Text();
        DriveCapture([] { Press({VK_CONTROL, VK_MENU}, 'J'); });
        mark = Cell(dialog, RowOf(dialog, 4), 3);
        key = Cell(dialog, RowOf(dialog, 4), 4);
        freeDuring = IsFreeForThisThread(MOD_CONTROL | MOD_SHIFT, 'H');
        Click(dialog, IDOK);
    }));
    EXPECT_TRUE(checkedBefore);
    EXPECT_TRUE(enabledBefore);
    EXPECT_EQ("選択したボタンには、ショートカットキーをシステムに登録してあるものが含まれてるのら。\n"
              "この画面でキー登録すると、システム登録の設定はいったん解除されるろ！\n\nそれでもいいのら？",
              question);
    EXPECT_EQ("", mark);
    EXPECT_EQ("CTRL+ALT+J", key);
    EXPECT_TRUE(freeDuring);
    EXPECT_EQ(0, GetShortcutEntry(0, 4)->usesystemshortcut);
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, 'H'));
}

TEST_F(ShortcutSettingsTest, Question51AnsweredNoCapturesNothing)
{
    Fill(0, 4);
    SetEntry(0, 4, 'H', 3, 1);
    bool answered = false;
    HWND capture = nullptr;
    ASSERT_TRUE(Run(0, 4, [&](HWND dialog) {
        DialogAnswerer answer(TitleFor(MB_ICONINFORMATION), IDNO);
        Click(dialog, IDC_SHORTCUT_ASSIGN);
        answer.Join();
        answered = answer.Answered();
        capture = WaitForDialog(capture_keys::kCaptureCaption, 1500);
        if (capture)
            PostMessageA(capture, WM_CLOSE, 0, 0);
        Click(dialog, IDOK);
    }));
    EXPECT_TRUE(answered);
    EXPECT_EQ(nullptr, capture);
    EXPECT_EQ('H', GetShortcutEntry(0, 4)->key);
    EXPECT_EQ(1, GetShortcutEntry(0, 4)->usesystemshortcut);
}

TEST_F(ShortcutSettingsTest, CancelRestoresEveryEntryAndRegistersTheRestoredTable)
{
    Fill(0, 0);
    Fill(0, 1);
    Fill(0, 2);
    SetEntry(0, 0, 'K', 3, 1);
    SetEntry(0, 1, 'L', 2, 0);
    SetEntry(0, 2, 'M', 4, 0);
    ShortcutEntry before[kShortcutEntryCount];
    ASSERT_TRUE(CopyShortcutEntries(before, kShortcutEntryCount));
    ASSERT_TRUE(RegisterAllHotkeys(host_));
    bool freeAfterClear = false;
    std::vector<std::string> keysAfterClear;
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        SelectButtons(dialog, {0, 1, 2});
        Click(dialog, IDC_SHORTCUT_CLEAR);
        for (int number : {0, 1, 2})
            keysAfterClear.push_back(Cell(dialog, RowOf(dialog, number), 4));
        freeAfterClear = IsFreeForThisThread(MOD_CONTROL | MOD_SHIFT, 'K');
        Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ((std::vector<std::string>{"- 未設定 -", "- 未設定 -", "- 未設定 -"}), keysAfterClear);
    EXPECT_TRUE(freeAfterClear);
    for (int i = 0; i < 3; ++i) {
        const ShortcutEntry entry = *GetShortcutEntry(0, i);
        EXPECT_EQ(before[i].id, entry.id);
        EXPECT_EQ(before[i].key, entry.key);
        EXPECT_EQ(before[i].flag, entry.flag);
        EXPECT_EQ(before[i].usesystemshortcut, entry.usesystemshortcut);
    }
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'K'));
}

TEST_F(ShortcutSettingsTest, ClosingTheWindowCancelsToo)
{
    Fill(0, 0);
    SetEntry(0, 0, 'K', 3, 0);
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        Click(dialog, IDC_SHORTCUT_CLEAR);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }));
    EXPECT_EQ('K', GetShortcutEntry(0, 0)->key);
}

TEST_F(ShortcutSettingsTest, CheckBoxMarksAUniqueCombinationAsSystemHotkey)
{
    Fill(0, 0);
    Fill(0, 1);
    Fill(0, 2);
    Fill(0, 3);
    SetEntry(0, 0, 'N', 3, 0);  // unique, with modifiers
    SetEntry(0, 1, 'P', 2, 0);  // shared with (0, 2)
    SetEntry(0, 2, 'P', 2, 0);
    SetEntry(0, 3, VK_F6, 0, 0);  // no modifier
    bool uniqueEnabled = false, sharedEnabled = true, plainEnabled = true, checkedAfter = false;
    std::string mark;
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        SelectButtons(dialog, {1});
        sharedEnabled = Enabled(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY) || Enabled(dialog, IDC_SHORTCUT_SYSTEM_NOTE);
        SelectButtons(dialog, {3});
        plainEnabled = Enabled(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        SelectButtons(dialog, {0});
        uniqueEnabled = Enabled(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY) && Enabled(dialog, IDC_SHORTCUT_SYSTEM_NOTE);
        SendMessageA(GetDlgItem(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY), BM_CLICK, 0, 0);
        mark = Cell(dialog, RowOf(dialog, 0), 3);
        checkedAfter = Checked(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        Click(dialog, IDOK);
    }));
    EXPECT_FALSE(sharedEnabled);
    EXPECT_FALSE(plainEnabled);
    EXPECT_TRUE(uniqueEnabled);
    EXPECT_EQ("*", mark);
    EXPECT_TRUE(checkedAfter);
    EXPECT_EQ(1, GetShortcutEntry(0, 0)->usesystemshortcut);
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'N'));  // registered on OK
}

struct PreselectCase {
    int button;
    std::vector<int> selected;
};

class PreselectionTest : public ShortcutSettingsTest, public ::testing::WithParamInterface<PreselectCase> {};

TEST_P(PreselectionTest, SelectsTheButtonOrTheNextFilledOneOfItsGroup)
{
    Fill(2, 5);
    Fill(2, 7);
    Fill(3, 0);
    std::vector<int> selected;
    bool enabled = false;
    ASSERT_TRUE(Run(2, GetParam().button, [&](HWND dialog) {
        selected = SelectedButtons(dialog);
        enabled = Enabled(dialog, IDC_SHORTCUT_CLEAR);
        Click(dialog, IDOK);
    }));
    EXPECT_EQ(GetParam().selected, selected);
    EXPECT_EQ(!GetParam().selected.empty(), enabled);
}

INSTANTIATE_TEST_SUITE_P(Buttons, PreselectionTest,
                         ::testing::Values(PreselectCase{5, {25}}, PreselectCase{4, {25}}, PreselectCase{6, {27}},
                                           PreselectCase{8, {}}, PreselectCase{10, {25}}, PreselectCase{-1, {25}}));

TEST_F(ShortcutSettingsTest, HeaderClicksSortDescendingFirstThenReverseInEveryOpening)
{
    Fill(0, 0, "b");
    Fill(0, 1, "a");
    Fill(0, 2, "c");
    std::vector<std::string> byTitle1, byTitle2, byId1, byIdNextOpening;
    auto cells = [](HWND dialog, int column) {
        std::vector<std::string> values;
        for (int row = 0; row < 3; ++row)
            values.push_back(Cell(dialog, row, column));
        return values;
    };
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        ClickHeader(dialog, 1);
        byTitle1 = cells(dialog, 1);
        ClickHeader(dialog, 1);
        byTitle2 = cells(dialog, 1);
        ClickHeader(dialog, 0);
        byId1 = cells(dialog, 0);
        Click(dialog, IDOK);
    }));
    ASSERT_TRUE(Run(0, 0, [&](HWND dialog) {
        ClickHeader(dialog, 0);
        byIdNextOpening = cells(dialog, 0);
        Click(dialog, IDOK);
    }));
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), byTitle1);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), byTitle2);
    EXPECT_EQ((std::vector<std::string>{"003", "002", "001"}), byId1);
    EXPECT_EQ(byId1, byIdNextOpening) << "the last opening's directions are forgotten";
}

// Command IDM_BUTTON_SHORTCUTS of the real main window opens the list and renews the tips.
class ShortcutCommandTest : public LauncherWindowTest {};

TEST_F(ShortcutCommandTest, OpensTheListForTheSelectedButtonAndRenewsTheTooltips)
{
    FillButton(3, "Tool", BuiltProgramPath());
    SetSelectedButton(3);
    std::vector<int> selected;
    bool captured = false;
    std::thread driver([&] {
        HWND dialog = WaitForDialog(kListCaption, 15000);
        if (!dialog)
            return;
        selected = SelectedButtons(dialog);
        Click(dialog, IDC_SHORTCUT_ASSIGN);
        captured = DriveCapture([] { Press({VK_CONTROL}, VK_F8); });
        Click(dialog, IDOK);
    });
    SendMessageA(window_, WM_COMMAND, IDM_BUTTON_SHORTCUTS, 0);
    driver.join();
    EXPECT_EQ(std::vector<int>{3}, selected);
    EXPECT_TRUE(captured);
    EXPECT_EQ(VK_F8, GetShortcutEntry(0, 3)->key);
    EXPECT_EQ("Tool (CTRL+F8)", ToolText(window_, IDC_FIRST_LAUNCHER + 3));
}

}  // namespace
