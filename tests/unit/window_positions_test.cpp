// The window places per screen size and their file "position.dat".
#include "common/test_support.h"
#include "data/window_positions.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class PositionTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearPositions(&table_);
        program_ = folder_.File("porun.exe");
        file_ = folder_.File("position.dat");
        OverrideProgramPath(program_.c_str());
    }
    void TearDown() override { OverrideProgramPath(nullptr); }

    TempFolder folder_;
    std::string program_;
    std::string file_;
    WindowPositionTable table_;
};

TEST_F(PositionTableTest, FindGivesTheFirstSlotWithTheSize)
{
    PositionQuery query{1024, 768, -5, -5};
    EXPECT_FALSE(FindPosition(&table_, &query));
    EXPECT_EQ(-5, query.x);
    ASSERT_TRUE(RecordPosition(&table_, 800, 600, 1, 2));
    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 300, 40));
    ASSERT_TRUE(FindPosition(&table_, &query));
    EXPECT_EQ(300, query.x);
    EXPECT_EQ(40, query.y);
    EXPECT_EQ(1024, table_.slots[1].desktopWidth);
}

TEST_F(PositionTableTest, RecordingAKnownSizeReplacesItsPlace)
{
    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 300, 40));
    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 10, 20));
    EXPECT_EQ(10, table_.slots[0].x);
    EXPECT_EQ(20, table_.slots[0].y);
    EXPECT_EQ(0, table_.slots[1].used);
}

TEST_F(PositionTableTest, TwentySizesFitAndATwentyFirstIsRefused)
{
    for (int i = 0; i < kPositionSlots; ++i)
        ASSERT_TRUE(RecordPosition(&table_, 640 + i * 10, 480, i, -i)) << i;
    EXPECT_FALSE(RecordPosition(&table_, 2560, 1440, 7, 7));
    PositionQuery query{2560, 1440, 0, 0};
    EXPECT_FALSE(FindPosition(&table_, &query));
    // A size already in the full table can still be moved.
    EXPECT_TRUE(RecordPosition(&table_, 640 + 19 * 10, 480, 55, 66));
    EXPECT_EQ(55, table_.slots[19].x);
}

TEST_F(PositionTableTest, AFileWithSlotFiveOnlyFillsSlotFiveAndTheNextSizeTakesSlotZero)
{
    ASSERT_TRUE(WriteFileBytes(file_,
        "position05.desktop.width,1280\r\n"
        "position05.desktop.height,1024\r\n"
        "position05.positon.x,600\r\n"
        "position05.positon.y, 12\r\n"));
    ASSERT_TRUE(LoadPositions(&table_));
    for (int n = 0; n < kPositionSlots; ++n)
        EXPECT_EQ(n == 5 ? 1 : 0, table_.slots[n].used) << n;
    EXPECT_EQ(1280, table_.slots[5].desktopWidth);
    EXPECT_EQ(1024, table_.slots[5].desktopHeight);
    EXPECT_EQ(600, table_.slots[5].x);
    EXPECT_EQ(12, table_.slots[5].y);

    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 30, 30));
    EXPECT_EQ(1, table_.slots[0].used);
    EXPECT_EQ(1024, table_.slots[0].desktopWidth);
    // The size of slot 5 stays in slot 5.
    ASSERT_TRUE(RecordPosition(&table_, 1280, 1024, 700, 13));
    EXPECT_EQ(700, table_.slots[5].x);
    EXPECT_EQ(0, table_.slots[1].used);
}

TEST_F(PositionTableTest, MissingLinesOfASlotReadAsZero)
{
    ASSERT_TRUE(WriteFileBytes(file_,
        "position02.desktop.width,800\r\n"
        "position03.desktop.height,600\r\n"
        "position03.positon.x,5\r\n"));
    ASSERT_TRUE(LoadPositions(&table_));
    EXPECT_EQ(1, table_.slots[2].used);
    EXPECT_EQ(800, table_.slots[2].desktopWidth);
    EXPECT_EQ(0, table_.slots[2].desktopHeight);
    EXPECT_EQ(0, table_.slots[3].used);  // no width line: the slot stays unused
}

TEST_F(PositionTableTest, AMissingFileLeavesTheTableAsItWas)
{
    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 4, 5));
    EXPECT_FALSE(LoadPositions(&table_));
    EXPECT_EQ(1, table_.slots[0].used);
    EXPECT_EQ(4, table_.slots[0].x);
}

TEST_F(PositionTableTest, SavedFileHoldsTheUsedSlotsInSlotOrder)
{
    table_.slots[7] = PositionEntry{1280, 1024, -1, 200, 1};
    table_.slots[2] = PositionEntry{800, 600, 750, -1, 1};
    table_.slots[4] = PositionEntry{640, 480, 9, 9, 0};  // unused: not written
    ASSERT_TRUE(SavePositions(&table_));
    EXPECT_EQ(std::string("position02.desktop.width,800\r\n"
                          "position02.desktop.height,600\r\n"
                          "position02.positon.x,750\r\n"
                          "position02.positon.y,-1\r\n"
                          "position07.desktop.width,1280\r\n"
                          "position07.desktop.height,1024\r\n"
                          "position07.positon.x,-1\r\n"
                          "position07.positon.y,200\r\n"),
              ReadFileBytes(file_));
    EXPECT_FALSE(FileExists(file_ + ".tmp"));

    WindowPositionTable again;
    ClearPositions(&again);
    ASSERT_TRUE(LoadPositions(&again));
    EXPECT_EQ(0, std::memcmp(&again.slots[2], &table_.slots[2], sizeof(PositionEntry)));
    EXPECT_EQ(0, std::memcmp(&again.slots[7], &table_.slots[7], sizeof(PositionEntry)));
    EXPECT_EQ(0, again.slots[4].used);
}

TEST_F(PositionTableTest, AnEmptyTableLeavesAnEmptyFile)
{
    ASSERT_TRUE(WriteFileBytes(file_, "old contents\r\n"));
    ASSERT_TRUE(SavePositions(&table_));
    EXPECT_TRUE(FileExists(file_));
    EXPECT_EQ(0, FileSize(file_));
}

TEST_F(PositionTableTest, AFailedSaveKeepsTheOldFile)
{
    // A folder named like the file cannot be replaced.
    ASSERT_TRUE(CreateDirectoryA(file_.c_str(), nullptr));
    ASSERT_TRUE(RecordPosition(&table_, 1024, 768, 1, 1));
    EXPECT_FALSE(SavePositions(&table_));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesA(file_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(PositionTableTest, HostileValuesLoadAsNumbersAndNothingElse)
{
    ASSERT_TRUE(WriteFileBytes(file_,
        "position00.desktop.width,abc\r\n"
        "xposition01.desktop.width,5\r\n"
        "position19.desktop.width,99999999999\r\n"
        "position20.desktop.width,640\r\n"));
    ASSERT_TRUE(LoadPositions(&table_));
    EXPECT_EQ(1, table_.slots[0].used);
    EXPECT_EQ(0, table_.slots[0].desktopWidth);
    EXPECT_EQ(0, table_.slots[1].used);  // not at a line start
    EXPECT_EQ(1, table_.slots[19].used);
    PositionQuery query{640, 480, 0, 0};
    EXPECT_FALSE(FindPosition(&table_, &query));  // slot 20 does not exist
}

}  // namespace
