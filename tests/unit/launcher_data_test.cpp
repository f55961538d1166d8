// The data file: both layouts, damaged files, interrupted and failing saves.
#include "common/test_support.h"
#include "data/atomic_file.h"
#include "data/launcher_data.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Answers the load/save error boxes so that failing cases do not block.
class LauncherDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_ = folder_.File("porun.exe");
        dataFile_ = folder_.File("porun.dat");
        OverrideProgramPath(program_.c_str());
        ASSERT_TRUE(AllocateLauncherData());
    }
    void TearDown() override
    {
        FreeLauncherData();
        RestoreFileCalls();
        OverrideProgramPath(nullptr);
    }

    // A current-layout image with recognisable contents.
    static std::string MakeImage(int groupCount = 4, int lastGroup = 2, int startWithLast = 1)
    {
        std::string bytes(kDataFileSize, '\0');
        auto* data = reinterpret_cast<LauncherData*>(&bytes[0]);
        std::strcpy(data->groups[1].group.name, "tools");
        std::strcpy(data->groups[1].buttons[3].file, "C:\\bin\\edit.exe");
        std::strcpy(data->groups[1].buttons[3].title, "Editor");
        std::strcpy(data->groups[1].buttons[3].params, "-n");
        data->groups[1].buttons[3].iconIndex = 2;
        auto* settings = reinterpret_cast<AppSettings*>(&bytes[sizeof(LauncherData)]);
        *settings = AppSettings{1, 0, groupCount, 120, 80, lastGroup, startWithLast};
        return bytes;
    }

    TempFolder folder_;
    std::string program_;
    std::string dataFile_;
};

TEST_F(LauncherDataTest, CurrentLayoutLoadsAndSavesByteIdentical)
{
    const std::string image = MakeImage();
    ASSERT_TRUE(WriteFileBytes(dataFile_, image));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(2, CurrentGroupIndex());
    const ButtonRecord* button = ButtonAt(1, 3);
    ASSERT_NE(nullptr, button);
    EXPECT_STREQ("Editor", button->title);
    EXPECT_EQ(4, GetSettings().groupCount);

    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ(image, ReadFileBytes(dataFile_));
    EXPECT_FALSE(FileExists(dataFile_ + ".tmp"));
}

TEST_F(LauncherDataTest, OlderLayoutIsConvertedAndSavedInTheCurrentOne)
{
    std::string old;
    for (int g = 0; g < kGroupCount; ++g) {
        GroupRecord group = {};
        wsprintfA(group.name, "group %d", g);
        old.append(reinterpret_cast<const char*>(&group), sizeof group);
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            ButtonRecord button = {};
            button.iconIndex = b;
            wsprintfA(button.file, "C:\\g%d\\b%d.exe", g, b);
            wsprintfA(button.title, "t%d%d", g, b);
            old.append(reinterpret_cast<const char*>(&button), kOldButtonSize);
        }
    }
    const AppSettings settings{0, 1, 5, 10, 20, 3, 0};
    old.append(reinterpret_cast<const char*>(&settings), sizeof settings);
    ASSERT_EQ(kOldDataFileSize, old.size());
    ASSERT_TRUE(WriteFileBytes(dataFile_, old));

    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(0, CurrentGroupIndex());  // startWithLastGroup is 0
    for (int g = 0; g < kGroupCount; ++g) {
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            const ButtonRecord* button = ButtonAt(g, b);
            EXPECT_STREQ(button->file, button->iconFile);
            EXPECT_EQ(b, button->iconIndex);
        }
    }
    EXPECT_STREQ("t97", ButtonAt(9, 7)->title);
    EXPECT_STREQ("group 9", LauncherImage()->groups[9].group.name);
    EXPECT_EQ(5, GetSettings().groupCount);

    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(dataFile_));
}

struct DamagedCase {
    const char* name;
    long long size;
};

class DamagedFileTest : public LauncherDataTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFileTest, IsReportedKeptAsideAndNeverOverwritten)
{
    std::string bytes = MakeImage();
    bytes.resize(static_cast<size_t>(GetParam().size), 'x');
    ASSERT_TRUE(WriteFileBytes(dataFile_, bytes));
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        EXPECT_FALSE(LoadLauncherData(nullptr));
        answer.Join();
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ("データの読み込みに失敗したのら！！", answer.Text());
    }
    EXPECT_EQ(0, CurrentGroupIndex());
    EXPECT_STREQ("", ButtonAt(1, 3)->title);  // nothing was read

    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ(bytes, ReadFileBytes(dataFile_ + ".bad"));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(dataFile_));

    // Only the first save after the failed load keeps a copy.
    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_FALSE(FileExists(dataFile_ + ".bad2"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, DamagedFileTest,
                         ::testing::Values(DamagedCase{"empty", 0}, DamagedCase{"truncated", 141067},
                                           DamagedCase{"longer", 141069},
                                           DamagedCase{"between", 120000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LauncherDataTest, AnEarlierKeptCopyIsNotReplaced)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_ + ".bad", "first damaged file"));
    ASSERT_TRUE(WriteFileBytes(dataFile_, "second damaged file"));
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        EXPECT_FALSE(LoadLauncherData(nullptr));
    }
    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ("first damaged file", ReadFileBytes(dataFile_ + ".bad"));
    EXPECT_EQ("second damaged file", ReadFileBytes(dataFile_ + ".bad2"));
}

TEST_F(LauncherDataTest, MissingFileStartsWithFirstStartDefaults)
{
    ASSERT_TRUE(LoadLauncherData(nullptr));
    const AppSettings settings = GetSettings();
    EXPECT_EQ(1, settings.collapseOnLaunch);
    EXPECT_EQ(0, settings.alwaysOnTop);
    EXPECT_EQ(3, settings.groupCount);
    EXPECT_EQ(0, settings.startWithLastGroup);
    EXPECT_FALSE(FileExists(dataFile_));  // loading never creates the file
}

TEST_F(LauncherDataTest, UnterminatedFieldsAndOutOfRangeSettingsAreMadeSafe)
{
    std::string image = MakeImage(/*groupCount*/ 77, /*lastGroup*/ 12, /*startWithLast*/ 1);
    auto* data = reinterpret_cast<LauncherData*>(&image[0]);
    std::memset(data->groups[0].buttons[0].title, 'A', kTextFieldSize);
    std::memset(data->groups[9].group.name, 'B', kTextFieldSize);
    ASSERT_TRUE(WriteFileBytes(dataFile_, image));

    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(std::string(kTextFieldSize - 1, 'A'), ButtonAt(0, 0)->title);
    EXPECT_EQ(std::string(kTextFieldSize - 1, 'B'), LauncherImage()->groups[9].group.name);
    EXPECT_EQ(10, GetSettings().groupCount);
    EXPECT_EQ(0, CurrentGroupIndex());  // lastGroup outside 0..9
}

TEST_F(LauncherDataTest, GroupCountBelowOneBecomesOne)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_, MakeImage(-3, 0, 0)));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(1, GetSettings().groupCount);
}

TEST_F(LauncherDataTest, LastGroupBeyondTheCountStillStartsThere)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_, MakeImage(3, 7, 1)));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(7, CurrentGroupIndex());
    ASSERT_TRUE(WriteFileBytes(dataFile_, MakeImage(3, 7, 0)));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(0, CurrentGroupIndex());
}

TEST_F(LauncherDataTest, SaveOverALongerFileLeavesExactlyTheImage)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_, MakeImage() + std::string(5000, 'z')));
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        LoadLauncherData(nullptr);
    }
    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(dataFile_));
}

TEST_F(LauncherDataTest, SaveRecordsTheCurrentGroup)
{
    ASSERT_TRUE(SelectCurrentGroup(6));
    ASSERT_TRUE(SaveLauncherData(nullptr));
    const std::string bytes = ReadFileBytes(dataFile_);
    ASSERT_EQ(kDataFileSize, bytes.size());
    AppSettings saved;
    std::memcpy(&saved, bytes.data() + sizeof(LauncherData), sizeof saved);
    EXPECT_EQ(6, saved.lastGroup);
}

TEST_F(LauncherDataTest, ProgramPathWithoutExtensionFailsBothWays)
{
    OverrideProgramPath(folder_.File("porun").c_str());
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        EXPECT_FALSE(LoadLauncherData(nullptr));
        answer.Join();
        EXPECT_EQ("データの読み込みに失敗したのら！！", answer.Text());
    }
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        EXPECT_FALSE(SaveLauncherData(nullptr));
        answer.Join();
        EXPECT_EQ("データの保存に失敗したのら！！", answer.Text());
    }
}

// --- Failing each step of a save in turn -----------------------------------

enum class FailingStep { Create, Write, ShortWrite, Flush, Close, Move };

HANDLE WINAPI FailCreate(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}
BOOL WINAPI FailWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    return FALSE;
}
// A full disk: the call succeeds but takes only part of the data.
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return WriteFile(file, data, size / 2, written, overlapped);
}
BOOL WINAPI FailFlush(HANDLE) { return FALSE; }
BOOL WINAPI FailClose(HANDLE file)
{
    CloseHandle(file);
    return FALSE;
}
BOOL WINAPI FailMove(LPCSTR, LPCSTR, DWORD) { return FALSE; }

class FailingSaveTest : public LauncherDataTest, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(FailingSaveTest, LeavesThePreviousFileIntact)
{
    const std::string previous = MakeImage();
    ASSERT_TRUE(WriteFileBytes(dataFile_, previous));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    std::strcpy(CurrentButton(0)->title, "changed");

    FileCalls& calls = ActiveFileCalls();
    switch (GetParam()) {
    case FailingStep::Create: calls.createFile = FailCreate; break;
    case FailingStep::Write: calls.writeFile = FailWrite; break;
    case FailingStep::ShortWrite: calls.writeFile = ShortWrite; break;
    case FailingStep::Flush: calls.flushFileBuffers = FailFlush; break;
    case FailingStep::Close: calls.closeHandle = FailClose; break;
    case FailingStep::Move: calls.moveFileEx = FailMove; break;
    }
    {
        DialogAnswerer answer("=(@.@)=", IDOK);
        EXPECT_FALSE(SaveLauncherData(nullptr));
        answer.Join();
        EXPECT_EQ("データの保存に失敗したのら！！", answer.Text());
    }
    EXPECT_EQ(previous, ReadFileBytes(dataFile_));
    EXPECT_FALSE(FileExists(dataFile_ + ".tmp"));

    RestoreFileCalls();
    ASSERT_TRUE(SaveLauncherData(nullptr));
    ButtonRecord saved;
    const std::string bytes = ReadFileBytes(dataFile_);
    std::memcpy(&saved, bytes.data() + offsetof(GroupBlock, buttons) + 2 * sizeof(GroupBlock), sizeof saved);
    EXPECT_STREQ("changed", saved.title);
}

INSTANTIATE_TEST_SUITE_P(Steps, FailingSaveTest,
                         ::testing::Values(FailingStep::Create, FailingStep::Write, FailingStep::ShortWrite,
                                           FailingStep::Flush, FailingStep::Close, FailingStep::Move));

TEST_F(LauncherDataTest, CompleteTemporaryFileIsRecoveredWhenTheDataFileIsMissing)
{
    // A save that died between writing its temporary file and the move.
    ASSERT_TRUE(WriteFileBytes(dataFile_ + ".tmp", MakeImage()));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_STREQ("Editor", ButtonAt(1, 3)->title);
    EXPECT_TRUE(FileExists(dataFile_));
    EXPECT_FALSE(FileExists(dataFile_ + ".tmp"));
}

TEST_F(LauncherDataTest, IncompleteTemporaryFileIsIgnored)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_ + ".tmp", MakeImage().substr(0, 5000)));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_STREQ("", ButtonAt(1, 3)->title);
    EXPECT_FALSE(FileExists(dataFile_));
}

TEST_F(LauncherDataTest, StaleTemporaryFileBesideAGoodDataFileIsNotUsed)
{
    ASSERT_TRUE(WriteFileBytes(dataFile_, MakeImage()));
    std::string other = MakeImage();
    std::strcpy(reinterpret_cast<LauncherData*>(&other[0])->groups[1].buttons[3].title, "stale");
    ASSERT_TRUE(WriteFileBytes(dataFile_ + ".tmp", other));
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_STREQ("Editor", ButtonAt(1, 3)->title);
}

}  // namespace
