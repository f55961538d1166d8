// System hotkeys of the real main window: registrations held while it lives
// and a button's hotkey, pressed for real, starting its program from any
// group. Also the shortcut file's trip through the window's life.
#include "app/main_window.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// Presses a combination for real and lets every key go again.
void PressCombination(std::initializer_list<BYTE> modifiers, BYTE key)
{
    for (BYTE m : modifiers)
        keybd_event(m, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (BYTE m : modifiers)
        keybd_event(m, 0, KEYEVENTF_KEYUP, 0);
}

class HotkeyWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallProgramCopy(folder_);
        ASSERT_TRUE(AllocateLauncherData());
    }
    void TearDown() override
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
        PumpMessages(20);
        DestroyShortcutTable();
        FreeLauncherData();
        OverrideProgramPath(nullptr);
    }
    void Open()
    {
        window_ = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
        ASSERT_NE(nullptr, window_);
        ShowWindow(window_, SW_SHOWNORMAL);
        PumpMessages(50);
    }
    std::string ShortcutFile() const { return folder_.File("shortcut.dat"); }

    TempFolder folder_;
    HWND window_ = nullptr;
};

TEST_F(HotkeyWindowTest, ShortcutFileIsLoadedAtStartAndWrittenAtExit)
{
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(),
                               "ShortCut.02:003.id,23\r\nShortCut.02:003.key,65\r\nShortCut.02:003.flag,3\r\n"
                               "ShortCut.02:003.usesystemshortcut,0\r\n"));
    Open();
    ASSERT_NE(nullptr, GetShortcutEntry(2, 3));
    EXPECT_EQ('A', GetShortcutEntry(2, 3)->key);
    GetShortcutEntry(5, 0)->key = VK_F7;
    GetShortcutEntry(5, 0)->flag = 4;
    DestroyWindow(window_);
    EXPECT_EQ(nullptr, GetShortcutTable());  // destroyed with the window
    EXPECT_EQ("ShortCut.02:003.id,23\r\nShortCut.02:003.key,65\r\nShortCut.02:003.flag,3\r\n"
              "ShortCut.02:003.usesystemshortcut,0\r\n"
              "ShortCut.05:000.id,0\r\nShortCut.05:000.key,118\r\nShortCut.05:000.flag,4\r\n"
              "ShortCut.05:000.usesystemshortcut,0\r\n"
              "ShortCut.Active.key,32\r\nShortCut.Active.flag,6\r\n",
              ReadFileBytes(ShortcutFile()));
}

TEST_F(HotkeyWindowTest, HotkeysAreHeldWhileTheWindowLivesAndFreedAfter)
{
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(),
                               "ShortCut.00:004.id,4\r\nShortCut.00:004.key,122\r\nShortCut.00:004.flag,3\r\n"
                               "ShortCut.00:004.usesystemshortcut,1\r\n"
                               "ShortCut.Active.key,123\r\nShortCut.Active.flag,6\r\n"));
    Open();
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(probe, 1, MOD_CONTROL | MOD_SHIFT, VK_F11));
    EXPECT_FALSE(RegisterHotKey(probe, 2, MOD_CONTROL | MOD_ALT, VK_F12));
    DestroyWindow(window_);
    EXPECT_TRUE(RegisterHotKey(probe, 1, MOD_CONTROL | MOD_SHIFT, VK_F11));
    EXPECT_TRUE(RegisterHotKey(probe, 2, MOD_CONTROL | MOD_ALT, VK_F12));
    UnregisterHotKey(probe, 1);
    UnregisterHotKey(probe, 2);
    DestroyWindow(probe);
}

TEST_F(HotkeyWindowTest, ActivationHotkeyTogglesBetweenTheLauncherAndTheWindowBefore)
{
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(), "ShortCut.Active.key,123\r\nShortCut.Active.flag,6\r\n"));
    Open();
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));

    PressCombination({VK_CONTROL, VK_MENU}, VK_F12);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
    PressCombination({VK_CONTROL, VK_MENU}, VK_F12);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));
    PressCombination({VK_CONTROL, VK_MENU}, VK_F12);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
    DestroyWindow(other);
}

TEST_F(HotkeyWindowTest, ButtonHotkeyOfAnotherGroupStartsItsProgramWithoutSwitching)
{
    const std::string marker = folder_.File("started.txt");
    const std::string script = folder_.File("start.cmd");
    ASSERT_TRUE(WriteFileBytes(script, "@echo started> \"" + marker + "\"\r\n"));
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(),
                               "ShortCut.03:004.id,34\r\nShortCut.03:004.key,122\r\nShortCut.03:004.flag,3\r\n"
                               "ShortCut.03:004.usesystemshortcut,1\r\n"));
    Open();
    ButtonRecord* button = ButtonAt(3, 4);
    ASSERT_NE(nullptr, button);
    lstrcpyA(button->title, "script");
    lstrcpyA(button->file, script.c_str());
    lstrcpyA(button->workDir, folder_.Path().c_str());
    const int groupBefore = CurrentGroupIndex();
    ASSERT_NE(3, groupBefore);

    PressCombination({VK_CONTROL, VK_SHIFT}, VK_F11);
    EXPECT_TRUE(PumpUntil([&] { return FileExists(marker); }, 15000));
    EXPECT_EQ(groupBefore, CurrentGroupIndex());
}

// Another program with a window of its own (the foreground to come back to).
class OtherProgram {
public:
    OtherProgram()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        char command[] = "notepad.exe";
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return;
        WaitForInputIdle(process_.hProcess, 10000);
        PumpUntil([this] { return (window_ = FindWindowOf(process_.dwProcessId)) != nullptr; }, 10000);
    }
    ~OtherProgram()
    {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND Window() const { return window_; }

private:
    static HWND FindWindowOf(DWORD processId)
    {
        struct Search {
            DWORD processId;
            HWND found;
        } search = {processId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s->processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

void PressActivationHotkey(HWND launcher)
{
    PostMessageA(launcher, WM_HOTKEY, kActivationHotkeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F12));
}

TEST_F(HotkeyWindowTest, ActivationHotkeyTogglesTheForeground)
{
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(), "ShortCut.Active.key,123\r\nShortCut.Active.flag,6\r\n"));
    Open();
    OtherProgram other;
    ASSERT_NE(nullptr, other.Window());
    SetForegroundWindow(other.Window());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));

    PressActivationHotkey(window_);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
    PressActivationHotkey(window_);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));
    PressActivationHotkey(window_);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
    PressActivationHotkey(window_);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));
}

TEST_F(HotkeyWindowTest, ActivationHotkeyActivatesAgainAfterTheUserLeftTheLauncher)
{
    ASSERT_TRUE(WriteFileBytes(ShortcutFile(), "ShortCut.Active.key,123\r\nShortCut.Active.flag,6\r\n"));
    Open();
    OtherProgram other;
    ASSERT_NE(nullptr, other.Window());
    SetForegroundWindow(other.Window());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));

    PressActivationHotkey(window_);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
    // The user goes back to the other program by hand.
    SetForegroundWindow(other.Window());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));
    PumpMessages(100);
    PressActivationHotkey(window_);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_; }));
}

}  // namespace
