// The first steps of the end-to-end runs, written on tests/support: the built
// launcher in a folder of its own, driven across processes.
#include "support/launcher.h"

#include "bar/bar_geometry.h"
#include "resources/resource_ids.h"

using namespace support;

namespace {

TEST(SupportedProcess, ADroppedProgramConfirmedAndDraggedIntoTheNextGroupIsSavedThere)
{
    TempFolder folder("ぽてまる 表");
    const std::string exe = CopyInto(BuildFile(PORUN_EXE_PATH), folder, "porun.exe");
    const Recorder memo(folder, "tools\\memo.exe", true);
    LauncherProcess launcher(exe);
    ASSERT_NE(nullptr, launcher.Window());
    ASSERT_TRUE(launcher.Drop({memo.Path()}, IDC_FIRST_LAUNCHER));
    HWND dialog = launcher.Dialog("第 1ボタンの設定");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    launcher.Drag(IDC_FIRST_LAUNCHER, IDC_NEXT_GROUP, IDC_FIRST_LAUNCHER + 5);
    ASSERT_TRUE(launcher.Close());
    EXPECT_EQ(0, launcher.WaitForExit());
    const std::optional<DataImage> saved = DataImage::Read(folder.File("porun.dat"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(memo.Path(), saved->At(1, 5).file);
    EXPECT_STREQ("", saved->At(0, 0).file);
}

}  // namespace
