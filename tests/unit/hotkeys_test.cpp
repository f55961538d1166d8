// System hotkey registration, checked against the system itself: a second
// window cannot take a combination the first one holds.
#include "shortcuts/hotkeys.h"
#include "shortcuts/shortcut_table.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HWND MakeWindow()
{
    return CreateWindowExA(0, "STATIC", "hotkey test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class HotkeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, CreateShortcutTable());
        owner_ = MakeWindow();
        other_ = MakeWindow();
        ASSERT_NE(nullptr, owner_);
        ASSERT_NE(nullptr, other_);
    }
    void TearDown() override
    {
        UnregisterAllHotkeys(owner_);
        for (int id = 0; id < 8; ++id)
            UnregisterHotKey(other_, id);
        DestroyWindow(owner_);
        DestroyWindow(other_);
        DestroyShortcutTable();
    }

    static void Set(int group, int button, int key, int flags, int system)
    {
        *GetShortcutEntry(group, button) = ShortcutEntry{group * 10 + button, key, flags, system};
    }

    // True when the combination is free: the other window could take it
    // (and gives it back at once).
    bool IsFree(UINT modifiers, UINT key)
    {
        if (!RegisterHotKey(other_, 7, modifiers, key))
            return false;
        UnregisterHotKey(other_, 7);
        return true;
    }

    HWND owner_ = nullptr;
    HWND other_ = nullptr;
};

TEST(ToHotkeyModifiers, TranslatesEachFlag)
{
    EXPECT_EQ(0u, ToHotkeyModifiers(0));
    EXPECT_EQ(static_cast<UINT>(MOD_SHIFT), ToHotkeyModifiers(1));
    EXPECT_EQ(static_cast<UINT>(MOD_CONTROL), ToHotkeyModifiers(2));
    EXPECT_EQ(static_cast<UINT>(MOD_ALT), ToHotkeyModifiers(4));
    EXPECT_EQ(6u, ToHotkeyModifiers(3));
    EXPECT_EQ(3u, ToHotkeyModifiers(6));
    EXPECT_EQ(7u, ToHotkeyModifiers(7));
    EXPECT_EQ(0u, ToHotkeyModifiers(8));  // no other modifier is ever passed
}

TEST_F(HotkeyTest, SystemEntryIsRegisteredUnderItsButtonNumber)
{
    Set(2, 5, 'A', 3, 1);
    ASSERT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, 'A'));
    EXPECT_TRUE(RegisterButtonHotkey(owner_, 2, 5));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'A'));
    EXPECT_TRUE(IsFree(MOD_CONTROL, 'A'));
    EXPECT_TRUE(UnregisterHotKey(owner_, 25));  // the id is the button number
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, 'A'));
}

TEST_F(HotkeyTest, EntriesWithoutKeyOrSystemFlagRegisterNothingAndSucceed)
{
    Set(0, 1, 0, 2, 1);
    Set(0, 2, 'B', 2, 0);
    EXPECT_TRUE(RegisterButtonHotkey(owner_, 0, 1));
    EXPECT_TRUE(RegisterButtonHotkey(owner_, 0, 2));
    EXPECT_FALSE(UnregisterHotKey(owner_, 1));
    EXPECT_FALSE(UnregisterHotKey(owner_, 2));
    EXPECT_TRUE(IsFree(MOD_CONTROL, 'B'));
}

TEST_F(HotkeyTest, OnlyASystemFlagOfExactlyOneRegisters)
{
    Set(0, 3, 'C', 2, 2);
    EXPECT_TRUE(RegisterButtonHotkey(owner_, 0, 3));
    EXPECT_TRUE(IsFree(MOD_CONTROL, 'C'));
}

TEST_F(HotkeyTest, ActivationShortcutUsesId1000)
{
    SetActiveShortcut(VK_SPACE, 6);
    EXPECT_TRUE(RegisterActiveHotkey(owner_));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, VK_SPACE));
    EXPECT_TRUE(UnregisterActiveHotkey(owner_));
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, VK_SPACE));
}

TEST_F(HotkeyTest, RegisteringAllTwiceLeavesTheSameRegistrations)
{
    Set(0, 0, 'D', 3, 1);
    Set(9, 9, VK_F9, 4, 1);
    Set(4, 4, 'E', 2, 0);
    SetActiveShortcut(VK_SPACE, 6);
    EXPECT_TRUE(RegisterAllHotkeys(owner_));
    EXPECT_TRUE(RegisterAllHotkeys(owner_));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'D'));
    EXPECT_FALSE(IsFree(MOD_ALT, VK_F9));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, VK_SPACE));
    EXPECT_TRUE(IsFree(MOD_CONTROL, 'E'));
    EXPECT_TRUE(UnregisterAllHotkeys(owner_));
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, 'D'));
    EXPECT_TRUE(IsFree(MOD_ALT, VK_F9));
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, VK_SPACE));
}

TEST_F(HotkeyTest, OneFailureDoesNotStopTheOthers)
{
    ASSERT_TRUE(RegisterHotKey(other_, 1, MOD_CONTROL | MOD_SHIFT, 'G'));  // taken elsewhere
    Set(0, 5, 'G', 3, 1);
    Set(7, 7, 'H', 3, 1);
    SetActiveShortcut(VK_SPACE, 6);
    EXPECT_FALSE(RegisterAllHotkeys(owner_));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'H'));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, VK_SPACE));
    EXPECT_EQ(1, GetShortcutEntry(0, 5)->usesystemshortcut);  // tried again next time
    UnregisterHotKey(other_, 1);
    EXPECT_TRUE(RegisterAllHotkeys(owner_));
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, 'G'));
}

TEST_F(HotkeyTest, ButtonDialogConfirmationSetsOrDropsTheSystemFlag)
{
    Set(3, 3, 'J', 6, 0);
    EXPECT_TRUE(ApplyButtonHotkey(owner_, 3, 3, true));
    EXPECT_EQ(1, GetShortcutEntry(3, 3)->usesystemshortcut);
    EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, 'J'));
    EXPECT_TRUE(ApplyButtonHotkey(owner_, 3, 3, false));
    EXPECT_EQ(0, GetShortcutEntry(3, 3)->usesystemshortcut);
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, 'J'));
}

TEST_F(HotkeyTest, ClearingAButtonDropsItsHotkeyAndEntry)
{
    Set(1, 2, 'K', 3, 1);
    ASSERT_TRUE(RegisterButtonHotkey(owner_, 1, 2));
    ClearButtonShortcut(owner_, 1, 2);
    const ShortcutEntry entry = *GetShortcutEntry(1, 2);
    EXPECT_EQ(0, entry.id | entry.key | entry.flag | entry.usesystemshortcut);
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, 'K'));
}

TEST(HotkeysWithoutTable, ReportFailure)
{
    DestroyShortcutTable();
    HWND window = MakeWindow();
    EXPECT_FALSE(RegisterButtonHotkey(window, 0, 0));
    EXPECT_FALSE(RegisterActiveHotkey(window));
    EXPECT_FALSE(RegisterAllHotkeys(window));
    EXPECT_TRUE(UnregisterAllHotkeys(window));
    DestroyWindow(window);
}

}  // namespace
