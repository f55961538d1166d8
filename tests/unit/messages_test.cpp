// Message-box titles, string loading and the program-path derived names.
#include "app/help.h"
#include "app/messages.h"
#include "app/program_path.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TitleCase {
    UINT type;
    UINT titleId;
};

class MessageTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(MessageTitleTest, OnlyTheIconBitsChooseTheTitle)
{
    EXPECT_EQ(GetParam().titleId, MessageTitleId(GetParam().type));
}

INSTANTIATE_TEST_SUITE_P(
    Types, MessageTitleTest,
    ::testing::Values(TitleCase{MB_OK | MB_ICONERROR, 9},
                      TitleCase{MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 8},
                      TitleCase{MB_YESNOCANCEL | MB_ICONQUESTION, 8},
                      TitleCase{MB_OK | MB_ICONEXCLAMATION, 7},
                      TitleCase{MB_OK | MB_ICONINFORMATION, 6},
                      TitleCase{MB_OK, 1},
                      TitleCase{MB_YESNO | MB_DEFBUTTON2, 1},
                      TitleCase{0x50, 1}));

TEST(LoadText, ReadsTheStringTableInTheProgramsCodePage)
{
    char text[260];
    ASSERT_GT(LoadText(1, text, sizeof text), 0);
    EXPECT_STREQ("=(o.o)=  ぽてまるポルン", text);
    ASSERT_GT(LoadText(IDS_MSG_WINDOW_FAILED, text, sizeof text), 0);
    EXPECT_STREQ("Windowの作成に失敗したのら！", text);
    EXPECT_EQ(0, LoadText(1, nullptr, 10));
    EXPECT_EQ(0, LoadText(59999, text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST(LoadText, MessageTitlesExist)
{
    char text[260];
    for (UINT id : {1u, 6u, 7u, 8u, 9u}) {
        EXPECT_GT(LoadText(id, text, sizeof text), 0) << id;
        EXPECT_EQ('=', text[0]) << id;
    }
}

class ProgramPathTest : public ::testing::Test {
protected:
    void TearDown() override { OverrideProgramPath(nullptr); }
};

TEST_F(ProgramPathTest, ExtensionIsReplaced)
{
    char buffer[MAX_PATH];
    OverrideProgramPath("C:\\tools\\x.exe");
    ASSERT_TRUE(PathWithExtension(buffer, sizeof buffer, "chm"));
    EXPECT_STREQ("C:\\tools\\x.chm", buffer);
    ASSERT_TRUE(DataFilePath(buffer, sizeof buffer));
    EXPECT_STREQ("C:\\tools\\x.dat", buffer);
}

TEST_F(ProgramPathTest, OnlyTheFileNamesLastDotCounts)
{
    char buffer[MAX_PATH];
    OverrideProgramPath("C:\\my.tools\\launcher");
    ASSERT_TRUE(PathWithExtension(buffer, sizeof buffer, "chm"));
    EXPECT_STREQ("C:\\my.tools\\launcher.chm", buffer);
    OverrideProgramPath("C:\\a\\b.c.exe");
    ASSERT_TRUE(PathWithExtension(buffer, sizeof buffer, "dat"));
    EXPECT_STREQ("C:\\a\\b.c.dat", buffer);
}

TEST_F(ProgramPathTest, TrailByteIsNotASeparator)
{
    // "表" is 0x95 0x5C in Shift-JIS: its second byte looks like a backslash.
    char buffer[MAX_PATH];
    OverrideProgramPath("C:\\表.x\\ポルン表");
    ASSERT_TRUE(PathWithExtension(buffer, sizeof buffer, "chm"));
    EXPECT_STREQ("C:\\表.x\\ポルン表.chm", buffer);
}

TEST_F(ProgramPathTest, BufferTooSmallOrArgumentsMissing)
{
    char buffer[16];
    OverrideProgramPath("C:\\tools\\x.exe");
    EXPECT_FALSE(PathWithExtension(buffer, 14, "chm"));  // needs 15 bytes
    EXPECT_TRUE(PathWithExtension(buffer, 15, "chm"));
    EXPECT_FALSE(PathWithExtension(nullptr, 15, "chm"));
    EXPECT_FALSE(PathWithExtension(buffer, sizeof buffer, nullptr));
}

TEST_F(ProgramPathTest, DataFileNeedsADotFourthFromTheEnd)
{
    char buffer[MAX_PATH];
    OverrideProgramPath("C:\\tools\\launcher");
    EXPECT_FALSE(DataFilePath(buffer, sizeof buffer));
    OverrideProgramPath("C:\\tools\\x.ex");
    EXPECT_FALSE(DataFilePath(buffer, sizeof buffer));
    OverrideProgramPath("a.exe");
    ASSERT_TRUE(DataFilePath(buffer, sizeof buffer));
    EXPECT_STREQ("a.dat", buffer);
}

TEST_F(ProgramPathTest, HelpTopicIsTheIndexPageOfTheProgramsHelpFile)
{
    char topic[520];
    OverrideProgramPath("C:\\tools\\x.exe");
    ASSERT_TRUE(BuildHelpTopic(topic, sizeof topic));
    EXPECT_STREQ("C:\\tools\\x.chm::/html/index.html", topic);
    EXPECT_FALSE(BuildHelpTopic(topic, 20));
}

}  // namespace
