// The first rows of the file tables, written on tests/support: the program's
// files arranged and read back beside a program copy in a 0x5C folder.
#include "support/files.h"
#include "support/launcher.h"

#include "support/program_files.h"
#include "shortcuts/shortcut_file.h"

#include <gtest/gtest.h>

using namespace support;

namespace {

TEST(SupportedFiles, ShortcutFileSavedBesideTheProgramKeepsTheIdsAsStored)
{
    TempFolder folder("表");
    const std::string lines = ShortcutLines(0, 2, 'E', 3, 1, 77) + ShortcutLines(9, 9, VK_F8, 2, 0) + ActiveLines(0, 0);
    ASSERT_TRUE(WriteBytes(folder.File("shortcut.dat"), lines));
    Restore program{[] { OverrideProgramPath(nullptr); DestroyShortcutTable(); }};
    OverrideProgramPath(folder.File("porun.exe").c_str());
    ASSERT_TRUE(LoadShortcutTable());
    ASSERT_TRUE(DeleteFileA(folder.File("shortcut.dat").c_str()));
    ASSERT_TRUE(SaveShortcutTable());
    EXPECT_EQ(lines, ReadBytes(folder.File("shortcut.dat")));
}

}  // namespace
