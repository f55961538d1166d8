// The shortcut table: creation, the refusal and duplicate rules, digit helpers.
#include "shortcuts/shortcut_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ShortcutTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, CreateShortcutTable()); }
    void TearDown() override { DestroyShortcutTable(); }

    static void Set(int group, int button, int key, int flags, int system)
    {
        ShortcutEntry* entry = GetShortcutEntry(group, button);
        ASSERT_NE(nullptr, entry);
        entry->id = group * 10 + button;
        entry->key = key;
        entry->flag = flags;
        entry->usesystemshortcut = system;
    }
};

TEST_F(ShortcutTableTest, NewTableIsEmpty)
{
    for (int g = 0; g < 10; ++g)
        for (int b = 0; b < 10; ++b) {
            const ShortcutEntry* entry = GetShortcutEntry(g, b);
            ASSERT_NE(nullptr, entry);
            EXPECT_EQ(0, entry->id | entry->key | entry->flag | entry->usesystemshortcut);
        }
    int key = -1, flags = -1;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(0, key);
    EXPECT_EQ(0, flags);
}

TEST_F(ShortcutTableTest, EntriesAreAddressedByButtonNumber)
{
    EXPECT_EQ(GetShortcutEntry(0, 0) + 37, GetShortcutEntry(3, 7));
    EXPECT_EQ(GetShortcutEntry(9, 9), ShortcutEntryAt(99));
    EXPECT_EQ(nullptr, GetShortcutEntry(10, 0));
    EXPECT_EQ(nullptr, GetShortcutEntry(0, -1));
    EXPECT_EQ(nullptr, ShortcutEntryAt(100));
}

TEST_F(ShortcutTableTest, CreatingAgainReplacesTheTable)
{
    Set(2, 3, 'A', 2, 1);
    SetActiveShortcut(0x20, 6);
    ASSERT_NE(nullptr, CreateShortcutTable());
    EXPECT_EQ(0, GetShortcutEntry(2, 3)->key);
    int key = -1, flags = -1;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(0, key);
}

TEST(ShortcutTableAbsent, OperationsDoNothing)
{
    DestroyShortcutTable();
    EXPECT_EQ(nullptr, GetShortcutTable());
    EXPECT_EQ(nullptr, GetShortcutEntry(0, 0));
    int key = 5, flags = 5;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(5, key);
    SetActiveShortcut(1, 1);
    EXPECT_FALSE(IsDuplicateShortcut('A', 2, 0, 0));
    EXPECT_FALSE(IsShortcutRefused('A', 2));
    EXPECT_TRUE(IsShortcutRefused(VK_RETURN, 2));  // never a shortcut, table or not
    EXPECT_TRUE(DestroyShortcutTable());
}

TEST_F(ShortcutTableTest, ActiveShortcutRoundTripsAndIgnoresMissingOutputs)
{
    SetActiveShortcut(0x20, 6);
    int key = 0, flags = 0;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(0x20, key);
    EXPECT_EQ(6, flags);
    GetActiveShortcut(&key, nullptr);
    GetActiveShortcut(nullptr, &flags);
}

TEST_F(ShortcutTableTest, Rule1KeysAreRefusedWhateverTheFlags)
{
    const int keys[] = {0x08, 0x09, 0x0D, 0x10, 0x11, 0x1B, 0x2A, 0x2E};
    for (int key : keys)
        for (int flags = 0; flags < 8; ++flags)
            EXPECT_TRUE(IsShortcutRefused(key, flags)) << key << " " << flags;
    EXPECT_FALSE(IsShortcutRefused(0x12, 2));  // ALT is not in the list
    EXPECT_FALSE(IsShortcutRefused(0x2D, 2));
}

TEST_F(ShortcutTableTest, Rule2SpaceAloneIsRefusedSpaceWithModifiersIsNot)
{
    SetActiveShortcut(0x20, 6);
    EXPECT_TRUE(IsShortcutRefused(0x20, 0));
    EXPECT_FALSE(IsShortcutRefused(0x20, 2));
    EXPECT_FALSE(IsShortcutRefused(0x20, 1));
}

TEST_F(ShortcutTableTest, Rule3TheActivationShortcutIsRefused)
{
    SetActiveShortcut(0x20, 6);
    EXPECT_TRUE(IsShortcutRefused(0x20, 6));
    EXPECT_FALSE(IsShortcutRefused(0x20, 7));
    SetActiveShortcut('Q', 2);
    EXPECT_TRUE(IsShortcutRefused('Q', 2));
    EXPECT_FALSE(IsShortcutRefused(0x20, 6));
}

TEST_F(ShortcutTableTest, Rule3WithoutActivationShortcutRefusesKeyZero)
{
    EXPECT_TRUE(IsShortcutRefused(0, 0));
    EXPECT_FALSE(IsShortcutRefused(0, 2));
}

TEST_F(ShortcutTableTest, Rule4PlainAndCtrlDigitsAreRefused)
{
    SetActiveShortcut(0x20, 6);
    EXPECT_TRUE(IsShortcutRefused(0x35, 0));
    EXPECT_TRUE(IsShortcutRefused(0x35, 2));
    EXPECT_TRUE(IsShortcutRefused(0x30, 0));
    EXPECT_TRUE(IsShortcutRefused(0x39, 2));
    EXPECT_FALSE(IsShortcutRefused(0x35, 1));
    EXPECT_FALSE(IsShortcutRefused(0x35, 6));
    EXPECT_FALSE(IsShortcutRefused(0x35, 3));
    EXPECT_FALSE(IsShortcutRefused(0x65, 0));  // number pad 5 is no digit key
}

TEST_F(ShortcutTableTest, Rule5ASystemHotkeyIsRefusedForEveryButtonItsOwnIncluded)
{
    SetActiveShortcut(0x20, 6);
    EXPECT_FALSE(IsShortcutRefused('A', 2));
    Set(4, 4, 'A', 2, 1);
    EXPECT_TRUE(IsShortcutRefused('A', 2));
    EXPECT_FALSE(IsShortcutRefused('A', 3));
    EXPECT_FALSE(IsShortcutRefused('B', 2));
    Set(4, 4, 'A', 2, 0);  // a plain shortcut is no reason to refuse
    EXPECT_FALSE(IsShortcutRefused('A', 2));
    Set(9, 9, 'A', 2, 1);  // the last entry counts too
    EXPECT_TRUE(IsShortcutRefused('A', 2));
}

TEST_F(ShortcutTableTest, DuplicateIgnoresTheButtonBeingEditedAndSystemHotkeys)
{
    Set(1, 2, 'A', 2, 0);
    EXPECT_FALSE(IsDuplicateShortcut('A', 2, 1, 2));
    EXPECT_TRUE(IsDuplicateShortcut('A', 2, 1, 3));
    EXPECT_TRUE(IsDuplicateShortcut('A', 2, 2, 1));  // (2,1) is not (1,2)
    EXPECT_FALSE(IsDuplicateShortcut('A', 3, 1, 3));
    EXPECT_FALSE(IsDuplicateShortcut('B', 2, 1, 3));
    Set(1, 2, 'A', 2, 1);
    EXPECT_FALSE(IsDuplicateShortcut('A', 2, 1, 3));
    Set(9, 9, 'F', 4, 0);
    EXPECT_TRUE(IsDuplicateShortcut('F', 4, 0, 0));
}

TEST_F(ShortcutTableTest, BackupAndRestoreCoverAllEntries)
{
    Set(0, 0, 'A', 2, 1);
    Set(9, 9, 'B', 4, 0);
    ShortcutEntry backup[kShortcutEntryCount];
    ASSERT_TRUE(CopyShortcutEntries(backup, kShortcutEntryCount));
    Set(0, 0, 0, 0, 0);
    Set(9, 9, 'C', 1, 1);
    ASSERT_TRUE(RestoreShortcutEntries(backup, kShortcutEntryCount));
    EXPECT_EQ('A', GetShortcutEntry(0, 0)->key);
    EXPECT_EQ(1, GetShortcutEntry(0, 0)->usesystemshortcut);
    EXPECT_EQ('B', GetShortcutEntry(9, 9)->key);
    EXPECT_EQ(0, GetShortcutEntry(9, 9)->usesystemshortcut);
    EXPECT_FALSE(CopyShortcutEntries(backup, 10));
}

TEST(DigitHelpers, DigitToIndex)
{
    EXPECT_EQ(9, DigitToIndex('0'));
    EXPECT_EQ(0, DigitToIndex('1'));
    EXPECT_EQ(8, DigitToIndex('9'));
    EXPECT_EQ(-1, DigitToIndex('A'));
    EXPECT_EQ(-1, DigitToIndex(0x60));
    EXPECT_EQ(-1, DigitToIndex(0x2F));
    EXPECT_EQ(-1, DigitToIndex(0x3A));
}

TEST(DigitHelpers, PlainAndCtrlDigits)
{
    EXPECT_TRUE(IsPlainDigit('0', 0));
    EXPECT_TRUE(IsPlainDigit('9', 0));
    EXPECT_FALSE(IsPlainDigit('5', 1));
    EXPECT_FALSE(IsPlainDigit('A', 0));
    EXPECT_FALSE(IsPlainDigit(0x3A, 0));
    EXPECT_TRUE(IsCtrlDigit('5', 2));
    EXPECT_FALSE(IsCtrlDigit('5', 3));
    EXPECT_FALSE(IsCtrlDigit('5', 6));
    EXPECT_FALSE(IsCtrlDigit('5', 0));
    EXPECT_FALSE(IsCtrlDigit(0x2F, 2));
}

}  // namespace
