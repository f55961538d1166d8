#include "menus/popup_menu.h"

#include "resources/resource_ids.h"

#include <new>

namespace {
HINSTANCE ModuleInstance()
{
    return GetModuleHandleW(nullptr);
}
}  // namespace

HMENU PopupMenu::LoadFromResource(UINT id)
{
    if (popup_)
        return popup_;
    root_ = LoadMenuW(ModuleInstance(), MAKEINTRESOURCEW(id));
    if (!root_)
        return nullptr;
    popup_ = GetSubMenu(root_, 0);
    return popup_;
}

HMENU PopupMenu::CreateEmpty()
{
    if (popup_)
        return popup_;
    root_ = CreatePopupMenu();
    if (!root_)
        return nullptr;
    popup_ = root_;
    return popup_;
}

bool PopupMenu::Track(HWND owner, int x, int y)
{
    if (!popup_)
        return false;
    DrawMenuBar(owner);
    SetForegroundWindow(owner);
    TrackPopupMenu(popup_, TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    ClearItemRecords();
    return true;
}

bool PopupMenu::Destroy()
{
    if (!root_)
        return true;
    if (!DestroyMenu(root_))
        return false;
    root_ = nullptr;
    popup_ = nullptr;
    return true;
}

PopupMenu::~PopupMenu()
{
    if (popup_)
        Destroy();
    // Records of a menu that was converted but never tracked would otherwise
    // be lost; the menu handle no longer refers to them.
    ClearItemRecords();
}

bool PopupMenu::LoadSkin()
{
    return LoadMenuSkin(skin_);
}

bool PopupMenu::AppendItem(UINT id, const wchar_t* text)
{
    return InsertMenuW(popup_, static_cast<UINT>(-1), MF_BYPOSITION, id, text) != FALSE;
}

bool PopupMenu::AppendSeparator()
{
    return InsertMenuW(popup_, static_cast<UINT>(-1), MF_SEPARATOR, 0, nullptr) != FALSE;
}

void PopupMenu::ClearItemRecords()
{
    const std::uint32_t count = records_.GetCount();
    for (std::uint32_t i = 0; i < count; ++i)
        delete static_cast<MenuItemRecord*>(records_.Get(i));
    records_.Clear();
    measured_.clear();
}

int PopupMenu::ItemIcon(HMENU, int) const
{
    return -1;
}

bool PopupMenu::MakeOwnerDraw(HWND owner, HMENU menu)
{
    ClearItemRecords();
    return AddOwnerDraw(owner, menu);
}

bool PopupMenu::AddOwnerDraw(HWND owner, HMENU menu)
{
    if (!menu)
        menu = popup_;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kMenuCaptionSize] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kMenuCaptionSize;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            text[0] = L'\0';
        if (info.fType & (MFT_BITMAP | MFT_OWNERDRAW))
            text[0] = L'\0';  // no text to read: an empty caption
        text[kMenuCaptionSize - 1] = L'\0';

        auto* record = new (std::nothrow) MenuItemRecord;
        if (!record)
            return false;
        record->owner = this;
        record->menu = menu;
        record->caption.Assign(text);
        record->accessible.pszWText = record->caption.GetText();
        record->accessible.cchWText = static_cast<DWORD>(record->caption.GetLength());
        record->position = i;
        record->flags = (info.fType & MFT_SEPARATOR) ? kMenuItemSeparator : 0;
        record->iconIndex = ItemIcon(menu, i);
        if (!records_.Add(record)) {
            delete record;
            return false;
        }

        // The caption stays the item's string: it is what the menu says to
        // anyone who asks (GetMenuString, screen readers).
        MENUITEMINFOW drawn = {};
        drawn.cbSize = sizeof drawn;
        drawn.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
        drawn.fType = MFT_OWNERDRAW;
        drawn.dwTypeData = text;
        drawn.dwItemData = reinterpret_cast<ULONG_PTR>(record);
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &drawn);
    }
    DrawMenuBar(owner);
    return true;
}

TrayMenu::~TrayMenu() = default;

bool TrayMenu::LoadTrayMenu(bool onTop)
{
    HMENU popup = LoadFromResource(IDR_TRAY_MENU);
    if (!popup)
        return false;
    CheckMenuItem(popup, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | (onTop ? MF_CHECKED : MF_UNCHECKED));
    return true;
}
