// The launcher started for real keeps its shortcuts in shortcut.dat: read at
// start (refused entries dropped), registered as system hotkeys while it
// runs, written back whole at exit.
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
        started_ = CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_) != FALSE;
    }
    ~RunningLauncher()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    RunningLauncher(const RunningLauncher&) = delete;
    RunningLauncher& operator=(const RunningLauncher&) = delete;

    // The launcher's window once it is shown (its start-up is complete).
    HWND Window() const
    {
        const DWORD start = GetTickCount();
        while (started_ && GetTickCount() - start < 15000) {
            HWND window = FindWindowA(kClass, nullptr);
            DWORD owner = 0;
            if (window)
                GetWindowThreadProcessId(window, &owner);
            if (window && owner == process_.dwProcessId && IsWindowVisible(window))
                return window;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }
    bool Close(HWND window) const
    {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

// Whether this thread could take the combination (it gives it back at once).
bool IsFree(UINT modifiers, UINT key)
{
    if (!RegisterHotKey(nullptr, 0xBFF1, modifiers, key))
        return false;
    UnregisterHotKey(nullptr, 0xBFF1);
    return true;
}

std::string EntryLines(const char* prefix, int id, int key, int flags, int system)
{
    const std::string p = prefix;
    return p + "id," + std::to_string(id) + "\r\n" + p + "key," + std::to_string(key) + "\r\n" + p + "flag," +
           std::to_string(flags) + "\r\n" + p + "usesystemshortcut," + std::to_string(system) + "\r\n";
}

TEST(ShortcutFileEndToEnd, ReadAtStartRegisteredWhileRunningWrittenAtExit)
{
    TempFolder folder;
    const std::string exe = folder.File("porun.exe");
    ASSERT_TRUE(CopyFileA(BuiltProgramPath().c_str(), exe.c_str(), FALSE));
    const std::string kept = EntryLines("ShortCut.01:002.", 12, VK_F10, 3, 1);
    const std::string plain = EntryLines("ShortCut.04:009.", 49, 'Q', 4, 0);
    const std::string refused = EntryLines("ShortCut.05:000.", 50, '5', 0, 0);
    ASSERT_TRUE(WriteFileBytes(folder.File("shortcut.dat"), "ShortCut.Active.key,122\r\nShortCut.Active.flag,6\r\n" +
                                                             refused + plain + kept));
    ASSERT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, VK_F10));
    ASSERT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, VK_F11));
    {
        RunningLauncher launcher(exe);
        HWND window = launcher.Window();
        ASSERT_NE(nullptr, window);
        EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_SHIFT, VK_F10));  // the button's system hotkey
        EXPECT_FALSE(IsFree(MOD_CONTROL | MOD_ALT, VK_F11));    // the activation shortcut
        EXPECT_TRUE(IsFree(MOD_ALT, 'Q'));                      // a plain shortcut stays local
        ASSERT_TRUE(launcher.Close(window));
    }
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_SHIFT, VK_F10));
    EXPECT_TRUE(IsFree(MOD_CONTROL | MOD_ALT, VK_F11));
    EXPECT_EQ(kept + plain + "ShortCut.Active.key,122\r\nShortCut.Active.flag,6\r\n",
              ReadFileBytes(folder.File("shortcut.dat")));
    EXPECT_FALSE(FileExists(folder.File("shortcut.dat.tmp")));
}

TEST(ShortcutFileEndToEnd, FirstRunWritesAFileWithoutActivationShortcut)
{
    TempFolder folder;
    const std::string exe = folder.File("porun.exe");
    ASSERT_TRUE(CopyFileA(BuiltProgramPath().c_str(), exe.c_str(), FALSE));
    {
        RunningLauncher launcher(exe);
        HWND window = launcher.Window();
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(launcher.Close(window));
    }
    EXPECT_EQ("ShortCut.Active.key,0\r\nShortCut.Active.flag,0\r\n", ReadFileBytes(folder.File("shortcut.dat")));
}

}  // namespace
