#include "dialogs/button_settings_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "data/store_field.h"
#include "dialogs/dialog_request.h"
#include "dialogs/field_edits.h"
#include "dialogs/file_browser.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/shell_link.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/program_files.h"

#include <cwchar>
#include <utility>

namespace {
void EnableControl(HWND dialog, int id, bool on)
{
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

class ButtonSettingsDialog : public SettingsDialog {
public:
    // The request's button (0..9) of its group, whatever group the bar shows meanwhile.
    ButtonSettingsDialog(ButtonBar& bar, DialogRequest request)
        : SettingsDialog(bar, IDC_BUTTON_ICON_FILE), group_(request.group), index_(request.targetIndex),
          request_(std::move(request))
    {
    }

    void Run() { ShowModal(bar_.window, IDD_BUTTON_SETTINGS); }

private:
    void OnOpen() override;
    void OnIconSourceChosen() override;
    void Save() override;
    bool OnCommand(int id, int code) override;

    void Initialise();
    void PrepareControls();
    void ShowShortcutRow();
    void BrowseFileToRun();
    void CaptureShortcut();
    void OnSystemHotkeyChecked();
    void Cancel() override;
    ShortcutEntry* TargetEntry() const;

    const int group_;
    const int index_;
    // The file proposed or stored: a file chosen with the browser is proposed as a dropped one.
    DialogRequest request_;
    ShortcutEntry entryAtOpen_ = {};  // put back by Cancel
};

void ButtonSettingsDialog::OnOpen()
{
    Initialise();
    if (const ShortcutEntry* entry = TargetEntry())
        entryAtOpen_ = *entry;
}

ShortcutEntry* ButtonSettingsDialog::TargetEntry() const
{
    return GetShortcutEntry(bar_.launcher.Shortcuts(), group_, index_);
}

void ButtonSettingsDialog::ShowShortcutRow()
{
    ShortcutEntry* entry = TargetEntry();
    wchar_t text[kShortcutTextSize];
    const int key = entry ? entry->key : 0;
    const int flag = entry ? entry->flag : 0;
    FormatShortcutText(key, flag, text, kShortcutTextSize);
    const bool modifier = key != 0 && (flag & kModifierMask) != 0;
    SetDlgItemTextW(dialog_, IDC_BUTTON_SHORTCUT_TEXT, text);
    EnableControl(dialog_, IDC_BUTTON_SYSTEM_HOTKEY, modifier);
    if (entry && !modifier)
        entry->usesystemshortcut = 0;
    CheckDlgButton(dialog_, IDC_BUTTON_SYSTEM_HOTKEY,
                   entry && entry->usesystemshortcut ? BST_CHECKED : BST_UNCHECKED);
}

void ButtonSettingsDialog::PrepareControls()
{
    const int edits[] = {IDC_BUTTON_TITLE, IDC_BUTTON_FILE, IDC_BUTTON_PARAMS, IDC_BUTTON_WORK_DIR, IDC_BUTTON_ICON_FILE};
    for (int id : edits)
        LimitToField(dialog_, id);
    icon_.Prepare(dialog_, IconSourceChoice::FileToRun);

    wchar_t caption[192];
    if (FormatText(caption, 192, IDS_CAPTION_BUTTON_SETTINGS, index_ + 1))
        SetWindowTextW(dialog_, caption);
}

// Fills the dialog from the record, or from the request's preset path.
void ButtonSettingsDialog::Initialise()
{
    const ButtonRecord* button = bar_.launcher.ButtonAt(group_, index_);
    if (!button)
        return;
    PrepareControls();
    if (!request_.preset)
        request_.presetPath = button->file;
    ShowShortcutRow();
    CheckDlgButton(dialog_, IDC_BUTTON_FOLDER_MENU, button->folderMenu ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_BUTTON_START_WITH_PORUN, button->startWithLauncher ? BST_CHECKED : BST_UNCHECKED);

    wchar_t path[kFieldSize];
    lstrcpynW(path, request_.presetPath.c_str(), kFieldSize);
    if (!path[0]) {
        // The empty-button picture at the size the files' icons come in.
        icon_.ShowWithoutSource(LoadResourceIcon(IDI_EMPTY_BUTTON, GetSystemMetrics(SM_CXICON)));
        EnableControl(dialog_, IDC_BUTTON_BROWSE_ICON, false);
        EnableControl(dialog_, IDC_ICON_SOURCE_LIST, false);
        return;
    }
    if (IsShellLinkPath(path) && !ResolveShellLink(dialog_, path)) {
        ShowMessageId(dialog_, IDS_MSG_LINK_FAILED, MB_OK | MB_ICONERROR);
        path[0] = L'\0';
    }

    wchar_t title[kFieldSize];
    if (request_.preset)
        CopyNameWithoutExtension(path, title, kFieldSize);
    else
        lstrcpynW(title, button->title, kFieldSize);
    SetDlgItemTextW(dialog_, IDC_BUTTON_TITLE, title);
    SetDlgItemTextW(dialog_, IDC_BUTTON_FILE, path);
    EnableControl(dialog_, IDC_BUTTON_BROWSE_ICON, true);
    EnableControl(dialog_, IDC_ICON_SOURCE_LIST, true);

    const bool storedSource =
        button->iconFile[0] && GetWindowTextLengthW(GetDlgItem(dialog_, IDC_BUTTON_ICON_FILE)) == 0;
    const wchar_t* source = storedSource ? button->iconFile : path;
    // A new file starts at its associated icon, as does a stored index of 0.
    icon_.ShowSource(source, request_.preset || button->iconIndex <= 0 ? 0 : button->iconIndex);

    if (request_.preset) {
        wchar_t folder[kFieldSize];
        CopyFolderOf(path, folder, kFieldSize);
        SetDlgItemTextW(dialog_, IDC_BUTTON_WORK_DIR, folder);
    } else {
        SetDlgItemTextW(dialog_, IDC_BUTTON_WORK_DIR, button->workDir);
        SetDlgItemTextW(dialog_, IDC_BUTTON_PARAMS, button->params);
    }
}

void ButtonSettingsDialog::OnIconSourceChosen()
{
    wchar_t source[kFieldSize] = L"";
    switch (icon_.Choice()) {
    case IconSourceChoice::Browse:
        BrowseFileToRun();
        return;
    case IconSourceChoice::Program:
        GetProgramPath(source, kFieldSize);
        break;
    case IconSourceChoice::FileToRun:
        GetDlgItemTextW(dialog_, IDC_BUTTON_FILE, source, kFieldSize);
        break;
    case IconSourceChoice::None:
        return;
    }
    icon_.ShowSource(source, 0);
}

// A chosen file to run is proposed as a dropped one: the dialog starts over from it.
void ButtonSettingsDialog::BrowseFileToRun()
{
    wchar_t initial[kFieldSize];
    lstrcpynW(initial, request_.presetPath.c_str(), kFieldSize);
    wchar_t file[kFieldSize];
    if (!BrowseForFile(dialog_, BrowseKind::FileToRun, initial, file, kFieldSize))
        return;
    request_.preset = true;
    request_.presetPath = file;
    Initialise();
}

void ButtonSettingsDialog::CaptureShortcut()
{
    if (ShortcutEntry* entry = TargetEntry())
        entry->usesystemshortcut = IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED ? 1 : 0;
    CaptureButtonShortcut(dialog_, bar_.launcher.Shortcuts(), group_, index_);
    ShowShortcutRow();
}

void ButtonSettingsDialog::Save()
{
    Launcher& launcher = bar_.launcher;
    ButtonRecord* target = launcher.ButtonAt(group_, index_);
    ButtonRecord record = {};
    // The whole 260 characters the field allows: a shorter read would cut a path.
    StoreEditText(dialog_, IDC_BUTTON_FILE, record.file);
    if (!record.file[0] || !target) {
        icon_.ClearPreview();
        return;
    }
    record.iconIndex = icon_.Index();
    record.folderMenu = IsDlgButtonChecked(dialog_, IDC_BUTTON_FOLDER_MENU) == BST_CHECKED ? 1 : 0;
    record.startWithLauncher = IsDlgButtonChecked(dialog_, IDC_BUTTON_START_WITH_PORUN) == BST_CHECKED ? 1 : 0;
    StoreEditText(dialog_, IDC_BUTTON_TITLE, record.title);
    StoreEditText(dialog_, IDC_BUTTON_WORK_DIR, record.workDir);
    StoreEditText(dialog_, IDC_BUTTON_PARAMS, record.params);
    StoreEditText(dialog_, IDC_BUTTON_ICON_FILE, record.iconFile);

    // The preview's icon moves to the bar button, which owns it from now on.
    if (group_ == launcher.CurrentGroup())
        SetButtonImage(bar_, IDC_FIRST_LAUNCHER + index_, icon_.TakePreview());
    else
        icon_.ClearPreview();

    *target = record;
    const bool system = IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED;
    if (!ApplyButtonHotkey(bar_.window, launcher, group_, index_, system)) {
        ApplyButtonHotkey(bar_.window, launcher, group_, index_, false);  // a plain shortcut
        ShowMessageId(dialog_, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
    }
    SaveChanges(bar_.window, launcher);  // the record with its key as the system took it
    UpdateBarTooltips(bar_);  // after the hotkey: the tip's brackets tell whether it is system-wide
}

// The check box turned on: told at once when the system will not give the
// combination, and the box goes off again.
void ButtonSettingsDialog::OnSystemHotkeyChecked()
{
    const ShortcutEntry* entry = TargetEntry();
    if (!entry || IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) != BST_CHECKED ||
        HotkeyAvailable(bar_.window, bar_.launcher, group_, index_, entry->key, entry->flag))
        return;
    CheckDlgButton(dialog_, IDC_BUTTON_SYSTEM_HOTKEY, BST_UNCHECKED);
    ShowMessageId(dialog_, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
}

void ButtonSettingsDialog::Cancel()
{
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    icon_.ClearPreview();
    if (ShortcutEntry* entry = TargetEntry()) {
        *entry = entryAtOpen_;
        RegisterButtonHotkey(bar_.window, bar_.launcher, group_, index_);  // as it was, after a try
    }
}

bool ButtonSettingsDialog::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_BUTTON_BROWSE_FILE:
        BrowseFileToRun();
        return true;
    case IDC_BUTTON_BROWSE_ICON:
        icon_.BrowseIconFile(!request_.presetPath.empty(), IconSourceChoice::FileToRun);
        return true;
    case IDC_BUTTON_KEY:
        CaptureShortcut();
        return true;
    case IDC_BUTTON_SYSTEM_HOTKEY:
        if (code == BN_CLICKED)
            OnSystemHotkeyChecked();
        return true;
    case IDCANCEL:
        Cancel();
        return true;
    default:
        return false;
    }
}
}  // namespace

INT_PTR ShowButtonSettingsDialog(ButtonBar& bar, DialogRequest request)
{
    if (!IsValidButtonIndex(request.targetIndex))
        return 0;
    ButtonSettingsDialog dialog(bar, std::move(request));
    dialog.Run();
    return 1;
}
