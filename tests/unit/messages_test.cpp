// Message-box titles, string loading and the program-path derived names.
#include "app/help.h"
#include "support/messages.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

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

}  // namespace
