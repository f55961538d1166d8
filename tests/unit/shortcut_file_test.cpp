// "shortcut.dat": saving, loading and the refusal rules applied while loading.
#include "common/test_support.h"
#include "shortcuts/shortcut_file.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ShortcutFileTest : public ::testing::Test {
protected:
    void SetUp() override { OverrideProgramPath(folder_.File("porun.exe").c_str()); }
    void TearDown() override
    {
        DestroyShortcutTable();
        OverrideProgramPath(nullptr);
    }

    std::string FilePath() const { return folder_.File("shortcut.dat"); }

    static void Set(int group, int button, int id, int key, int flags, int system)
    {
        ShortcutEntry* entry = GetShortcutEntry(group, button);
        ASSERT_NE(nullptr, entry);
        *entry = ShortcutEntry{id, key, flags, system};
    }

    static std::string Lines(int group, int button, int id, int key, int flags, int system)
    {
        char prefix[32];
        snprintf(prefix, sizeof prefix, "ShortCut.%02d:%03d.", group, button);
        const std::string p = prefix;
        return p + "id," + std::to_string(id) + "\r\n" + p + "key," + std::to_string(key) + "\r\n" + p +
               "flag," + std::to_string(flags) + "\r\n" + p + "usesystemshortcut," + std::to_string(system) +
               "\r\n";
    }

    static ShortcutEntry Entry(int group, int button) { return *GetShortcutEntry(group, button); }

    static void ExpectActive(int key, int flags)
    {
        int k = -1, f = -1;
        GetActiveShortcut(&k, &f);
        EXPECT_EQ(key, k);
        EXPECT_EQ(flags, f);
    }

    TempFolder folder_;
};

TEST_F(ShortcutFileTest, SavesOnlyAssignedEntriesThenTheActivationShortcut)
{
    ASSERT_NE(nullptr, CreateShortcutTable());
    Set(3, 7, 37, 0x41, 2, 1);
    Set(5, 5, 55, 0, 2, 1);  // no key: nothing written
    SetActiveShortcut(0x20, 6);
    ASSERT_TRUE(SaveShortcutTable());
    EXPECT_EQ("ShortCut.03:007.id,37\r\n"
              "ShortCut.03:007.key,65\r\n"
              "ShortCut.03:007.flag,2\r\n"
              "ShortCut.03:007.usesystemshortcut,1\r\n"
              "ShortCut.Active.key,32\r\n"
              "ShortCut.Active.flag,6\r\n",
              ReadFileBytes(FilePath()));
}

TEST_F(ShortcutFileTest, SaveWritesAClearedActivationShortcutToo)
{
    ASSERT_NE(nullptr, CreateShortcutTable());
    ASSERT_TRUE(SaveShortcutTable());
    EXPECT_EQ("ShortCut.Active.key,0\r\nShortCut.Active.flag,0\r\n", ReadFileBytes(FilePath()));
}

TEST_F(ShortcutFileTest, SaveWithoutTableFailsAndLeavesTheFile)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), "keep\r\n"));
    DestroyShortcutTable();
    EXPECT_FALSE(SaveShortcutTable());
    EXPECT_EQ("keep\r\n", ReadFileBytes(FilePath()));
}

TEST_F(ShortcutFileTest, SaveAndLoadRoundTrip)
{
    ASSERT_NE(nullptr, CreateShortcutTable());
    Set(0, 0, 0, 'Q', 3, 1);
    Set(9, 9, 99, 0x74, 4, 0);
    Set(4, 2, 17, 'Z', 1, 0);  // the id is kept as stored
    SetActiveShortcut('K', 6);
    ASSERT_TRUE(SaveShortcutTable());
    DestroyShortcutTable();
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ('Q', Entry(0, 0).key);
    EXPECT_EQ(3, Entry(0, 0).flag);
    EXPECT_EQ(1, Entry(0, 0).usesystemshortcut);
    EXPECT_EQ(99, Entry(9, 9).id);
    EXPECT_EQ(0x74, Entry(9, 9).key);
    EXPECT_EQ(17, Entry(4, 2).id);
    EXPECT_EQ(0, Entry(5, 5).key);
    ExpectActive('K', 6);
}

TEST_F(ShortcutFileTest, MissingFileGivesAnEmptyTableAndNoActivationShortcut)
{
    EXPECT_FALSE(LoadShortcutTable());
    ASSERT_NE(nullptr, GetShortcutTable());
    EXPECT_EQ(0, Entry(0, 0).key);
    ExpectActive(0, 0);
}

TEST_F(ShortcutFileTest, LoadingReplacesAnExistingTable)
{
    ASSERT_NE(nullptr, CreateShortcutTable());
    Set(1, 1, 11, 'A', 2, 0);
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(2, 2, 22, 'B', 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ(0, Entry(1, 1).key);
    EXPECT_EQ('B', Entry(2, 2).key);
}

TEST_F(ShortcutFileTest, FileWithoutActivationKeyGivesCtrlAltSpace)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(0, 1, 1, 'A', 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    ExpectActive(0x20, 6);
    EXPECT_EQ('A', Entry(0, 1).key);
}

TEST_F(ShortcutFileTest, ActivationKeyZeroStaysCleared)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), "ShortCut.Active.key,0\r\nShortCut.Active.flag,6\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    int key = -1, flags = -1;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(0, key);
}

TEST_F(ShortcutFileTest, RefusedActivationKeyIsReplacedByTheDefault)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), "ShortCut.Active.key,13\r\nShortCut.Active.flag,2\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    ExpectActive(0x20, 6);
}

TEST_F(ShortcutFileTest, ActivationKeyTakenByASystemHotkeyIsReplacedByTheDefault)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(0, 3, 3, 'J', 6, 1) +
                                               "ShortCut.Active.key,74\r\nShortCut.Active.flag,6\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    ExpectActive(0x20, 6);
    EXPECT_EQ('J', Entry(0, 3).key);
}

TEST_F(ShortcutFileTest, ActivationKeyWithoutFlagLineReadsFlagZero)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), "ShortCut.Active.key,123\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    ExpectActive(123, 0);
}

TEST_F(ShortcutFileTest, SameKeyTwiceIsDroppedOnlyAfterASystemHotkey)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(0, 1, 1, 'A', 2, 1) + Lines(0, 2, 2, 'A', 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ('A', Entry(0, 1).key);
    EXPECT_EQ(1, Entry(0, 1).usesystemshortcut);
    EXPECT_EQ(0, Entry(0, 2).key);
    EXPECT_EQ(0, Entry(0, 2).id);

    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(0, 1, 1, 'A', 2, 0) + Lines(0, 2, 2, 'A', 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ('A', Entry(0, 1).key);
    EXPECT_EQ('A', Entry(0, 2).key);
}

TEST_F(ShortcutFileTest, PlainDigitIsDroppedShiftDigitKept)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(0, 0, 0, 0x35, 0, 0) + Lines(0, 1, 1, 0x35, 1, 0) +
                                               Lines(0, 2, 2, 0x35, 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ(0, Entry(0, 0).key);
    EXPECT_EQ(0x35, Entry(0, 1).key);
    EXPECT_EQ(0, Entry(0, 2).key);
}

TEST_F(ShortcutFileTest, EntryWithoutIdLineIsIgnored)
{
    std::string lines = Lines(6, 6, 66, 'A', 2, 0);
    lines.erase(0, lines.find("\r\n") + 2);  // drop the ".id" line
    ASSERT_TRUE(WriteFileBytes(FilePath(), lines + "ShortCut.99:000.key,65\r\nnonsense\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ(0, Entry(6, 6).key);
}

TEST_F(ShortcutFileTest, EntryWithIdButNoKeyIsDropped)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), "ShortCut.01:001.id,11\r\n"));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ(0, Entry(1, 1).id);  // key 0 with flags 0 equals the still empty activation shortcut
}

TEST_F(ShortcutFileTest, KeysBeyondTheTableAreKeptAsStored)
{
    ASSERT_TRUE(WriteFileBytes(FilePath(), Lines(1, 0, 10, 300, 2, 0) + Lines(1, 1, 11, -7, 2, 0)));
    ASSERT_TRUE(LoadShortcutTable());
    EXPECT_EQ(300, Entry(1, 0).key);
    EXPECT_EQ(-7, Entry(1, 1).key);
}

TEST_F(ShortcutFileTest, OversizedFileIsRefusedWithAnEmptyTable)
{
    std::string big = Lines(0, 1, 1, 'A', 2, 0);
    big.append(2 * 1024 * 1024, ' ');
    ASSERT_TRUE(WriteFileBytes(FilePath(), big));
    EXPECT_FALSE(LoadShortcutTable());
    ASSERT_NE(nullptr, GetShortcutTable());
    EXPECT_EQ(0, Entry(0, 1).key);
}

TEST_F(ShortcutFileTest, ProgramPathTooLongForTheFileNameFailsAndTouchesNothing)
{
    // The program path itself fits (259 characters), the file name beside it does not.
    const std::string deep = "C:\\" + std::string(254, 'd') + "\\p";
    OverrideProgramPath(deep.c_str());
    ASSERT_NE(nullptr, CreateShortcutTable());
    EXPECT_FALSE(SaveShortcutTable());
    EXPECT_FALSE(LoadShortcutTable());
    EXPECT_NE(nullptr, GetShortcutTable());
}

}  // namespace
