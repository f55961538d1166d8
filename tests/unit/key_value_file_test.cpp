// The name/value text file: lookups in the raw text, writing, the path beside
// the executable.
#include "common/test_support.h"
#include "data/atomic_file.h"
#include "data/key_value_file.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class KeyValueFileTest : public ::testing::Test {
protected:
    std::string Path() const { return folder_.File("values.dat"); }

    // Opens a file holding exactly bytes for reading.
    bool OpenWith(KeyValueFile& file, const std::string& bytes)
    {
        return WriteFileBytes(Path(), bytes) && file.Open(Path().c_str(), false);
    }

    TempFolder folder_;
};

TEST_F(KeyValueFileTest, ReadsNumbers)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "position00.desktop.width,1024\r\nposition00.desktop.height,-768\r\n"));
    long value = 99;
    EXPECT_TRUE(file.ReadNumber("position00.desktop.width", &value));
    EXPECT_EQ(1024, value);
    EXPECT_TRUE(file.ReadNumber("position00.desktop.height", &value));
    EXPECT_EQ(-768, value);
}

TEST_F(KeyValueFileTest, NameInsideAnotherLinesValueIsNotTaken)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "other,key,5\r\nkey,7\r\n"));
    long value = 0;
    EXPECT_TRUE(file.ReadNumber("key", &value));
    EXPECT_EQ(7, value);
}

TEST_F(KeyValueFileTest, NameAsTailOfALongerNameIsNotTaken)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "long.key,1\r\nkey,2\r\n"));
    long value = 0;
    EXPECT_TRUE(file.ReadNumber("key", &value));
    EXPECT_EQ(2, value);
    EXPECT_FALSE(file.ReadNumber("ong.key", &value));
    EXPECT_EQ(0, value);
}

TEST_F(KeyValueFileTest, NameThatIsThePrefixOfAnotherFindsOnlyItsOwnLine)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "ShortCut.Active.keyboard,9\r\nShortCut.Active.key,32\r\n"));
    long value = 0;
    EXPECT_TRUE(file.ReadNumber("ShortCut.Active.key", &value));
    EXPECT_EQ(32, value);
    EXPECT_FALSE(file.ReadNumber("ShortCut.Active.ke", &value));
}

TEST_F(KeyValueFileTest, BlanksAfterTheSeparatorAreSkipped)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "position00.desktop.width, 1024\r\nheight,\t \t768\r\n"));
    long value = 0;
    EXPECT_TRUE(file.ReadNumber("position00.desktop.width", &value));
    EXPECT_EQ(1024, value);
    EXPECT_TRUE(file.ReadNumber("height", &value));
    EXPECT_EQ(768, value);
}

TEST_F(KeyValueFileTest, LastLineWithoutLineEndIsNotFound)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "first,1\r\nlast,2"));
    long value = 5;
    EXPECT_TRUE(file.ReadNumber("first", &value));
    EXPECT_FALSE(file.ReadNumber("last", &value));
    EXPECT_EQ(0, value);
}

TEST_F(KeyValueFileTest, LineEndMustBeCrLf)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "a,1\nb,2\r\n"));
    long value = 0;
    // "b" does not stand after CR LF, and "a"'s value runs to the first CR LF.
    EXPECT_FALSE(file.ReadNumber("b", &value));
    EXPECT_TRUE(file.ReadNumber("a", &value));
    EXPECT_EQ(1, value);
}

TEST_F(KeyValueFileTest, DigitsFollowedByLettersAndEmptyValues)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "mixed,42abc\r\nempty,\r\nwords,abc\r\nsigned,+17\r\nhuge,99999999999\r\n"));
    long value = 5;
    EXPECT_TRUE(file.ReadNumber("mixed", &value));
    EXPECT_EQ(42, value);
    value = 5;
    EXPECT_TRUE(file.ReadNumber("empty", &value));
    EXPECT_EQ(0, value);
    value = 5;
    EXPECT_TRUE(file.ReadNumber("words", &value));
    EXPECT_EQ(0, value);
    EXPECT_TRUE(file.ReadNumber("signed", &value));
    EXPECT_EQ(17, value);
    EXPECT_TRUE(file.ReadNumber("huge", &value));
    EXPECT_EQ(2147483647, value);
}

TEST_F(KeyValueFileTest, FirstMatchingLineWinsAndNamesAreCaseSensitive)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "Key,1\r\nkey,2\r\nkey,3\r\n"));
    long value = 0;
    EXPECT_TRUE(file.ReadNumber("key", &value));
    EXPECT_EQ(2, value);
    EXPECT_FALSE(file.ReadNumber("KEY", &value));
}

TEST_F(KeyValueFileTest, LookupsLeaveTheTextUnchanged)
{
    KeyValueFile file;
    ASSERT_TRUE(OpenWith(file, "a,12\r\nb,34\r\n"));
    long value = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(file.ReadNumber("a", &value));
        EXPECT_EQ(12, value);
        EXPECT_TRUE(file.ReadNumber("b", &value));
        EXPECT_EQ(34, value);
    }
}

TEST_F(KeyValueFileTest, MissingFileAndClosedFileAnswerFalse)
{
    KeyValueFile file;
    EXPECT_FALSE(file.Open(Path().c_str(), false));
    EXPECT_FALSE(file.Open(nullptr, false));
    EXPECT_FALSE(file.Open("", true));
    long value = 3;
    EXPECT_FALSE(file.ReadNumber("a", &value));
    EXPECT_EQ(0, value);
    EXPECT_FALSE(file.WriteNumber("a", 1));
    ASSERT_TRUE(OpenWith(file, "a,1\r\n"));
    file.Close();
    EXPECT_FALSE(file.ReadNumber("a", &value));
}

TEST_F(KeyValueFileTest, AbsurdlyLargeFileIsRefused)
{
    std::string big(kKeyValueFileMaxSize, 'x');
    big.insert(0, "a,1\r\n");
    KeyValueFile file;
    EXPECT_FALSE(OpenWith(file, big));
    long value = 3;
    EXPECT_FALSE(file.ReadNumber("a", &value));
    EXPECT_TRUE(OpenWith(file, big.substr(0, kKeyValueFileMaxSize)));
}

TEST_F(KeyValueFileTest, WritesLinesInOrder)
{
    {
        KeyValueFile file;
        ASSERT_TRUE(file.Open(Path().c_str(), true));
        EXPECT_TRUE(file.WriteNumber("position00.desktop.width", 1024));
        EXPECT_TRUE(file.WriteNumber("neg", -5));
        EXPECT_FALSE(file.ReadNumber("neg", nullptr));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ("position00.desktop.width,1024\r\nneg,-5\r\n", ReadFileBytes(Path()));
    EXPECT_FALSE(FileExists(Path() + ".tmp"));
}

TEST_F(KeyValueFileTest, WritingEmptiesTheFileEvenWithNothingWritten)
{
    ASSERT_TRUE(WriteFileBytes(Path(), "old,1\r\n"));
    {
        KeyValueFile file;
        ASSERT_TRUE(file.Open(Path().c_str(), true));
    }  // the destructor closes
    EXPECT_TRUE(FileExists(Path()));
    EXPECT_EQ("", ReadFileBytes(Path()));
}

TEST_F(KeyValueFileTest, OldFileStaysWholeUntilTheNewOneIsComplete)
{
    ASSERT_TRUE(WriteFileBytes(Path(), "old,1\r\n"));
    KeyValueFile file;
    ASSERT_TRUE(file.Open(Path().c_str(), true));
    ASSERT_TRUE(file.WriteNumber("new", 2));
    EXPECT_EQ("old,1\r\n", ReadFileBytes(Path()));  // a crash now keeps the old file
    ASSERT_TRUE(file.Close());
    EXPECT_EQ("new,2\r\n", ReadFileBytes(Path()));
}

TEST_F(KeyValueFileTest, FailedReplacementReportsFalseAndKeepsTheOldFile)
{
    ASSERT_TRUE(WriteFileBytes(Path(), "old,1\r\n"));
    KeyValueFile file;
    ASSERT_TRUE(file.Open(Path().c_str(), true));
    file.WriteNumber("new", 2);
    ActiveFileCalls().moveFileEx = [](LPCSTR, LPCSTR, DWORD) -> BOOL { return FALSE; };
    const bool closed = file.Close();
    RestoreFileCalls();
    EXPECT_FALSE(closed);
    EXPECT_EQ("old,1\r\n", ReadFileBytes(Path()));
}

TEST_F(KeyValueFileTest, WritingIntoAMissingFolderFailsOnClose)
{
    const std::string path = folder_.File("no such folder\\values.dat");
    KeyValueFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    file.WriteNumber("a", 1);
    EXPECT_FALSE(file.Close());
}

}  // namespace
