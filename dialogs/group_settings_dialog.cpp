#include "dialogs/group_settings_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "dialogs/icon_preview.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/shell_link.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"
#include "support/program_files.h"

#include <commctrl.h>

#include <cstring>

namespace {
constexpr int kIconSourceChoices = 2;  // IDS_ICON_SOURCE_FREE, _SELF
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
    SetDlgItemTextA(dialog, IDC_GROUP_HOTKEY_TEXT, text);
}

void PrepareControls(HWND dialog, const AppSettings& settings)
{
    SendDlgItemMessageA(dialog, IDC_GROUP_NAME, EM_LIMITTEXT, kEditLimit, 0);
    SendDlgItemMessageA(dialog, IDC_GROUP_ICON_FILE, EM_LIMITTEXT, kEditLimit, 0);
    SendDlgItemMessageA(dialog, IDC_GROUP_COUNT, EM_LIMITTEXT, kGroupCountDigits, 0);
    CheckDlgButton(dialog, IDC_GROUP_COLLAPSE, settings.collapseOnLaunch ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_GROUP_ALWAYS_ON_TOP, settings.alwaysOnTop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_GROUP_START_WITH_LAST, settings.startWithLastGroup ? BST_CHECKED : BST_UNCHECKED);

    if (SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i < kIconSourceChoices; ++i) {
            char text[128];
            LoadText(IDS_ICON_SOURCE_FREE + i, text, sizeof text);
            SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 0, 0);

    // The spin's range runs from 10 (minimum) to 1 (maximum): its up arrow
    // counts down toward 1, its down arrow up toward 10, wrapping at the ends.
    const int count = ClampGroupCount(settings.groupCount);
    char text[16];
    wsprintfA(text, "%2d", count);
    SetDlgItemTextA(dialog, IDC_GROUP_COUNT, text);
    SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1, kGroupCount));
    SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, MAKELPARAM(count, 0));
    SetDlgItemTextA(dialog, IDC_GROUP_COUNT, text);
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
            ShowMessageId(dialog, IDS_MSG_LINK_FAILED, MB_OK | MB_ICONERROR);
            path[0] = '\0';
        }
    }
    if (!path[0]) {
        GetProgramPath(path, sizeof path);
        index = CurrentGroupIndex() + 1;  // the group's default icon
    }
    SetDlgItemTextA(dialog, IDC_GROUP_ICON_FILE, path);
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
    SetButtonImage(dialog, IDC_ICON_PREVIEW, icon);

    char name[kTextFieldSize];
    CopyField(name, group.name);
    SetDlgItemTextA(dialog, IDC_GROUP_NAME, name);

    ShowHotkeyRow(dialog);
    GetActiveShortcut(&g_activeKeyAtOpen, &g_activeFlagAtOpen);
}

// A new icon source: the slider over its icons at 0, its associated icon.
void ResetIconToSource(HWND dialog, const char* source)
{
    SetIconSource(dialog, IconCountOf(source));
    SetIconSliderPosition(dialog, 0);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, AssociatedIconOrNotFound(source));
    SetIconNumberLabel(dialog, 0);
}

void Browse(HWND dialog)
{
    if (BrowseForFile(dialog, 0))
        SetIconSource(dialog, IconCountOf(GetDialogRequest().presetPath));
}

void OnIconSourceChosen(HWND dialog)
{
    const int choice = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETCURSEL, 0, 0));
    if (choice == 0) {
        Browse(dialog);
        return;
    }
    if (choice != 1)
        return;
    char path[kTextFieldSize] = "";
    GetProgramPath(path, sizeof path);
    SetDlgItemTextA(dialog, IDC_GROUP_ICON_FILE, path);
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
    SetButtonImage(dialog, IDC_ICON_PREVIEW, IconAtOrNotFound(GetDialogRequest().presetPath, index));
}

void OnPreviewClicked(HWND dialog)
{
    char path[kTextFieldSize] = "";
    GetDlgItemTextA(dialog, IDC_GROUP_ICON_FILE, path, sizeof path);
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
    const LRESULT position = SendDlgItemMessageA(dialog, IDC_GROUP_COUNT_SPIN, UDM_GETPOS, 0, 0);
    return ClampGroupCount(static_cast<short>(LOWORD(position)));
}

void Save(HWND dialog)
{
    GroupRecord group = {};
    GetDlgItemTextA(dialog, IDC_GROUP_NAME, group.name, sizeof group.name);
    GetDlgItemTextA(dialog, IDC_GROUP_ICON_FILE, group.iconFile, sizeof group.iconFile);
    group.iconIndex = IconSliderPosition(dialog);
    SetCurrentGroupRecord(group);

    // The preview's icon moves to the group button and belongs to it now.
    HICON icon = reinterpret_cast<HICON>(
        SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0));
    SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_SETIMAGE, IMAGE_ICON, 0);
    SetButtonImage(g_mainWindow, IDC_GROUP_BUTTON, icon);

    AppSettings settings = GetSettings();
    settings.collapseOnLaunch = IsDlgButtonChecked(dialog, IDC_GROUP_COLLAPSE) == BST_CHECKED ? 1 : 0;
    settings.alwaysOnTop = IsDlgButtonChecked(dialog, IDC_GROUP_ALWAYS_ON_TOP) == BST_CHECKED ? 1 : 0;
    settings.startWithLastGroup = IsDlgButtonChecked(dialog, IDC_GROUP_START_WITH_LAST) == BST_CHECKED ? 1 : 0;
    settings.groupCount = SpinGroupCount(dialog);
    SetTopmost(g_mainWindow, settings.alwaysOnTop != 0);
    SetSettings(settings);

    UpdateBarTooltips(g_mainWindow);
    SaveLauncherData(g_mainWindow);
    UnregisterActiveHotkey(g_mainWindow);
    RegisterActiveHotkey(g_mainWindow);
}

void OnCancel(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, nullptr);
    SetActiveShortcut(g_activeKeyAtOpen, g_activeFlagAtOpen);
}

bool OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_ICON_SOURCE_LIST:
        if (code == CBN_SELCHANGE)
            OnIconSourceChosen(dialog);
        return true;
    case IDC_ICON_PREVIEW:
        OnPreviewClicked(dialog);
        return true;
    case IDC_GROUP_BROWSE_ICON:
        Browse(dialog);
        return true;
    case IDC_GROUP_HOTKEY_KEY:
        OnCaptureHotkey(dialog);
        return true;
    case IDOK:
        Save(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    case IDC_GROUP_CANCEL:
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
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_ICON_SLIDER))
            OnSliderMoved(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SetButtonImage(dialog, IDC_ICON_PREVIEW, nullptr);
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
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GROUP_SETTINGS), mainWindow,
                    GroupSettingsProc, 0);
    return 1;
}
