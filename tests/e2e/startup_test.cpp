// The built program started for real in a temporary folder.
#include "app/main_window.h"
#include "common/test_support.h"
#include "data/launcher_records.h"
#include "launcher_process.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>

namespace {

class LauncherProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        exe_ = folder_.File("porun.exe");
        ASSERT_TRUE(CopyFileA(BuiltProgramPath().c_str(), exe_.c_str(), FALSE)) << BuiltProgramPath();
        data_ = folder_.File("porun.dat");
    }
    TempFolder folder_;
    std::string exe_;
    std::string data_;
};

TEST_F(LauncherProcessTest, CloseWritesTheDataFile)
{
    LauncherProcess launcher(exe_);
    ASSERT_TRUE(launcher.Started());
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);

    char className[64];
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(kMainWindowClass, className);
    char title[16] = "x";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("", title);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(data_));
    EXPECT_FALSE(FileExists(data_ + ".tmp"));
}

TEST_F(LauncherProcessTest, EndSessionSavesLikeANormalExit)
{
    LauncherProcess launcher(exe_);
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(0, launcher.WaitForExit());
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(data_));
}

TEST_F(LauncherProcessTest, CancelledEndSessionKeepsTheLauncherRunning)
{
    LauncherProcess launcher(exe_);
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);
    SendMessageTimeoutA(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(-1, launcher.WaitForExit(1000));
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
}

TEST_F(LauncherProcessTest, PathsOfFullFieldLengthStartAnswerAndCloseCleanly)
{
    // Every text field of a damaged or hand-edited file at its longest: 269
    // characters, beyond what the system takes as a path.
    std::string image(kDataFileSize, '\0');
    auto* data = reinterpret_cast<LauncherData*>(&image[0]);
    const std::string path = "C:\\" + std::string(262, 'x') + ".exe";
    for (GroupBlock& block : data->groups) {
        for (char* field : {block.group.name, block.group.iconFile})
            lstrcpyA(field, path.c_str());
        for (ButtonRecord& button : block.buttons)
            for (char* field : {button.title, button.file, button.workDir, button.params, button.iconFile})
                lstrcpyA(field, path.c_str());
    }
    *reinterpret_cast<AppSettings*>(&image[sizeof(LauncherData)]) = AppSettings{0, 0, 10, 40, 40, 0, 0};
    ASSERT_EQ(269u, path.size());
    ASSERT_TRUE(WriteFileBytes(data_, image));

    LauncherProcess launcher(exe_);
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, IDC_NEXT_GROUP, 0);  // the next group's icons too
    DWORD_PTR answer = 0;
    EXPECT_NE(0, SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
    const std::string saved = ReadFileBytes(data_);
    ASSERT_EQ(kDataFileSize, saved.size());
    EXPECT_EQ(path, reinterpret_cast<const LauncherData*>(saved.data())->groups[1].buttons[9].file);
    EXPECT_TRUE(FileExists(folder_.File("position.dat")));
    EXPECT_TRUE(FileExists(folder_.File("shortcut.dat")));
}

TEST_F(LauncherProcessTest, SecondStartActivatesTheFirstAndTouchesNoFile)
{
    LauncherProcess first(exe_);
    HWND window = first.Window();
    ASSERT_NE(nullptr, window);

    // Give the running launcher a file it owns, then watch that nothing changes it.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(0, first.WaitForExit());
    const std::string saved = ReadFileBytes(data_);
    ASSERT_EQ(kDataFileSize, saved.size());

    LauncherProcess running(exe_);
    window = running.Window();
    ASSERT_NE(nullptr, window);
    FILETIME before = {};
    {
        HANDLE file = CreateFileA(data_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileTime(file, nullptr, nullptr, &before);
        CloseHandle(file);
    }

    LauncherProcess second(exe_);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(0, second.WaitForExit());
    EXPECT_EQ(window, FindWindowA(kMainWindowClass, nullptr));
    EXPECT_EQ(saved, ReadFileBytes(data_));
    EXPECT_FALSE(FileExists(data_ + ".tmp"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, running.WaitForExit());
}

TEST_F(LauncherProcessTest, TwoStartsAtTheSameMomentLeaveOneLauncher)
{
    LauncherProcess a(exe_);
    LauncherProcess b(exe_);
    ASSERT_TRUE(a.Started());
    ASSERT_TRUE(b.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowA(kMainWindowClass, nullptr)) != nullptr; }, 15000));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const LauncherProcess& winner = owner == a.ProcessId() ? a : b;
    const LauncherProcess& loser = owner == a.ProcessId() ? b : a;
    EXPECT_EQ(0, loser.WaitForExit());
    EXPECT_EQ(-1, winner.WaitForExit(500));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, winner.WaitForExit());
}

TEST_F(LauncherProcessTest, KilledDuringSavesNeverLeavesATornDataFile)
{
    // Close and kill at staggered moments: whatever instant the kill hits, the
    // data file is either absent (first run) or exactly one whole image.
    for (DWORD delay = 0; delay < 12; ++delay) {
        LauncherProcess launcher(exe_);
        HWND window = launcher.Window();
        ASSERT_NE(nullptr, window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(delay);
        launcher.Kill();
        const long long size = FileSize(data_);
        EXPECT_TRUE(size == -1 || size == static_cast<long long>(kDataFileSize)) << "delay " << delay
                                                                                 << " size " << size;
    }
    // And the file left behind loads without complaint: the next start shows no error box.
    LauncherProcess launcher(exe_);
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
    EXPECT_FALSE(FileExists(data_ + ".bad"));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(data_));
}

// Full path of the module named name in process id, "" when it is not loaded.
std::string ModulePath(DWORD process, const char* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE)
        return "";
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    std::string path;
    for (BOOL more = Module32First(snapshot, &module); more && path.empty(); more = Module32Next(snapshot, &module))
        if (lstrcmpiA(module.szModule, name) == 0)
            path = module.szExePath;
    CloseHandle(snapshot);
    return path;
}

TEST_F(LauncherProcessTest, LibraryPlantedBesideTheProgramIsNeverLoaded)
{
    ASSERT_TRUE(CopyFileA(HostPath(PORUN_PLANTED_LIBRARY_PATH).c_str(), folder_.File("hhctrl.ocx").c_str(), FALSE));
    const std::string builtHelp = BuiltProgramPath().substr(0, BuiltProgramPath().rfind('.')) + ".chm";
    CopyFileA(builtHelp.c_str(), folder_.File("porun.chm").c_str(), FALSE);
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);

    // Windows looks for a library that is not one of its known DLLs in the
    // program's folder first; Wine prefers its built-in help control unless
    // told otherwise, which the launcher's process is, as it starts.
    char overrides[512] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", (std::string(overrides) + ";hhctrl.ocx=n,b").c_str());
    LauncherProcess launcher(exe_);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides[0] ? overrides : nullptr);
    HWND window = launcher.Window();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("", ModulePath(launcher.ProcessId(), "hhctrl.ocx")) << "loaded at start";

    PostMessageA(window, WM_COMMAND, IDM_HELP, 0);  // "ヘルプを読むろ！(&H)"
    std::string help;
    EXPECT_TRUE(PumpUntil([&] { return !(help = ModulePath(launcher.ProcessId(), "hhctrl.ocx")).empty(); }, 15000));
    EXPECT_EQ(0, lstrcmpiA((std::string(system) + "\\hhctrl.ocx").c_str(), help.c_str())) << help;
    EXPECT_FALSE(FileExists(folder_.File("planted-loaded.txt")));
    EXPECT_TRUE(launcher.Close(window));
}

}  // namespace
