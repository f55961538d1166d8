// The launcher started for real keeps its shortcuts in shortcut.dat: read at
// start (refused entries dropped), registered as system hotkeys while it
// runs, written back whole at exit.
#include "common/test_support.h"
#include "launcher_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
        LauncherProcess launcher(exe);
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
        LauncherProcess launcher(exe);
        HWND window = launcher.Window();
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(launcher.Close(window));
    }
    EXPECT_EQ("ShortCut.Active.key,0\r\nShortCut.Active.flag,0\r\n", ReadFileBytes(folder.File("shortcut.dat")));
}

}  // namespace
