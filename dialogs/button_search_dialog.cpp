#include "dialogs/button_search_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/button_icons.h"
#include "bar/program_button.h"
#include "data/button_place.h"
#include "resources/resource_ids.h"
#include "support/display_scale.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/window_messages.h"

#include <windowsx.h>

#include <cwchar>

namespace {
// The columns share the list's width: name, where it is, and the file the rest.
struct ColumnSpec {
    UINT headerId;
    int percent;
};
const ColumnSpec kColumns[] = {
    {IDS_SEARCH_COLUMN_NAME, 36},
    {IDS_SEARCH_COLUMN_PLACE, 22},
    {IDS_SEARCH_COLUMN_FILE, 42},
};

// The character CTRL+D types.
constexpr WPARAM kCtrlD = 0x04;

bool Held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// A group as the lists name it: its name, or "第 n グループ" without one.
void GroupName(const LauncherData& data, int group, wchar_t* text, int size)
{
    const wchar_t* stored = data.groups[group].group.name;
    if (stored[0])
        lstrcpynW(text, stored, size);
    else
        FormatText(text, size, IDS_UNNAMED_GROUP_FORMAT, group + 1);
}

// The group cell as the shortcut list writes it: "name - n".
void GroupCell(const LauncherData& data, ButtonPlace place, wchar_t* text, int size)
{
    wchar_t name[kFieldSize];
    GroupName(data, place.group, name, kFieldSize);
    swprintf(text, static_cast<size_t>(size), L"%ls - %d", name, place.button + 1);
}

// Text into a cell of the list (size characters), cut on a whole character.
void CopyCell(const wchar_t* text, wchar_t* cell, int size)
{
    CopyWholeCharacters(text, std::wcslen(text), cell, static_cast<size_t>(size));
}

double UseOf(const UsageLog* usage, const std::wstring& path, std::int64_t now)
{
    return usage ? usage->Score(path, now) : 0.0;
}

// The titles in kanji, whose readings the catalog is asked for.
std::vector<std::wstring> KanjiTitles(const LauncherData& data, int groupCount)
{
    std::vector<std::wstring> titles;
    for (int group = 0; group < ClampGroupCount(groupCount); ++group) {
        for (const ButtonRecord& button : data.groups[group].buttons) {
            if (button.file[0] && HoldsKanji(button.title))
                titles.emplace_back(button.title);
        }
    }
    return titles;
}

}  // namespace

SearchChoice ButtonSearchDialog::Run()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!inputs_.data)
        return choice_;
    buttonImages_.assign(kButtonCount, -1);
    TakePrograms();
    if (inputs_.catalog)
        inputs_.catalog->Refresh(KanjiTitles(*inputs_.data, inputs_.groupCount));
    ShowModal(mainWindow_, IDD_BUTTON_SEARCH);
    return choice_;
}

// The buttons folded with the readings the catalog has for their titles, the
// programs it read last, and how much each was used.
void ButtonSearchDialog::TakePrograms()
{
    ProgramCatalog* catalog = inputs_.catalog;
    const ReadingLookup reading = [catalog](const std::wstring& text) {
        return catalog ? catalog->ReadingOf(text) : std::wstring();
    };
    BuildSearchIndex(*inputs_.data, inputs_.groupCount, reading, catalog ? catalog->Programs() : nullptr, &index_);
    const std::int64_t now = UsageNow();
    for (size_t i = 0; i < index_.buttonNumbers.size(); ++i) {
        const ButtonPlace place = ButtonPlace::FromNumber(index_.buttonNumbers[i]);
        const ButtonRecord& button = inputs_.data->groups[place.group].buttons[place.button];
        index_.buttonUse[i] = UseOf(inputs_.usage, CountedPath(button.file, button.params), now);
    }
    const size_t programs = index_.programs ? index_.programs->programs.size() : 0;
    for (size_t i = 0; i < programs; ++i)
        index_.programUse[i] = UseOf(inputs_.usage, index_.programs->programs[i].path, now);
    programImages_.assign(programs, -1);
}

HWND ButtonSearchDialog::List() const
{
    return GetDlgItem(dialog_, IDC_SEARCH_LIST);
}

void ButtonSearchDialog::SetUpList()
{
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    RECT client = {};
    GetClientRect(list, &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); ++i) {
        wchar_t header[64] = L"";
        LoadText(kColumns[i].headerId, header, 64);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = width * kColumns[i].percent / 100;
        column.pszText = header;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    iconSize_ = BarIconSize(WindowDpi(dialog_));  // the bar's icon size on this window's screen
    imageList_.Reset(ImageList_Create(iconSize_, iconSize_, ILC_COLOR32 | ILC_MASK, 16, 16));
    ListView_SetImageList(list, imageList_.Get(), LVSIL_SMALL);
}

bool ButtonSearchDialog::OnInitDialog()
{
    SetWindowSubclass(GetDlgItem(dialog_, IDC_SEARCH_QUERY), QueryProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SendDlgItemMessageW(dialog_, IDC_SEARCH_QUERY, EM_SETLIMITTEXT, kFieldLength, 0);
    SetUpList();
    Filter();
    SetForegroundWindow(dialog_);  // opened by a hotkey while another program was in front
    SetFocus(GetDlgItem(dialog_, IDC_SEARCH_QUERY));
    return true;
}

// A keystroke that leaves the same rows listed (typing on after the match is
// unique) repaints nothing and keeps the row chosen with UP/DOWN; painting
// the list is what a keystroke costs, the comparing is cheap.
void ButtonSearchDialog::Filter()
{
    wchar_t query[kFieldSize] = L"";
    GetDlgItemTextW(dialog_, IDC_SEARCH_QUERY, query, kFieldSize);
    std::vector<SearchItem> found;
    FindItems(index_, query, &found);
    if (listed_ && found == found_)
        return;
    listed_ = true;
    found_ = std::move(found);
    HWND list = List();
    ListView_SetItemCountEx(list, static_cast<int>(found_.size()), 0);
    Select(found_.empty() ? -1 : 0);
    InvalidateRect(list, nullptr, TRUE);
    const UINT hintId = found_.empty() ? IDS_SEARCH_NO_MATCH : IDS_SEARCH_HINT;
    if (hintId != hintId_) {  // the label repaints at once when its text is set
        hintId_ = hintId;
        wchar_t hint[256] = L"";
        LoadText(hintId, hint, 256);
        SetDlgItemTextW(dialog_, IDC_SEARCH_HINT, hint);
    }
}

void ButtonSearchDialog::Select(int row)
{
    HWND list = List();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0)
        return;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

int ButtonSearchDialog::SelectedRow() const
{
    const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    return row >= 0 && row < static_cast<int>(found_.size()) ? row : -1;
}

void ButtonSearchDialog::MoveSelection(int rows)
{
    if (found_.empty())
        return;
    int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED) + rows;
    if (row < 0)
        row = 0;
    if (row >= static_cast<int>(found_.size()))
        row = static_cast<int>(found_.size()) - 1;
    Select(row);
}

// A program has no settings: SHIFT+ENTER leaves it listed.
void ButtonSearchDialog::Choose(bool ctrl, bool shift)
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const SearchItem& item = found_[row];
    if (item.button < 0 && shift) {
        MessageBeep(MB_OK);
        return;
    }
    choice_.buttonNumber = item.button;
    if (item.program >= 0)
        choice_.program = index_.programs->programs[item.program];
    Finish(shift ? SearchAction::OpenSettings : ctrl ? SearchAction::OpenFolder : SearchAction::Launch);
}

// A button is on a button already: only a program is put on one.
void ButtonSearchDialog::PutOnButton(int group)
{
    const int row = SelectedRow();
    if (row < 0 || found_[row].program < 0 || group < 0 || group >= ClampGroupCount(inputs_.groupCount)) {
        MessageBeep(MB_OK);
        return;
    }
    choice_.program = index_.programs->programs[found_[row].program];
    choice_.group = group;
    Finish(SearchAction::PutOnButton);
}

void ButtonSearchDialog::Finish(SearchAction action)
{
    if (finished_)
        return;
    finished_ = true;
    choice_.action = action;
    EndDialog(dialog_, 1);
}

// The row's menu: at the cursor for a click (the row under it selected
// first), below the selected row for the context-menu key.
void ButtonSearchDialog::ShowRowMenu(LPARAM place)
{
    HWND list = List();
    POINT at = {GET_X_LPARAM(place), GET_Y_LPARAM(place)};
    if (place == -1) {
        RECT rect = {};
        const int row = SelectedRow();
        if (row < 0 || !ListView_GetItemRect(list, row, &rect, LVIR_LABEL))
            return;
        at = POINT{rect.left, rect.bottom};
        ClientToScreen(list, &at);
    } else {
        LVHITTESTINFO hit = {};
        hit.pt = at;
        ScreenToClient(list, &hit.pt);
        if (ListView_HitTest(list, &hit) < 0)
            return;
        Select(hit.iItem);
    }
    const int row = SelectedRow();
    if (row < 0)
        return;
    const bool program = found_[row].program >= 0;
    const ScopedMenu menu(CreatePopupMenu());
    ScopedMenu groups(CreatePopupMenu());
    if (!menu || !groups)
        return;
    wchar_t text[kFieldSize + 16] = L"";
    for (int group = 0; group < ClampGroupCount(inputs_.groupCount); ++group) {
        GroupName(*inputs_.data, group, text, kFieldSize);
        const UINT checked = group == inputs_.currentGroup ? MF_CHECKED : MF_UNCHECKED;
        AppendMenuW(groups.Get(), MF_STRING | checked, IDM_SEARCH_FIRST_GROUP + group, text);
    }
    const UINT forPrograms = program ? MF_ENABLED : MF_GRAYED;
    const struct {
        UINT id;
        UINT textId;
        UINT flags;
    } items[] = {
        {IDM_SEARCH_START, IDS_SEARCH_MENU_START, MF_ENABLED},
        {IDM_SEARCH_OPEN_FOLDER, IDS_SEARCH_MENU_FOLDER, MF_ENABLED},
        {IDM_SEARCH_PUT_ON_BUTTON, IDS_SEARCH_MENU_PUT, forPrograms},
    };
    for (const auto& item : items) {
        LoadText(item.textId, text, kFieldSize);
        AppendMenuW(menu.Get(), MF_STRING | item.flags, item.id, text);
    }
    LoadText(IDS_SEARCH_MENU_PUT_IN_GROUP, text, kFieldSize);
    if (AppendMenuW(menu.Get(), MF_POPUP | forPrograms, reinterpret_cast<UINT_PTR>(groups.Get()), text))
        groups.Release();  // destroyed with the menu that holds it
    TrackPopupMenuEx(menu.Get(), TPM_RIGHTBUTTON, at.x, at.y, dialog_, nullptr);  // the choice comes as WM_COMMAND
}

// A command of the row's menu on the selected row; false for any other id.
bool ButtonSearchDialog::OnRowCommand(int id)
{
    if (id == IDM_SEARCH_START || id == IDM_SEARCH_OPEN_FOLDER)
        Choose(id == IDM_SEARCH_OPEN_FOLDER, false);
    else if (id == IDM_SEARCH_PUT_ON_BUTTON)
        PutOnButton(inputs_.currentGroup);
    else if (id >= IDM_SEARCH_FIRST_GROUP && id < IDM_SEARCH_FIRST_GROUP + kGroupCount)
        PutOnButton(id - IDM_SEARCH_FIRST_GROUP);
    else
        return false;
    return true;
}

// The bar's own image for a button of the group it shows, the icon its
// record names for any other, a program's own; taken when the row is first drawn.
int ButtonSearchDialog::ImageOf(const SearchItem& item)
{
    int& cached = item.button >= 0 ? buttonImages_[item.button] : programImages_[item.program];
    if (cached != -1)
        return cached;
    int image = I_IMAGENONE;
    if (item.button >= 0) {
        const ButtonPlace place = ButtonPlace::FromNumber(item.button);
        HICON shown = place.group == inputs_.currentGroup ? reinterpret_cast<HICON>(SendDlgItemMessageW(
            mainWindow_, IDC_FIRST_LAUNCHER + place.button, BM_GETIMAGE, IMAGE_ICON, 0)) : nullptr;
        const ScopedIcon loaded(shown ? nullptr : LoadRecordIcon(
            inputs_.data->groups[place.group].buttons[place.button], iconSize_));
        if (shown || loaded)
            image = ImageList_AddIcon(imageList_.Get(), shown ? shown : loaded.Get());  // a copy: the bar keeps its own
    } else {
        const ScopedIcon icon(LoadProgramIcon(index_.programs->programs[item.program], iconSize_));
        if (icon)
            image = ImageList_AddIcon(imageList_.Get(), icon.Get());
    }
    cached = image < 0 ? I_IMAGENONE : image;
    return cached;
}

// Where a row's button or program is: the button's group and number, the
// program's Start menu folder or the Apps folder.
void ButtonSearchDialog::FillPlace(const SearchItem& item, LVITEMW* cell) const
{
    wchar_t text[kFieldSize + 64] = L"";
    if (item.button >= 0) {
        GroupCell(*inputs_.data, ButtonPlace::FromNumber(item.button), text, ARRAYSIZE(text));
    } else {
        const ProgramEntry& program = index_.programs->programs[item.program];
        LoadText(program.kind == ProgramKind::StoreApp ? IDS_SEARCH_PLACE_APPS : IDS_SEARCH_PLACE_START_MENU, text,
                 64);
        if (!program.folder.empty()) {
            lstrcatW(text, L" - ");
            const size_t length = std::wcslen(text);
            CopyCell(program.folder.c_str(), text + length, static_cast<int>(ARRAYSIZE(text) - length));
        }
    }
    CopyCell(text, cell->pszText, cell->cchTextMax);
}

void ButtonSearchDialog::FillCell(LVITEMW* cell)
{
    if (cell->iItem < 0 || cell->iItem >= static_cast<int>(found_.size()))
        return;
    const SearchItem& item = found_[cell->iItem];
    if (cell->mask & LVIF_IMAGE)
        cell->iImage = ImageOf(item);
    if (!(cell->mask & LVIF_TEXT) || !cell->pszText || cell->cchTextMax <= 0)
        return;
    if (cell->iSubItem == 1) {
        FillPlace(item, cell);
        return;
    }
    if (item.program >= 0) {
        const ProgramEntry& program = index_.programs->programs[item.program];
        CopyCell((cell->iSubItem == 0 ? program.name : program.path).c_str(), cell->pszText, cell->cchTextMax);
        return;
    }
    const ButtonPlace place = ButtonPlace::FromNumber(item.button);
    const ButtonRecord& record = inputs_.data->groups[place.group].buttons[place.button];
    if (cell->iSubItem == 0)  // an untitled button by its file's name
        CopyCell(record.title[0] ? record.title : FileNameOf(record.file), cell->pszText, cell->cchTextMax);
    else
        CopyCell(record.file, cell->pszText, cell->cchTextMax);
}

// The focus stays in the field, so the list draws the selected row in the
// highlight colours itself: the row ENTER starts is always plain to see.
LRESULT ButtonSearchDialog::OnCustomDraw(NMLVCUSTOMDRAW* draw) const
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (ListView_GetItemState(List(), row, LVIS_SELECTED) & LVIS_SELECTED) {
            draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
            draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        }
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

INT_PTR ButtonSearchDialog::OnNotify(const NMHDR* header)
{
    if (header->idFrom != IDC_SEARCH_LIST)
        return FALSE;
    switch (header->code) {
    case LVN_GETDISPINFOW:
        FillCell(&reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item);
        return TRUE;
    case NM_CUSTOMDRAW:
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(
                                                       const_cast<NMHDR*>(header))));
        return TRUE;
    case NM_DBLCLK:
        Choose(Held(VK_CONTROL), Held(VK_SHIFT));
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK ButtonSearchDialog::QueryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self)
{
    auto* dialog = reinterpret_cast<ButtonSearchDialog*>(self);
    switch (message) {
    case WM_GETDLGCODE:
        // ENTER and the moving keys are the field's, not the dialog's.
        if (const MSG* msg = reinterpret_cast<const MSG*>(lParam)) {
            if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_UP ||
                                               msg->wParam == VK_DOWN || msg->wParam == VK_PRIOR ||
                                               msg->wParam == VK_NEXT))
                return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
        }
        break;
    case WM_KEYDOWN: {
        const int page = ListView_GetCountPerPage(dialog->List());
        switch (wParam) {
        case VK_RETURN:
            dialog->Choose(Held(VK_CONTROL), Held(VK_SHIFT));
            return 0;
        case VK_UP:
            dialog->MoveSelection(-1);
            return 0;
        case VK_DOWN:
            dialog->MoveSelection(1);
            return 0;
        case VK_PRIOR:
            dialog->MoveSelection(page > 1 ? -page : -1);
            return 0;
        case VK_NEXT:
            dialog->MoveSelection(page > 1 ? page : 1);
            return 0;
        case 'D':
            if (!Held(VK_CONTROL))
                break;
            dialog->PutOnButton(dialog->inputs_.currentGroup);
            return 0;
        default:
            break;
        }
        break;
    }
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\n' || wParam == kCtrlD)
            return 0;  // no beep for ENTER, CTRL+ENTER and CTRL+D
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, QueryProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

INT_PTR ButtonSearchDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;  // the focus is set
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SEARCH_QUERY:
            if (HIWORD(wParam) == EN_CHANGE)
                Filter();
            return TRUE;
        case IDOK:  // ENTER while the list has the focus
            Choose(Held(VK_CONTROL), Held(VK_SHIFT));
            return TRUE;
        case IDCANCEL:
            Finish(SearchAction::Cancelled);
            return TRUE;
        default:
            return OnRowCommand(LOWORD(wParam)) ? TRUE : FALSE;
        }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != List())
            return FALSE;
        ShowRowMenu(lParam);
        return TRUE;
    case WM_PROGRAMS_READ:
        TakePrograms();
        listed_ = false;
        Filter();
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Finish(SearchAction::Dismissed);
        return FALSE;
    case WM_CLOSE:
    case WM_ENDSESSION:
        Finish(SearchAction::Cancelled);
        return TRUE;
    case WM_DESTROY:
        ListView_SetImageList(List(), nullptr, LVSIL_SMALL);
        imageList_.Reset();
        return FALSE;
    default:
        return FALSE;
    }
}
