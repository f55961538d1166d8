#include "menus/menu_colours.h"

MenuColours ChooseMenuColours(const MenuSkin& skin, bool highContrast)
{
    if (!highContrast)
        return MenuColours{skin.textColor, skin.textColor,    skin.textColor,      skin.titleColor,
                           skin.itemColor, skin.highlightColor, /*bitmaps=*/true, /*embossed=*/true};
    const COLORREF menu = GetSysColor(COLOR_MENU);
    return MenuColours{GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT),
                       menu, menu, GetSysColor(COLOR_HIGHLIGHT), /*bitmaps=*/false, /*embossed=*/false};
}
