#include "dialogs/group_settings_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "dialogs/dialog_request.h"
#include "dialogs/field_edits.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/restore_dialog.h"
#include "dialogs/shell_link.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"
#include "support/program_files.h"
#include "support/startup_link.h"

#include <commctrl.h>

#include <cwchar>
#include <utility>

namespace {
constexpr int kGroupCountDigits = 4;

class GroupSettingsDialog : public SettingsDialog {
public:
    // The settings of group, whatever group the bar shows meanwhile.
    // The request's group, whatever group the bar shows meanwhile.
    GroupSettingsDialog(ButtonBar& bar, DialogRequest request, ReloadFunction reload)
        : SettingsDialog(bar, IDC_GROUP_ICON_FILE), group_(request.group), request_(std::move(request)),
          reload_(reload)
    {
    }

    void Run() { ShowModal(bar_.window, IDD_GROUP_SETTINGS); }

private:
    void OnOpen() override;
    void OnIconSourceChosen() override;
    void Save() override;
    bool OnCommand(int id, int code) override;

    void PrepareControls(const AppSettings& settings);
    void SaveStartWithWindows();
    void ShowHotkeyRow();
    void CaptureHotkey();
    int SpinGroupCount() const;
    void Cancel() override;
    void OpenRestore();

    const int group_;
    const DialogRequest request_;  // a file dropped on the group button, proposed as its icon
    const ReloadFunction reload_;
    // The activation shortcut as it was at opening, put back by Cancel.
    ShortcutEntry activeAtOpen_ = {};
};

void GroupSettingsDialog::ShowHotkeyRow()
{
    const ShortcutEntry& active = bar_.launcher.Shortcuts().Active;
    wchar_t text[kShortcutTextSize];
    FormatShortcutText(active.key, active.flag, text, kShortcutTextSize);
    SetDlgItemTextW(dialog_, IDC_GROUP_HOTKEY_TEXT, text);
}

void GroupSettingsDialog::PrepareControls(const AppSettings& settings)
{
    LimitToField(dialog_, IDC_GROUP_NAME);
    LimitToField(dialog_, IDC_GROUP_ICON_FILE);
    SendDlgItemMessageW(dialog_, IDC_GROUP_COUNT, EM_SETLIMITTEXT, kGroupCountDigits, 0);
    CheckDlgButton(dialog_, IDC_GROUP_COLLAPSE, settings.collapseOnLaunch ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_GROUP_ALWAYS_ON_TOP, settings.alwaysOnTop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_GROUP_START_WITH_LAST, settings.startWithLastGroup ? BST_CHECKED : BST_UNCHECKED);
    const bool withWindows = bar_.launcher.Options().startWithWindows != 0;
    CheckDlgButton(dialog_, IDC_GROUP_START_WITH_WINDOWS, withWindows ? BST_CHECKED : BST_UNCHECKED);
    icon_.Prepare(dialog_, IconSourceChoice::Program);

    // The spin's range runs from 10 (minimum) to 1 (maximum): its up arrow
    // counts down toward 1, its down arrow up toward 10, wrapping at the ends.
    const int count = ClampGroupCount(settings.groupCount);
    wchar_t text[16];
    swprintf(text, 16, L"%2d", count);
    SetDlgItemTextW(dialog_, IDC_GROUP_COUNT, text);
    SendDlgItemMessageW(dialog_, IDC_GROUP_COUNT_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1, kGroupCount));
    SendDlgItemMessageW(dialog_, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, MAKELPARAM(count, 0));
    SetDlgItemTextW(dialog_, IDC_GROUP_COUNT, text);
}

void GroupSettingsDialog::OnOpen()
{
    const AppSettings settings = bar_.launcher.Settings();
    const GroupRecord group = bar_.launcher.Data().groups[group_].group;
    PrepareControls(settings);

    wchar_t path[kFieldSize];
    lstrcpynW(path, group.iconFile, kFieldSize);
    int index = group.iconIndex;
    if (request_.preset) {
        lstrcpynW(path, request_.presetPath.c_str(), kFieldSize);
        index = 0;
        if (IsShellLinkPath(path) && !ResolveShellLink(dialog_, path)) {
            ShowMessageId(dialog_, IDS_MSG_LINK_FAILED, MB_OK | MB_ICONERROR);
            path[0] = L'\0';
        }
    }
    if (!path[0]) {
        GetProgramPath(path, kFieldSize);
        index = group_ + 1;  // the group's default icon
    }
    icon_.ShowSource(path, index);

    SetDlgItemTextW(dialog_, IDC_GROUP_NAME, group.name);

    ShowHotkeyRow();
    activeAtOpen_ = bar_.launcher.Shortcuts().Active;
}

void GroupSettingsDialog::OnIconSourceChosen()
{
    switch (icon_.Choice()) {
    case IconSourceChoice::Browse:
        icon_.BrowseIconFile(true, IconSourceChoice::Browse);
        return;
    case IconSourceChoice::Program: {
        wchar_t path[kFieldSize] = L"";
        GetProgramPath(path, kFieldSize);
        icon_.ShowSource(path, 0);
        return;
    }
    default:
        return;
    }
}

void GroupSettingsDialog::CaptureHotkey()
{
    CaptureActiveShortcut(dialog_, bar_.launcher.Shortcuts());
    ShowHotkeyRow();
}

// The spin's last valid position: a text it cannot take leaves it as it was.
int GroupSettingsDialog::SpinGroupCount() const
{
    const LRESULT position = SendDlgItemMessageW(dialog_, IDC_GROUP_COUNT_SPIN, UDM_GETPOS, 0, 0);
    return ClampGroupCount(static_cast<short>(LOWORD(position)));
}

// On: the Startup folder's shortcut written (or renewed); turned off: removed.
// A failure is told, and the option stays as chosen.
void GroupSettingsDialog::SaveStartWithWindows()
{
    LauncherOptions& options = bar_.launcher.Options();
    const bool wasOn = options.startWithWindows != 0;
    options.startWithWindows = IsDlgButtonChecked(dialog_, IDC_GROUP_START_WITH_WINDOWS) == BST_CHECKED ? 1 : 0;
    if (!FollowStartWithWindows(wasOn, options.startWithWindows != 0))
        ShowMessageId(dialog_, IDS_MSG_STARTUP_LINK_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

void GroupSettingsDialog::Save()
{
    GroupRecord group = {};
    StoreEditText(dialog_, IDC_GROUP_NAME, group.name);
    StoreEditText(dialog_, IDC_GROUP_ICON_FILE, group.iconFile);
    group.iconIndex = icon_.Index();
    Launcher& launcher = bar_.launcher;
    launcher.Data().groups[group_].group = group;

    // The preview's icon moves to the group button and belongs to it now.
    if (group_ == launcher.CurrentGroup())
        SetButtonImage(bar_, IDC_GROUP_BUTTON, icon_.TakePreview());
    else
        icon_.ClearPreview();

    AppSettings settings = launcher.Settings();
    settings.collapseOnLaunch = IsDlgButtonChecked(dialog_, IDC_GROUP_COLLAPSE) == BST_CHECKED ? 1 : 0;
    settings.alwaysOnTop = IsDlgButtonChecked(dialog_, IDC_GROUP_ALWAYS_ON_TOP) == BST_CHECKED ? 1 : 0;
    settings.startWithLastGroup = IsDlgButtonChecked(dialog_, IDC_GROUP_START_WITH_LAST) == BST_CHECKED ? 1 : 0;
    settings.groupCount = SpinGroupCount();
    SetTopmost(bar_.window, settings.alwaysOnTop != 0);
    launcher.Settings() = settings;
    SaveStartWithWindows();

    UpdateBarTooltips(bar_);
    SaveChanges(bar_.window, launcher);  // with the activation key
    UnregisterActiveHotkey(bar_.window, launcher);
    RegisterActiveHotkey(bar_.window, launcher);
}

void GroupSettingsDialog::Cancel()
{
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    icon_.ClearPreview();
    bar_.launcher.Shortcuts().Active = activeAtOpen_;
}

// A restore changes what this dialog shows: it closes as its cancel does,
// leaving the restored activation shortcut as it is.
void GroupSettingsDialog::OpenRestore()
{
    if (!ShowRestoreDialog(dialog_, bar_, reload_))
        return;
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    icon_.ClearPreview();
}

bool GroupSettingsDialog::OnCommand(int id, int)
{
    switch (id) {
    case IDC_GROUP_BROWSE_ICON:
        icon_.BrowseIconFile(true, IconSourceChoice::Browse);
        return true;
    case IDC_GROUP_HOTKEY_KEY:
        CaptureHotkey();
        return true;
    case IDC_GROUP_CANCEL:
        Cancel();
        return true;
    case IDC_GROUP_RESTORE:
        OpenRestore();
        return true;
    case IDCANCEL:
        return true;  // ESC: the dialog has no cancel button of that id
    default:
        return false;
    }
}

}  // namespace

INT_PTR ShowGroupSettingsDialog(ButtonBar& bar, DialogRequest request, ReloadFunction reload)
{
    GroupSettingsDialog dialog(bar, std::move(request), reload);
    dialog.Run();
    return 1;
}
