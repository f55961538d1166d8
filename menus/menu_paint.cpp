#include "menus/menu_paint.h"

#include "menus/menu_colours.h"
#include "menus/popup_menu.h"
#include "support/display_scale.h"
#include "support/high_contrast.h"
#include "support/scoped_handle.h"
#include "support/text_buffer.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {
SIZE TextSize(HDC dc, const wchar_t* text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size;
}

void FillArea(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    const ScopedGdi<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT area = {left, top, right, bottom};
    if (brush)
        FillRect(dc, &area, brush.Get());
}

// Copies the rows of a bitmap that fall on an item: the bitmap's bottom row
// lies on the menu's bottom edge (menu height menuHeight), the item starts
// itemTop rows below the menu's top and is height rows high.
void CopySlice(HDC target, int x, int width, HDC source, HBITMAP bitmap, int menuHeight, int itemTop,
               int height)
{
    const BITMAP info = BitmapInfo(bitmap);
    if (width <= 0 || info.bmHeight <= 0)
        return;
    const int y0 = info.bmHeight - menuHeight + itemTop;
    int targetY = 0;
    int sourceY = y0;
    int rows = height;
    if (y0 < 0) {
        if (-y0 >= height)
            return;
        targetY = -y0;
        sourceY = 0;
        rows = height + y0;
    }
    if (sourceY + rows > info.bmHeight)  // never read below the bitmap
        rows = info.bmHeight - sourceY;
    if (rows <= 0)
        return;
    ScopedSelect selected(source, bitmap);
    BitBlt(target, x, targetY, width, rows, source, 0, sourceY, SRCCOPY);
}

// The item's top measured from the top of the menu's first item. The item
// rectangle of WM_DRAWITEM may include a margin above the first item, which
// is not part of the menu's height.
int OffsetInMenu(HWND owner, HMENU menu, int position, int drawnTop)
{
    RECT first, item;
    if (GetMenuItemRect(owner, menu, 0, &first) &&
        GetMenuItemRect(owner, menu, static_cast<UINT>(position), &item))
        return item.top - first.top;
    return drawnTop;
}

int MenuHeight(HWND owner, HMENU menu)
{
    int height = 0;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        RECT rect;
        if (GetMenuItemRect(owner, menu, static_cast<UINT>(i), &rect))
            height += rect.bottom - rect.top;
    }
    return height;
}

MenuItemRecord* RecordAt(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return nullptr;
    return reinterpret_cast<MenuItemRecord*>(info.dwItemData);
}

// The system's image list of icons of at least size pixels, the small or
// the large one; the system owns it.
HIMAGELIST SystemImageList(int size)
{
    SHFILEINFOW info = {};
    const UINT which = size <= GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | which;
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags));
}
}  // namespace

// A small icon is 16 pixels at 96 DPI: at the menu's DPI, drawn from the
// system's list that holds it at least that large.
void PopupMenu::DrawItemIcon(HDC target, int left, int height, int index) const
{
    const int size = Scaled(16);
    HIMAGELIST list = SystemImageList(size);
    const ScopedIcon icon(list ? ImageList_GetIcon(list, index, ILD_TRANSPARENT) : nullptr);
    if (icon)
        DrawIconEx(target, left - size / 2, height / 2 - size / 2, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
}

int PopupMenu::Scaled(int length) const
{
    return ScaleForDpi(length, dpi_);
}

int PopupMenu::TitleStripWidth() const
{
    // A title bitmap's strip is the bitmap's own width, drawn as it is.
    return skin_.titleBitmap ? skin_.titleWidth : Scaled(skin_.titleWidth);
}

// The widest caption and the tallest line of menu's items, in the menu's font.
PopupMenu::MenuMeasure& PopupMenu::Measured(HWND owner, HMENU menu)
{
    const auto known = measured_.find(menu);
    if (known != measured_.end())
        return known->second;
    MenuMeasure& measure = measured_[menu];
    const ScopedWindowDC window(owner);
    HDC dc = window.Get();
    if (!dc)
        return measure;
    ScopedSelect selected(dc, font_.Get());
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        TextBuffer text;
        const MenuItemRecord* other = RecordAt(menu, i);
        text.Assign(other && other->caption.GetText() ? other->caption.GetText() : L"");
        if (text.GetLength() == 0)
            text.Assign(L" ");
        int width = 0;
        const int tab = text.Find(L'\t');
        if (tab >= 0) {
            width = TextSize(dc, text.GetText() + tab + 1).cx + Scaled(skin_.acceleratorGap);
            text.SetAt(tab, L'\0');
        }
        const SIZE caption = TextSize(dc, text.GetText());
        width += caption.cx;
        if (width > measure.widestText)
            measure.widestText = width;
        const int line = caption.cy * 12 / 10;
        if (line > measure.lineHeight)
            measure.lineHeight = line;
    }
    return measure;
}

bool PopupMenu::MeasureItem(HWND owner, MEASUREITEMSTRUCT* item)
{
    auto* record = reinterpret_cast<MenuItemRecord*>(item->itemData);
    const int dpi = WindowDpi(owner);
    if (!font_.Get() || dpi != dpi_) {
        dpi_ = dpi;
        measured_.clear();
        if (!font_.Create(skin_.fontFace, Scaled(skin_.fontHeight)))
            return false;
    }
    HMENU menu = record->menu;
    const MenuMeasure& measure = Measured(owner, menu);
    const bool separator = (record->flags & kMenuItemSeparator) != 0;
    item->itemHeight = static_cast<UINT>(separator ? Scaled(skin_.fontHeight) / 2
                                                   : measure.lineHeight + Scaled(skin_.itemPadding));
    const int strip = menu == popup_ ? TitleStripWidth() : 0;
    item->itemWidth = static_cast<UINT>(strip + Scaled(skin_.leftColumnWidth) + measure.widestText +
                                        2 * Scaled(skin_.sideMargin));
    record->textWidth = measure.widestText;
    return true;
}

bool PopupMenu::DrawItem(HWND owner, const DRAWITEMSTRUCT* item)
{
    const auto* record = reinterpret_cast<const MenuItemRecord*>(item->itemData);
    HMENU menu = record->menu;
    const bool separator = (record->flags & kMenuItemSeparator) != 0;
    const bool top = menu == popup_;
    const int strip = top ? TitleStripWidth() : 0;
    const int column = Scaled(skin_.leftColumnWidth);
    const RECT& area = item->rcItem;
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return true;
    MenuMeasure& measure = Measured(owner, menu);
    if (measure.menuHeight < 0)
        measure.menuHeight = MenuHeight(owner, menu);
    const int menuHeight = measure.menuHeight;
    const int offset = OffsetInMenu(owner, menu, record->position, area.top);

    const ScopedMemoryDC targetDC(CreateCompatibleDC(item->hDC));
    const ScopedMemoryDC sourceDC(CreateCompatibleDC(item->hDC));
    const ScopedGdi<HBITMAP> canvas(CreateCompatibleBitmap(item->hDC, w, h));
    if (!targetDC || !sourceDC || !canvas)
        return true;
    HDC target = targetDC.Get();
    HDC source = sourceDC.Get();
    const MenuColours colours = ChooseMenuColours(skin_, HighContrastOn());
    {
        ScopedSelect drawnOn(target, canvas.Get());

        if (top) {
            FillArea(target, 0, 0, strip, h, colours.title);
            if (HBITMAP title = colours.bitmaps ? skin_.titleBitmap.Get() : nullptr) {
                const int width = strip < BitmapInfo(title).bmWidth ? strip : BitmapInfo(title).bmWidth;
                CopySlice(target, 0, width, source, title, menuHeight, offset, h);
            }
        }

        const bool selected = (item->itemState & ODS_SELECTED) && !separator;
        const COLORREF fill = selected ? colours.highlight : colours.item;
        HBITMAP picture = !colours.bitmaps ? nullptr : selected ? skin_.highlightBitmap.Get() : skin_.itemBitmap.Get();
        FillArea(target, strip, 0, w, h, fill);
        if (picture) {
            const int available = w - strip;
            const int pictureWidth = BitmapInfo(picture).bmWidth;
            if (pictureWidth < available)
                CopySlice(target, strip + available - pictureWidth, pictureWidth, source, picture,
                          menuHeight, offset, h);
            else
                CopySlice(target, strip, available, source, picture, menuHeight, offset, h);
        }

        const bool grayed = (item->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
        SetTextColor(target, grayed && !colours.embossed ? colours.grayedText
                             : selected                  ? colours.selectedText
                                                         : colours.text);
        SetBkMode(target, TRANSPARENT);
        ScopedSelect font(target, font_.Get());
        const UINT state = grayed && colours.embossed ? DSS_DISABLED : DSS_NORMAL;

        if (!separator && record->caption.GetText()) {
            TextBuffer caption(record->caption);
            const SIZE whole = TextSize(target, caption.GetText());
            const int tab = caption.Find(L'\t');
            const wchar_t* accelerator = L"";
            if (tab >= 0) {
                caption.SetAt(tab, L'\0');
                accelerator = record->caption.GetText() + tab + 1;
            }
            const int left = strip + column + Scaled(skin_.sideMargin);
            DrawStateW(target, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.GetText()), 0, left,
                       h / 2 - whole.cy / 2, w, h, DST_PREFIXTEXT | state);
            if (accelerator[0]) {
                const SIZE size = TextSize(target, accelerator);
                DrawStateW(target, nullptr, nullptr, reinterpret_cast<LPARAM>(accelerator), 0,
                           left + record->textWidth - size.cx, h / 2 - size.cy / 2, w, h,
                           DST_PREFIXTEXT | state);
            }
        }

        if (item->itemState & ODS_CHECKED) {
            const int size = Scaled(32);
            const ScopedIcon check(static_cast<HICON>(LoadImageW(
                GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENU_CHECK), IMAGE_ICON, size, size, 0)));
            if (check)
                DrawIconEx(target, strip + column / 2 - size / 2, h / 2 - size / 2, check.Get(), size, size, 0,
                           nullptr, DI_NORMAL);
        }

        if (record->iconIndex >= 0)
            DrawItemIcon(target, strip + column / 2, h, record->iconIndex);

        if (separator) {
            RECT line = {strip, h / 2 - 1, w + 2, h / 2 + 1};
            DrawEdge(target, &line, BDR_SUNKENINNER, BF_RECT);
        }

        BitBlt(item->hDC, area.left, area.top, w, h, target, 0, 0, SRCCOPY);
    }
    return true;
}

LRESULT HandleMenuMeasureItem(HWND owner, WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0)
        return 0;
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU)
        return 0;
    auto* record = reinterpret_cast<MenuItemRecord*>(item->itemData);
    if (record && record->owner)
        record->owner->MeasureItem(owner, item);
    return 1;
}

LRESULT HandleMenuDrawItem(HWND owner, WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU)
        return 0;
    auto* record = reinterpret_cast<MenuItemRecord*>(item->itemData);
    if (record && record->owner)
        record->owner->DrawItem(owner, item);
    return 1;
}
