// The program's text buffer: exact block sizes, bounds, and whole-character
// searching in Shift-JIS text.
#include "support/text_buffer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Every byte of the block after the terminator.
std::string BytesAfterText(const TextBuffer& buffer)
{
    const char* text = buffer.GetText();
    return std::string(text + buffer.GetLength() + 1, text + buffer.GetCapacity());
}

TEST(TextBuffer, NewBufferHasNoBlock)
{
    TextBuffer buffer;
    EXPECT_EQ(nullptr, buffer.GetText());
    EXPECT_EQ(0u, buffer.GetCapacity());
    EXPECT_EQ(0, buffer.GetLength());
    EXPECT_EQ(-1, buffer.Find('a'));
    EXPECT_FALSE(buffer.ReplaceChar('/', '\\'));
    EXPECT_FALSE(buffer.IsValidIndex(0));
    EXPECT_FALSE(buffer.SetAt(0, 0));
}

TEST(TextBuffer, AssignOfAnEmptyTextAllocatesOneByte)
{
    TextBuffer buffer;
    EXPECT_TRUE(buffer.Assign(""));
    ASSERT_NE(nullptr, buffer.GetText());
    EXPECT_STREQ("", buffer.GetText());
    EXPECT_EQ(1u, buffer.GetCapacity());
    EXPECT_EQ(0, buffer.GetLength());
}

TEST(TextBuffer, AssignSizesTheBlockExactly)
{
    TextBuffer buffer;
    EXPECT_TRUE(buffer.Assign("menu"));
    EXPECT_EQ(5u, buffer.GetCapacity());
    EXPECT_EQ(4, buffer.GetLength());
    EXPECT_STREQ("menu", buffer.GetText());
    EXPECT_TRUE(buffer.Assign("a longer caption"));
    EXPECT_EQ(17u, buffer.GetCapacity());
    EXPECT_STREQ("a longer caption", buffer.GetText());
}

TEST(TextBuffer, AssignOfAShorterTextReusesTheBlockAndZeroesTheRest)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("C:\\Program Files\\tool.exe"));
    const char* block = buffer.GetText();
    ASSERT_TRUE(buffer.Assign("ab"));
    EXPECT_EQ(block, buffer.GetText());
    EXPECT_EQ(26u, buffer.GetCapacity());
    EXPECT_EQ(2, buffer.GetLength());
    EXPECT_STREQ("ab", buffer.GetText());
    EXPECT_EQ(std::string(23, '\0'), BytesAfterText(buffer));
}

TEST(TextBuffer, AssignOfNullEmptiesTheTextAndKeepsTheBlock)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("text"));
    EXPECT_FALSE(buffer.Assign(nullptr));
    ASSERT_NE(nullptr, buffer.GetText());
    EXPECT_STREQ("", buffer.GetText());
    EXPECT_EQ(5u, buffer.GetCapacity());
    EXPECT_EQ(0, buffer.GetLength());
}

TEST(TextBuffer, AssignFromInsideItsOwnBlockKeepsTheText)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("folder\\name.txt"));
    EXPECT_TRUE(buffer.Assign(buffer.GetText() + 7));
    EXPECT_STREQ("name.txt", buffer.GetText());
    EXPECT_EQ(8, buffer.GetLength());
}

TEST(TextBuffer, AppendToAnEmptyBufferAllocatesExactly)
{
    TextBuffer buffer;
    buffer.Append("abc");
    EXPECT_STREQ("abc", buffer.GetText());
    EXPECT_EQ(4u, buffer.GetCapacity());
    EXPECT_EQ(3, buffer.GetLength());
}

TEST(TextBuffer, AppendGrowsToLengthPlusOne)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("C:\\dir"));
    buffer.Append("\\").Append("file.txt");
    EXPECT_STREQ("C:\\dir\\file.txt", buffer.GetText());
    EXPECT_EQ(15, buffer.GetLength());
    EXPECT_EQ(16u, buffer.GetCapacity());
}

TEST(TextBuffer, AppendIntoRoomLeftDoesNotReallocate)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("0123456789"));
    ASSERT_TRUE(buffer.Assign("ab"));
    const char* block = buffer.GetText();
    buffer.Append("cdef");
    EXPECT_EQ(block, buffer.GetText());
    EXPECT_EQ(11u, buffer.GetCapacity());
    EXPECT_EQ(6, buffer.GetLength());
    EXPECT_STREQ("abcdef", buffer.GetText());
    buffer.Append("ghij");  // exactly fills the block
    EXPECT_EQ(block, buffer.GetText());
    EXPECT_STREQ("abcdefghij", buffer.GetText());
    buffer.Append("k");
    EXPECT_EQ(12u, buffer.GetCapacity());
    EXPECT_STREQ("abcdefghijk", buffer.GetText());
}

TEST(TextBuffer, AppendOfNullChangesNothing)
{
    TextBuffer empty;
    empty.Append(nullptr);
    EXPECT_EQ(nullptr, empty.GetText());
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("x"));
    buffer.Append(nullptr);
    EXPECT_STREQ("x", buffer.GetText());
    EXPECT_EQ(2u, buffer.GetCapacity());
}

TEST(TextBuffer, AppendOfItsOwnTextDoublesIt)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("ab"));
    buffer.Append(buffer.GetText());
    EXPECT_STREQ("abab", buffer.GetText());
    EXPECT_EQ(5u, buffer.GetCapacity());
}

TEST(TextBuffer, ClearZeroesTheBlockAndKeepsIt)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("abc"));
    const char* block = buffer.GetText();
    buffer.Clear();
    EXPECT_EQ(block, buffer.GetText());
    EXPECT_EQ(4u, buffer.GetCapacity());
    EXPECT_EQ(0, buffer.GetLength());
    EXPECT_EQ(std::string(4, '\0'), std::string(block, block + 4));
}

TEST(TextBuffer, ReleaseDropsTheBlock)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("abc"));
    buffer.Release();
    EXPECT_EQ(nullptr, buffer.GetText());
    EXPECT_EQ(0u, buffer.GetCapacity());
    EXPECT_EQ(0, buffer.GetLength());
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

TEST(TextBuffer, SetAtBounds)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("abc"));
    EXPECT_FALSE(buffer.SetAt(-1, 'x'));
    EXPECT_FALSE(buffer.SetAt(4, 0));
    EXPECT_STREQ("abc", buffer.GetText());
    EXPECT_TRUE(buffer.SetAt(3, 0));  // the terminator's index
    EXPECT_STREQ("abc", buffer.GetText());
    EXPECT_EQ(3, buffer.GetLength());
    EXPECT_TRUE(buffer.SetAt(1, 'X'));
    EXPECT_STREQ("aXc", buffer.GetText());
    EXPECT_EQ(3, buffer.GetLength());
    EXPECT_TRUE(buffer.IsValidIndex(0));
    EXPECT_TRUE(buffer.IsValidIndex(3));
    EXPECT_FALSE(buffer.IsValidIndex(4));
    EXPECT_FALSE(buffer.IsValidIndex(-1));
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

TEST(TextBuffer, ReplaceCharTurnsArchivePathsIntoWindowsPaths)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("docs/sub/readme.txt"));
    EXPECT_TRUE(buffer.ReplaceChar('/', '\\'));
    EXPECT_STREQ("docs\\sub\\readme.txt", buffer.GetText());
    EXPECT_FALSE(buffer.ReplaceChar(0, 'x'));
    EXPECT_STREQ("docs\\sub\\readme.txt", buffer.GetText());
}

TEST(TextBuffer, ReplaceCharLeavesTrailBytesAlone)
{
    ASSERT_EQ(932u, GetACP());
    // "ソ" is 0x83 0x5C and "表" is 0x95 0x5C: their trail bytes equal a backslash.
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("ソ\\表\\x"));
    EXPECT_TRUE(buffer.ReplaceChar('\\', '/'));
    EXPECT_STREQ("ソ/表/x", buffer.GetText());
}

TEST(TextBuffer, ReplaceCharByZeroCutsTheText)
{
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Assign("a,b,c"));
    EXPECT_TRUE(buffer.ReplaceChar(',', 0));
    EXPECT_STREQ("a", buffer.GetText());
    EXPECT_EQ(1, buffer.GetLength());
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
