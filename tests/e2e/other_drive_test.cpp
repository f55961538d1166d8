// The launcher started from another drive letter than the one its buttons were
// stored with: run by other_drive.sh, which maps a letter of its own onto C:.
#include "support/launcher.h"

#include "bar/bar_geometry.h"

#include <cstdlib>

using namespace support;

namespace {

TEST(OtherDrive, AButtonStoredWithTheOldLetterStartsFromTheLaunchersDrive)
{
    const char* drive = std::getenv("PORUN_TEST_DRIVE");  // "R:"
    if (!drive)
        GTEST_SKIP() << "run by other_drive.sh, which makes the drive";
    char oldLetter = 'E';  // the letter the stick had: no drive has it here
    while (GetLogicalDrives() & (1u << (oldLetter - 'A')))
        ++oldLetter;
    TempFolder folder("ぽてまる");
    const Recorder memo(folder, "tools\\memo.exe", true);
    DataImage data;
    data.Button(0, 0, "memo", oldLetter + memo.Path().substr(1));
    ASSERT_TRUE(WriteBytes(folder.File("porun.dat"), data.Bytes()));
    const std::string exe = CopyInto(BuildFile(PORUN_EXE_PATH), folder, "porun.exe");
    LauncherProcess launcher(drive + exe.substr(2));
    ASSERT_NE(nullptr, launcher.Window());
    Press(launcher.Window(), IDC_FIRST_LAUNCHER);
    std::string started;
    ASSERT_TRUE(memo.Started(&started));
    EXPECT_NE(std::string::npos, started.find(drive + memo.Path().substr(2))) << started;
    EXPECT_TRUE(launcher.Close());
}

}  // namespace
