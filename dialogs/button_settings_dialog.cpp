#include "dialogs/button_settings_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/dialog_request.h"
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

#include <cstring>

namespace {
constexpr int kEditLimit = 260;

void CopyField(char* buffer, const char* field)
{
    std::memcpy(buffer, field, kTextFieldSize);
    buffer[kTextFieldSize - 1] = '\0';
}

void ReadField(HWND dialog, int id, char* field)
{
    GetDlgItemTextA(dialog, id, field, kTextFieldSize);
}

void EnableControl(HWND dialog, int id, bool on)
{
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

class ButtonSettingsDialog : public SettingsDialog {
public:
    // Button index (0..9) of group, whatever group the bar shows meanwhile.
    ButtonSettingsDialog(HWND mainWindow, int group, int index)
        : SettingsDialog(mainWindow, IDC_BUTTON_ICON_FILE), group_(group), index_(index)
    {
    }

    // Runs the dialog modally for the current DialogRequest; the request is
    // reset when the dialog closes.
    void Run() { ShowModal(mainWindow_, IDD_BUTTON_SETTINGS); }

private:
    void OnOpen() override;
    void OnIconSourceChosen() override;
    void Save() override;
    bool OnCommand(int id, int code) override;

    void Initialise();
    void PrepareControls();
    void ShowShortcutRow();
    void BrowseFileToRun();
    void BrowseIconFile();
    void CaptureShortcut();
    void OnSystemHotkeyChecked();
    void Cancel() override;
    ShortcutEntry* TargetEntry() const;

    const int group_;
    const int index_;
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
    return GetShortcutEntry(group_, index_);
}

void ButtonSettingsDialog::ShowShortcutRow()
{
    ShortcutEntry* entry = TargetEntry();
    char text[kShortcutTextSize];
    const int key = entry ? entry->key : 0;
    const int flag = entry ? entry->flag : 0;
    FormatShortcutText(key, flag, text, sizeof text);
    const bool modifier = key != 0 && (flag & kModifierMask) != 0;
    SetDlgItemTextA(dialog_, IDC_BUTTON_SHORTCUT_TEXT, text);
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
        SendDlgItemMessageA(dialog_, id, EM_LIMITTEXT, kEditLimit, 0);
    icon_.Prepare(dialog_, IconSourceChoice::FileToRun);

    char format[128];
    if (LoadText(IDS_CAPTION_BUTTON_SETTINGS, format, sizeof format) > 0) {
        char caption[192];
        wsprintfA(caption, format, index_ + 1);
        SetWindowTextA(dialog_, caption);
    }
}

// Fills the dialog from the record, or from the request's preset path.
void ButtonSettingsDialog::Initialise()
{
    DialogRequest& request = GetDialogRequest();
    const ButtonRecord* button = ButtonAt(group_, index_);
    if (!button)
        return;
    PrepareControls();
    if (!request.presetFlag)
        CopyField(request.presetPath, button->file);
    ShowShortcutRow();

    char path[kTextFieldSize];
    CopyField(path, request.presetPath);
    if (!path[0]) {
        // The empty-button picture at the size the files' icons come in.
        icon_.ShowWithoutSource(LoadResourceIcon(IDI_EMPTY_BUTTON, GetSystemMetrics(SM_CXICON)));
        EnableControl(dialog_, IDC_BUTTON_BROWSE_ICON, false);
        EnableControl(dialog_, IDC_ICON_SOURCE_LIST, false);
        return;
    }
    if (IsShellLinkPath(path) && !ResolveShellLink(dialog_, path)) {
        ShowMessageId(dialog_, IDS_MSG_LINK_FAILED, MB_OK | MB_ICONERROR);
        path[0] = '\0';
    }

    char title[kTextFieldSize];
    if (request.presetFlag)
        CopyNameWithoutExtension(path, title, sizeof title);
    else
        CopyField(title, button->title);
    SetDlgItemTextA(dialog_, IDC_BUTTON_TITLE, title);
    SetDlgItemTextA(dialog_, IDC_BUTTON_FILE, path);
    EnableControl(dialog_, IDC_BUTTON_BROWSE_ICON, true);
    EnableControl(dialog_, IDC_ICON_SOURCE_LIST, true);

    char source[kTextFieldSize];
    if (button->iconFile[0] && GetWindowTextLengthA(GetDlgItem(dialog_, IDC_BUTTON_ICON_FILE)) == 0)
        CopyField(source, button->iconFile);
    else
        lstrcpynA(source, path, sizeof source);
    // A new file starts at its associated icon, as does a stored index of 0.
    icon_.ShowSource(source, request.presetFlag || button->iconIndex <= 0 ? 0 : button->iconIndex);

    if (request.presetFlag) {
        char folder[kTextFieldSize];
        CopyFolderOf(path, folder, sizeof folder);
        SetDlgItemTextA(dialog_, IDC_BUTTON_WORK_DIR, folder);
    } else {
        char text[kTextFieldSize];
        CopyField(text, button->workDir);
        SetDlgItemTextA(dialog_, IDC_BUTTON_WORK_DIR, text);
        CopyField(text, button->params);
        SetDlgItemTextA(dialog_, IDC_BUTTON_PARAMS, text);
    }
}

void ButtonSettingsDialog::OnIconSourceChosen()
{
    char source[kTextFieldSize] = "";
    switch (icon_.Choice()) {
    case IconSourceChoice::Browse:
        BrowseFileToRun();
        return;
    case IconSourceChoice::Program:
        GetProgramPath(source, sizeof source);
        break;
    case IconSourceChoice::FileToRun:
        GetDlgItemTextA(dialog_, IDC_BUTTON_FILE, source, sizeof source);
        break;
    case IconSourceChoice::None:
        return;
    }
    icon_.ShowSource(source, 0);
}

// A chosen file to run is proposed as a dropped one: the dialog starts over from it.
void ButtonSettingsDialog::BrowseFileToRun()
{
    DialogRequest& request = GetDialogRequest();
    char initial[kTextFieldSize];
    CopyField(initial, request.presetPath);
    char file[kTextFieldSize];
    if (!BrowseForFile(dialog_, BrowseKind::FileToRun, initial, file, sizeof file))
        return;
    SetDialogRequest(index_, 1, file);
    Initialise();
}

void ButtonSettingsDialog::BrowseIconFile()
{
    char initial[kTextFieldSize] = "";
    if (GetDialogRequest().presetPath[0])
        icon_.Source(initial, sizeof initial);
    char file[kTextFieldSize];
    if (!BrowseForFile(dialog_, BrowseKind::IconFile, initial, file, sizeof file))
        return;
    icon_.Select(IconSourceChoice::FileToRun);
    icon_.ShowSource(file, 0);
}

void ButtonSettingsDialog::CaptureShortcut()
{
    if (ShortcutEntry* entry = TargetEntry())
        entry->usesystemshortcut = IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED ? 1 : 0;
    CaptureButtonShortcut(dialog_, group_, index_);
    ShowShortcutRow();
}

void ButtonSettingsDialog::Save()
{
    ButtonRecord* target = ButtonAt(group_, index_);
    ButtonRecord record = {};
    // The whole 260 characters the field allows: a shorter read would cut a path.
    ReadField(dialog_, IDC_BUTTON_FILE, record.file);
    if (!record.file[0] || !target) {
        icon_.ClearPreview();
        return;
    }
    record.iconIndex = icon_.Index();
    ReadField(dialog_, IDC_BUTTON_TITLE, record.title);
    ReadField(dialog_, IDC_BUTTON_WORK_DIR, record.workDir);
    ReadField(dialog_, IDC_BUTTON_PARAMS, record.params);
    ReadField(dialog_, IDC_BUTTON_ICON_FILE, record.iconFile);

    // The preview's icon moves to the bar button, which owns it from now on.
    if (group_ == CurrentGroupIndex())
        SetButtonImage(mainWindow_, IDC_FIRST_LAUNCHER + index_, icon_.TakePreview());
    else
        icon_.ClearPreview();

    *target = record;
    const bool system = IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED;
    if (!ApplyButtonHotkey(mainWindow_, group_, index_, system)) {
        ApplyButtonHotkey(mainWindow_, group_, index_, false);  // a plain shortcut
        ShowMessageId(dialog_, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
    }
    SaveChanges(mainWindow_);  // the record with its key as the system took it
    UpdateBarTooltips(mainWindow_);  // after the hotkey: the tip's brackets tell whether it is system-wide
}

// The check box turned on: told at once when the system will not give the
// combination, and the box goes off again.
void ButtonSettingsDialog::OnSystemHotkeyChecked()
{
    const ShortcutEntry* entry = TargetEntry();
    if (!entry || IsDlgButtonChecked(dialog_, IDC_BUTTON_SYSTEM_HOTKEY) != BST_CHECKED ||
        HotkeyAvailable(mainWindow_, group_, index_, entry->key, entry->flag))
        return;
    CheckDlgButton(dialog_, IDC_BUTTON_SYSTEM_HOTKEY, BST_UNCHECKED);
    ShowMessageId(dialog_, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
}

void ButtonSettingsDialog::Cancel()
{
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    icon_.ClearPreview();
    if (ShortcutEntry* entry = TargetEntry()) {
        *entry = entryAtOpen_;
        RegisterButtonHotkey(mainWindow_, group_, index_);  // as it was, after a try
    }
}

bool ButtonSettingsDialog::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_BUTTON_BROWSE_FILE:
        BrowseFileToRun();
        return true;
    case IDC_BUTTON_BROWSE_ICON:
        BrowseIconFile();
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

INT_PTR ShowButtonSettingsDialog(HWND mainWindow)
{
    if (!IsValidButtonIndex(GetDialogRequest().targetIndex)) {
        ResetDialogRequest();
        return 0;
    }
    ButtonSettingsDialog dialog(mainWindow, CurrentGroupIndex(), GetDialogRequest().targetIndex);
    dialog.Run();
    return 1;
}
