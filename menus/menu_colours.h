#pragma once
// The colours an owner-drawn menu item is painted in: the skin's, or with
// high contrast on the system's menu colours and no skin bitmaps.
#include "menus/menu_skin.h"

#include <windows.h>

struct MenuColours {
    COLORREF text, selectedText, grayedText;  // grayedText only where embossed is false
    COLORREF title, item, highlight;          // the left strip, an item, the selected item
    bool bitmaps;                             // the skin's bitmaps are drawn
    bool embossed;                            // a grayed item's text is drawn embossed (DSS_DISABLED)
};

MenuColours ChooseMenuColours(const MenuSkin& skin, bool highContrast);
