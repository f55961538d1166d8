// A stored path as the launcher uses it: as written, expanded, or moved to the
// launcher's own drive. The launcher runs from C:<R>; <R> is a folder that both
// C: and Z: (Wine's drive of /) hold, with other files on each.
#include "support/files.h"

#include "support/program_files.h"
#include "support/stored_path.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace support;

namespace {

// <R> the folder, <259> / <260> letters up to that whole length.
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
        RemoveTree("C:" + rest);
        RemoveTree("Z:" + rest);
        OverrideProgramPath(nullptr);
        SetCurrentDirectoryA(current);
    }};
    CreateDirectoryA("C:\\tmp", nullptr);
    for (const char* drive : {"C:", "Z:"})
        ASSERT_TRUE(CreateDirectoryA((drive + rest).c_str(), nullptr));
    for (const char* file : {"C:<R>\\both.exe", "C:<R>\\c.exe", "C:<R>\\%PORUN_TEST_Z%.exe",
                             "Z:<R>\\both.exe"})
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
