#include "dialogs/group_settings_dialog.h"

#include "app/main_window.h"
#include "app/messages.h"
#include "app/program_path.h"
#include "bar/bar_geometry.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "dialogs/icon_preview.h"
#include "dialogs/shell_link.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_capture_dialog.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"

#include <commctrl.h>

#include <cstring>

namespace {
constexpr int kIdName = 1000;
constexpr int kIdIconFile = 1004;
constexpr int kIdGroupCount = 1005;
constexpr int kIdBrowse = 1006;
constexpr int kIdStartWithLast = 1010;
constexpr int kIdIconSource = 1014;
constexpr int kIdHotkeyText = 1023;
constexpr int kIdCaptureHotkey = 1025;
constexpr int kIdAlwaysOnTop = 1026;
constexpr int kIdGroupCountSpin = 1030;
constexpr int kIdCancel = 1032;
constexpr int kIdCollapse = 1101;

constexpr UINT kIconSourceFirst = 300;  // 300 "free", 301 "the launcher itself"
constexpr int kIconSourceChoices = 2;
constexpr int kEditLimit = 260;
constexpr int kGroupCountDigits = 4;

// Dialog-local state, valid while the dialog is open.
HWND g_mainWindow = nullptr;
int g_iconCount = 0;
int g_activeKeyAtOpen = 0;
int g_activeFlagAtOpen = 0;

void CopyField(char* buffer, const char* field)
{
    std::memcpy(buffer, field, kTextFieldSize);
    buffer[kTextFieldSize - 1] = '\0';
}

void SetIconSource(HWND dialog, int count)
{
    g_iconCount = count;
    SetIconSliderRange(dialog, count);
}

void ShowHotkeyRow(HWND dialog)
{
    int key = 0;
    int flags = 0;
    GetActiveShortcut(&key, &flags);
    char text[kShortcutTextSize];
    FormatShortcutText(key, flags, text, sizeof text);
    SetDlgItemTextA(dialog, kIdHotkeyText, text);
}

void PrepareControls(HWND dialog, const AppSettings& settings)
{
    SendDlgItemMessageA(dialog, kIdName, EM_LIMITTEXT, kEditLimit, 0);
    SendDlgItemMessageA(dialog, kIdIconFile, EM_LIMITTEXT, kEditLimit, 0);
    SendDlgItemMessageA(dialog, kIdGroupCount, EM_LIMITTEXT, kGroupCountDigits, 0);
    CheckDlgButton(dialog, kIdCollapse, settings.collapseOnLaunch ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kIdAlwaysOnTop, settings.alwaysOnTop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kIdStartWithLast, settings.startWithLastGroup ? BST_CHECKED : BST_UNCHECKED);

    if (SendDlgItemMessageA(dialog, kIdIconSource, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i < kIconSourceChoices; ++i) {
            char text[128];
            LoadText(kIconSourceFirst + i, text, sizeof text);
            SendDlgItemMessageA(dialog, kIdIconSource, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    SendDlgItemMessageA(dialog, kIdIconSource, CB_SETCURSEL, 0, 0);

    // The spin's range runs from 10 (minimum) to 1 (maximum): its up arrow
    // counts down toward 1, its down arrow up toward 10, wrapping at the ends.
    const int count = ClampGroupCount(settings.groupCount);
    char text[16];
    wsprintfA(text, "%2d", count);
    SetDlgItemTextA(dialog, kIdGroupCount, text);
    SendDlgItemMessageA(dialog, kIdGroupCountSpin, UDM_SETRANGE, 0, MAKELPARAM(1, kGroupCount));
    SendDlgItemMessageA(dialog, kIdGroupCountSpin, UDM_SETPOS, 0, MAKELPARAM(count, 0));
    SetDlgItemTextA(dialog, kIdGroupCount, text);
}

void Initialise(HWND dialog)
{
    const AppSettings settings = GetSettings();
    const GroupRecord group = GetCurrentGroupRecord();
    PrepareControls(dialog, settings);

    DialogRequest& request = GetDialogRequest();
    char path[kTextFieldSize];
    CopyField(path, group.iconFile);
    int index = group.iconIndex;
    if (request.presetFlag) {
        CopyField(path, request.presetPath);
        index = 0;
        if (IsShellLinkPath(path) && !ResolveShellLink(dialog, path)) {
            ShowMessageId(dialog, kMsgLinkFailed, MB_OK | MB_ICONERROR);
            path[0] = '\0';
        }
    }
    if (!path[0]) {
        GetProgramPath(path, sizeof path);
        index = CurrentGroupIndex() + 1;  // the group's default icon
    }
    SetDlgItemTextA(dialog, kIdIconFile, path);
    SetDialogRequest(request.targetIndex, request.presetFlag, path);
    SetIconNumberLabel(dialog, index);

    SetIconSource(dialog, IconCountOf(path));
    HICON icon;
    if (index <= 0) {
        icon = AssociatedIconOrNotFound(path);
    } else {
        icon = IconAtOrNotFound(path, index);
        SetIconSliderPosition(dialog, index);
    }
    SetButtonImage(dialog, kPreviewButtonId, icon);

    char name[kTextFieldSize];
    CopyField(name, group.name);
    SetDlgItemTextA(dialog, kIdName, name);

    ShowHotkeyRow(dialog);
    GetActiveShortcut(&g_activeKeyAtOpen, &g_activeFlagAtOpen);
}

// A new icon source: the slider over its icons at 0, its associated icon.
void ResetIconToSource(HWND dialog, const char* source)
{
    SetIconSource(dialog, IconCountOf(source));
    SetIconSliderPosition(dialog, 0);
    SetButtonImage(dialog, kPreviewButtonId, AssociatedIconOrNotFound(source));
    SetIconNumberLabel(dialog, 0);
}

void Browse(HWND dialog)
{
    if (BrowseForFile(dialog, 0))
        SetIconSource(dialog, IconCountOf(GetDialogRequest().presetPath));
}

void OnIconSourceChosen(HWND dialog)
{
    const int choice = static_cast<int>(SendDlgItemMessageA(dialog, kIdIconSource, CB_GETCURSEL, 0, 0));
    if (choice == 0) {
        Browse(dialog);
        return;
    }
    if (choice != 1)
        return;
    char path[kTextFieldSize] = "";
    GetProgramPath(path, sizeof path);
    SetDlgItemTextA(dialog, kIdIconFile, path);
    ResetIconToSource(dialog, path);
    DialogRequest& request = GetDialogRequest();
    SetDialogRequest(request.targetIndex, request.presetFlag, path);
}

void OnSliderMoved(HWND dialog)
{
    if (g_iconCount == 0)
        return;
    const int index = IconSliderPosition(dialog);
    SetIconNumberLabel(dialog, index);
    SetButtonImage(dialog, kPreviewButtonId, IconAtOrNotFound(GetDialogRequest().presetPath, index));
}

void OnPreviewClicked(HWND dialog)
{
    char path[kTextFieldSize] = "";
    GetDlgItemTextA(dialog, kIdIconFile, path, sizeof path);
    ChooseIconIntoPreview(dialog, path);
}

void OnCaptureHotkey(HWND dialog)
{
    CaptureActiveShortcut(dialog);
    ShowHotkeyRow(dialog);
}

// The spin's last valid position: a text it cannot take leaves it as it was.
int SpinGroupCount(HWND dialog)
{
    const LRESULT position = SendDlgItemMessageA(dialog, kIdGroupCountSpin, UDM_GETPOS, 0, 0);
    return ClampGroupCount(static_cast<short>(LOWORD(position)));
}

void Save(HWND dialog)
{
    GroupRecord group = {};
    GetDlgItemTextA(dialog, kIdName, group.name, sizeof group.name);
    GetDlgItemTextA(dialog, kIdIconFile, group.iconFile, sizeof group.iconFile);
    group.iconIndex = IconSliderPosition(dialog);
    SetCurrentGroupRecord(group);

    // The preview's icon moves to the group button and belongs to it now.
    HICON icon = reinterpret_cast<HICON>(
        SendDlgItemMessageA(dialog, kPreviewButtonId, BM_GETIMAGE, IMAGE_ICON, 0));
    SendDlgItemMessageA(dialog, kPreviewButtonId, BM_SETIMAGE, IMAGE_ICON, 0);
    SetButtonImage(g_mainWindow, kGroupButtonId, icon);

    AppSettings settings = GetSettings();
    settings.collapseOnLaunch = IsDlgButtonChecked(dialog, kIdCollapse) == BST_CHECKED ? 1 : 0;
    settings.alwaysOnTop = IsDlgButtonChecked(dialog, kIdAlwaysOnTop) == BST_CHECKED ? 1 : 0;
    settings.startWithLastGroup = IsDlgButtonChecked(dialog, kIdStartWithLast) == BST_CHECKED ? 1 : 0;
    settings.groupCount = SpinGroupCount(dialog);
    SetTopmost(g_mainWindow, settings.alwaysOnTop != 0);
    SetSettings(settings);

    UpdateBarTooltips(g_mainWindow, TooltipMode::Update);
    SaveLauncherData(g_mainWindow);
    UnregisterActiveHotkey(g_mainWindow);
    RegisterActiveHotkey(g_mainWindow);
}

void OnCancel(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    SetButtonImage(dialog, kPreviewButtonId, nullptr);
    SetActiveShortcut(g_activeKeyAtOpen, g_activeFlagAtOpen);
}

bool OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case kIdIconSource:
        if (code == CBN_SELCHANGE)
            OnIconSourceChosen(dialog);
        return true;
    case kPreviewButtonId:
        OnPreviewClicked(dialog);
        return true;
    case kIdBrowse:
        Browse(dialog);
        return true;
    case kIdCaptureHotkey:
        OnCaptureHotkey(dialog);
        return true;
    case IDOK:
        Save(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    case kIdCancel:
        OnCancel(dialog);
        return true;
    case IDCANCEL:
        return true;  // ESC: the dialog has no cancel button of that id
    default:
        return false;
    }
}

INT_PTR CALLBACK GroupSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(dialog);
        return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kIconSliderId))
            OnSliderMoved(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SetButtonImage(dialog, kPreviewButtonId, nullptr);
        return FALSE;
    case WM_CLOSE:
        ResetDialogRequest();
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

INT_PTR ShowGroupSettingsDialog(HWND mainWindow)
{
    g_mainWindow = mainWindow;
    g_iconCount = 0;
    g_activeKeyAtOpen = 0;
    g_activeFlagAtOpen = 0;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kGroupSettingsDialogId), mainWindow,
                    GroupSettingsProc, 0);
    return 1;
}
