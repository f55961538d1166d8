// The program's text buffer: copies, cuts and whole-character searching in
// Shift-JIS text.
#include "support/text_buffer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(TextBuffer, AssignFromInsideItsOwnBlockKeepsTheText)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("folder\\name.txt"));
    EXPECT_TRUE(buffer.Assign(buffer.GetText() + 7));
    EXPECT_STREQ("name.txt", buffer.GetText());
    EXPECT_EQ(8, buffer.GetLength());
}

TEST(TextBuffer, CopiesOwnTheirBlocks)
{
    TextBuffer original;
    ASSERT_TRUE(original.Assign("caption"));
    TextBuffer copy(original);
    TextBuffer assigned;
    assigned = original;
    ASSERT_NE(original.GetText(), copy.GetText());
    ASSERT_NE(original.GetText(), assigned.GetText());
    ASSERT_TRUE(original.SetAt(0, 'C'));
    EXPECT_STREQ("caption", copy.GetText());
    EXPECT_STREQ("caption", assigned.GetText());
    assigned = assigned;  // self-assignment keeps the text
    EXPECT_STREQ("caption", assigned.GetText());
    assigned = "other";
    EXPECT_STREQ("other", assigned.GetText());
}

TEST(TextBuffer, SetAtNeverOverwritesTheLastTerminator)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("abc"));
    EXPECT_FALSE(buffer.SetAt(3, 'd'));
    EXPECT_STREQ("abc", buffer.GetText());
    EXPECT_EQ(3, buffer.GetLength());
}

TEST(TextBuffer, SetAtZeroCutsACaptionAtItsTab)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("設定ら！(&S)\tSHIFT+クリック"));
    const int tab = buffer.Find('\t');
    EXPECT_EQ(static_cast<int>(std::string("設定ら！(&S)").size()), tab);
    ASSERT_TRUE(buffer.SetAt(tab, 0));
    EXPECT_STREQ("設定ら！(&S)", buffer.GetText());
}

TEST(TextBuffer, FindStepsByWholeCharacters)
{
    ASSERT_EQ(932u, GetACP());
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("ソ\\x"));
    EXPECT_EQ(2, buffer.Find('\\'));
    EXPECT_EQ(3, buffer.Find('x'));
    EXPECT_EQ(-1, buffer.Find('y'));
    EXPECT_EQ(-1, buffer.Find(0));  // the terminator is not examined
    ASSERT_TRUE(buffer.Assign("ソ"));
    EXPECT_EQ(-1, buffer.Find('\\'));
}

}  // namespace
