// The key capture dialog driven by real key presses: which combinations it
// takes, which it ignores, ESC and DEL, required modifiers, and the two
// capture helpers for a button and for the activation shortcut.
#include "support/messages.h"
#include "capture_keys.h"
#include "common/test_support.h"
#include "dialogs/key_capture_dialog.h"
#include "shortcuts/shortcut_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

namespace {

using capture_keys::CaptureDriver;
using capture_keys::Press;

class KeyCaptureTest : public ::testing::Test {
protected:
    // The first window this process shows takes the display's focus, and the
    // keyboard state is then taken over from the display: one capture ended
    // by ESC before the cases lets that happen outside of them.
    static void SetUpTestSuite()
    {
        KeyCaptureDialog dialog;
        CaptureDriver driver([] { Press({}, VK_ESCAPE); });
        dialog.Run(nullptr);
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, CreateShortcutTable());
        SetActiveShortcut(VK_SPACE, 6);
    }
    void TearDown() override { DestroyShortcutTable(); }

    struct Outcome {
        int returned;
        int modifiers;
        std::string prompt;
        bool endedByKeys;
    };

    static Outcome Capture(int required, const std::function<void()>& press)
    {
        KeyCaptureDialog dialog;
        dialog.SetRequiredModifiers(required);
        CaptureDriver driver(press);
        const int returned = dialog.Run(nullptr);
        driver.Join();
        return Outcome{returned, dialog.GetModifiers(), driver.Prompt(), driver.EndedByKeys()};
    }
};

TEST_F(KeyCaptureTest, CtrlShiftAIsTakenWithModifiers3)
{
    const Outcome out = Capture(0, [] { Press({VK_CONTROL, VK_SHIFT}, 'A'); });
    EXPECT_TRUE(out.endedByKeys);
    EXPECT_EQ(0x41, out.returned);
    EXPECT_EQ(3, out.modifiers);
    EXPECT_EQ("登録するキーを押すんら！", out.prompt);
}

TEST_F(KeyCaptureTest, SpaceAloneIsIgnoredCtrlSpaceIsTaken)
{
    const Outcome out = Capture(0, [] {
        Press({}, VK_SPACE);
        Press({VK_CONTROL}, VK_SPACE);
    });
    EXPECT_EQ(0x20, out.returned);
    EXPECT_EQ(2, out.modifiers);
}

TEST_F(KeyCaptureTest, DigitAloneAndCtrlDigitAreIgnoredShiftDigitIsTaken)
{
    const Outcome out = Capture(0, [] {
        Press({}, '5');
        Press({VK_CONTROL}, '5');
        Press({VK_SHIFT}, '5');
    });
    EXPECT_EQ(0x35, out.returned);
    EXPECT_EQ(1, out.modifiers);
}

TEST_F(KeyCaptureTest, EscCancels)
{
    const Outcome out = Capture(0, [] { Press({}, VK_ESCAPE); });
    EXPECT_TRUE(out.endedByKeys);
    EXPECT_EQ(0, out.returned);
}

TEST_F(KeyCaptureTest, IgnoredKeysKeepWaitingUntilEsc)
{
    const Outcome out = Capture(0, [] {
        Press({}, '5');
        Press({VK_CONTROL}, '7');
        Press({}, VK_RETURN);
        Press({}, VK_TAB);
        Press({}, VK_BACK);
        Press({}, VK_SNAPSHOT);       // no name
        Press({VK_CONTROL}, 0x2C);    // no name either
        Press({VK_CONTROL, VK_MENU}, VK_SPACE);  // the activation shortcut
        Press({}, VK_ESCAPE);
    });
    EXPECT_TRUE(out.endedByKeys);
    EXPECT_EQ(0, out.returned);
}

TEST_F(KeyCaptureTest, DelEndsWithTheClearRequestWhateverTheModifiers)
{
    const Outcome out = Capture(0, [] { Press({VK_CONTROL, VK_SHIFT}, VK_DELETE); });
    EXPECT_TRUE(out.endedByKeys);
    EXPECT_EQ(VK_DELETE, out.returned);
}

TEST_F(KeyCaptureTest, CtrlRequiredIgnoresShiftAAndTakesCtrlShiftA)
{
    const Outcome out = Capture(2, [] {
        Press({VK_SHIFT}, 'A');
        Press({}, 'B');
        Press({VK_CONTROL, VK_SHIFT}, 'A');
    });
    EXPECT_EQ("キーを押すのら！( 必須キー CTRL )", out.prompt);
    EXPECT_EQ(0x41, out.returned);
    EXPECT_EQ(3, out.modifiers);
}

TEST_F(KeyCaptureTest, RequiredModifiersAreNamedInOrderCtrlAltShift)
{
    const Outcome out = Capture(7, [] { Press({}, VK_ESCAPE); });
    EXPECT_EQ("キーを押すのら！( 必須キー CTRL+ALT+SHIFT )", out.prompt);
    EXPECT_EQ(0, out.returned);
}

TEST_F(KeyCaptureTest, ASystemHotkeyOfAnyButtonIsIgnored)
{
    *GetShortcutEntry(6, 1) = ShortcutEntry{61, 'Q', 2, 1};
    const Outcome out = Capture(0, [] {
        Press({VK_CONTROL}, 'Q');
        Press({VK_CONTROL, VK_SHIFT}, 'Q');
    });
    EXPECT_EQ('Q', out.returned);
    EXPECT_EQ(3, out.modifiers);
}

TEST_F(KeyCaptureTest, ModifierLetGoInAnotherWindowNoLongerCounts)
{
    // CTRL goes down in the dialog, the user switches to another window and
    // lets it go there, comes back and presses A alone.
    KeyCaptureDialog dialog;
    std::thread user([] {
        HWND window = capture_keys::WaitForDialog(capture_keys::kCaptureCaption, 10000);
        HWND prompt = GetDlgItem(window, IDC_KEY_CAPTURE_PROMPT);
        SendMessageA(prompt, WM_KEYDOWN, VK_CONTROL, 0);
        SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageA(prompt, WM_KEYDOWN, 'A', 0);
        if (!capture_keys::WaitUntilGone(window, 5000))
            PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ('A', dialog.Run(nullptr));
    user.join();
    EXPECT_EQ(0, dialog.GetModifiers());
}

class CaptureHelpersTest : public KeyCaptureTest {};

TEST_F(CaptureHelpersTest, ButtonCaptureStoresKeyAndFlagOnly)
{
    *GetShortcutEntry(2, 4) = ShortcutEntry{24, 'Z', 4, 1};
    CaptureDriver driver([] { Press({VK_CONTROL, VK_MENU}, 'K'); });
    EXPECT_TRUE(CaptureButtonShortcut(nullptr, 2, 4));
    driver.Join();
    const ShortcutEntry entry = *GetShortcutEntry(2, 4);
    EXPECT_EQ(24, entry.id);
    EXPECT_EQ('K', entry.key);
    EXPECT_EQ(6, entry.flag);
    EXPECT_EQ(1, entry.usesystemshortcut);
}

TEST_F(CaptureHelpersTest, ButtonCaptureDelClearsTheEntry)
{
    *GetShortcutEntry(2, 4) = ShortcutEntry{24, 'Z', 4, 1};
    CaptureDriver driver([] { Press({}, VK_DELETE); });
    EXPECT_TRUE(CaptureButtonShortcut(nullptr, 2, 4));
    driver.Join();
    const ShortcutEntry entry = *GetShortcutEntry(2, 4);
    EXPECT_EQ(0, entry.id | entry.key | entry.flag | entry.usesystemshortcut);
}

TEST_F(CaptureHelpersTest, ButtonCaptureCancelledLeavesTheEntry)
{
    *GetShortcutEntry(2, 4) = ShortcutEntry{24, 'Z', 4, 0};
    CaptureDriver driver([] { Press({}, VK_ESCAPE); });
    EXPECT_FALSE(CaptureButtonShortcut(nullptr, 2, 4));
    driver.Join();
    EXPECT_EQ('Z', GetShortcutEntry(2, 4)->key);
}

std::string NoticeTitle()
{
    char title[128];
    LoadText(MessageTitleId(MB_ICONWARNING), title, sizeof title);
    return title;
}

TEST_F(CaptureHelpersTest, DuplicateAnsweredNoLeavesTheEntry)
{
    *GetShortcutEntry(0, 0) = ShortcutEntry{0, 'M', 2, 0};
    *GetShortcutEntry(1, 1) = ShortcutEntry{11, 'N', 2, 0};
    DialogAnswerer answer(NoticeTitle(), IDNO);
    CaptureDriver driver([] { Press({VK_CONTROL}, 'M'); });
    EXPECT_FALSE(CaptureButtonShortcut(nullptr, 1, 1));
    driver.Join();
    answer.Join();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ("同じキー設定が他のボタンにも登録されてるろ！\nほんとに登録してもいいのら？", answer.Text());
    EXPECT_EQ('N', GetShortcutEntry(1, 1)->key);
}

TEST_F(CaptureHelpersTest, DuplicateAnsweredYesStoresTheKey)
{
    *GetShortcutEntry(0, 0) = ShortcutEntry{0, 'M', 2, 0};
    DialogAnswerer answer(NoticeTitle(), IDYES);
    CaptureDriver driver([] { Press({VK_CONTROL}, 'M'); });
    EXPECT_TRUE(CaptureButtonShortcut(nullptr, 1, 1));
    driver.Join();
    answer.Join();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ('M', GetShortcutEntry(1, 1)->key);
    EXPECT_EQ(2, GetShortcutEntry(1, 1)->flag);
}

TEST_F(CaptureHelpersTest, ActivationCaptureRequiresCtrl)
{
    CaptureDriver driver([] {
        Press({VK_SHIFT}, 'P');
        Press({VK_CONTROL, VK_SHIFT}, 'P');
    });
    EXPECT_TRUE(CaptureActiveShortcut(nullptr));
    driver.Join();
    EXPECT_EQ("キーを押すのら！( 必須キー CTRL )", driver.Prompt());
    int key = 0, flags = 0;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ('P', key);
    EXPECT_EQ(3, flags);
}

TEST_F(CaptureHelpersTest, ActivationCaptureDelClearsAndEscKeeps)
{
    {
        CaptureDriver driver([] { Press({}, VK_ESCAPE); });
        EXPECT_FALSE(CaptureActiveShortcut(nullptr));
    }
    int key = 0, flags = 0;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(VK_SPACE, key);
    {
        CaptureDriver driver([] { Press({}, VK_DELETE); });
        EXPECT_TRUE(CaptureActiveShortcut(nullptr));
    }
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(0, key);
    EXPECT_EQ(0, flags);
}

}  // namespace
