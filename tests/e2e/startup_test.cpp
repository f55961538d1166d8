// The built program started for real in a temporary folder.
#include "data/launcher_records.h"

#include "common/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kClass[] = "porun21 - kessaro/QZT";

class RunningLauncher {
public:
    explicit RunningLauncher(const std::string& exe)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe + "\"";
        started_ = CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_);
    }
    ~RunningLauncher()
    {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    bool Started() const { return started_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    // The main window of this process, once it exists.
    HWND WaitForWindow(DWORD timeoutMs = 15000) const
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            HWND window = FindWindowA(kClass, nullptr);
            DWORD owner = 0;
            if (window)
                GetWindowThreadProcessId(window, &owner);
            if (window && owner == process_.dwProcessId)
                return window;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }
    // Exit code, or -1 when it did not end in time.
    long WaitForExit(DWORD timeoutMs = 15000) const
    {
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }
    void Kill() const { TerminateProcess(process_.hProcess, 99); WaitForSingleObject(process_.hProcess, 5000); }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

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
    RunningLauncher launcher(exe_);
    ASSERT_TRUE(launcher.Started());
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(nullptr, window);

    char className[64];
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(kClass, className);
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
    RunningLauncher launcher(exe_);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(nullptr, window);
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(0, launcher.WaitForExit());
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(data_));
}

TEST_F(LauncherProcessTest, CancelledEndSessionKeepsTheLauncherRunning)
{
    RunningLauncher launcher(exe_);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(nullptr, window);
    SendMessageTimeoutA(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(-1, launcher.WaitForExit(1000));
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
}

TEST_F(LauncherProcessTest, SecondStartActivatesTheFirstAndTouchesNoFile)
{
    RunningLauncher first(exe_);
    HWND window = first.WaitForWindow();
    ASSERT_NE(nullptr, window);

    // Give the running launcher a file it owns, then watch that nothing changes it.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(0, first.WaitForExit());
    const std::string saved = ReadFileBytes(data_);
    ASSERT_EQ(kDataFileSize, saved.size());

    RunningLauncher running(exe_);
    window = running.WaitForWindow();
    ASSERT_NE(nullptr, window);
    FILETIME before = {};
    {
        HANDLE file = CreateFileA(data_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileTime(file, nullptr, nullptr, &before);
        CloseHandle(file);
    }

    RunningLauncher second(exe_);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(0, second.WaitForExit());
    EXPECT_EQ(window, FindWindowA(kClass, nullptr));
    EXPECT_EQ(saved, ReadFileBytes(data_));
    EXPECT_FALSE(FileExists(data_ + ".tmp"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, running.WaitForExit());
}

TEST_F(LauncherProcessTest, TwoStartsAtTheSameMomentLeaveOneLauncher)
{
    RunningLauncher a(exe_);
    RunningLauncher b(exe_);
    ASSERT_TRUE(a.Started());
    ASSERT_TRUE(b.Started());
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = FindWindowA(kClass, nullptr)) != nullptr; }, 15000));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const RunningLauncher& winner = owner == a.ProcessId() ? a : b;
    const RunningLauncher& loser = owner == a.ProcessId() ? b : a;
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
        RunningLauncher launcher(exe_);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(nullptr, window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(delay);
        launcher.Kill();
        const long long size = FileSize(data_);
        EXPECT_TRUE(size == -1 || size == static_cast<long long>(kDataFileSize)) << "delay " << delay
                                                                                 << " size " << size;
    }
    // And the file left behind loads without complaint: the next start shows no error box.
    RunningLauncher launcher(exe_);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, launcher.WaitForExit());
    EXPECT_FALSE(FileExists(data_ + ".bad"));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(data_));
}

}  // namespace
