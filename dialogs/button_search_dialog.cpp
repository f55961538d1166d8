#include "dialogs/button_search_dialog.h"

#include "bar/bar_geometry.h"
#include "bar/button_icons.h"
#include "data/button_place.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "support/display_scale.h"
#include "support/messages.h"
#include "support/path_text.h"

#include <algorithm>
#include <cwchar>

namespace {
HWND g_openWindow = nullptr;

// The columns share the list's width: title, group, and the file the rest.
struct ColumnSpec {
    UINT headerId;
    int percent;
};
const ColumnSpec kColumns[] = {
    {IDS_COLUMN_BUTTON_NAME, 36},
    {IDS_COLUMN_GROUP, 22},
    {IDS_COLUMN_FILE, 42},
};

bool Held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// The group cell as the shortcut list writes it: "name - n".
void GroupCell(const LauncherData& data, ButtonPlace place, wchar_t* text, int size)
{
    wchar_t name[kFieldSize];
    const wchar_t* stored = data.groups[place.group].group.name;
    if (stored[0]) {
        lstrcpynW(name, stored, kFieldSize);
    } else {
        FormatText(name, kFieldSize, IDS_UNNAMED_GROUP_FORMAT, place.group + 1);
    }
    swprintf(text, static_cast<size_t>(size), L"%ls - %d", name, place.button + 1);
}

// Text into a cell of the list (size characters), cut on a whole character.
void CopyCell(const wchar_t* text, wchar_t* cell, int size)
{
    CopyWholeCharacters(text, std::wcslen(text), cell, static_cast<size_t>(size));
}
}  // namespace

HWND ButtonSearchWindow()
{
    return g_openWindow;
}

SearchChoice ButtonSearchDialog::Run()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!LauncherImage())
        return choice_;
    BuildSearchIndex(*LauncherImage(), GetSettings().groupCount, nullptr, nullptr, &index_);
    ShowModal(mainWindow_, IDD_BUTTON_SEARCH);
    return choice_;
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
    for (int& image : images_)
        image = -1;
    iconSize_ = BarIconSize(WindowDpi(dialog_));  // the bar's icon size on this window's screen
    imageList_.Reset(ImageList_Create(iconSize_, iconSize_, ILC_COLOR32 | ILC_MASK, 16, 16));
    ListView_SetImageList(list, imageList_.Get(), LVSIL_SMALL);
}

bool ButtonSearchDialog::OnInitDialog()
{
    g_openWindow = dialog_;
    SetWindowSubclass(GetDlgItem(dialog_, IDC_SEARCH_QUERY), QueryProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SendDlgItemMessageW(dialog_, IDC_SEARCH_QUERY, EM_SETLIMITTEXT, kFieldLength, 0);
    SetUpList();
    Filter();
    SetForegroundWindow(dialog_);  // opened by a hotkey while another program was in front
    SetFocus(GetDlgItem(dialog_, IDC_SEARCH_QUERY));
    return true;
}

// A keystroke that leaves the same buttons listed (typing on after the
// match is unique) repaints nothing and keeps the row chosen with UP/DOWN;
// painting the list is what a keystroke costs, the comparing is cheap.
void ButtonSearchDialog::Filter()
{
    wchar_t query[kFieldSize] = L"";
    GetDlgItemTextW(dialog_, IDC_SEARCH_QUERY, query, kFieldSize);
    std::vector<SearchItem> found;
    FindItems(index_, query, &found);
    if (static_cast<int>(found.size()) == foundCount_ && found == found_)
        return;
    found_ = std::move(found);
    foundCount_ = static_cast<int>(found_.size());
    HWND list = List();
    ListView_SetItemCountEx(list, foundCount_, 0);
    Select(foundCount_ > 0 ? 0 : -1);
    InvalidateRect(list, nullptr, TRUE);
    const UINT hintId = foundCount_ > 0 ? IDS_SEARCH_HINT : IDS_SEARCH_NO_MATCH;
    if (hintId != hintId_) {  // the label repaints at once when its text is set
        hintId_ = hintId;
        wchar_t hint[160] = L"";
        LoadText(hintId, hint, 160);
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

void ButtonSearchDialog::MoveSelection(int rows)
{
    if (foundCount_ <= 0)
        return;
    int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED) + rows;
    if (row < 0)
        row = 0;
    if (row >= foundCount_)
        row = foundCount_ - 1;
    Select(row);
}

void ButtonSearchDialog::Choose(bool ctrl, bool shift)
{
    const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    if (row < 0 || row >= foundCount_)
        return;
    choice_.buttonNumber = found_[row].button;
    Finish(shift ? SearchAction::OpenSettings : ctrl ? SearchAction::OpenFolder : SearchAction::Launch);
}

void ButtonSearchDialog::Finish(SearchAction action)
{
    if (finished_)
        return;
    finished_ = true;
    choice_.action = action;
    EndDialog(dialog_, 1);
}

// The bar's own image for a button of the group it shows, the icon its
// record names for any other; taken when the row is first drawn.
int ButtonSearchDialog::ImageOf(int number)
{
    if (images_[number] != -1)
        return images_[number];
    const ButtonPlace place = ButtonPlace::FromNumber(number);
    int image = I_IMAGENONE;
    HICON shown = place.group == CurrentGroupIndex() ? reinterpret_cast<HICON>(SendDlgItemMessageW(
        mainWindow_, IDC_FIRST_LAUNCHER + place.button, BM_GETIMAGE, IMAGE_ICON, 0)) : nullptr;
    if (shown) {
        image = ImageList_AddIcon(imageList_.Get(), shown);  // a copy: the bar keeps its own
    } else if (const ButtonRecord* record = ButtonAt(place.group, place.button)) {
        const ScopedIcon icon(LoadRecordIcon(*record, iconSize_));
        if (icon)
            image = ImageList_AddIcon(imageList_.Get(), icon.Get());
    }
    images_[number] = image < 0 ? I_IMAGENONE : image;
    return images_[number];
}

void ButtonSearchDialog::FillCell(LVITEMW* item)
{
    if (item->iItem < 0 || item->iItem >= foundCount_)
        return;
    const int number = found_[item->iItem].button;
    const ButtonPlace place = ButtonPlace::FromNumber(number);
    const LauncherData& data = *LauncherImage();
    const ButtonRecord& record = data.groups[place.group].buttons[place.button];
    if (item->mask & LVIF_IMAGE)
        item->iImage = ImageOf(number);
    if (!(item->mask & LVIF_TEXT) || !item->pszText || item->cchTextMax <= 0)
        return;
    if (item->iSubItem == 1) {
        wchar_t text[kFieldSize + 16] = L"";
        GroupCell(data, place, text, kFieldSize + 16);
        CopyCell(text, item->pszText, item->cchTextMax);
    } else if (item->iSubItem == 0) {
        // An untitled button by its file's name.
        CopyCell(record.title[0] ? record.title : FileNameOf(record.file), item->pszText, item->cchTextMax);
    } else {
        CopyCell(record.file, item->pszText, item->cchTextMax);
    }
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
        default:
            break;
        }
        break;
    }
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\n')
            return 0;  // no beep for ENTER and CTRL+ENTER
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
            return FALSE;
        }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Finish(SearchAction::Dismissed);
        return FALSE;
    case WM_CLOSE:
    case WM_ENDSESSION:
        Finish(SearchAction::Cancelled);
        return TRUE;
    case WM_DESTROY:
        g_openWindow = nullptr;
        ListView_SetImageList(List(), nullptr, LVSIL_SMALL);
        imageList_.Reset();
        return FALSE;
    default:
        return FALSE;
    }
}
