// Key names and the text form of shortcuts.
#include "shortcuts/key_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Format(int key, int flags)
{
    char text[kShortcutTextSize];
    memset(text, 'x', sizeof text);
    FormatShortcutText(key, flags, text, sizeof text);
    return text;
}

TEST(KeyNameTable, RuleRowsNameDigitsLettersNumberPadAndFunctionKeys)
{
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(std::string(1, static_cast<char>('0' + i)), GetKeyName(0x30 + i));
        EXPECT_EQ("NUM(" + std::to_string(i) + ")", GetKeyName(0x60 + i));
    }
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(std::string(1, static_cast<char>('A' + i)), GetKeyName(0x41 + i));
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ("F" + std::to_string(i + 1), GetKeyName(0x70 + i));
}

struct NamedRow {
    int code;
    const char* name;
};

class KeyNameRowTest : public ::testing::TestWithParam<NamedRow> {};

TEST_P(KeyNameRowTest, HasItsName)
{
    EXPECT_STREQ(GetParam().name, GetKeyName(GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(
    Named, KeyNameRowTest,
    ::testing::Values(NamedRow{0x03, "BREAK"}, NamedRow{0x08, "BACKSPACE"}, NamedRow{0x09, "TAB"},
                      NamedRow{0x0C, "CLEAR"}, NamedRow{0x0D, "ENTER"}, NamedRow{0x10, "SHIFT"},
                      NamedRow{0x11, "CTRL"}, NamedRow{0x12, "ALT"}, NamedRow{0x13, "PAUSE"},
                      NamedRow{0x14, "CAPS"}, NamedRow{0x15, "KANA"}, NamedRow{0x1B, "ESC"},
                      NamedRow{0x20, "SPACE"}, NamedRow{0x21, "PAGEUP"}, NamedRow{0x22, "PAGEDOWN"},
                      NamedRow{0x23, "END"}, NamedRow{0x24, "HOME"}, NamedRow{0x25, "LEFT"},
                      NamedRow{0x26, "UP"}, NamedRow{0x27, "RIGHT"}, NamedRow{0x28, "DOWN"},
                      NamedRow{0x29, "SELECT"}, NamedRow{0x2D, "INS"}, NamedRow{0x2E, "DEL"},
                      NamedRow{0x2F, "HELP"}, NamedRow{0x6A, "NUM(*)"}, NamedRow{0x6B, "NUM(+)"},
                      NamedRow{0x6C, "NUM( , )"}, NamedRow{0x6D, "NUM(-)"}, NamedRow{0x6E, "NUM( . )"},
                      NamedRow{0x6F, "NUM(/)"}, NamedRow{0x90, "NUMLOCK"}, NamedRow{0x91, "SCROLL"},
                      NamedRow{0xBA, ":"}, NamedRow{0xBB, ";"}, NamedRow{0xBC, ","}, NamedRow{0xBD, "-"},
                      NamedRow{0xBE, "."}, NamedRow{0xBF, "/"}, NamedRow{0xC0, "@"}, NamedRow{0xDB, "["},
                      NamedRow{0xDC, "\\"}, NamedRow{0xDD, "]"}, NamedRow{0xDE, "^"},
                      NamedRow{0xE2, "\\(backslash)"}, NamedRow{0xFF, "PAUSE"}));

TEST(KeyNameTable, PrintScreenAndWindowsKeyHaveNoName)
{
    EXPECT_STREQ("", GetKeyName(0x2C));
    EXPECT_STREQ("", GetKeyName(0x5B));
    EXPECT_STREQ("", GetKeyName(0x2A));
}

TEST(GetKeyName, CodesOutsideTheTableHaveTheEmptyName)
{
    EXPECT_STREQ("", GetKeyName(256));
    EXPECT_STREQ("", GetKeyName(300));
    EXPECT_STREQ("", GetKeyName(-1));
    EXPECT_STREQ("", GetKeyName(-2147483647 - 1));
    EXPECT_STREQ("", GetKeyName(2147483647));
}

struct FormatCase {
    int key;
    int flags;
    const char* text;
};

class FormatShortcutTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatShortcutTextTest, PrefixesInOrderCtrlShiftAlt)
{
    EXPECT_EQ(GetParam().text, Format(GetParam().key, GetParam().flags));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatShortcutTextTest,
    ::testing::Values(FormatCase{0x41, 7, "CTRL+SHIFT+ALT+A"}, FormatCase{0x70, 0, "F1"},
                      FormatCase{0x20, 6, "CTRL+ALT+SPACE"}, FormatCase{0x41, 1, "SHIFT+A"},
                      FormatCase{0x41, 2, "CTRL+A"}, FormatCase{0x41, 4, "ALT+A"},
                      FormatCase{0x41, 3, "CTRL+SHIFT+A"}, FormatCase{0x41, 5, "SHIFT+ALT+A"},
                      FormatCase{0x74, 2, "CTRL+F5"}, FormatCase{0x2C, 2, "CTRL+"},
                      FormatCase{300, 1, "SHIFT+"}, FormatCase{0x41, 8, "A"},
                      FormatCase{0, 0, "- 未設定 -"}, FormatCase{0, 7, "- 未設定 -"}));

TEST(FormatShortcutText, TruncatesToTheBuffer)
{
    char text[6];
    memset(text, 'x', sizeof text);
    FormatShortcutText(0x20, 6, text, sizeof text);
    EXPECT_STREQ("CTRL+", text);
}

// Holds a key down for real while the test runs; releases it on every path.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : key_(key) { keybd_event(key_, 0, 0, 0); }
    ~HeldKey() { keybd_event(key_, 0, KEYEVENTF_KEYUP, 0); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    BYTE key_;
};

TEST(GetModifierState, ReadsTheKeysHeldNow)
{
    EXPECT_EQ(0, GetModifierState());
    {
        HeldKey ctrl(VK_CONTROL);
        EXPECT_EQ(kModifierCtrl, GetModifierState());
        HeldKey shift(VK_SHIFT);
        EXPECT_EQ(kModifierCtrl | kModifierShift, GetModifierState());
    }
    EXPECT_EQ(0, GetModifierState());
    {
        HeldKey alt(VK_MENU);
        EXPECT_EQ(kModifierAlt, GetModifierState());
    }
    EXPECT_EQ(0, GetModifierState());
}

}  // namespace
