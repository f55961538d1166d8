#include "app/main_window.h"
#include "common/launcher_window_test.h"
#include "data/launcher_data.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"

void LauncherWindowTest::OpenLauncherWindow(int showCommand)
{
    program_ = InstallProgramCopy(folder_);
    ASSERT_TRUE(AllocateLauncherData());
    window_ = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
    ASSERT_NE(nullptr, window_);
    ShowWindow(window_, showCommand);
    PumpMessages(50);
}

void LauncherWindowTest::CloseLauncherWindow()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
    PumpMessages(20);
    DestroyShortcutTable();  // the window's destruction normally does it already
    FreeLauncherData();
    OverrideProgramPath(nullptr);
}
