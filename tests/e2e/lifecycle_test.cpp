// The built launcher's every way to end; its next start finds whole files and never loads a planted library.
#include "support/launcher.h"

#include "resources/resource_ids.h"

#include <cstdlib>
#include <cstring>

using namespace support;

namespace {

struct Ending {
    std::string name;
    std::function<void(const std::wstring& exe, LauncherProcess& launcher)> end;
    std::wstring text = L"C:\\道具 表\\memo.exe";  // every text field of porun.dat before the start
};

void HelpThenLogOffs(const std::wstring&, LauncherProcess& launcher)
{
    PostMessageW(launcher.Window(), WM_COMMAND, IDM_HELP, 0);  // the planted one would show nothing
    EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"HH Parent", nullptr) != nullptr; }));
    SendMessageTimeoutW(launcher.Window(), WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_TRUE(Idle(launcher.Window()));
    EXPECT_TRUE(launcher.Running()) << "a cancelled log-off ends nothing";
    SendMessageTimeoutW(launcher.Window(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
}

void TwoMoreStarts(const std::wstring& exe, LauncherProcess& first)
{
    LauncherProcess second(exe);
    ASSERT_TRUE(WaitUntil([&] { return !first.Running() || !second.Running(); }));
    LauncherProcess& winner = first.Running() ? first : second;
    EXPECT_EQ(0, (first.Running() ? second : first).WaitForExit());
    ASSERT_NE(nullptr, winner.Window());
    const Tree before = ListTree(FolderOf(exe));
    const std::string data = ReadBytes(FolderOf(exe) + L"\\porun.dat");
    EXPECT_EQ(0, LauncherProcess(exe).WaitForExit());
    EXPECT_TRUE(Idle(winner.Window()));
    EXPECT_TRUE(winner.Running());
    EXPECT_EQ(before, ListTree(FolderOf(exe)));
    EXPECT_EQ(data, ReadBytes(FolderOf(exe) + L"\\porun.dat"));
    EXPECT_TRUE(winner.Close());
}

void NextGroupThenClose(const std::wstring&, LauncherProcess& launcher)
{
    EXPECT_EQ(L"", Text(launcher.Window()));                         // the bar's window has no title
    PostMessageW(launcher.Window(), WM_COMMAND, IDC_NEXT_GROUP, 0);  // the next group's pictures too
    EXPECT_TRUE(launcher.Close());
}

// A kill at whatever moment of a save leaves the old or the new file whole: the unit tests fail each step of it.
const Ending kEndings[] = {
    {.name = "HelpFromTheSystemsLibraryThenACancelledAndARealLogOff", .end = HelpThenLogOffs},
    {.name = "StartsAtOnceOrLaterLeaveOneLauncherAndTouchNothing", .end = TwoMoreStarts},
    {.name = "LongestPathsInEveryFieldStillAnswerAndClose",
     .end = NextGroupThenClose,
     .text = L"C:\\" + std::wstring(262, 'x') + L".exe"},
};

class LauncherProcessEnds : public ::testing::TestWithParam<Ending> {};

TEST_P(LauncherProcessEnds, AndItsNextStartFindsWholeFiles)
{
    const Ending& row = GetParam();
    TempFolder folder(L"ぽてまる 表");
    const std::wstring built = BuildFile(PORUN_EXE_PATH);
    const std::wstring exe = CopyInto(built, folder, L"porun.exe");
    CopyInto(built.substr(0, built.rfind('.')) + L".chm", folder, L"porun.chm");
    ASSERT_FALSE(CopyInto(BuildFile(PORUN_PLANTED_LIBRARY_PATH), folder, L"hhctrl.ocx").empty());
    DataImage arranged;
    arranged.settings.groupCount = 10;
    for (int group = 0; group < 10; ++group) {
        arranged.Group(group, row.text, row.text);
        for (int button = 0; button < 10; ++button)
            arranged.Button(group, button, row.text, row.text, row.text, row.text, row.text);
    }
    ASSERT_TRUE(WriteBytes(folder.File(L"porun.dat"), arranged.Bytes()));
    // Windows looks beside the program first for a library that is not a known DLL; Wine, told so, does too.
    wchar_t overrides[512] = L"";
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (std::wstring(overrides) + L";hhctrl.ocx=n,b").c_str());
    const Restore environment{[&] { SetEnvironmentVariableW(L"WINEDLLOVERRIDES", *overrides ? overrides : nullptr); }};
    {
        LauncherProcess launcher(exe);
        row.end(exe, launcher);
        EXPECT_EQ(0, launcher.WaitForExit());
    }
    const std::optional<DataImage> saved = DataImage::Read(folder.File(L"porun.dat"));
    ASSERT_TRUE(saved) << ReadBytes(folder.File(L"porun.dat")).size() << " bytes";
    EXPECT_EQ(0, std::memcmp(&arranged.groups, &saved->groups, sizeof arranged.groups));
    EXPECT_FALSE(Exists(folder.File(L"porun.dat.tmp")));
    EXPECT_TRUE(Exists(folder.File(L"position.dat")));
    EXPECT_TRUE(Exists(folder.File(L"shortcut.dat")));
    LauncherProcess next(exe);
    ASSERT_NE(nullptr, next.Window()) << "no window: an error box?";
    EXPECT_TRUE(next.Close());
    EXPECT_FALSE(Exists(folder.File(L"porun.dat.bad")));
    EXPECT_FALSE(Exists(folder.File(L"planted-loaded.txt")));
}

INSTANTIATE_TEST_SUITE_P(Rows, LauncherProcessEnds, ::testing::ValuesIn(kEndings), RowName);

TEST(StartWithPorun, AMarkedButtonStartsAtAFirstStartOnlyNotWhenASecondStartBringsTheFirstForward)
{
    TempFolder folder(L"ぽてまる");
    const Recorder memo(folder, L"tools\\memo.exe");
    ASSERT_TRUE(WriteBytes(folder.File(L"porun.dat"), DataImage().Button(0, 0, L"memo", memo.Path()).Bytes()));
    ASSERT_TRUE(WriteBytes(folder.File(L"porun.options"), "start_with_porun_0,1\r\n"));
    const std::wstring exe = CopyInto(BuildFile(PORUN_EXE_PATH), folder, L"porun.exe");
    LauncherProcess first(exe);
    ASSERT_NE(nullptr, first.Window());
    ASSERT_TRUE(memo.Started());
    ASSERT_TRUE(DeleteFileW(folder.File(L"tools\\received.txt").c_str()));
    EXPECT_EQ(0, LauncherProcess(exe).WaitForExit());
    EXPECT_TRUE(first.Close());
    EXPECT_FALSE(memo.StartedYet());
}

TEST(OtherDrive, AButtonStoredWithTheOldLetterStartsFromTheLaunchersDrive)
{
    wchar_t drive[8] = L"";  // "R:"
    if (!GetEnvironmentVariableW(L"PORUN_TEST_DRIVE", drive, 8))
        GTEST_SKIP() << "run by other_drive.sh, which maps a letter of its own onto C:";
    wchar_t oldLetter = L'E';  // the letter the stick had: no drive has it here
    while (GetLogicalDrives() & (1u << (oldLetter - L'A')))
        ++oldLetter;
    TempFolder folder(L"ぽてまる");
    const Recorder memo(folder, L"tools\\memo.exe", true);
    DataImage data;
    data.Button(0, 0, L"memo", oldLetter + memo.Path().substr(1));
    ASSERT_TRUE(WriteBytes(folder.File(L"porun.dat"), data.Bytes()));
    const std::wstring exe = CopyInto(BuildFile(PORUN_EXE_PATH), folder, L"porun.exe");
    LauncherProcess launcher(drive + exe.substr(2));
    Press(launcher.Window(), IDC_FIRST_LAUNCHER);
    ASSERT_TRUE(memo.Started());
    const std::wstring started = memo.Got().commandLine;
    EXPECT_NE(std::wstring::npos, started.find(drive + memo.Path().substr(2))) << started;
    EXPECT_TRUE(launcher.Close());
}

}  // namespace
