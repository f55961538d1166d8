#include "dialogs/icon_chooser.h"

#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/dialog_base.h"
#include "support/display_scale.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"

#include <string>

namespace {
constexpr COLORREF kSelectionColour = RGB(255, 128, 128);
constexpr COLORREF kFocusColour = RGB(255, 0, 0);

void FrameRectangle(HDC dc, RECT rect, COLORREF colour)
{
    const ScopedGdi<HBRUSH> brush(CreateSolidBrush(colour));
    if (brush)
        FrameRect(dc, &rect, brush.Get());
}

// A length of the cells (written for 96 DPI) at the dialog's scale.
int Scaled(HWND window, int length)
{
    return ScaleForDpi(length, WindowDpi(window));
}

// The list's cells are square. Its items' height is set here: the list asks
// for it while the dialog is made, before the chooser is bound to it.
void FillIconList(HWND dialog, const wchar_t* iconFile, int preselected)
{
    HWND list = GetDlgItem(dialog, IDC_ICON_CHOOSER_LIST);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, Scaled(dialog, kIconCellSize));
    SendMessageW(list, LB_SETCOLUMNWIDTH, Scaled(dialog, kIconCellSize), 0);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // The icons of the file as it is used here; one that counts as missing lists none.
    wchar_t used[kResolvedPathSize];
    const UINT count = ResolveIconSource(iconFile, used, kResolvedPathSize)
                           ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(
                                 ExtractIconW(instance, used, static_cast<UINT>(-1))))
                           : 0;
    for (UINT i = 0; i < count; ++i) {
        HICON icon = ExtractIconW(instance, used, i);
        if (reinterpret_cast<UINT_PTR>(icon) <= 1)
            icon = nullptr;  // keeps the file's numbering: an empty cell for an unreadable icon
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(icon));
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(preselected), 0);
}

void DrawFrames(const DRAWITEMSTRUCT& item, bool toggleFocus)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    FrameRectangle(item.hDC, item.rcItem, (item.itemState & ODS_SELECTED) ? kSelectionColour : window);
    RECT inner = item.rcItem;
    InflateRect(&inner, -1, -1);
    FrameRectangle(item.hDC, inner, (item.itemState & ODS_FOCUS) ? kFocusColour : window);
    if (toggleFocus)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void DrawCell(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    switch (item.itemAction) {
    case ODA_DRAWENTIRE: {
        HBRUSH background = GetSysColorBrush(COLOR_WINDOW);
        FillRect(item.hDC, &item.rcItem, background);
        HICON icon = reinterpret_cast<HICON>(item.itemData);
        const int margin = Scaled(item.hwndItem, 2);
        const int size = Scaled(item.hwndItem, 32);
        if (icon)
            DrawIconEx(item.hDC, item.rcItem.left + margin, item.rcItem.top + margin, icon, size, size, 0,
                       background, DI_NORMAL);
        // A repainted cell keeps its frames (and the focus rectangle, drawn once).
        DrawFrames(item, (item.itemState & ODS_FOCUS) != 0);
        break;
    }
    case ODA_SELECT:
        DrawFrames(item, false);
        break;
    case ODA_FOCUS:
        DrawFrames(item, true);
        break;
    default:
        break;
    }
}

// The list's icons go with it.
void DestroyListIcons(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_ICON_CHOOSER_LIST);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HICON icon = reinterpret_cast<HICON>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        if (icon && icon != reinterpret_cast<HICON>(LB_ERR))
            DestroyIcon(icon);
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    }
}

// The chooser: a grid of every icon of a file, the chosen one's index as its result.
class IconChooser : public DialogBase {
public:
    IconChooser(const wchar_t* iconFile, int preselected) : iconFile_(iconFile), preselected_(preselected) {}

    // The chosen index, or -1.
    int Run(HWND owner)
    {
        const INT_PTR result = ShowModal(owner, IDD_ICON_CHOOSER);
        return result < 0 ? -1 : static_cast<int>(result);
    }

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Confirm();
    void Close();

    const std::wstring iconFile_;
    const int preselected_;
    int result_ = -1;
};

void IconChooser::Confirm()
{
    result_ = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_ICON_CHOOSER_LIST, LB_GETCURSEL, 0, 0));
    if (result_ < 0)
        result_ = -1;
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
}

void IconChooser::Close()
{
    DestroyListIcons(dialog_);
    EndDialog(dialog_, result_);
}

INT_PTR IconChooser::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        result_ = -1;
        FillIconList(dialog, iconFile_.c_str(), preselected_);
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_ICON_CHOOSER_LIST)
            return FALSE;
        DrawCell(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_ICON_CHOOSER_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            Confirm();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDBLCLK:
        Confirm();
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        Close();
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

int ChooseIcon(HWND owner, const wchar_t* iconFile, int preselected)
{
    if (!iconFile || !*iconFile)
        return -1;
    wchar_t file[kFieldSize];
    lstrcpynW(file, iconFile, kFieldSize);
    IconChooser chooser(file, preselected);
    return chooser.Run(owner);
}
