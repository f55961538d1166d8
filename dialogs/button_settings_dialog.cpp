#include "dialogs/button_settings_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/dialog_request.h"
#include "dialogs/icon_preview.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/shell_link.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/kept_path.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/stored_path.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

namespace {
constexpr int kIconSourceChoices = 3;  // IDS_ICON_SOURCE_FREE, _SELF, _TARGET
constexpr int kEditLimit = 260;

HWND g_mainWindow = nullptr;
int g_iconCount = 0;
ShortcutEntry g_entryAtOpen = {};
OpenFileFunction g_openFile = nullptr;

HINSTANCE ProgramInstance()
{
    return GetModuleHandleA(nullptr);
}

int TargetIndex()
{
    return GetDialogRequest().targetIndex;
}

ShortcutEntry* TargetEntry()
{
    return GetShortcutEntry(CurrentGroupIndex(), TargetIndex());
}

void CopyField(char* buffer, const char* field)
{
    std::memcpy(buffer, field, kTextFieldSize);
    buffer[kTextFieldSize - 1] = '\0';
}

// The slider's range, remembered so that a source without icons ignores the slider.
void SetSliderRange(HWND dialog, int count)
{
    g_iconCount = count;
    SetIconSliderRange(dialog, count);
}

void EnableControl(HWND dialog, int id, bool on)
{
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}


// The key capture dialog for (group, button); it changes the entry in place.
void CaptureShortcutForDialog(HWND dialog, int group, int button)
{
    CaptureButtonShortcut(dialog, group, button);
}

void ShowShortcutRow(HWND dialog)
{
    ShortcutEntry* entry = TargetEntry();
    char text[kShortcutTextSize];
    const int key = entry ? entry->key : 0;
    const int flag = entry ? entry->flag : 0;
    FormatShortcutText(key, flag, text, sizeof text);
    const bool modifier = key != 0 && (flag & kModifierMask) != 0;
    SetDlgItemTextA(dialog, IDC_BUTTON_SHORTCUT_TEXT, text);
    EnableControl(dialog, IDC_BUTTON_SYSTEM_HOTKEY, modifier);
    if (entry && !modifier)
        entry->usesystemshortcut = 0;
    CheckDlgButton(dialog, IDC_BUTTON_SYSTEM_HOTKEY, entry && entry->usesystemshortcut ? BST_CHECKED : BST_UNCHECKED);
}

void PrepareControls(HWND dialog)
{
    const int edits[] = {IDC_BUTTON_TITLE, IDC_BUTTON_FILE, IDC_BUTTON_PARAMS, IDC_BUTTON_WORK_DIR, IDC_BUTTON_ICON_FILE};
    for (int id : edits)
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kEditLimit, 0);
    if (SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i < kIconSourceChoices; ++i) {
            char text[128];
            LoadText(IDS_ICON_SOURCE_FREE + i, text, sizeof text);
            SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 0, 0);

    char format[128];
    if (LoadText(IDS_CAPTION_BUTTON_SETTINGS, format, sizeof format) > 0) {
        char caption[192];
        wsprintfA(caption, format, TargetIndex() + 1);
        SetWindowTextA(dialog, caption);
    }
}

// Fills the dialog from the record, or from the request's preset path.
void Initialise(HWND dialog)
{
    DialogRequest& request = GetDialogRequest();
    const ButtonRecord* button = CurrentButton(request.targetIndex);
    if (!button)
        return;
    PrepareControls(dialog);
    if (!request.presetFlag)
        CopyField(request.presetPath, button->file);
    ShowShortcutRow(dialog);

    char path[kTextFieldSize];
    CopyField(path, request.presetPath);
    if (!path[0]) {
        SetButtonImage(dialog, IDC_ICON_PREVIEW, LoadResourceIcon(IDI_EMPTY_BUTTON, GetSystemMetrics(SM_CXICON)));  // as the files' icons
        SetSliderRange(dialog, 0);
        EnableControl(dialog, IDC_BUTTON_BROWSE_ICON, false);
        EnableControl(dialog, IDC_ICON_SOURCE_LIST, false);
        return;
    }
    if (IsShellLinkPath(path) && !ResolveShellLink(dialog, path)) {
        ShowMessageId(dialog, IDS_MSG_LINK_FAILED, MB_OK | MB_ICONERROR);
        path[0] = '\0';
    }

    char title[kTextFieldSize];
    if (request.presetFlag)
        CopyNameWithoutExtension(path, title, sizeof title);
    else
        CopyField(title, button->title);
    SetDlgItemTextA(dialog, IDC_BUTTON_TITLE, title);
    SetDlgItemTextA(dialog, IDC_BUTTON_FILE, path);
    EnableControl(dialog, IDC_BUTTON_BROWSE_ICON, true);
    EnableControl(dialog, IDC_ICON_SOURCE_LIST, true);

    char source[kTextFieldSize];
    if (button->iconFile[0] && GetWindowTextLengthA(GetDlgItem(dialog, IDC_BUTTON_ICON_FILE)) == 0)
        CopyField(source, button->iconFile);
    else
        lstrcpynA(source, path, sizeof source);
    SetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, source);
    SetSliderRange(dialog, IconCountOf(source));

    // The slider always stands on the icon the preview shows: OK stores its position.
    int index = 0;
    HICON icon;
    if (request.presetFlag || button->iconIndex <= 0) {
        icon = AssociatedIconOrNotFound(source);
    } else {
        index = button->iconIndex;
        icon = IconAtOrNotFound(source, index);
    }
    SetIconSliderPosition(dialog, index);
    SetIconNumberLabel(dialog, index);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, icon);

    if (request.presetFlag) {
        char folder[kTextFieldSize];
        CopyFolderOf(path, folder, sizeof folder);
        SetDlgItemTextA(dialog, IDC_BUTTON_WORK_DIR, folder);
    } else {
        char text[kTextFieldSize];
        CopyField(text, button->workDir);
        SetDlgItemTextA(dialog, IDC_BUTTON_WORK_DIR, text);
        CopyField(text, button->params);
        SetDlgItemTextA(dialog, IDC_BUTTON_PARAMS, text);
    }
}

// Entries 1 and 2 of the icon-source list: a new source from its first icon.
void ResetIconToSource(HWND dialog, const char* source)
{
    SetSliderRange(dialog, IconCountOf(source));
    SetIconSliderPosition(dialog, 0);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, AssociatedIconOrNotFound(source));
    SetIconNumberLabel(dialog, 0);
}

void OnIconSourceChosen(HWND dialog)
{
    const int choice = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_GETCURSEL, 0, 0));
    char source[kTextFieldSize] = "";
    if (choice == 0) {
        BrowseForFile(dialog, 1);
        return;
    }
    if (choice == 1)
        GetProgramPath(source, sizeof source);
    else if (choice == 2)
        GetDlgItemTextA(dialog, IDC_BUTTON_FILE, source, sizeof source);
    else
        return;
    SetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, source);
    ResetIconToSource(dialog, source);
}

void OnSliderMoved(HWND dialog)
{
    if (g_iconCount == 0)
        return;
    const int index = IconSliderPosition(dialog);
    SetIconNumberLabel(dialog, index);
    char source[kTextFieldSize];
    GetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, source, sizeof source);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, IconAtOrNotFound(source, index));
}

void OnPreviewClicked(HWND dialog)
{
    char source[kTextFieldSize];
    GetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, source, sizeof source);
    if (!source[0])
        return;
    ChooseIconIntoPreview(dialog, source);
}

void OnCapture(HWND dialog)
{
    if (ShortcutEntry* entry = TargetEntry())
        entry->usesystemshortcut = IsDlgButtonChecked(dialog, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED ? 1 : 0;
    CaptureShortcutForDialog(dialog, CurrentGroupIndex(), TargetIndex());
    ShowShortcutRow(dialog);
}

void ReadField(HWND dialog, int id, char* field)
{
    GetDlgItemTextA(dialog, id, field, kTextFieldSize);
}

void Save(HWND dialog)
{
    const int index = TargetIndex();
    ButtonRecord record = {};
    // The whole 260 characters the field allows: a shorter read would cut a path.
    ReadField(dialog, IDC_BUTTON_FILE, record.file);
    if (!record.file[0] || !IsValidButtonIndex(index)) {
        SetButtonImage(dialog, IDC_ICON_PREVIEW, nullptr);
        return;
    }
    record.iconIndex = IconSliderPosition(dialog);
    ReadField(dialog, IDC_BUTTON_TITLE, record.title);
    ReadField(dialog, IDC_BUTTON_WORK_DIR, record.workDir);
    ReadField(dialog, IDC_BUTTON_PARAMS, record.params);
    ReadField(dialog, IDC_BUTTON_ICON_FILE, record.iconFile);

    // The preview's icon moves to the bar button, which owns it from now on.
    HWND preview = GetDlgItem(dialog, IDC_ICON_PREVIEW);
    HICON icon = reinterpret_cast<HICON>(SendMessageA(preview, BM_SETIMAGE, IMAGE_ICON, 0));
    SetButtonImage(g_mainWindow, IDC_FIRST_LAUNCHER + index, icon);

    SetButtonRecord(index, record);
    UpdateBarTooltips(g_mainWindow);
    SaveLauncherData(g_mainWindow);
    const bool system = IsDlgButtonChecked(dialog, IDC_BUTTON_SYSTEM_HOTKEY) == BST_CHECKED;
    if (!ApplyButtonHotkey(g_mainWindow, CurrentGroupIndex(), index, system)) {
        ApplyButtonHotkey(g_mainWindow, CurrentGroupIndex(), index, false);  // a plain shortcut
        ShowMessageId(dialog, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
    }
}

// The check box turned on: told at once when the system will not give the
// combination, and the box goes off again.
void OnSystemHotkeyChecked(HWND dialog)
{
    const ShortcutEntry* entry = TargetEntry();
    if (!entry || IsDlgButtonChecked(dialog, IDC_BUTTON_SYSTEM_HOTKEY) != BST_CHECKED ||
        HotkeyAvailable(g_mainWindow, CurrentGroupIndex(), TargetIndex(), entry->key, entry->flag))
        return;
    CheckDlgButton(dialog, IDC_BUTTON_SYSTEM_HOTKEY, BST_UNCHECKED);
    ShowMessageId(dialog, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
}

void OnCancel(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    SetButtonImage(dialog, IDC_ICON_PREVIEW, nullptr);
    if (ShortcutEntry* entry = TargetEntry()) {
        *entry = g_entryAtOpen;
        RegisterButtonHotkey(g_mainWindow, CurrentGroupIndex(), TargetIndex());  // as it was, after a try
    }
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
    case IDC_BUTTON_BROWSE_FILE:
        BrowseForFile(dialog, 1);
        return true;
    case IDC_BUTTON_BROWSE_ICON:
        BrowseForFile(dialog, 2);
        return true;
    case IDC_BUTTON_KEY:
        OnCapture(dialog);
        return true;
    case IDC_BUTTON_SYSTEM_HOTKEY:
        if (code == BN_CLICKED)
            OnSystemHotkeyChecked(dialog);
        return true;
    case IDOK:
        Save(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    case IDCANCEL:
        OnCancel(dialog);
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK ButtonSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(dialog);
        if (const ShortcutEntry* entry = TargetEntry())
            g_entryAtOpen = *entry;
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

// ANSI text of the program's code page as UTF-16, for the wide dialog.
class WideText {
public:
    explicit WideText(const char* text, int length = -1)
    {
        const int units = MultiByteToWideChar(CP_ACP, 0, text, length, text_, kSize - 1);
        text_[units > 0 ? units : 0] = L'\0';
    }
    const wchar_t* Text() const { return text_; }

private:
    static constexpr int kSize = 512;
    wchar_t text_[kSize];
};

// Bytes of a filter up to and including its closing pair of terminators.
int FilterLength(const char* filter)
{
    int length = 0;
    while (filter[length] || filter[length + 1])
        ++length;
    return length + 2;
}

void ShowChosenIconSource(HWND dialog, const char* chosen)
{
    SetIconSliderPosition(dialog, 0);
    SetSliderRange(dialog, IconCountOf(chosen));
    SetButtonImage(dialog, IDC_ICON_PREVIEW, AssociatedIconOrNotFound(chosen));
    SetIconNumberLabel(dialog, 0);
}
}  // namespace

INT_PTR ShowButtonSettingsDialog(HWND mainWindow)
{
    if (!IsValidButtonIndex(GetDialogRequest().targetIndex)) {
        ResetDialogRequest();
        return 0;
    }
    g_mainWindow = mainWindow;
    g_iconCount = 0;
    g_entryAtOpen = ShortcutEntry{};
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_BUTTON_SETTINGS), mainWindow, ButtonSettingsProc, 0);
    return 1;
}

bool BuildFileFilter(const char* patterns, char* filter, int size)
{
    if (!patterns || !filter || size < 2)
        return false;
    int used = 0;
    const char* start = patterns;
    for (;;) {
        const char* end = start;
        while (*end && *end != ';')
            end = CharNextA(end);
        const int length = static_cast<int>(end - start);
        if (length > 0) {
            // Description and pattern are the same text.
            if (used + 2 * (length + 1) + 1 > size)
                return false;
            for (int copy = 0; copy < 2; ++copy) {
                std::memcpy(filter + used, start, length);
                used += length;
                filter[used++] = '\0';
            }
        }
        if (!*end)
            break;
        start = end + 1;
    }
    if (used == 0)
        filter[used++] = '\0';
    filter[used] = '\0';
    return true;
}

void OverrideOpenFileDialog(OpenFileFunction function)
{
    g_openFile = function;
}

bool BrowseForFile(HWND dialog, int mode)
{
    DialogRequest& request = GetDialogRequest();
    char stored[kTextFieldSize] = "";
    if (request.presetPath[0]) {
        if (mode == 2)
            GetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, stored, sizeof stored);
        else
            CopyField(stored, request.presetPath);
    }
    // The browser opens where the stored file is now; what it hands back is a real path.
    char initial[kResolvedPathSize];
    if (!ResolveStoredPath(stored, initial, sizeof initial))
        lstrcpynA(initial, stored, sizeof initial);
    char folder[kResolvedPathSize];
    CopyFolderOf(initial, folder, sizeof folder);

    char patterns[128];
    LoadText(mode == 1 ? IDS_FILTER_PROGRAM : IDS_FILTER_ICON, patterns, sizeof patterns);
    char filter[512];
    if (!BuildFileFilter(patterns, filter, sizeof filter))
        filter[0] = filter[1] = '\0';
    char title[256];
    LoadText(mode == 1 ? IDS_BROWSE_TITLE_FILE : IDS_BROWSE_TITLE_ICON, title, sizeof title);

    // The wide dialog: it hands over every name as it is, and the choice then
    // goes through the same rule as a dropped file.
    WideText wideFilter(filter, FilterLength(filter));
    WideText wideTitle(title);
    WideText wideFolder(folder);
    wchar_t chosen[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, initial, -1, chosen, 1024);
    wchar_t fileTitle[MAX_PATH] = L"";

    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog;
    open.lpstrFilter = wideFilter.Text();
    open.nFilterIndex = 1;
    open.lpstrFile = chosen;
    open.nMaxFile = 1024;
    open.lpstrFileTitle = fileTitle;
    open.nMaxFileTitle = MAX_PATH;
    open.lpstrInitialDir = folder[0] ? wideFolder.Text() : nullptr;
    open.lpstrTitle = wideTitle.Text();
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON;
    const OpenFileFunction show = g_openFile ? g_openFile : GetOpenFileNameW;
    if (!show(&open))
        return false;
    char file[kTextFieldSize];
    if (KeepPath(chosen, file, sizeof file) == KeptPath::None) {
        ShowMessageId(dialog, IDS_MSG_NAME_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    if (mode == 1) {
        SetDialogRequest(request.targetIndex, 1, file);
        Initialise(dialog);
        return true;
    }
    if (mode == 2) {
        SetDlgItemTextA(dialog, IDC_BUTTON_ICON_FILE, file);
        SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 2, 0);
    } else {
        SetDialogRequest(request.targetIndex, request.presetFlag, file);
        SetDlgItemTextA(dialog, IDC_BUTTON_FILE, file);
        SendDlgItemMessageA(dialog, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 0, 0);
    }
    ShowChosenIconSource(dialog, file);
    return true;
}
