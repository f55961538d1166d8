// A day of the built launcher driven from outside, then an evening that changes no file.
#include "support/launcher.h"

#include "resources/resource_ids.h"

#include <commctrl.h>

using namespace support;

namespace {

// command posted, as choosing it does, once control's right-click menu is up and ESC closed it; its dialog.
HWND FromMenu(LauncherProcess& launcher, int control, UINT command, const std::wstring& caption)
{
    HWND window = launcher.Window(), menu = nullptr;  // an open popup menu lies above every other window
    PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(window, control)), 0);
    WaitUntil([&] { return IsWindowVisible(menu = FindWindowW(L"#32768", nullptr)); });
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&] { return !IsWindowVisible(menu); });
    PostMessageW(window, WM_COMMAND, command, 0);
    return launcher.Dialog(caption);
}

bool Confirm(HWND dialog)  // OK; true once it is gone
{
    if (dialog)
        Press(dialog, IDOK);
    return dialog && WaitGone(dialog);
}

// The key capture opened by button of dialog takes the keys; true once it did.
bool Capture(const LauncherProcess& launcher, HWND dialog, int button, Keys held, BYTE key)
{
    Press(dialog, button);
    HWND capture = launcher.Dialog(L"ショートカットキーの登録");
    PostKeys(GetDlgItem(capture, IDC_KEY_CAPTURE_PROMPT), held, key);
    return capture && WaitGone(capture) && Idle(dialog);
}

TEST(WholeDay, FilesSettingsAndShortcutsSurviveADay)
{
    TempFolder folder(L"ぽてまる 表");
    const std::wstring exe = CopyInto(BuildFile(PORUN_EXE_PATH), folder, L"porun.exe");
    const std::wstring data = folder.File(L"porun.dat");
    const Recorder memo(folder, L"道具\\memo.exe", true);
    const Recorder calc(folder, L"電卓\\calc.exe", true);
    const std::wstring desktop = folder.Folder(L"デスクトップ");
    const DesktopRedirect onlyHere(desktop);
    {
        LauncherProcess launcher(exe);
        HWND window = launcher.Window();
        ASSERT_NE(nullptr, window);
        EXPECT_FALSE(Exists(data));  // nothing written before the first change
        ASSERT_TRUE(launcher.Drop({calc.Path()}, IDC_FIRST_LAUNCHER + 1));
        HWND dialog = launcher.Dialog(L"第 2ボタン");
        SetDlgItemTextW(dialog, IDC_BUTTON_TITLE, L"でんたく");
        SetDlgItemTextW(dialog, IDC_BUTTON_PARAMS, L"--evening \"two words\"");
        ASSERT_TRUE(Confirm(dialog));
        std::optional<DataImage> saved = DataImage::Read(data);  // a confirmed dialog saves
        ASSERT_TRUE(saved && saved->File(0, 1) == calc.Path());

        // The shortcut list opens on the button: CTRL+SHIFT+F9, system-wide, starts it from anywhere.
        const wchar_t shortcutList[] = L"ショートカットキーの設定";
        HWND list = FromMenu(launcher, IDC_FIRST_LAUNCHER + 1, IDM_BUTTON_SHORTCUTS, shortcutList);
        ASSERT_TRUE(Capture(launcher, list, IDC_SHORTCUT_ASSIGN, {VK_CONTROL, VK_SHIFT}, VK_F9));
        SendDlgItemMessageW(list, IDC_SHORTCUT_SYSTEM_HOTKEY, BM_CLICK, 0, 0);
        ASSERT_TRUE(Confirm(list) && Idle(window));
        EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9));
        // As the system posts it (id: the button's number): a real chord here races Wine's focus events.
        PostMessageW(window, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F9));
        ASSERT_TRUE(calc.Started()) << "the system hotkey started nothing";
        const Received got = calc.Got();
        EXPECT_NE(std::wstring::npos, got.commandLine.find(L" --evening \"two words\"")) << got.commandLine;
        EXPECT_EQ(FolderOf(calc.Path()), got.folder);

        // memo dropped into the next group gets F8 there, a plain shortcut, which starts it.
        PostMessageW(window, WM_COMMAND, IDC_NEXT_GROUP, 0);
        ASSERT_TRUE(launcher.Drop({memo.Path()}, IDC_FIRST_LAUNCHER + 5));
        dialog = launcher.Dialog(L"第 6ボタン");
        ASSERT_TRUE(Capture(launcher, dialog, IDC_BUTTON_KEY, {}, VK_F8) && Confirm(dialog));
        EXPECT_FALSE(HotkeyTaken(0, VK_F8)) << "a plain shortcut became system-wide";
        PostMessageW(window, WM_KEYDOWN, VK_F8, 1);
        EXPECT_TRUE(memo.Started()) << "F8 did not start the dropped button";

        dialog = FromMenu(launcher, IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, L"基本設定");
        SetDlgItemTextW(dialog, IDC_GROUP_NAME, L"道具箱");
        SendDlgItemMessageW(dialog, IDC_GROUP_ALWAYS_ON_TOP, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_GROUP_START_WITH_LAST, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_GROUP_COLLAPSE, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, MAKELPARAM(5, 0));
        ASSERT_TRUE(Confirm(dialog));
        EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "always on top not applied at once";
        ASSERT_TRUE(saved = DataImage::Read(data));
        EXPECT_EQ(L"道具箱", Decoded(saved->groups[1].group.name));
        EXPECT_EQ(L"でんたく", saved->Title(0, 1));
        EXPECT_EQ(memo.Path(), saved->File(1, 5));
        EXPECT_EQ(0, saved->settings.collapseOnLaunch);
        EXPECT_EQ(1, saved->settings.alwaysOnTop);
        EXPECT_EQ(5, saved->settings.groupCount);
        EXPECT_EQ(1, saved->settings.startWithLastGroup);
        EXPECT_EQ(1, saved->settings.lastGroup);

        // A file and a folder packed onto the desktop (the test's own); the archive unpacked beside it and shown.
        const std::wstring name = L"porun-whole-day";
        const std::wstring archive = desktop + L"\\" + name + L".zip";
        const std::wstring unpacked = desktop + L"\\" + name;
        const std::wstring bag = folder.Folder(L"荷物");
        ASSERT_TRUE(WriteBytes(bag + L"\\notes.txt", "お弁当を忘れないのら\r\n"));
        ASSERT_TRUE(WriteBytes(folder.Folder(L"荷物\\pictures") + L"\\cat.txt", std::string(70000, 'c')));
        ASSERT_TRUE(launcher.Drop({bag + L"\\notes.txt", bag + L"\\pictures"}, IDC_GROUP_BUTTON));
        HWND naming = launcher.Dialog(L"ZIP書庫の作成");
        SetDlgItemTextW(naming, IDC_ARCHIVE_NAME_EDIT, name.c_str());
        // Packed once the archive has bytes (the name's empty probe comes first) and the window is enabled again.
        ASSERT_TRUE(Confirm(naming));
        ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(archive).empty() && IsWindowEnabled(window); }));
        ASSERT_TRUE(launcher.Drop({archive}, IDC_GROUP_BUTTON));
        ASSERT_TRUE(WaitUntil([&] { return Exists(unpacked + L"\\pictures\\cat.txt") && IsWindowEnabled(window); }));
        EXPECT_EQ(ListTree(bag), ListTree(unpacked));
        for (const wchar_t* file : {L"\\notes.txt", L"\\pictures\\cat.txt"})
            EXPECT_EQ(ReadBytes(bag + file), ReadBytes(unpacked + file)) << file;
        HWND shown = nullptr;  // the shell's window on the folder, titled by its name
        EXPECT_TRUE(WaitUntil([&] { return (shown = FindWindowW(nullptr, name.c_str())) != nullptr; }));
        PostMessageW(shown, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitGone(shown));

        ASSERT_TRUE(launcher.Close());
    }
    const std::vector<std::wstring> files = {data, folder.File(L"shortcut.dat"), folder.File(L"position.dat")};
    const std::vector<std::string> day = {ReadBytes(files[0]), ReadBytes(files[1]), ReadBytes(files[2])};
    EXPECT_NE(std::string::npos, day[1].find(ShortcutLines(0, 1, VK_F9, kShift | kCtrl, kSystemHotkey))) << day[1];
    EXPECT_NE(std::string::npos, day[1].find(ShortcutLines(1, 5, VK_F8, kNoModifiers, kPlainKey, 0))) << day[1];

    {
        LauncherProcess launcher(exe);
        HWND window = launcher.Window();  // null fails every check below
        EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        ASSERT_TRUE(launcher.Close());
    }
    for (size_t i = 0; i < files.size(); ++i)  // the same place, group, settings and shortcuts
        EXPECT_EQ(day[i], ReadBytes(files[i])) << files[i];
}

}  // namespace
