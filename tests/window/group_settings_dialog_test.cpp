// The group and general settings dialog over the real main window.
#include "app/main_window.h"
#include "bar/button_bar.h"
#include "support/messages.h"
#include "bar/bar_geometry.h"
#include "common/launcher_window_test.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "dialogs/dialog_request.h"
#include "dialogs/group_settings_dialog.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/icon_preview.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"
#include "window/dialog_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>

namespace {

using namespace drive;

constexpr char kCaption[] = "基本設定、なのら";

std::string Text(HWND dialog, int id)
{
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int SpinPosition(HWND dialog)
{
    return static_cast<short>(LOWORD(SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_GETPOS, 0, 0)));
}

// A mouse click on the upper or lower arrow of the spin control.
void ClickSpinArrow(HWND dialog, bool up)
{
    HWND spin = GetDlgItem(dialog, IDC_GROUP_COUNT_SPIN);
    RECT rect;
    GetClientRect(spin, &rect);
    const int y = up ? rect.bottom / 4 : rect.bottom * 3 / 4;
    const LPARAM point = MAKELPARAM(rect.right / 2, y);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(spin, WM_LBUTTONUP, 0, point);
}

void SetSpin(HWND dialog, int count)
{
    SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, MAKELPARAM(count, 0));
}

int SliderPosition(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_SLIDER, TBM_GETPOS, 0, 0));
}

class GroupSettingsDialogTest : public LauncherWindowTest {
protected:
    void SetUp() override
    {
        OpenLauncherWindow(SW_SHOWNOACTIVATE);
    }
    void SetCount(int count)
    {
        AppSettings settings = GetSettings();
        settings.groupCount = count;
        SetSettings(settings);
    }
    // The settings as the data file on disk holds them.
    AppSettings SavedSettings() const
    {
        const std::string bytes = ReadFileBytes(folder_.File("porun.dat"));
        AppSettings settings{};
        if (bytes.size() == kDataFileSize)
            std::memcpy(&settings, bytes.data() + sizeof(LauncherData), sizeof settings);
        return settings;
    }
    void Open(std::function<void(HWND)> action)
    {
        DialogDriver driver(kCaption, std::move(action));
        EXPECT_EQ(1, ShowGroupSettingsDialog(window_));
        driver.Join();
        ASSERT_TRUE(driver.Ran());
    }
};

TEST_F(GroupSettingsDialogTest, SpinArrowsCountDownOnUpAndWrap)
{
    SetCount(3);
    std::string initialText;
    int afterUpFrom3 = 0, afterDownFrom10 = 0, afterUpFrom1 = 0;
    std::string textAfterUp;
    Open([&](HWND dialog) {
        initialText = Text(dialog, IDC_GROUP_COUNT);
        ClickSpinArrow(dialog, true);
        afterUpFrom3 = SpinPosition(dialog);
        textAfterUp = Text(dialog, IDC_GROUP_COUNT);
        SetSpin(dialog, 10);
        ClickSpinArrow(dialog, false);
        afterDownFrom10 = SpinPosition(dialog);
        ClickSpinArrow(dialog, true);
        afterUpFrom1 = SpinPosition(dialog);
        ClickButton(dialog, IDC_GROUP_CANCEL);
    });
    EXPECT_EQ(" 3", initialText);
    EXPECT_EQ(2, afterUpFrom3);
    EXPECT_EQ("2", textAfterUp);
    EXPECT_EQ(1, afterDownFrom10);
    EXPECT_EQ(10, afterUpFrom1);
    EXPECT_EQ(3, GetSettings().groupCount);  // cancelled
}

TEST_F(GroupSettingsDialogTest, LoweringTheGroupCountBelowTheCurrentGroupKeepsItUntilTheNextStep)
{
    SetCount(10);
    SendMessageA(window_, WM_COMMAND, IDM_FIRST_GROUP + 5, 0);  // the group menu's group 6
    ASSERT_EQ(5, CurrentGroupIndex());
    Open([&](HWND dialog) {
        SetSpin(dialog, 3);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(3, GetSettings().groupCount);
    EXPECT_EQ(3, SavedSettings().groupCount);
    EXPECT_EQ(5, CurrentGroupIndex());
    SendMessageA(window_, WM_COMMAND, IDC_NEXT_GROUP, 0);
    EXPECT_EQ(0, CurrentGroupIndex());
}

TEST_F(GroupSettingsDialogTest, AGroupCountTextTheSpinCannotTakeKeepsItsLastPosition)
{
    SetCount(4);
    Open([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_GROUP_COUNT, "50");
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(4, GetSettings().groupCount);
}

TEST_F(GroupSettingsDialogTest, AlwaysOnTopTakesEffectAtOnceAfterOk)
{
    SetTopmost(window_, false);
    SetAlwaysOnTop(false);
    ASSERT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    bool checkedAtOpen = true;
    Open([&](HWND dialog) {
        checkedAtOpen = IsDlgButtonChecked(dialog, IDC_GROUP_ALWAYS_ON_TOP) == BST_CHECKED;
        CheckDlgButton(dialog, IDC_GROUP_ALWAYS_ON_TOP, BST_CHECKED);
        ClickButton(dialog, IDOK);
    });
    EXPECT_FALSE(checkedAtOpen);
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetAlwaysOnTop());
    EXPECT_EQ(1, SavedSettings().alwaysOnTop);

    Open([&](HWND dialog) {
        CheckDlgButton(dialog, IDC_GROUP_ALWAYS_ON_TOP, BST_UNCHECKED);
        ClickButton(dialog, IDOK);
    });
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, SavedSettings().alwaysOnTop);
}

TEST_F(GroupSettingsDialogTest, ADroppedFileIsProposedAndCancelLeavesTheGroupAsItWas)
{
    GroupRecord group = {};
    lstrcpyA(group.name, "tools");
    lstrcpyA(group.iconFile, program_.c_str());
    group.iconIndex = 2;
    SetCurrentGroupRecord(group);
    const std::string dropped = folder_.File("dropped.exe");
    ASSERT_TRUE(MakeFileWithIcons(dropped, 3));
    SetDialogRequest(0, 1, dropped.c_str());

    std::string shown, name;
    int slider = -1;
    Open([&](HWND dialog) {
        shown = Text(dialog, IDC_GROUP_ICON_FILE);
        name = Text(dialog, IDC_GROUP_NAME);
        slider = SliderPosition(dialog);
        ClickButton(dialog, IDC_GROUP_CANCEL);
    });
    EXPECT_EQ(dropped, shown);
    EXPECT_EQ("tools", name);
    EXPECT_EQ(0, slider);
    const GroupRecord after = GetCurrentGroupRecord();
    EXPECT_EQ(0, std::memcmp(&group, &after, sizeof group));
    EXPECT_EQ(0, GetDialogRequest().presetFlag);
    EXPECT_STREQ("", GetDialogRequest().presetPath);
    EXPECT_FALSE(FileExists(folder_.File("porun.dat")));  // nothing was saved
}

TEST_F(GroupSettingsDialogTest, IconSourceEntryOneStoresTheProgramWithIndexZero)
{
    const std::string other = folder_.File("other.exe");
    ASSERT_TRUE(MakeFileWithIcons(other, 5));
    GroupRecord group = {};
    lstrcpyA(group.iconFile, other.c_str());
    group.iconIndex = 3;
    SetCurrentGroupRecord(group);

    std::string shown;
    int sliderAtOpen = -1, sliderAfter = -1;
    Open([&](HWND dialog) {
        sliderAtOpen = SliderPosition(dialog);
        SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ICON_SOURCE_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ICON_SOURCE_LIST)));
        shown = Text(dialog, IDC_GROUP_ICON_FILE);
        sliderAfter = SliderPosition(dialog);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(3, sliderAtOpen);
    EXPECT_EQ(program_, shown);
    EXPECT_EQ(0, sliderAfter);
    const GroupRecord after = GetCurrentGroupRecord();
    EXPECT_EQ(program_, std::string(after.iconFile));
    EXPECT_EQ(0, after.iconIndex);
}

TEST_F(GroupSettingsDialogTest, NameAndChosenIconAreStoredAndSaved)
{
    Open([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_GROUP_NAME, "ゲーム");
        ClickButton(dialog, IDC_ICON_PREVIEW);
        HWND chooser = WaitForDialog("アイコンを選択するんら");
        if (!chooser)
            return;
        DoubleClickItem(GetDlgItem(chooser, IDC_ICON_CHOOSER_LIST), 4);
        const DWORD start = GetTickCount();
        while (IsWindow(chooser) && GetTickCount() - start < 5000)
            Sleep(10);
        ClickButton(dialog, IDOK);
    });
    const GroupRecord group = GetCurrentGroupRecord();
    EXPECT_STREQ("ゲーム", group.name);
    EXPECT_EQ(program_, std::string(group.iconFile));
    EXPECT_EQ(4, group.iconIndex);
    const std::string saved = ReadFileBytes(folder_.File("porun.dat"));
    ASSERT_EQ(kDataFileSize, saved.size());
    EXPECT_EQ(4, reinterpret_cast<const LauncherData*>(saved.data())->groups[0].group.iconIndex);
}

// Waits until the edit's text ends in c: every message posted before it was handled.
bool WaitForTyped(HWND edit, char c)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000 && IsWindow(edit)) {
        char text[300] = "";
        GetWindowTextA(edit, text, sizeof text);
        const int length = lstrlenA(text);
        if (length > 0 && text[length - 1] == c)
            return true;
        Sleep(10);
    }
    return false;
}

TEST_F(GroupSettingsDialogTest, EscapeDoesNothing)
{
    bool firstMark = false, secondMark = false, open = false;
    Open([&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_GROUP_NAME);
        PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        PostMessageA(edit, WM_CHAR, 'x', 0);
        firstMark = WaitForTyped(edit, 'x');
        // Whatever the escape posted in turn comes before this mark.
        PostMessageA(edit, WM_CHAR, 'y', 0);
        secondMark = WaitForTyped(edit, 'y');
        open = IsWindow(dialog) && IsWindowVisible(dialog);
        ClickButton(dialog, IDC_GROUP_CANCEL);
    });
    EXPECT_TRUE(firstMark);
    EXPECT_TRUE(secondMark);
    EXPECT_TRUE(open);
}

TEST_F(GroupSettingsDialogTest, TheActivationHotkeyRowAndCancelRestoringIt)
{
    SetActiveShortcut(VK_F5, kModifierCtrl);
    std::string row;
    Open([&](HWND dialog) {
        row = Text(dialog, IDC_GROUP_HOTKEY_TEXT);
        SetActiveShortcut(VK_F6, kModifierCtrl | kModifierAlt);  // as a key capture does
        ClickButton(dialog, IDC_GROUP_CANCEL);
    });
    EXPECT_EQ(std::string("CTRL+") + GetKeyName(VK_F5), row);
    int key = 0, flags = 0;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(VK_F5, key);
    EXPECT_EQ(kModifierCtrl, flags);
}

TEST_F(GroupSettingsDialogTest, OkRegistersTheNewActivationHotkey)
{
    SetActiveShortcut(VK_F5, kModifierCtrl);
    Open([&](HWND dialog) {
        SetActiveShortcut(VK_F7, kModifierCtrl | kModifierShift);
        ClickButton(dialog, IDOK);
    });
    int key = 0, flags = 0;
    GetActiveShortcut(&key, &flags);
    EXPECT_EQ(VK_F7, key);
    // Registered for the main window: the combination is taken.
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_SHIFT, VK_F7));
    EXPECT_TRUE(UnregisterHotKey(window_, kActivationHotkeyId));
}

TEST_F(GroupSettingsDialogTest, ABrokenLinkIsReportedAndTheGroupsDefaultIconTakesItsPlace)
{
    const std::string link = folder_.File("broken.lnk");
    ASSERT_TRUE(WriteFileBytes(link, "not a shell link at all"));
    SetDialogRequest(0, 1, link.c_str());
    DialogAnswerer answer("(@.@)", IDOK);
    std::string shown, label;
    Open([&](HWND dialog) {
        shown = Text(dialog, IDC_GROUP_ICON_FILE);
        label = Text(dialog, IDC_ICON_NUMBER);
        ClickButton(dialog, IDC_GROUP_CANCEL);
    });
    answer.Join();
    ASSERT_TRUE(answer.Answered());
    char expected[260];
    LoadText(IDS_MSG_LINK_FAILED, expected, sizeof expected);
    EXPECT_EQ(expected, answer.Text());
    EXPECT_EQ(program_, shown);
    char format[64], number[64];
    LoadText(200, format, sizeof format);
    wsprintfA(number, format, CurrentGroupIndex() + 1);
    EXPECT_EQ(number, label);
}

TEST_F(GroupSettingsDialogTest, ShiftClickOnTheGroupButtonOpensItAndKeepsTheBarExpanded)
{
    bool opened = false;
    {
        DialogDriver driver(kCaption, [&](HWND dialog) {
            opened = true;
            ClickButton(dialog, IDC_GROUP_CANCEL);
        });
        HeldKey shift(VK_LSHIFT);
        // The click has toggled the check state before the command arrives.
        CheckDlgButton(window_, IDC_GROUP_BUTTON, BST_UNCHECKED);
        SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_GROUP_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window_, IDC_GROUP_BUTTON)));
        driver.Join();
    }
    EXPECT_TRUE(opened);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

}  // namespace
