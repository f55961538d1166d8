// What a screen reader and a keyboard alone find on the bar: the controls' names, the focus and its keys.
#include "window/window_test.h"

#include "app/startup.h"
#include "shortcuts/key_names.h"

using namespace window_test;

namespace {

struct ControlName {
    int control;
    std::wstring text;  // its window text
};
class BarNames;
struct NameRow {
    const char* name;
    void (BarNames::*change)();
    const wchar_t* dialog;           // what the change opens (caption part), none when null
    int press;                       // its button
    std::vector<ControlName> names;  // afterwards
};

// Group 1 "いつもの": button 1 メモ帳 with CTRL+M; group 2 "二番": button 3 二.
class BarNames : public Table<NameRow> {
public:
    void Nothing() {}
    void GroupSwitch() { Key('2'); }
    void DropOnButton4() { Drop({dropped_.Path()}, B(3)); }  // which keeps 予定
    void ClearButton1() { RightClick(B(0), IDM_CLEAR_BUTTON); }

protected:
    const Recorder dropped_{folder_, L"予定.exe", true};
};

TEST_P(BarNames, EachControlSaysWhatItIs)
{
    data_.Group(0, L"いつもの").Group(1, L"二番");
    data_.Button(0, 0, L"メモ帳", L"C:\\memo.exe").Button(1, 2, L"二", L"C:\\2.exe");
    data_.settings.groupCount = 2;
    shortcuts_ = ShortcutLines(0, 0, 'M', kCtrl, kPlainKey) + ActiveLines(0, kNoModifiers);
    Open();
    const auto dialog = Expect(row().dialog, row().press);
    (this->*row().change)();
    EXPECT_TRUE(!dialog || dialog->Seen());
    Idle(window_);
    for (const auto& [control, name] : row().names)
        EXPECT_EQ(name, Text(GetDlgItem(window_, control))) << control;
}

const wchar_t kEmpty1[] = L"1 からっぽのボタンなのら";
const wchar_t kGroup1[] = L"いつもの のグループボタンなのら";
const ControlName kPrevious = {.control = IDC_PREVIOUS_GROUP, .text = L"前のグループへ行くろ！"};
const ControlName kNext = {.control = IDC_NEXT_GROUP, .text = L"次のグループへ行くろ！"};
const ControlName kMemo = {.control = B(0), .text = L"1 メモ帳 (CTRL+M)"};
// clang-format off
const NameRow kNames[] = {
    {.name = "AfterTheStart", .change = &BarNames::Nothing, .dialog = nullptr, .press = 0,
     .names = {{.control = IDC_GROUP_BUTTON, .text = kGroup1}, kPrevious, kNext, kMemo,
               {.control = B(1), .text = L"2 からっぽのボタンなのら"},
               {.control = B(9), .text = L"10 からっぽのボタンなのら"}}},
    {.name = "AfterAGroupSwitch", .change = &BarNames::GroupSwitch, .dialog = nullptr, .press = 0,
     .names = {{.control = IDC_GROUP_BUTTON, .text = L"二番 のグループボタンなのら"}, kPrevious,
               {.control = B(0), .text = kEmpty1}, {.control = B(2), .text = L"3 二"}}},
    {.name = "AfterADrop", .change = &BarNames::DropOnButton4, .dialog = kButtonDialog, .press = IDOK,
     .names = {{.control = B(3), .text = L"4 予定"}, kMemo}},
    {.name = "AfterAClear", .change = &BarNames::ClearButton1, .dialog = kQuestion, .press = IDYES,
     .names = {{.control = B(0), .text = kEmpty1}, {.control = IDC_GROUP_BUTTON, .text = kGroup1}}},
};
// clang-format on
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
    PressKey(VK_UP);
    EXPECT_EQ(GetDlgItem(window_, IDC_NEXT_GROUP), GetFocus()) << "wrapped from button 1 over the arrows";
    PressKey(VK_RIGHT);
    EXPECT_EQ(GetDlgItem(window_, B(0)), GetFocus());
    PressKey(VK_DOWN);
    EXPECT_EQ(GetDlgItem(window_, B(1)), GetFocus());
    PressKey(VK_RETURN);
    EXPECT_TRUE(started.Started());
    RECT button = {}, shown = {};
    GetWindowRect(GetFocus(), &button);
    const OpenMenu menu = WhileMenuOpen(
        window_,
        [&] {
            const HeldKeys shift({VK_SHIFT});
            SendMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F10, 1);
        },
        0, [&](const OpenMenu& open) { GetWindowRect(open.window, &shown); });
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
