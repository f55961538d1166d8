#include "dialogs/button_settings_dialog.h"

#include "shortcuts/key_capture_dialog.h"

#include "app/messages.h"
#include "app/program_path.h"
#include "bar/bar_geometry.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/dialog_request.h"
#include "dialogs/icon_preview.h"
#include "dialogs/shell_link.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_capture_dialog.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/kept_path.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

namespace {
constexpr int kDialogId = 114;
constexpr int kIdTitle = 1000;
constexpr int kIdWorkDir = 1003;
constexpr int kIdFile = 1004;
constexpr int kIdBrowseFile = 1006;
constexpr int kIdPreview = 1008;
constexpr int kIdSlider = 1009;
constexpr int kIdIconFile = 1011;
constexpr int kIdBrowseIcon = 1012;
constexpr int kIdIconSource = 1014;
constexpr int kIdCapture = 1021;
constexpr int kIdSystemHotkey = 1022;
constexpr int kIdShortcutText = 1023;
constexpr int kIdParams = 1033;

constexpr UINT kCaptionFormat = 2;
constexpr UINT kBrowseTitleFile = 3;
constexpr UINT kBrowseTitleIcon = 4;
constexpr UINT kIconNumberFormat = 200;
constexpr UINT kFilterProgram = 202;
constexpr UINT kFilterIcon = 203;
constexpr UINT kIconSourceFirst = 300;  // 300..302
constexpr int kIconSourceChoices = 3;
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
    SetDlgItemTextA(dialog, kIdShortcutText, text);
    EnableControl(dialog, kIdSystemHotkey, modifier);
    if (entry && !modifier)
        entry->usesystemshortcut = 0;
    CheckDlgButton(dialog, kIdSystemHotkey, entry && entry->usesystemshortcut ? BST_CHECKED : BST_UNCHECKED);
}

void PrepareControls(HWND dialog)
{
    const int edits[] = {kIdTitle, kIdFile, kIdParams, kIdWorkDir, kIdIconFile};
    for (int id : edits)
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kEditLimit, 0);
    if (SendDlgItemMessageA(dialog, kIdIconSource, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i < kIconSourceChoices; ++i) {
            char text[128];
            LoadText(kIconSourceFirst + i, text, sizeof text);
            SendDlgItemMessageA(dialog, kIdIconSource, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    SendDlgItemMessageA(dialog, kIdIconSource, CB_SETCURSEL, 0, 0);

    char format[128];
    if (LoadText(kCaptionFormat, format, sizeof format) > 0) {
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
        SetButtonImage(dialog, kIdPreview, LoadResourceIcon(kIconEmpty));
        SetSliderRange(dialog, 0);
        EnableControl(dialog, kIdBrowseIcon, false);
        EnableControl(dialog, kIdIconSource, false);
        return;
    }
    if (IsShellLinkPath(path) && !ResolveShellLink(dialog, path)) {
        ShowMessageId(dialog, kMsgLinkFailed, MB_OK | MB_ICONERROR);
        path[0] = '\0';
    }

    char title[kTextFieldSize];
    if (request.presetFlag)
        DeriveTitleFromPath(path, title, sizeof title);
    else
        CopyField(title, button->title);
    SetDlgItemTextA(dialog, kIdTitle, title);
    SetDlgItemTextA(dialog, kIdFile, path);
    EnableControl(dialog, kIdBrowseIcon, true);
    EnableControl(dialog, kIdIconSource, true);

    char source[kTextFieldSize];
    if (button->iconFile[0] && GetWindowTextLengthA(GetDlgItem(dialog, kIdIconFile)) == 0)
        CopyField(source, button->iconFile);
    else
        lstrcpynA(source, path, sizeof source);
    SetDlgItemTextA(dialog, kIdIconFile, source);
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
    SetButtonImage(dialog, kIdPreview, icon);

    if (request.presetFlag) {
        char folder[kTextFieldSize];
        FolderOfPath(path, folder, sizeof folder);
        SetDlgItemTextA(dialog, kIdWorkDir, folder);
    } else {
        char text[kTextFieldSize];
        CopyField(text, button->workDir);
        SetDlgItemTextA(dialog, kIdWorkDir, text);
        CopyField(text, button->params);
        SetDlgItemTextA(dialog, kIdParams, text);
    }
}

// Entries 1 and 2 of the icon-source list: a new source from its first icon.
void ResetIconToSource(HWND dialog, const char* source)
{
    SetSliderRange(dialog, IconCountOf(source));
    SetIconSliderPosition(dialog, 0);
    SetButtonImage(dialog, kIdPreview, AssociatedIconOrNotFound(source));
    SetIconNumberLabel(dialog, 0);
}

void OnIconSourceChosen(HWND dialog)
{
    const int choice = static_cast<int>(SendDlgItemMessageA(dialog, kIdIconSource, CB_GETCURSEL, 0, 0));
    char source[kTextFieldSize] = "";
    if (choice == 0) {
        BrowseForFile(dialog, 1);
        return;
    }
    if (choice == 1)
        GetProgramPath(source, sizeof source);
    else if (choice == 2)
        GetDlgItemTextA(dialog, kIdFile, source, sizeof source);
    else
        return;
    SetDlgItemTextA(dialog, kIdIconFile, source);
    ResetIconToSource(dialog, source);
}

void OnSliderMoved(HWND dialog)
{
    if (g_iconCount == 0)
        return;
    const int index = IconSliderPosition(dialog);
    SetIconNumberLabel(dialog, index);
    char source[kTextFieldSize];
    GetDlgItemTextA(dialog, kIdIconFile, source, sizeof source);
    SetButtonImage(dialog, kIdPreview, IconAtOrNotFound(source, index));
}

void OnPreviewClicked(HWND dialog)
{
    char source[kTextFieldSize];
    GetDlgItemTextA(dialog, kIdIconFile, source, sizeof source);
    if (!source[0])
        return;
    ChooseIconIntoPreview(dialog, source);
}

void OnCapture(HWND dialog)
{
    if (ShortcutEntry* entry = TargetEntry())
        entry->usesystemshortcut = IsDlgButtonChecked(dialog, kIdSystemHotkey) == BST_CHECKED ? 1 : 0;
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
    ReadField(dialog, kIdFile, record.file);
    if (!record.file[0] || !IsValidButtonIndex(index)) {
        SetButtonImage(dialog, kIdPreview, nullptr);
        return;
    }
    record.iconIndex = IconSliderPosition(dialog);
    ReadField(dialog, kIdTitle, record.title);
    ReadField(dialog, kIdWorkDir, record.workDir);
    ReadField(dialog, kIdParams, record.params);
    ReadField(dialog, kIdIconFile, record.iconFile);

    // The preview's icon moves to the bar button, which owns it from now on.
    HWND preview = GetDlgItem(dialog, kIdPreview);
    HICON icon = reinterpret_cast<HICON>(SendMessageA(preview, BM_SETIMAGE, IMAGE_ICON, 0));
    SetButtonImage(g_mainWindow, kFirstLauncherId + index, icon);

    SetButtonRecord(index, record);
    UpdateBarTooltips(g_mainWindow, TooltipMode::Update);
    SaveLauncherData(g_mainWindow);
    ApplyButtonHotkey(g_mainWindow, CurrentGroupIndex(), index,
                      IsDlgButtonChecked(dialog, kIdSystemHotkey) == BST_CHECKED);
}

void OnCancel(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    SetButtonImage(dialog, kIdPreview, nullptr);
    if (ShortcutEntry* entry = TargetEntry())
        *entry = g_entryAtOpen;
}

bool OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case kIdIconSource:
        if (code == CBN_SELCHANGE)
            OnIconSourceChosen(dialog);
        return true;
    case kIdPreview:
        OnPreviewClicked(dialog);
        return true;
    case kIdBrowseFile:
        BrowseForFile(dialog, 1);
        return true;
    case kIdBrowseIcon:
        BrowseForFile(dialog, 2);
        return true;
    case kIdCapture:
        OnCapture(dialog);
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
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kIdSlider))
            OnSliderMoved(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SetButtonImage(dialog, kIdPreview, nullptr);
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
    SetButtonImage(dialog, kIdPreview, AssociatedIconOrNotFound(chosen));
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
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(kDialogId), mainWindow, ButtonSettingsProc, 0);
    return 1;
}

void DeriveTitleFromPath(const char* path, char* title, int size)
{
    if (!title || size <= 0)
        return;
    title[0] = '\0';
    if (!path)
        return;
    const char* name = nullptr;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\')
            name = p + 1;
    }
    if (!name)
        return;
    const char* dot = nullptr;
    for (const char* p = name; *p; p = CharNextA(p)) {
        if (*p == '.')
            dot = p;
    }
    const int length = static_cast<int>(dot && dot != name ? dot - name : std::strlen(name));
    const int copied = length < size - 1 ? length : size - 1;
    std::memcpy(title, name, copied);
    title[copied] = '\0';
}

void FolderOfPath(const char* path, char* folder, int size)
{
    if (!folder || size <= 0)
        return;
    folder[0] = '\0';
    if (!path)
        return;
    const char* last = nullptr;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\')
            last = p;
    }
    if (!last)
        return;
    const int length = static_cast<int>(last - path);
    const int copied = length < size - 1 ? length : size - 1;
    std::memcpy(folder, path, copied);
    folder[copied] = '\0';
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
    char initial[kTextFieldSize] = "";
    if (request.presetPath[0]) {
        if (mode == 2)
            GetDlgItemTextA(dialog, kIdIconFile, initial, sizeof initial);
        else
            CopyField(initial, request.presetPath);
    }
    char folder[kTextFieldSize];
    FolderOfPath(initial, folder, sizeof folder);

    char patterns[128];
    LoadText(mode == 1 ? kFilterProgram : kFilterIcon, patterns, sizeof patterns);
    char filter[512];
    if (!BuildFileFilter(patterns, filter, sizeof filter))
        filter[0] = filter[1] = '\0';
    char title[256];
    LoadText(mode == 1 ? kBrowseTitleFile : kBrowseTitleIcon, title, sizeof title);

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
        ShowMessageId(dialog, kMsgNameNotKept, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    if (mode == 1) {
        SetDialogRequest(request.targetIndex, 1, file);
        Initialise(dialog);
        return true;
    }
    if (mode == 2) {
        SetDlgItemTextA(dialog, kIdIconFile, file);
        SendDlgItemMessageA(dialog, kIdIconSource, CB_SETCURSEL, 2, 0);
    } else {
        SetDialogRequest(request.targetIndex, request.presetFlag, file);
        SetDlgItemTextA(dialog, kIdFile, file);
        SendDlgItemMessageA(dialog, kIdIconSource, CB_SETCURSEL, 0, 0);
    }
    ShowChosenIconSource(dialog, file);
    return true;
}
