#include "dialogs/shortcut_settings_dialog.h"

#include "bar/button_icons.h"
#include "data/button_place.h"
#include "dialogs/key_capture_dialog.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/saved_changes.h"
#include "support/display_scale.h"
#include "support/messages.h"
#include "support/progress_window.h"

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {
struct ColumnSpec {
    UINT headerId;
    int width;
    int format;
};
const ColumnSpec kColumns[kShortcutColumnCount] = {
    {IDS_COLUMN_ID, 36, LVCFMT_CENTER},      {IDS_COLUMN_BUTTON_NAME, 100, LVCFMT_LEFT},
    {IDS_COLUMN_GROUP, 100, LVCFMT_LEFT},    {IDS_COLUMN_SYSTEM_MARK, 20, LVCFMT_LEFT},
    {IDS_COLUMN_KEY, 80, LVCFMT_LEFT},       {IDS_COLUMN_FILE, 400, LVCFMT_LEFT},
};
constexpr int kKeyColumn = 4;
constexpr int kMarkColumn = 3;
constexpr int kTextSize = 300;
// Item data of the row of the search window's hotkey; button rows hold their button numbers.
constexpr int kSearchRowNumber = kShortcutEntryCount;

// The sorted column's texts by item data, taken before the sort: the list
// hands the comparison its items' data, and asking the list for a row's text
// while it sorts is not reliable.
struct SortContext {
    std::vector<std::wstring> texts;
    bool descending;
};

// By the column's text; the search window's row stays on top in either order.
int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context)
{
    const auto* sort = reinterpret_cast<const SortContext*>(context);
    const bool searchFirst = first == kSearchRowNumber;
    const bool searchSecond = second == kSearchRowNumber;
    if (searchFirst != searchSecond)
        return searchFirst ? -1 : 1;
    auto text = [sort](LPARAM number) {
        return number >= 0 && number <= kSearchRowNumber ? sort->texts[static_cast<size_t>(number)].c_str() : L"";
    };
    const int order = lstrcmpW(text(first), text(second));
    return sort->descending ? -order : order;
}

// The number column shows the row's icon (iconSize pixels) and then
// "001".."100": its own width would leave no room for the number, so the
// column is widened to hold both.
int IdColumnWidth(HWND list, int iconSize, int dpi)
{
    const int text = ListView_GetStringWidth(list, L"000");
    const int needed = iconSize + text + ScaleForDpi(16, dpi);
    const int width = ScaleForDpi(kColumns[0].width, dpi);
    return needed > width ? needed : width;
}

void SetCellText(HWND list, int row, int column, const wchar_t* text)
{
    ListView_SetItemText(list, row, column, const_cast<wchar_t*>(text));
}

}  // namespace

ShortcutSettingsDialog::ShortcutSettingsDialog(HWND mainWindow, Launcher& launcher, int group, int button)
    : mainWindow_(mainWindow), launcher_(launcher), backup_(launcher.Shortcuts())
{
    if (button < 0 || button >= kButtonsPerGroup)
        button = 0;
    preselected_ = ButtonPlace{group, button}.Number();
}

INT_PTR ShortcutSettingsDialog::Run()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return ShowModal(mainWindow_, IDD_SHORTCUTS);
}

HWND ShortcutSettingsDialog::List() const
{
    return GetDlgItem(dialog_, IDC_SHORTCUT_LIST);
}

int ShortcutSettingsDialog::RowNumber(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    const int number = static_cast<int>(item.lParam);
    return number >= 0 && number <= kSearchRowNumber ? number : -1;
}

int ShortcutSettingsDialog::ButtonNumberOfRow(int row) const
{
    const int number = RowNumber(row);
    return number < kShortcutEntryCount ? number : -1;
}

bool ShortcutSettingsDialog::IsSearchRow(int row) const
{
    return RowNumber(row) == kSearchRowNumber;
}

ShortcutEntry* ShortcutSettingsDialog::EntryOfRow(int row) const
{
    if (IsSearchRow(row))
        return &launcher_.Shortcuts().Search;
    const int number = ButtonNumberOfRow(row);
    return number < 0 ? nullptr : ShortcutEntryAt(launcher_.Shortcuts(), number);
}

void ShortcutSettingsDialog::SetUpList()
{
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    // Columns and icons at the dialog's scale, as its font.
    const int dpi = WindowDpi(dialog_);
    iconSize_ = BarIconSize(dpi);
    for (int i = 0; i < kShortcutColumnCount; ++i) {
        wchar_t header[64] = L"";
        LoadText(kColumns[i].headerId, header, 64);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = i == 0 ? IdColumnWidth(list, iconSize_, dpi) : ScaleForDpi(kColumns[i].width, dpi);
        column.pszText = header;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    images_.Reset(ImageList_Create(iconSize_, iconSize_, ILC_COLOR24 | ILC_MASK, 100, 1));
    ListView_SetImageList(list, images_.Get(), LVSIL_SMALL);
}

void ShortcutSettingsDialog::InsertRow(ButtonPlace place)
{
    const ButtonRecord& record = launcher_.Data().groups[place.group].buttons[place.button];
    const GroupRecord& groupRecord = launcher_.Data().groups[place.group].group;
    const int number = place.Number();
    HWND list = List();

    int image = 0;
    if (const ScopedIcon icon{LoadRecordIcon(record, iconSize_)}) {
        const int added = ImageList_AddIcon(images_.Get(), icon.Get());
        if (added >= 0)
            image = added;
    }
    wchar_t text[kTextSize];
    swprintf(text, kTextSize, L"%03lu", static_cast<unsigned long>(number + 1));
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = text;
    item.iImage = image;
    item.lParam = number;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        return;

    if (record.title[0])
        lstrcpynW(text, record.title, kTextSize);
    else
        FormatText(text, kTextSize, IDS_UNTITLED_BUTTON_FORMAT, place.button + 1);
    SetCellText(list, row, 1, text);

    wchar_t groupName[kTextSize];
    if (groupRecord.name[0])
        lstrcpynW(groupName, groupRecord.name, kTextSize);
    else
        FormatText(groupName, kTextSize, IDS_UNNAMED_GROUP_FORMAT, place.group + 1);
    swprintf(text, kTextSize, L"%ls - %lu", groupName, static_cast<unsigned long>(place.button + 1));
    SetCellText(list, row, 2, text);
    SetCellText(list, row, 5, record.file);
    RefreshShortcutRow(row);
    if (number == preselected_) {
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

// The search window's hotkey heads the list: a system hotkey of the
// launcher's own, CTRL required, never one of a button.
void ShortcutSettingsDialog::InsertSearchRow()
{
    HWND list = List();
    int image = 0;
    if (const ScopedIcon icon{LoadResourceIcon(IDI_PROGRAM)}) {
        const int added = ImageList_AddIcon(images_.Get(), icon.Get());
        if (added >= 0)
            image = added;
    }
    wchar_t text[kTextSize] = L"---";
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.pszText = text;
    item.iImage = image;
    item.lParam = kSearchRowNumber;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        return;
    LoadText(IDS_SEARCH_ROW_TITLE, text, kTextSize);
    SetCellText(list, row, 1, text);
    LoadText(IDS_SEARCH_ROW_GROUP, text, kTextSize);
    SetCellText(list, row, 2, text);
    RefreshShortcutRow(row);
}

bool ShortcutSettingsDialog::IsFilled(ButtonPlace place) const
{
    return launcher_.Data().groups[place.group].buttons[place.button].file[0] != L'\0';
}

bool ShortcutSettingsDialog::FillList()
{
    ProgressDialog progress;
    progress.Show(dialog_);
    wchar_t text[128];
    LoadText(IDS_PROGRESS_WAIT_TITLE, text, 128);
    progress.SetTitle(text);
    LoadText(IDS_PROGRESS_SORTING_TEXT, text, 128);
    progress.SetText(text);
    progress.SetProgress(0);

    int count = 0;
    for (int number = 0; number < kButtonCount; ++number) {
        if (progress.IsCancelled())
            return false;
        if (IsFilled(ButtonPlace::FromNumber(number)))
            ++count;
    }
    progress.SetRange(0, count);
    InsertSearchRow();
    int done = 0;
    for (int number = 0; number < kButtonCount; ++number) {
        if (progress.IsCancelled())
            return false;
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        if (IsFilled(place)) {
            InsertRow(place);
            progress.SetProgress(static_cast<unsigned>(++done));
        } else if (number == preselected_) {
            preselected_ = place.button == kButtonsPerGroup - 1 ? 0 : number + 1;
        }
    }
    return true;
}

bool ShortcutSettingsDialog::OnInitDialog()
{
    SetUpList();
    if (!FillList())
        return false;
    const int selected = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    if (selected >= 0)
        ListView_EnsureVisible(List(), selected, FALSE);
    UpdateShortcutButtons();
    return true;
}

void ShortcutSettingsDialog::RefreshShortcutRow(int row)
{
    const ShortcutEntry* entry = EntryOfRow(row);
    if (entry) {
        wchar_t text[kShortcutTextSize];
        FormatShortcutText(entry->key, entry->flag, text, kShortcutTextSize);
        SetCellText(List(), row, kKeyColumn, text);
        // The key column grows to the longest combination ("CTRL+SHIFT+F9"); it never shrinks.
        const int needed = ListView_GetStringWidth(List(), text) + ScaleForDpi(12, WindowDpi(List()));
        if (needed > ListView_GetColumnWidth(List(), kKeyColumn))
            ListView_SetColumnWidth(List(), kKeyColumn, needed);
        // A system hotkey the system refused keeps its wish, marked apart;
        // the search window's hotkey is always a system hotkey.
        const ButtonPlace place = ButtonPlace::FromNumber(ButtonNumberOfRow(row));
        wchar_t mark[8] = L"";
        const bool refused = IsSearchRow(row)
                                 ? entry->key && launcher_.Refused().search
                                 : entry->usesystemshortcut && HotkeyRefused(launcher_, place.group, place.button);
        if (refused)
            LoadText(IDS_HOTKEY_REFUSED_MARK, mark, 8);
        else if (entry->usesystemshortcut || (IsSearchRow(row) && entry->key))
            lstrcpynW(mark, L"*", 8);
        SetCellText(List(), row, kMarkColumn, mark);
    }
    UpdateShortcutButtons();
}

bool ShortcutSettingsDialog::SelectionHoldsSystemHotkey(bool withSearch) const
{
    HWND list = List();
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        const ShortcutEntry* entry = EntryOfRow(row);
        if (entry && (entry->usesystemshortcut || (withSearch && IsSearchRow(row) && entry->key)))
            return true;
    }
    return false;
}

void ShortcutSettingsDialog::UpdateShortcutButtons()
{
    HWND list = List();
    const int selectedCount = ListView_GetSelectedCount(list);
    EnableWindow(GetDlgItem(dialog_, IDC_SHORTCUT_ASSIGN), selectedCount > 0);
    EnableWindow(GetDlgItem(dialog_, IDC_SHORTCUT_CLEAR), selectedCount > 0);
    const bool system = SelectionHoldsSystemHotkey(true);

    bool unique = false;
    if (selectedCount == 1) {
        const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        const ShortcutEntry* entry = EntryOfRow(selected);
        unique = entry && !IsSearchRow(selected) && entry->key != 0 && (entry->flag & kModifierMask) != 0;
        const int rows = ListView_GetItemCount(list);
        for (int row = 0; unique && row < rows; ++row) {
            const ShortcutEntry* other = row == selected ? nullptr : EntryOfRow(row);
            if (other && other->key == entry->key && other->flag == entry->flag)
                unique = false;
        }
    }
    EnableWindow(GetDlgItem(dialog_, IDC_SHORTCUT_SYSTEM_HOTKEY), unique);
    EnableWindow(GetDlgItem(dialog_, IDC_SHORTCUT_SYSTEM_NOTE), unique);
    CheckDlgButton(dialog_, IDC_SHORTCUT_SYSTEM_HOTKEY, system ? BST_CHECKED : BST_UNCHECKED);
}

void ShortcutSettingsDialog::AssignKey()
{
    HWND list = List();
    if (ListView_GetSelectedCount(list) == 0)
        return;
    if (SelectionHoldsSystemHotkey(false) &&
        ShowMessageId(dialog_, IDS_ASK_RELEASE_SYSTEM_HOTKEY, MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES)
        return;
    // The search window's hotkey takes a key of its own, CTRL held; chosen
    // together with buttons it is left out.
    const int first = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    const bool searchAlone = ListView_GetSelectedCount(list) == 1 && IsSearchRow(first);
    KeyCaptureDialog capture(launcher_.Shortcuts());
    if (searchAlone)
        capture.SetRequiredModifiers(kModifierCtrl);
    const int key = capture.Run(dialog_);
    if (key == 0)
        return;
    if (searchAlone) {
        // Taken at once, so that a combination another program holds is told
        // now; the one before stays then.
        ShortcutEntry& search = launcher_.Shortcuts().Search;
        const ShortcutEntry before = search;
        search.key = key == VK_DELETE ? 0 : key;
        search.flag = key == VK_DELETE ? 0 : capture.GetModifiers();
        const bool held = RegisterSearchHotkey(mainWindow_, launcher_);
        if (!held) {
            search = before;
            RegisterSearchHotkey(mainWindow_, launcher_);
        }
        RefreshShortcutRow(first);
        if (!held)
            ShowMessageId(dialog_, IDS_MSG_SEARCH_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (int row = first; row >= 0; row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        ShortcutEntry* entry = EntryOfRow(row);
        if (!entry)
            break;
        if (IsSearchRow(row))
            continue;
        if (key == VK_DELETE) {
            *entry = ShortcutEntry{};
        } else {
            entry->key = key;
            entry->flag = capture.GetModifiers();
            entry->usesystemshortcut = 0;
        }
        entry->id = ButtonNumberOfRow(row);
        UnregisterButtonHotkey(mainWindow_, launcher_, ButtonPlace::FromNumber(entry->id));
        RefreshShortcutRow(row);
    }
}

void ShortcutSettingsDialog::ClearRows()
{
    HWND list = List();
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        ShortcutEntry* entry = EntryOfRow(row);
        if (!entry)
            break;
        // The hotkey is registered under the button number, whatever id the
        // entry carries (entries move whole with their buttons).
        if (entry->usesystemshortcut)
            UnregisterButtonHotkey(mainWindow_, launcher_, ButtonPlace::FromNumber(ButtonNumberOfRow(row)));
        *entry = ShortcutEntry{};
        RefreshShortcutRow(row);
    }
}

void ShortcutSettingsDialog::OnSystemHotkeyCheck()
{
    HWND list = List();
    if (ListView_GetSelectedCount(list) != 1)
        return;
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    ShortcutEntry* entry = EntryOfRow(row);
    if (!entry || IsSearchRow(row))
        return;
    const ButtonPlace place = ButtonPlace::FromNumber(ButtonNumberOfRow(row));
    const bool wanted = IsDlgButtonChecked(dialog_, IDC_SHORTCUT_SYSTEM_HOTKEY) == BST_CHECKED;
    // Told at once when the system will not give the combination: the row stays a plain shortcut.
    const bool refused =
        wanted && !HotkeyAvailable(mainWindow_, launcher_, place.group, place.button, entry->key, entry->flag);
    entry->usesystemshortcut = wanted && !refused ? 1 : 0;
    RefreshShortcutRow(row);
    if (refused)
        ShowMessageId(dialog_, IDS_MSG_HOTKEY_REFUSED, MB_OK | MB_ICONEXCLAMATION);
}

void ShortcutSettingsDialog::SortByColumn(int column)
{
    if (column < 0 || column >= kShortcutColumnCount)
        return;
    sortDirections_[column] = !sortDirections_[column];
    SortContext context = {std::vector<std::wstring>(kSearchRowNumber + 1), sortDirections_[column] != 0};
    HWND list = List();
    for (int row = 0, rows = ListView_GetItemCount(list); row < rows; ++row) {
        const int number = RowNumber(row);
        if (number < 0)
            continue;
        wchar_t text[kTextSize] = L"";
        ListView_GetItemText(list, row, column, text, kTextSize);
        context.texts[static_cast<size_t>(number)] = text;
    }
    ListView_SortItems(list, CompareRows, reinterpret_cast<LPARAM>(&context));
}

void ShortcutSettingsDialog::Leave(bool confirmed)
{
    if (!confirmed) {
        ShortcutTable& table = launcher_.Shortcuts();
        std::copy(std::begin(backup_.entries), std::end(backup_.entries), std::begin(table.entries));
        table.Search = backup_.Search;
    }
    RegisterAllHotkeys(mainWindow_, launcher_);
    if (confirmed)
        SaveShortcutChanges(dialog_, launcher_);
    EndDialog(dialog_, confirmed ? IDOK : IDCANCEL);
}

INT_PTR ShortcutSettingsDialog::OnNotify(const NMHDR* header)
{
    if (header->idFrom != IDC_SHORTCUT_LIST)
        return FALSE;
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (change->uChanged & LVIF_STATE)
            UpdateShortcutButtons();
        return TRUE;
    }
    case NM_DBLCLK:
        AssignKey();
        return TRUE;
    case LVN_COLUMNCLICK:
        SortByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR ShortcutSettingsDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (!OnInitDialog())
            EndDialog(dialog, 0);
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SHORTCUT_ASSIGN:
            AssignKey();
            return TRUE;
        case IDC_SHORTCUT_CLEAR:
            ClearRows();
            return TRUE;
        case IDC_SHORTCUT_SYSTEM_HOTKEY:
            OnSystemHotkeyCheck();
            return TRUE;
        case IDOK:
            Leave(true);
            return TRUE;
        case IDCANCEL:
            Leave(false);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
    case WM_ENDSESSION:
        // Closing the window is cancelling: edits would otherwise stay with
        // their hotkeys unregistered.
        Leave(false);
        return TRUE;
    case WM_DESTROY:
        ListView_SetImageList(List(), nullptr, LVSIL_SMALL);
        images_.Reset();
        return FALSE;
    default:
        return FALSE;
    }
}

int ShowShortcutSettings(HWND mainWindow, Launcher& launcher, int group, int button)
{
    ShortcutSettingsDialog dialog(mainWindow, launcher, group, button);
    dialog.Run();
    return 0;
}
