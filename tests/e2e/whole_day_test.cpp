// A whole day with the launcher, driven from outside like a user would: the
// built program runs in a temporary folder and this test talks to it only
// through its windows, the keyboard, the mouse and the files it leaves.
//
//   day:     start with no files; fill buttons by dropping program files; edit
//            a button in its dialog; give it a shortcut in the shortcut list,
//            registered as a system hotkey, and start it with that hotkey;
//            drag a button into another group and start it there with a plain
//            shortcut set in its own dialog; rename that group and change
//            the general settings; pack a file and a folder into an archive on
//            the desktop and unpack it again; close.
//   evening: start again and find everything as it was: the same files after
//            closing, the hotkey registered again, the window in its place,
//            on top of the others, on the group the day ended on.
//   night:   a damaged data file: the launcher says so and starts empty; its
//            first save keeps the damaged copy aside as porun.dat.bad; the
//            shortcuts survive in their own file.
//
// Drops: the shell hands a program a global memory block holding a DROPFILES
// record. A handle of this process means nothing in the launcher's, so the
// test writes that record into the launcher's own address space
// (VirtualAllocEx, WriteProcessMemory) and posts WM_DROPFILES with its
// address, which is what a fixed global block is. The launcher's DragFinish
// then cannot free that block and leaves it; Wine reports that quietly.
#include "common/test_support.h"
#include "data/launcher_records.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kClass[] = "porun21 - kessaro/QZT";
constexpr DWORD kWaitMs = 15000;


// Presses keys for real (the launcher reads the asynchronous key state) and
// releases them on every way out.
class HeldKeys {
public:
    explicit HeldKeys(std::vector<BYTE> keys) : keys_(std::move(keys))
    {
        for (BYTE key : keys_)
            keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), 0, 0);
    }
    ~HeldKeys()
    {
        for (auto key = keys_.rbegin(); key != keys_.rend(); ++key)
            keybd_event(*key, static_cast<BYTE>(MapVirtualKeyA(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::vector<BYTE> keys_;
};

// Holds the left mouse button; lets it go on every way out.
class HeldMouseButton {
public:
    HeldMouseButton() { mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); }
    ~HeldMouseButton() { Release(); }
    HeldMouseButton(const HeldMouseButton&) = delete;
    HeldMouseButton& operator=(const HeldMouseButton&) = delete;
    void Release()
    {
        if (down_)
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        down_ = false;
    }

private:
    bool down_ = true;
};

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The launcher as a separate process.
class Launcher {
public:
    explicit Launcher(const std::string& exe)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe + "\"";
        started_ = CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_);
    }
    ~Launcher()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    bool Started() const { return started_; }
    bool Running() const { return started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // The main window once it is shown.
    HWND WaitForWindow()
    {
        WaitFor([&] {
            window_ = FindWindowA(kClass, nullptr);
            return (window_ && Owns(window_) && IsWindowVisible(window_)) || !Running();
        });
        if (!window_ || !Owns(window_) || !IsWindowVisible(window_))
            window_ = nullptr;
        return window_;
    }
    HWND Window() const { return window_; }

    // A visible dialog of the launcher whose caption contains captionPart.
    HWND WaitForDialog(const std::string& captionPart, DWORD timeoutMs = kWaitMs) const
    {
        HWND found = nullptr;
        WaitFor([&] { return (found = FindDialog(captionPart)) != nullptr || !Running(); }, timeoutMs);
        return found;
    }
    HWND FindDialog(const std::string& captionPart) const
    {
        struct Search {
            const Launcher* self;
            const std::string* part;
            HWND found;
        } search{this, &captionPart, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                char className[32] = "";
                GetClassNameA(window, className, sizeof className);
                if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) && s->self->Owns(window) &&
                    WindowText(window).find(*s->part) != std::string::npos) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    bool WaitUntilGone(HWND window) const
    {
        return WaitFor([&] { return !IsWindow(window); });
    }

    // Posts WM_DROPFILES with a DROPFILES block in the launcher's memory.
    bool Drop(const std::vector<std::string>& files, int controlId) const
    {
        std::string block(sizeof(DROPFILES), '\0');
        DROPFILES header = {};
        header.pFiles = sizeof(DROPFILES);
        header.pt = ControlCentre(controlId);
        header.fNC = FALSE;
        header.fWide = FALSE;
        std::memcpy(&block[0], &header, sizeof header);
        for (const std::string& file : files) {
            block += file;
            block += '\0';
        }
        block += '\0';
        void* remote = VirtualAllocEx(process_.hProcess, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
        SIZE_T written = 0;
        return remote && WriteProcessMemory(process_.hProcess, remote, block.data(), block.size(), &written) &&
               written == block.size() && PostMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    }

    // The centre of a bar control, in client coordinates of the main window.
    POINT ControlCentre(int controlId) const
    {
        RECT rect = {};
        GetWindowRect(GetDlgItem(window_, controlId), &rect);
        POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ScreenToClient(window_, &centre);
        return centre;
    }
    POINT ControlCentreOnScreen(int controlId) const
    {
        RECT rect = {};
        GetWindowRect(GetDlgItem(window_, controlId), &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    HANDLE ControlImage(int controlId) const
    {
        return reinterpret_cast<HANDLE>(SendMessageA(GetDlgItem(window_, controlId), BM_GETIMAGE, IMAGE_ICON, 0));
    }
    // A click as the launcher receives it (modifiers are read when it is handled).
    void Click(int controlId) const
    {
        PostMessageA(window_, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window_, controlId)));
    }
    // Closes the launcher like its menus do; true when the process ended.
    bool Close() const
    {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return WaitForSingleObject(process_.hProcess, kWaitMs) == WAIT_OBJECT_0;
    }

    bool Owns(HWND window) const
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == process_.dwProcessId;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
    HWND window_ = nullptr;
};

// The archive and folder a test makes on the desktop, removed afterwards.
class DesktopItems {
public:
    explicit DesktopItems(std::string name) : name_(std::move(name))
    {
        char desktop[MAX_PATH] = "";
        SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
        desktop_ = desktop;
    }
    ~DesktopItems()
    {
        DeleteFileA(Archive().c_str());
        RemoveTree(Folder());
    }
    DesktopItems(const DesktopItems&) = delete;
    DesktopItems& operator=(const DesktopItems&) = delete;
    const std::string& Name() const { return name_; }
    std::string Archive() const { return desktop_ + "\\" + name_ + ".zip"; }
    std::string Folder() const { return desktop_ + "\\" + name_; }

    // Closes the window the shell opened on the unpacked folder; false when
    // none appears.
    bool CloseFolderWindow(const Launcher& launcher) const
    {
        HWND found = nullptr;
        WaitFor([&] {
            found = FindShellWindow(launcher);
            return found != nullptr;
        });
        if (!found)
            return false;
        PostMessageA(found, WM_CLOSE, 0, 0);
        // The folder can be removed only once the window has let go of it.
        return WaitFor([&] { return !IsWindow(found); });
    }

private:
    HWND FindShellWindow(const Launcher& launcher) const
    {
        struct Search {
            const std::string* name;
            const Launcher* launcher;
            HWND found;
        } search{&name_, &launcher, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                if (IsWindowVisible(window) && !s->launcher->Owns(window) &&
                    WindowText(window).find(*s->name) != std::string::npos) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::string name_;
    std::string desktop_;
};

// The data file as records.
struct DataFile {
    bool ok = false;
    LauncherData data = {};
    AppSettings settings = {};
    const ButtonRecord& Button(int group, int index) const { return data.groups[group].buttons[index]; }
};

DataFile ReadDataFile(const std::string& path)
{
    DataFile file;
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() != kDataFileSize)
        return file;
    std::memcpy(&file.data, bytes.data(), sizeof file.data);
    std::memcpy(&file.settings, bytes.data() + sizeof file.data, sizeof file.settings);
    file.ok = true;
    return file;
}

// Presses a dialog's button as a click on it would.
void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Brings a dialog of another process to the front and waits until its
// thread has the keyboard focus inside it, so that keys pressed now reach it.
bool HasKeyboardFocus(HWND dialog)
{
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    // A dialog opened by the active launcher comes to the front by itself;
    // only when it does not is it brought there from outside.
    if (GetForegroundWindow() != dialog && !WaitFor([&] { return GetForegroundWindow() == dialog; }, 2000))
        SetForegroundWindow(dialog);
    return WaitFor([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == dialog && GetGUIThreadInfo(thread, &info) && info.hwndActive == dialog &&
               info.hwndFocus && (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus));
    });
}

// True while another window owns the combination as a system hotkey.
bool HotkeyTaken(UINT modifiers, UINT key)
{
    if (RegisterHotKey(nullptr, 0x2345, modifiers, key)) {
        UnregisterHotKey(nullptr, 0x2345);
        return false;
    }
    return true;
}

class WholeDayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = folder_.File("app");
        tools_ = folder_.File("tools");
        ASSERT_TRUE(CreateDirectoryA(app_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(tools_.c_str(), nullptr));
        exe_ = app_ + "\\porun.exe";
        ASSERT_TRUE(CopyFileA(BuiltProgramPath().c_str(), exe_.c_str(), FALSE));
        // Two small programs with an icon that note how they were started.
        memo_ = tools_ + "\\memo.exe";
        calc_ = tools_ + "\\calc.exe";
        const std::string recorder = HostPath(PORUN_RECORDER_ICON_PATH);
        ASSERT_TRUE(CopyFileA(recorder.c_str(), memo_.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(recorder.c_str(), calc_.c_str(), FALSE));
    }

    std::string AppFile(const char* name) const { return app_ + "\\" + name; }

    // Drops a program on an empty button and confirms the proposed settings.
    void RegisterByDrop(Launcher& launcher, const std::string& program, int index, const char* caption)
    {
        ASSERT_TRUE(launcher.Drop({program}, IDC_FIRST_LAUNCHER + index));
        HWND dialog = launcher.WaitForDialog(caption);
        ASSERT_NE(nullptr, dialog) << "no button settings dialog after the drop";
        const std::string name = program.substr(program.rfind('\\') + 1);
        EXPECT_EQ(name.substr(0, name.rfind('.')), ItemText(dialog, IDC_BUTTON_TITLE));
        EXPECT_EQ(program, ItemText(dialog, IDC_BUTTON_FILE));
        EXPECT_EQ(tools_, ItemText(dialog, IDC_BUTTON_WORK_DIR));
        PressDialogButton(dialog, IDOK);
        ASSERT_TRUE(launcher.WaitUntilGone(dialog));
    }

    TempFolder folder_;
    std::string app_, tools_, exe_, memo_, calc_;
};

TEST_F(WholeDayTest, FilesSettingsAndShortcutsSurviveTheDayAndADamagedDataFileIsKeptAside)
{
    // ---- day: an empty folder ------------------------------------------------
    std::string dataAfterDay, shortcutsAfterDay, positionsAfterDay;
    RECT placeAfterDay = {};
    {
        Launcher launcher(exe_);
        ASSERT_TRUE(launcher.Started());
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(nullptr, window);
        EXPECT_FALSE(FileExists(AppFile("porun.dat")));  // nothing written before the first change

        // Fill buttons 1 and 2 by dropping the programs on them.
        RegisterByDrop(launcher, memo_, 0, "第 1ボタン");
        RegisterByDrop(launcher, calc_, 1, "第 2ボタン");
        DataFile data = ReadDataFile(AppFile("porun.dat"));  // confirming a dialog writes the file
        ASSERT_TRUE(data.ok);
        EXPECT_STREQ(memo_.c_str(), data.Button(0, 0).file);
        EXPECT_STREQ("memo", data.Button(0, 0).title);
        EXPECT_STREQ(tools_.c_str(), data.Button(0, 0).workDir);
        EXPECT_STREQ(calc_.c_str(), data.Button(0, 1).file);

        // Edit button 2 in its dialog (SHIFT + click): title and launch options.
        ASSERT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9)) << "the test's hotkey is taken already";
        HWND dialog = nullptr;
        {
            HeldKeys shift({VK_SHIFT});
            launcher.Click(IDC_FIRST_LAUNCHER + 1);
            dialog = launcher.WaitForDialog("第 2ボタン");
        }
        ASSERT_NE(nullptr, dialog) << "SHIFT + click did not open the button's settings";
        EXPECT_EQ(calc_, ItemText(dialog, IDC_BUTTON_FILE));
        SetDlgItemTextA(dialog, IDC_BUTTON_TITLE, "でんたく");
        SetDlgItemTextA(dialog, IDC_BUTTON_PARAMS, "--evening \"two words\"");
        PressDialogButton(dialog, IDOK);
        ASSERT_TRUE(launcher.WaitUntilGone(dialog));
        data = ReadDataFile(AppFile("porun.dat"));
        ASSERT_TRUE(data.ok);
        EXPECT_STREQ("でんたく", data.Button(0, 1).title);
        EXPECT_STREQ("--evening \"two words\"", data.Button(0, 1).params);

        // Give it the shortcut CTRL+SHIFT+F9 in the shortcut list (menu command
        // "ショートカットキーの設定ら！"), which opens on the button just edited,
        // and make it a system hotkey.
        PostMessageA(window, WM_COMMAND, IDM_BUTTON_SHORTCUTS, 0);
        HWND list = launcher.WaitForDialog("ショートカットキーの設定");
        ASSERT_NE(nullptr, list) << "no shortcut list";
        ASSERT_EQ(1, SendDlgItemMessageA(list, IDC_SHORTCUT_LIST, LVM_GETSELECTEDCOUNT, 0, 0));
        PressDialogButton(list, IDC_SHORTCUT_ASSIGN);
        HWND capture = launcher.WaitForDialog("ショートカットキーの登録");
        ASSERT_NE(nullptr, capture) << "no key capture dialog";
        ASSERT_TRUE(HasKeyboardFocus(capture)) << "the key capture dialog does not have the keyboard";
        {
            HeldKeys keys({VK_CONTROL, VK_SHIFT, VK_F9});
            ASSERT_TRUE(launcher.WaitUntilGone(capture)) << "the key capture did not take CTRL+SHIFT+F9";
        }
        HWND systemHotkey = GetDlgItem(list, IDC_SHORTCUT_SYSTEM_HOTKEY);
        WaitFor([&] { return IsWindowEnabled(systemHotkey) != FALSE; }, 2000);
        ASSERT_TRUE(IsWindowEnabled(systemHotkey)) << "a unique shortcut with modifiers cannot be made a system hotkey";
        PostMessageA(systemHotkey, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(systemHotkey, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
        PressDialogButton(list, IDOK);
        ASSERT_TRUE(launcher.WaitUntilGone(list));

        // The hotkey belongs to the launcher now and starts the button from
        // anywhere, with its options and working folder.
        EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9));
        const std::string received = tools_ + "\\received.txt";
        {
            HeldKeys keys({VK_CONTROL, VK_SHIFT, VK_F9});
            ASSERT_TRUE(WaitFor([&] { return FileExists(received); })) << "the hotkey did not start the button";
        }
        const std::string record = ReadFileBytes(received);
        EXPECT_NE(std::string::npos, record.find("--evening \"two words\"")) << record;
        EXPECT_NE(std::string::npos, record.find("\n" + tools_ + "\n")) << record;
        DeleteFileA(received.c_str());

        // Drag button 1 (memo) over the next-group arrow until the group
        // changes, then onto button 6 of group 2.
        const HANDLE groupImage = launcher.ControlImage(IDC_GROUP_BUTTON);
        const POINT from = launcher.ControlCentreOnScreen(IDC_FIRST_LAUNCHER);
        const POINT arrow = launcher.ControlCentreOnScreen(IDC_NEXT_GROUP);
        const POINT to = launcher.ControlCentreOnScreen(IDC_FIRST_LAUNCHER + 5);
        SetCursorPos(from.x, from.y);
        {
            HeldMouseButton mouse;
            for (int step = 1; step <= 5; ++step)
                SetCursorPos(from.x + step * 2, from.y + step);
            SetCursorPos(arrow.x, arrow.y);
            ASSERT_TRUE(WaitFor([&] { return launcher.ControlImage(IDC_GROUP_BUTTON) != groupImage; }))
                << "resting on the arrow did not change the group";
            SetCursorPos(to.x, to.y);
            SetCursorPos(to.x + 1, to.y + 1);
            mouse.Release();
        }
        ASSERT_TRUE(WaitFor([&] {
            const DataFile moved = ReadDataFile(AppFile("porun.dat"));
            return moved.ok && std::strcmp(moved.Button(1, 5).file, memo_.c_str()) == 0;
        })) << "the drag did not move the button into group 2";
        data = ReadDataFile(AppFile("porun.dat"));
        EXPECT_STREQ("", data.Button(0, 0).file);  // swapped with the empty target
        EXPECT_STREQ("memo", data.Button(1, 5).title);
        EXPECT_STREQ(calc_.c_str(), data.Button(0, 1).file);

        // In its new place, give the moved button a plain shortcut, CTRL+F8, in
        // its own dialog, and start it with that key while the bar has the keyboard.
        {
            HeldKeys shift({VK_SHIFT});
            launcher.Click(IDC_FIRST_LAUNCHER + 5);
            dialog = launcher.WaitForDialog("第 6ボタン");
        }
        ASSERT_NE(nullptr, dialog) << "SHIFT + click did not open the moved button's settings";
        EXPECT_EQ(memo_, ItemText(dialog, IDC_BUTTON_FILE));
        PressDialogButton(dialog, IDC_BUTTON_KEY);
        HWND keyCapture = launcher.WaitForDialog("ショートカットキーの登録");
        ASSERT_NE(nullptr, keyCapture) << "the key button of the button settings opened no key capture";
        ASSERT_TRUE(HasKeyboardFocus(keyCapture));
        {
            HeldKeys keys({VK_CONTROL, VK_F8});
            ASSERT_TRUE(launcher.WaitUntilGone(keyCapture)) << "the key capture did not take CTRL+F8";
        }
        EXPECT_EQ("CTRL+F8", ItemText(dialog, IDC_BUTTON_SHORTCUT_TEXT));
        EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(dialog, IDC_BUTTON_SYSTEM_HOTKEY, BM_GETCHECK, 0, 0));
        PressDialogButton(dialog, IDOK);
        ASSERT_TRUE(launcher.WaitUntilGone(dialog));
        EXPECT_FALSE(HotkeyTaken(MOD_CONTROL, VK_F8)) << "a plain shortcut became a system hotkey";
        ASSERT_TRUE(HasKeyboardFocus(window));
        {
            HeldKeys keys({VK_CONTROL, VK_F8});
            ASSERT_TRUE(WaitFor([&] { return FileExists(received); })) << "CTRL+F8 did not start the button";
        }
        const std::string memoRecord = ReadFileBytes(received);
        EXPECT_NE(std::string::npos, memoRecord.find("memo.exe")) << memoRecord;
        DeleteFileA(received.c_str());

        // Rename the group now shown (group 2) and change the general settings,
        // in the group and general settings dialog (SHIFT + click on the group button).
        {
            HeldKeys shift({VK_SHIFT});
            PostMessageA(GetDlgItem(window, IDC_GROUP_BUTTON), BM_CLICK, 0, 0);
            dialog = launcher.WaitForDialog("基本設定");
        }
        ASSERT_NE(nullptr, dialog) << "SHIFT + click on the group button did not open the settings";
        SetDlgItemTextA(dialog, IDC_GROUP_NAME, "道具箱");
        SendDlgItemMessageA(dialog, IDC_GROUP_ALWAYS_ON_TOP, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_GROUP_START_WITH_LAST, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_GROUP_COLLAPSE, BM_SETCHECK, BST_UNCHECKED, 0);
        SetDlgItemTextA(dialog, IDC_GROUP_COUNT, "5");
        SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, MAKELPARAM(5, 0));
        PressDialogButton(dialog, IDOK);
        ASSERT_TRUE(launcher.WaitUntilGone(dialog));
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "always on top not applied at once";
        data = ReadDataFile(AppFile("porun.dat"));
        ASSERT_TRUE(data.ok);
        EXPECT_STREQ("道具箱", data.data.groups[1].group.name);
        EXPECT_EQ(1, data.settings.alwaysOnTop);
        EXPECT_EQ(1, data.settings.startWithLastGroup);
        EXPECT_EQ(0, data.settings.collapseOnLaunch);
        EXPECT_EQ(5, data.settings.groupCount);

        // Pack a file and a folder dropped together on the group button into an
        // archive on the desktop; then drop the archive there to unpack it.
        const std::string notes = tools_ + "\\notes.txt";
        const std::string pictures = tools_ + "\\pictures";
        ASSERT_TRUE(WriteFileBytes(notes, "お弁当を忘れないのら\r\n"));
        ASSERT_TRUE(CreateDirectoryA(pictures.c_str(), nullptr));
        ASSERT_TRUE(WriteFileBytes(pictures + "\\cat.txt", std::string(70000, 'c')));
        DesktopItems desktop("porun-whole-day-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount() % 100000));
        ASSERT_TRUE(launcher.Drop({notes, pictures}, IDC_GROUP_BUTTON));
        HWND naming = launcher.WaitForDialog("ZIP書庫の作成");
        ASSERT_NE(nullptr, naming) << "no archive name dialog";
        EXPECT_EQ("notes", ItemText(naming, IDC_ARCHIVE_NAME_EDIT));
        SetDlgItemTextA(naming, IDC_ARCHIVE_NAME_EDIT, desktop.Name().c_str());
        PressDialogButton(naming, IDOK);
        ASSERT_TRUE(WaitFor([&] { return FileExists(desktop.Archive()) && IsWindowEnabled(window); }))
            << "no archive " << desktop.Archive();
        ASSERT_TRUE(launcher.Drop({desktop.Archive()}, IDC_GROUP_BUTTON));
        ASSERT_TRUE(WaitFor([&] { return FileExists(desktop.Folder() + "\\pictures\\cat.txt") && IsWindowEnabled(window); }))
            << "the archive was not unpacked into " << desktop.Folder();
        EXPECT_EQ(ReadFileBytes(notes), ReadFileBytes(desktop.Folder() + "\\notes.txt"));
        EXPECT_EQ(std::string(70000, 'c'), ReadFileBytes(desktop.Folder() + "\\pictures\\cat.txt"));
        EXPECT_TRUE(desktop.CloseFolderWindow(launcher)) << "the unpacked folder was not opened (or not closed)";

        GetWindowRect(window, &placeAfterDay);
        ASSERT_TRUE(launcher.Close());
        EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9)) << "the hotkey outlived the launcher";
        dataAfterDay = ReadFileBytes(AppFile("porun.dat"));
        shortcutsAfterDay = ReadFileBytes(AppFile("shortcut.dat"));
        positionsAfterDay = ReadFileBytes(AppFile("position.dat"));
    }
    ASSERT_EQ(kDataFileSize, dataAfterDay.size());
    EXPECT_NE(std::string::npos, shortcutsAfterDay.find("ShortCut.00:001.key,120\r\n")) << shortcutsAfterDay;
    EXPECT_NE(std::string::npos, shortcutsAfterDay.find("ShortCut.00:001.flag,3\r\n")) << shortcutsAfterDay;
    EXPECT_NE(std::string::npos, shortcutsAfterDay.find("ShortCut.00:001.usesystemshortcut,1\r\n"))
        << shortcutsAfterDay;
    EXPECT_NE(std::string::npos, shortcutsAfterDay.find("ShortCut.01:005.key,119\r\nShortCut.01:005.flag,2\r\n"
                                                        "ShortCut.01:005.usesystemshortcut,0\r\n"))
        << shortcutsAfterDay;
    const std::string left = "position00.positon.x," + std::to_string(placeAfterDay.left) + "\r\n";
    EXPECT_NE(std::string::npos, positionsAfterDay.find(left)) << positionsAfterDay;
    const DataFile day = ReadDataFile(AppFile("porun.dat"));
    EXPECT_EQ(placeAfterDay.left, day.settings.windowX);
    EXPECT_EQ(placeAfterDay.top, day.settings.windowY);

    // ---- evening: everything as it was ---------------------------------------------
    {
        Launcher launcher(exe_);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(nullptr, window);
        RECT place = {};
        GetWindowRect(window, &place);
        EXPECT_EQ(placeAfterDay.left, place.left);
        EXPECT_EQ(placeAfterDay.top, place.top);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9)) << "the system hotkey was not registered again";
        EXPECT_NE(nullptr, launcher.ControlImage(IDC_FIRST_LAUNCHER + 1));
        ASSERT_TRUE(launcher.Close());
    }
    // Started on the group the day ended on and changed nothing: the same files.
    EXPECT_EQ(1, day.settings.lastGroup);
    EXPECT_EQ(dataAfterDay, ReadFileBytes(AppFile("porun.dat")));
    EXPECT_EQ(shortcutsAfterDay, ReadFileBytes(AppFile("shortcut.dat")));
    EXPECT_EQ(positionsAfterDay, ReadFileBytes(AppFile("position.dat")));

    // ---- night: a damaged data file ---------------------------------------------------
    const std::string damaged = dataAfterDay.substr(0, 5000);
    ASSERT_TRUE(WriteFileBytes(AppFile("porun.dat"), damaged));
    {
        Launcher launcher(exe_);
        HWND message = launcher.WaitForDialog("ぽてまるエラー");
        ASSERT_NE(nullptr, message) << "no error message for the damaged data file";
        EXPECT_EQ("データの読み込みに失敗したのら！！", ItemText(message, 0xFFFF));
        PressDialogButton(message, IDOK);
        ASSERT_NE(nullptr, launcher.WaitForWindow());
        // Nothing overwritten yet: the damaged file is moved aside by the first save.
        EXPECT_EQ(damaged, ReadFileBytes(AppFile("porun.dat")));
        EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9)) << "shortcut.dat is apart from the data file";
        ASSERT_TRUE(launcher.Close());
    }
    const DataFile night = ReadDataFile(AppFile("porun.dat"));
    ASSERT_TRUE(night.ok) << "no whole data file after the night";
    EXPECT_STREQ("", night.Button(0, 1).file);
    EXPECT_STREQ("", night.Button(1, 5).file);
    EXPECT_EQ(damaged, ReadFileBytes(AppFile("porun.dat.bad")));
    EXPECT_EQ(shortcutsAfterDay, ReadFileBytes(AppFile("shortcut.dat")));
}

}  // namespace
