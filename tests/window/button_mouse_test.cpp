// Dragging launcher buttons onto each other, across groups, and the menu moves.
#include "bar/button_bar.h"
#include "app/commands.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "window/bar_fixture.h"

#include <cstring>

namespace {

constexpr char kQuestion[] = "ぽてまるの質問";

class MoveTest : public BarWindowTest {
protected:
    void SetUp() override
    {
        BarWindowTest::SetUp();
        // Buttons 2 and 5 hold the program with different icons and shortcuts.
        FillButton(2, "Two", ProgramCopy(), "", "", ProgramCopy(), 2);
        FillButton(5, "Five", ProgramCopy(), "", "", ProgramCopy(), 6);
        *GetShortcutEntry(0, 2) = ShortcutEntry{2, 'A', 2, 0};
        *GetShortcutEntry(0, 5) = ShortcutEntry{5, 'B', 4, 1};
        ShowGroup(window_, 0);
        two_ = *CurrentButton(2);
        five_ = *CurrentButton(5);
        twoPixels_ = ControlPixels(window_, IDC_FIRST_LAUNCHER + 2);
        fivePixels_ = ControlPixels(window_, IDC_FIRST_LAUNCHER + 5);
    }
    bool Same(const ButtonRecord& a, const ButtonRecord* b) { return std::memcmp(&a, b, sizeof a) == 0; }
    // The data file holds the current memory image of the records.
    bool Saved()
    {
        const std::string data = ReadFileBytes(folder_.File("porun.dat"));
        return data.size() == 141068 && std::memcmp(data.data(), LauncherImage(), sizeof(LauncherData)) == 0;
    }
    ButtonRecord two_, five_;
    std::vector<DWORD> twoPixels_, fivePixels_;
};

TEST_F(MoveTest, SwapExchangesRecordsShortcutsImagesAndTips)
{
    ASSERT_TRUE(MoveButton(window_, 2, 5));
    EXPECT_TRUE(Same(five_, CurrentButton(2)));
    EXPECT_TRUE(Same(two_, CurrentButton(5)));
    EXPECT_EQ('B', GetShortcutEntry(0, 2)->key);
    EXPECT_EQ(5, GetShortcutEntry(0, 2)->id) << "entries move whole";
    EXPECT_EQ(1, GetShortcutEntry(0, 2)->usesystemshortcut);
    EXPECT_EQ('A', GetShortcutEntry(0, 5)->key);
    EXPECT_EQ(2, GetShortcutEntry(0, 5)->id);
    EXPECT_EQ(fivePixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 5));
    EXPECT_EQ("Five <ALT+B>", ToolText(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ("Two (CTRL+A)", ToolText(window_, IDC_FIRST_LAUNCHER + 5));
    EXPECT_TRUE(Saved());
}

TEST_F(MoveTest, ShiftOverAFilledButtonYesCopies)
{
    DialogAnswerer answer(kQuestion, IDYES);
    {
        HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(MoveButton(window_, 2, 5));
    }
    answer.Join();
    EXPECT_EQ("ここにはもうボタンが登録されてるろ！\nボタンデータを上書きしちゃうのら？\n\n"
              "[は い]……上書きするろ！\n[いいえ]……やっぱり入れ替えるろ！",
              answer.Text());
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    EXPECT_TRUE(Same(two_, CurrentButton(5)));
    EXPECT_EQ('A', GetShortcutEntry(0, 2)->key) << "shortcuts stay where they were";
    EXPECT_EQ('B', GetShortcutEntry(0, 5)->key);
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 5));
    // Two icons, two owners: replacing one leaves the other intact.
    EXPECT_NE(SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 2, BM_GETIMAGE, IMAGE_ICON, 0),
              SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 5, BM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_TRUE(Saved());
}

TEST_F(MoveTest, ShiftOverAFilledButtonNoSwaps)
{
    DialogAnswerer answer(kQuestion, IDNO);
    {
        HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(MoveButton(window_, 2, 5));
    }
    answer.Join();
    EXPECT_TRUE(Same(five_, CurrentButton(2)));
    EXPECT_TRUE(Same(two_, CurrentButton(5)));
    EXPECT_EQ('B', GetShortcutEntry(0, 2)->key);
    EXPECT_EQ(fivePixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
}

TEST_F(MoveTest, ShiftOverAFilledButtonCancelChangesNothing)
{
    DeleteFileA(folder_.File("porun.dat").c_str());
    DialogAnswerer answer(kQuestion, IDCANCEL);
    {
        HeldKey shift(VK_SHIFT);
        EXPECT_TRUE(MoveButton(window_, 2, 5));
    }
    answer.Join();
    EXPECT_TRUE(answer.Answered());
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    EXPECT_TRUE(Same(five_, CurrentButton(5)));
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ(fivePixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 5));
    EXPECT_FALSE(FileExists(folder_.File("porun.dat"))) << "nothing saved";
}

TEST_F(MoveTest, ShiftOverAnEmptyButtonCopiesWithoutAQuestion)
{
    {
        HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(MoveButton(window_, 2, 7));
    }
    EXPECT_EQ(nullptr, FindProcessDialog(kQuestion));
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    EXPECT_TRUE(Same(two_, CurrentButton(7)));
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 7));
    EXPECT_EQ(0, GetShortcutEntry(0, 7)->key);
}

TEST_F(MoveTest, InvalidIndexesChangeNothing)
{
    EXPECT_FALSE(MoveButton(window_, 0, -1));
    EXPECT_FALSE(MoveButton(window_, 9, 10));
    EXPECT_FALSE(MoveButton(window_, -1, 3));
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
}

TEST_F(MoveTest, MenuCommandsMoveTheSelectedButtonUpAndDown)
{
    SetSelectedButton(5);
    Command(IDM_MOVE_UP);
    EXPECT_TRUE(Same(five_, CurrentButton(4)));
    EXPECT_STREQ("", CurrentButton(5)->file);
    EXPECT_EQ('B', GetShortcutEntry(0, 4)->key);
    SetSelectedButton(2);
    Command(IDM_MOVE_DOWN);
    EXPECT_TRUE(Same(two_, CurrentButton(3)));
    EXPECT_EQ(fivePixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 4));
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 3));
    SetSelectedButton(0);
    Command(IDM_MOVE_UP);  // no button above the first
    EXPECT_STREQ("", CurrentButton(0)->file);
}

// Presses CTRL+SHIFT+key for real, as the user does for a system hotkey.
void PressHotkey(BYTE key)
{
    HeldKey control(VK_CONTROL);
    HeldKey shift(VK_SHIFT);
    HeldKey pressed(key);
}

// Whether another window could take CTRL+SHIFT+key now (given back at once).
bool HotkeyFree(BYTE key)
{
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 1, MOD_CONTROL | MOD_SHIFT, key) != FALSE;
    DestroyWindow(probe);
    return free;
}

struct HotkeyMoveCase {
    bool acrossGroups;
    bool clearMoved;  // clear the moved button afterwards
};

class HotkeyMoveTest : public BarWindowTest, public ::testing::WithParamInterface<HotkeyMoveCase> {};

// Two buttons with system hotkeys swap places: each hotkey then starts the
// button that carries it; clearing a moved button gives its hotkey back and
// leaves the other one held.
TEST_P(HotkeyMoveTest, SystemHotkeysFollowTheMovedShortcuts)
{
    const HotkeyMoveCase& c = GetParam();
    const int target = c.acrossGroups ? 1 : 0;
    const std::string first = InstallRecorder(folder_, "first\\rec.exe");
    const std::string second = InstallRecorder(folder_, "second\\rec.exe");
    FillButtonAt(0, 2, "first", first);
    FillButtonAt(target, 4, "second", second);
    *GetShortcutEntry(0, 2) = ShortcutEntry{2, VK_F11, 3, 1};
    *GetShortcutEntry(target, 4) = ShortcutEntry{target * 10 + 4, VK_F9, 3, 1};
    ASSERT_TRUE(RegisterAllHotkeys(window_));
    ShowGroup(window_, 0);
    SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 2, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // the drag's press
    ShowGroup(window_, target);
    ASSERT_TRUE(MoveButton(window_, 2, 4));
    ReleaseCapture();

    if (c.clearMoved) {
        DialogAnswerer answer(kQuestion, IDYES);
        EXPECT_TRUE(ClearButton(window_, 4));
        answer.Join();
        EXPECT_TRUE(HotkeyFree(VK_F11));
        EXPECT_FALSE(HotkeyFree(VK_F9));
        return;
    }
    PressHotkey(VK_F11);
    EXPECT_TRUE(WaitForRecord(first, nullptr, nullptr));
    PressHotkey(VK_F9);
    EXPECT_TRUE(WaitForRecord(second, nullptr, nullptr));
}

INSTANTIATE_TEST_SUITE_P(Moves, HotkeyMoveTest,
                         ::testing::Values(HotkeyMoveCase{false, false}, HotkeyMoveCase{true, false},
                                           HotkeyMoveCase{true, true}));

// Real mouse input on the bar: press, move, hold over the next-group arrow
// for two timer ticks, release over a button of the new group.
class DragTest : public MoveTest {
protected:
    void MoveTo(int controlId, int dx = 0)
    {
        POINT point = ControlCentre(window_, controlId);
        point.x += dx;
        ClientToScreen(window_, &point);
        // The warp reaches the window system first, then a move at the new place.
        SetCursorPos(point.x, point.y);
        PumpUntil([point] {
            POINT now;
            GetCursorPos(&now);
            return now.x == point.x && now.y == point.y;
        }, 5000);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        PumpMessages(30);
    }
    void Press() { mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); PumpUntil([] { return IsKeyDownNow(VK_LBUTTON); }, 2000); PumpMessages(30); }
    void Release() { mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); PumpUntil([] { return !IsKeyDownNow(VK_LBUTTON); }, 2000); PumpMessages(50); }
    void Tick() { SendMessageA(window_, WM_TIMER, kHoverTimerId, 0); PumpMessages(30); }
    void SetUp() override
    {
        MoveTest::SetUp();
        // The tests give the ticks themselves; the window's own timer would add
        // ticks at moments no test controls.
        KillTimer(window_, kHoverTimerId);
        SetWindowPos(window_, HWND_TOPMOST, 200, 100, 0, 0, SWP_NOSIZE);
        SetForegroundWindow(window_);
        PumpMessages(50);
    }
};

TEST_F(DragTest, DragOntoAnotherButtonSwapsWithTheSwapCursor)
{
    MoveTo(IDC_FIRST_LAUNCHER + 2);
    Press();
    ASSERT_EQ(GetDlgItem(window_, IDC_FIRST_LAUNCHER + 2), GetCapture());
    MoveTo(IDC_FIRST_LAUNCHER + 2, 1);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 2);
    MoveTo(IDC_FIRST_LAUNCHER + 5);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_SWAP)), GetCursor());
    MoveTo(IDC_NEXT_GROUP);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_NO_DROP)), GetCursor());
    MoveTo(IDC_FIRST_LAUNCHER + 5);
    Release();
    EXPECT_TRUE(Same(five_, CurrentButton(2)));
    EXPECT_TRUE(Same(two_, CurrentButton(5)));
    EXPECT_TRUE(Saved());
}

TEST_F(DragTest, ShortDragStaysAClick)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(2, "Recorder", program);
    two_ = *CurrentButton(2);
    MoveTo(IDC_FIRST_LAUNCHER + 2);
    Press();
    MoveTo(IDC_FIRST_LAUNCHER + 2, 1);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 2);
    Release();
    EXPECT_TRUE(WaitForRecord(program, nullptr, nullptr)) << "a click launched the button";
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    EXPECT_TRUE(Same(five_, CurrentButton(5)));
}

TEST_F(DragTest, HoverOverTheNextArrowMovesAButtonIntoAnotherGroup)
{
    SetGroupCount(3);
    FillButtonAt(1, 7, "Seven", ProgramCopy(), ProgramCopy(), 4);
    const ButtonRecord seven = *ButtonAt(1, 7);
    MoveTo(IDC_FIRST_LAUNCHER + 2);
    Press();
    MoveTo(IDC_FIRST_LAUNCHER + 2, 1);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 2);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 3);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_DRAG)), GetCursor());
    MoveTo(IDC_NEXT_GROUP);
    Tick();
    EXPECT_EQ(0, CurrentGroupIndex()) << "the first tick only notes the arrow";
    Tick();
    EXPECT_EQ(1, CurrentGroupIndex());
    ASSERT_EQ(GetDlgItem(window_, IDC_FIRST_LAUNCHER + 2), GetCapture()) << "the press still holds the capture";
    MoveTo(IDC_FIRST_LAUNCHER + 7);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_SWAP)), GetCursor());
    Release();

    EXPECT_TRUE(Same(two_, ButtonAt(1, 7)));
    EXPECT_TRUE(Same(seven, ButtonAt(0, 2))) << "the vacated slot gets the target's record";
    EXPECT_EQ('A', GetShortcutEntry(1, 7)->key);
    EXPECT_EQ(0, GetShortcutEntry(0, 2)->key);
    EXPECT_EQ(twoPixels_, ControlPixels(window_, IDC_FIRST_LAUNCHER + 7)) << "the moved button shows its own icon";
    EXPECT_EQ("Two (CTRL+A)", ToolText(window_, IDC_FIRST_LAUNCHER + 7));
    EXPECT_TRUE(Saved());
}

TEST_F(DragTest, HoldingOverTheCollapsedGroupButtonExpandsTheBar)
{
    SendDlgItemMessageA(window_, IDC_GROUP_BUTTON, BM_CLICK, 0, 0);
    ASSERT_FALSE(Expanded());
    // Files dragged in from another program: no window of ours holds the capture.
    MoveTo(IDC_GROUP_BUTTON);
    HeldKey left(VK_LBUTTON);
    ReleaseCapture();
    Tick();
    EXPECT_FALSE(Expanded());
    Tick();
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

TEST_F(DragTest, StrayButtonUpAfterADragMovesNothing)
{
    MoveTo(IDC_FIRST_LAUNCHER + 2);
    Press();
    MoveTo(IDC_FIRST_LAUNCHER + 2, 1);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 2);
    MoveTo(IDC_FIRST_LAUNCHER + 2, 3);
    MoveTo(IDC_FIRST_LAUNCHER + 5);
    MoveTo(IDC_PREVIOUS_GROUP);
    Release();  // released off the launcher buttons: nothing moves
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    // A button-up that no press on a launcher button preceded, over a filled button.
    MoveTo(IDC_FIRST_LAUNCHER + 5);
    SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER + 3, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(Same(two_, CurrentButton(2)));
    EXPECT_TRUE(Same(five_, CurrentButton(5)));
    EXPECT_FALSE(FileExists(folder_.File("porun.dat")));
}

}  // namespace
