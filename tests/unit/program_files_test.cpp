// Paths split by whole characters, and the files the launcher keeps beside
// its program: names whose second byte is 0x5C ("表", "ソ") or lies in the
// lead-byte range ("亜", 0x88 0x9F) never hide or fake a separator.
#include "app/help.h"
#include "data/launcher_data.h"
#include "support/path_text.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* title;  // the name without its extension
    const char* folder;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitAtTheLastBackslashAndTheNamesLastDot)
{
    char title[270];
    char folder[270];
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
    std::string helpTopic;
    std::string positions;  // "": no position.dat beside the program
};

class FilesBesideTheProgram : public ::testing::TestWithParam<ProgramCase> {
protected:
    void TearDown() override { OverrideProgramPath(nullptr); }
};

std::string Built(bool built, const char* text)
{
    return built ? text : "";
}

TEST_P(FilesBesideTheProgram, AreNamedAfterItInItsFolder)
{
    OverrideProgramPath(GetParam().program.c_str());
    char data[MAX_PATH];
    char topic[520];
    char positions[MAX_PATH];
    EXPECT_EQ(GetParam().dataFile, Built(DataFilePath(data, sizeof data), data));
    EXPECT_EQ(GetParam().helpTopic, Built(BuildHelpTopic(topic, sizeof topic), topic));
    EXPECT_EQ(GetParam().positions, Built(ProgramFolderFile("position.dat", positions, sizeof positions), positions));
}

const std::string kLong = "C:\\" + std::string(245, 'd');  // porun.exe fits MAX_PATH beside it, position.dat not

INSTANTIATE_TEST_SUITE_P(
    Programs, FilesBesideTheProgram,
    ::testing::Values(
        ProgramCase{"C:\\tools\\x.exe", "C:\\tools\\x.dat", "C:\\tools\\x.chm::/html/index.html",
                    "C:\\tools\\position.dat"},
        ProgramCase{"C:\\my.tools\\launcher", "", "C:\\my.tools\\launcher.chm::/html/index.html",
                    "C:\\my.tools\\position.dat"},
        ProgramCase{"C:\\a\\b.c.exe", "C:\\a\\b.c.dat", "C:\\a\\b.c.chm::/html/index.html", "C:\\a\\position.dat"},
        ProgramCase{"C:\\a\\x.ex", "", "C:\\a\\x.chm::/html/index.html", "C:\\a\\position.dat"},
        ProgramCase{"C:\\表.x\\ポルン表", "", "C:\\表.x\\ポルン表.chm::/html/index.html", "C:\\表.x\\position.dat"},
        ProgramCase{"C:\\ソフト表\\ソ.exe", "C:\\ソフト表\\ソ.dat", "C:\\ソフト表\\ソ.chm::/html/index.html",
                    "C:\\ソフト表\\position.dat"},
        ProgramCase{"C:\\亜\\porun.exe", "C:\\亜\\porun.dat", "C:\\亜\\porun.chm::/html/index.html",
                    "C:\\亜\\position.dat"},
        ProgramCase{"porun.exe", "porun.dat", "porun.chm::/html/index.html", ""},
        ProgramCase{kLong + "\\porun.exe", kLong + "\\porun.dat", kLong + "\\porun.chm::/html/index.html", ""}));

}  // namespace
