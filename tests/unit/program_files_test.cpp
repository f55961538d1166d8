// Paths split by whole characters ("表", "ソ" end in 0x5C, "亜" in a lead byte), the files beside the program.
#include "support/files.h"

#include "app/help.h"
#include "data/launcher_data.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/stored_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace support;

namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* title;  // the name without its extension
    const char* folder;
};

using PathParts = ::testing::TestWithParam<PathCase>;

TEST_P(PathParts, SplitAtTheLastBackslashAndTheNamesLastDot)
{
    char title[270], folder[270];
    CopyNameWithoutExtension(GetParam().path, title, sizeof title);
    CopyFolderOf(GetParam().path, folder, sizeof folder);
    EXPECT_STREQ(GetParam().name, FileNameOf(GetParam().path));
    EXPECT_STREQ(GetParam().title, title);
    EXPECT_STREQ(GetParam().folder, folder);
}

INSTANTIATE_TEST_SUITE_P(Paths, PathParts, ::testing::Values(
    PathCase{"C:\\x\\.profile", ".profile", ".profile", "C:\\x"},
    PathCase{"C:\\x\\README", "README", "README", "C:\\x"},
    PathCase{"D:\\work\\docs\\", "", "", "D:\\work\\docs"},
    PathCase{"C:\\表\\予定.表.txt", "予定.表.txt", "予定.表", "C:\\表"}));

struct ProgramCase {
    std::string program;
    std::string dataFile;  // "": the program has no data file
    std::string helpFile;  // its topic opens the index page
    std::string positions;  // "": no position.dat beside the program
};

using FilesBesideTheProgram = ::testing::TestWithParam<ProgramCase>;

TEST_P(FilesBesideTheProgram, AreNamedAfterItInItsFolder)
{
    Restore restore{[] { OverrideProgramPath(nullptr); }};
    OverrideProgramPath(GetParam().program.c_str());
    char data[MAX_PATH] = "", topic[520] = "", positions[MAX_PATH] = "";
    auto built = [](bool ok, const char* text) { return std::string(ok ? text : ""); };
    EXPECT_EQ(GetParam().dataFile, built(DataFilePath(data, sizeof data), data));
    EXPECT_EQ(GetParam().helpFile + "::/html/index.html", built(BuildHelpTopic(topic, sizeof topic), topic));
    EXPECT_EQ(GetParam().positions, built(ProgramFolderFile("position.dat", positions, sizeof positions), positions));
}

const std::string kLong = "C:\\" + std::string(245, 'd');  // porun.exe fits MAX_PATH beside it, position.dat not

INSTANTIATE_TEST_SUITE_P(Programs, FilesBesideTheProgram, ::testing::Values(
    ProgramCase{"C:\\tools\\x.exe", "C:\\tools\\x.dat", "C:\\tools\\x.chm", "C:\\tools\\position.dat"},
    ProgramCase{"C:\\my.tools\\launcher", "", "C:\\my.tools\\launcher.chm", "C:\\my.tools\\position.dat"},
    ProgramCase{"C:\\a\\b.c.exe", "C:\\a\\b.c.dat", "C:\\a\\b.c.chm", "C:\\a\\position.dat"},
    ProgramCase{"C:\\a\\x.ex", "", "C:\\a\\x.chm", "C:\\a\\position.dat"},
    ProgramCase{"C:\\表.x\\ポルン表", "", "C:\\表.x\\ポルン表.chm", "C:\\表.x\\position.dat"},
    ProgramCase{"C:\\ソフト表\\ソ.exe", "C:\\ソフト表\\ソ.dat", "C:\\ソフト表\\ソ.chm", "C:\\ソフト表\\position.dat"},
    ProgramCase{"C:\\亜\\porun.exe", "C:\\亜\\porun.dat", "C:\\亜\\porun.chm", "C:\\亜\\position.dat"},
    ProgramCase{"porun.exe", "porun.dat", "porun.chm", ""},
    ProgramCase{kLong + "\\porun.exe", kLong + "\\porun.dat", kLong + "\\porun.chm", ""}));

// The launcher runs from C:<R>, a folder both C: and Z: hold; <259> / <260>: letters up to that whole length.
std::string Filled(std::string text, const std::string& rest)
{
    for (size_t at; (at = text.find("<R>")) != std::string::npos;)
        text.replace(at, 3, rest);
    for (const char* mark : {"<259>", "<260>"})
        if (const size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 5, std::string(std::atoi(mark + 1) - (text.size() - 5), 'x'));
    return text;
}

struct Case {
    const char* stored;
    const char* used;  // "" when it counts as missing whatever exists
    bool found;
};

const Case kCases[] = {
    {"Z:<R>\\both.exe", "Z:<R>\\both.exe", true},        // there as written: used as written
    {"Z:<R>\\c.exe", "C:<R>\\c.exe", true},              // its drive is there, the file only on ours
    {"Q:<R>\\c.exe", "C:<R>\\c.exe", true},              // its drive is not there
    {"Q:<R>\\none.exe", "Q:<R>\\none.exe", false},        // nowhere: as written, missing
    {"\\\\nosuch\\share<R>\\c.exe", "\\\\nosuch\\share<R>\\c.exe", false},  // UNC: left alone
    {"<R>\\c.exe", "<R>\\c.exe", false},                    // no drive (the current one is Z:): left alone
    {"Q:<R>\\<259>", "Q:<R>\\<259>", false},              // fits MAX_PATH
    {"Q:<R>\\<260>", "", false},                          // does not, on any drive
    {"%PORUN_TEST_C%\\c.exe", "C:<R>\\c.exe", true},      // expanded
    {"%PORUN_TEST_Q%\\c.exe", "C:<R>\\c.exe", true},      // expanded, then moved
    {"%PORUN_DIR%\\c.exe", "C:<R>\\c.exe", true},         // the launcher's folder
    {"C:<R>\\%PORUN_UNSET%.exe", "C:<R>\\%PORUN_UNSET%.exe", false},  // undefined: as written
    {"C:<R>\\%PORUN_TEST_Z%.exe", "C:<R>\\%PORUN_TEST_Z%.exe", true},  // a real % in a name wins
    {"%PORUN_TEST_LONG%\\c.exe", "", false},              // too long once expanded
};

TEST(StoredPath, IsUsedAsWrittenExpandedOrOnTheLaunchersDrive)
{
    const std::string rest = "\\tmp\\porun-stored-" + std::to_string(GetCurrentProcessId());
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    Restore undo{[rest, &current] {
        RemoveTree("C:" + rest), RemoveTree("Z:" + rest), OverrideProgramPath(nullptr), SetCurrentDirectoryA(current);
    }};
    CreateDirectoryA("C:\\tmp", nullptr);
    for (const char* drive : {"C:", "Z:"})
        ASSERT_TRUE(CreateDirectoryA((drive + rest).c_str(), nullptr));
    for (const char* file : {"C:<R>\\both.exe", "C:<R>\\c.exe", "C:<R>\\%PORUN_TEST_Z%.exe", "Z:<R>\\both.exe"})
        ASSERT_TRUE(WriteBytes(Filled(file, rest), ""));
    SetEnvironmentVariableA("PORUN_TEST_C", ("C:" + rest).c_str());
    SetEnvironmentVariableA("PORUN_TEST_Q", ("Q:" + rest).c_str());
    SetEnvironmentVariableA("PORUN_TEST_Z", "z");
    SetEnvironmentVariableA("PORUN_TEST_LONG", ("C:" + rest + "\\" + std::string(250, 'x')).c_str());
    OverrideProgramPath(("C:" + rest + "\\porun.exe").c_str());
    ASSERT_TRUE(SetProgramFolderVariable());
    ASSERT_TRUE(SetCurrentDirectoryA("Z:\\"));
    for (const Case& row : kCases) {
        const std::string stored = Filled(row.stored, rest);
        SCOPED_TRACE(stored);
        char used[kResolvedPathSize] = "?";
        bool found = !row.found;
        EXPECT_EQ(row.used[0] != '\0', ResolveStoredPath(stored.c_str(), used, sizeof used, &found));
        EXPECT_EQ(Filled(row.used, rest), used);
        EXPECT_EQ(row.found, found);
    }
}

}  // namespace
