#pragma once
// Short-lived popup menus: load or create a menu, adjust its items, turn every
// item into an owner-drawn item carrying a MenuItemRecord, track it at a point
// with an owner window, and clean everything up when the object dies. The
// owner window forwards WM_MEASUREITEM and WM_DRAWITEM (menus/menu_paint.h).
#include "menus/menu_skin.h"
#include "support/pointer_list.h"
#include "support/text_buffer.h"

#include <windows.h>
#include <oleacc.h>

#include <cstdint>
#include <map>

class PopupMenu;

// Characters of an item's caption, terminator included: a launcher menu
// title (a whole field and the suffix) fits.
constexpr int kMenuCaptionSize = 300;

// Flag bit of MenuItemRecord::flags: the item was a separator.
constexpr std::uint32_t kMenuItemSeparator = 1;

// One per converted item; also the item's dwItemData. An owner-drawn item's
// data that starts with MSAAMENUINFO gives screen readers its text: the
// caption as the item's string holds it, "&" and "\t" accelerator included,
// as Windows reports a plain item (the reader takes the access key and the
// shortcut from it). The record is the first thing in its own memory.
struct MenuItemRecord {
    MSAAMENUINFO accessible = {static_cast<DWORD>(MSAA_MENU_SIG), 0, nullptr};  // points into caption
    PopupMenu* owner = nullptr;
    HMENU menu = nullptr;          // the menu that holds the item
    TextBuffer caption;            // caption, then a tab and the accelerator text
    std::int32_t position = 0;     // index in its menu
    std::uint32_t flags = 0;       // kMenuItemSeparator
    std::int32_t textWidth = 0;    // widest caption + gap + accelerator of the menu (set by MeasureItem)
    std::int32_t iconIndex = -1;   // the item's icon in the system image list; -1: none
};

class PopupMenu {
public:
    PopupMenu() = default;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // The first popup of menu resource id; a popup already held is returned
    // unchanged. Null when the resource does not load.
    virtual HMENU LoadFromResource(UINT id);
    // A new empty popup (or the one already held); null on failure.
    virtual HMENU CreateEmpty();
    // Shows the popup at screen point (x, y) until it closes; the chosen
    // command reaches owner as WM_COMMAND. The item records are deleted
    // afterwards. False without a popup.
    virtual bool Track(HWND owner, int x, int y);
    // Destroys the menu handle that was loaded or created.
    virtual bool Destroy();
    virtual ~PopupMenu();

    bool AppendItem(UINT id, const wchar_t* text);
    bool AppendSeparator();
    HMENU GetPopup() const { return popup_; }

    // Turns every item of menu (null: the popup) into an owner-drawn item with
    // a record, its caption kept as the item's string. False when a record
    // cannot be made.
    bool MakeOwnerDraw(HWND owner, HMENU menu);
    // As MakeOwnerDraw, keeping the records of the other menus: for a submenu
    // filled while the menu is open.
    bool AddOwnerDraw(HWND owner, HMENU menu);
    // Deletes every item record.
    void ClearItemRecords();

    // The skin beside the program (see LoadMenuSkin).
    bool LoadSkin();
    // Painting (menus/menu_paint.cpp).
    bool MeasureItem(HWND owner, MEASUREITEMSTRUCT* item);
    bool DrawItem(HWND owner, const DRAWITEMSTRUCT* item);

protected:
    // The system image list index of the icon drawn with the item at
    // position of menu; -1 for none.
    virtual int ItemIcon(HMENU menu, int position) const;

private:
    // A length of the skin (written for 96 DPI) at the DPI the font was made for.
    int Scaled(int length) const;
    int TitleStripWidth() const;
    void DrawItemIcon(HDC target, int left, int height, int index) const;

    // What every item of one menu shares, measured once while it is open.
    struct MenuMeasure {
        int widestText = 0;   // caption, gap and accelerator
        int lineHeight = 0;
        int menuHeight = -1;  // of the items on the screen; -1 until drawn
    };
    MenuMeasure& Measured(HWND owner, HMENU menu);
    std::map<HMENU, MenuMeasure> measured_;

    PointerList records_;
    FontHandle font_;
    int dpi_ = 96;  // of the owner window when the font was made
    HMENU popup_ = nullptr;
    HMENU root_ = nullptr;
    MenuSkin skin_;
};

// The tray icon's menu (IDR_TRAY_MENU) with the always-on-top check mark.
class TrayMenu : public PopupMenu {
public:
    TrayMenu() = default;
    ~TrayMenu() override;
    bool LoadTrayMenu(bool onTop);
};
