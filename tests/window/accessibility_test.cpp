// What a screen reader and a keyboard alone find on the bar: the controls' names, the focus and its keys.
#include "window/window_test.h"

#include "app/startup.h"

using namespace window_test;

namespace {

enum class Change { None, GroupSwitch, Drop, Clear };
struct NameRow {
    const char* name;
    Change change;
    std::vector<std::pair<int, std::wstring>> names;  // control, its window text afterwards
};
class BarNames : public Table<NameRow> {};

// Group 1 "いつもの": button 1 メモ帳 with CTRL+M; group 2 "二番": button 3 二. A drop on button 4 keeps 予定.
TEST_P(BarNames, EachControlSaysWhatItIs)
{
    const Recorder dropped(folder_, L"予定.exe", true);
    data_.Group(0, L"いつもの").Group(1, L"二番").Button(0, 0, L"メモ帳", L"C:\\memo.exe").Button(1, 2, L"二", L"C:\\2.exe");
    data_.settings.groupCount = 2;
    shortcuts_ = ShortcutLines(0, 0, 'M', 2, 0) + ActiveLines(0, 0);
    Open();
    const auto dialog = Expect(row().change == Change::Drop ? kButtonDialog : row().change == Change::Clear ? kQuestion
                                                                                                          : nullptr,
                               row().change == Change::Drop ? IDOK : IDYES);
    if (row().change == Change::GroupSwitch)
        Key('2');
    if (row().change == Change::Drop)
        Drop({dropped.Path()}, B(3));
    if (row().change == Change::Clear)
        RightClick(B(0), IDM_CLEAR_BUTTON);
    EXPECT_TRUE(!dialog || dialog->Seen());
    Idle(window_);
    for (const auto& [control, name] : row().names)
        EXPECT_EQ(name, Text(GetDlgItem(window_, control))) << control;
}

const std::pair<int, std::wstring> kArrows[] = {{IDC_PREVIOUS_GROUP, L"前のグループへ行くろ！"},
                                                {IDC_NEXT_GROUP, L"次のグループへ行くろ！"}};
const NameRow kNames[] = {
    {.name = "AfterTheStart", .change = Change::None,
     .names = {{IDC_GROUP_BUTTON, L"いつもの のグループボタンなのら"}, kArrows[0], kArrows[1],
               {B(0), L"1 メモ帳 (CTRL+M)"}, {B(1), L"2 からっぽのボタンなのら"}, {B(9), L"10 からっぽのボタンなのら"}}},
    {.name = "AfterAGroupSwitch", .change = Change::GroupSwitch,
     .names = {{IDC_GROUP_BUTTON, L"二番 のグループボタンなのら"}, kArrows[0], {B(0), L"1 からっぽのボタンなのら"},
               {B(2), L"3 二"}}},
    {.name = "AfterADrop", .change = Change::Drop, .names = {{B(3), L"4 予定"}, {B(0), L"1 メモ帳 (CTRL+M)"}}},
    {.name = "AfterAClear", .change = Change::Clear,
     .names = {{B(0), L"1 からっぽのボタンなのら"}, {IDC_GROUP_BUTTON, L"いつもの のグループボタンなのら"}}},
};
INSTANTIATE_TEST_SUITE_P(Rows, BarNames, ::testing::ValuesIn(kNames), RowName);

class Keyboard : public Window {
protected:
    // The window the activation hotkey comes from.
    static HWND ForegroundWindowElsewhere()
    {
        HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300, 0, 50, 50, nullptr, nullptr,
                                     nullptr, nullptr);
        SetForegroundWindow(other);
        return other;
    }
    // A key as the user presses it on the focused control: through the program's own loop, whose dialog manager
    // (IsDialogMessage) sees every message first; the loop ends once the key's messages are handled.
    void PressKey(BYTE key)
    {
        const LPARAM scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16;
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1 | scan);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001 | scan);
        PostQuitMessage(0);
        RunMessageLoop(window_);
    }
};

// From another window: the hotkey focuses button 1; arrows wrap over the arrows; Enter, SHIFT+F10 and ESC.
TEST_F(Keyboard, TheHotkeyFocusesTheBarWhoseKeysStartOpenAndGiveBack)
{
    const Recorder started(folder_, L"r\\rec.exe", true);
    data_.Button(0, 1, L"録る", started.Path());
    OpenInFront();
    HWND other = ForegroundWindowElsewhere();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
    SendMessageW(window_, WM_HOTKEY, IDHK_ACTIVATION, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
    EXPECT_EQ(GetDlgItem(window_, B(0)), GetFocus());
    const std::pair<BYTE, int> moves[] = {{VK_UP, IDC_NEXT_GROUP}, {VK_RIGHT, B(0)}, {VK_DOWN, B(1)}};
    for (const auto& [key, focused] : moves) {
        PressKey(key);
        EXPECT_EQ(GetDlgItem(window_, focused), GetFocus()) << key;
    }
    PressKey(VK_RETURN);
    EXPECT_TRUE(started.Started());
    RECT button = {}, shown = {};
    GetWindowRect(GetFocus(), &button);
    const OpenMenu menu = WhileMenuOpen(window_, [&] {
        const HeldKeys shift({VK_SHIFT});
        SendMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F10, 1);
    }, 0, [&](const OpenMenu& open) { GetWindowRect(open.window, &shown); });
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(std::make_pair(button.left, button.bottom), std::make_pair(shown.left, shown.top)) << "below the button";
    EXPECT_EQ(L"録る、なのら。", menu.texts.at(0));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
    DestroyWindow(other);
}

TEST_F(Keyboard, AFoldedBarKeepsTheFocusOnItsGroupButton)
{
    OpenInFront();
    SendMessageW(GetDlgItem(window_, IDC_GROUP_BUTTON), BM_CLICK, 0, 0);
    ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(window_, IDC_GROUP_BUTTON)) << "folded";
    HWND other = ForegroundWindowElsewhere();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
    SendMessageW(window_, WM_HOTKEY, IDHK_ACTIVATION, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
    EXPECT_EQ(GetDlgItem(window_, IDC_GROUP_BUTTON), GetFocus());
    PressKey(VK_DOWN);
    EXPECT_EQ(GetDlgItem(window_, IDC_GROUP_BUTTON), GetFocus()) << "no step onto a hidden button";
    DestroyWindow(other);
}

}  // namespace
