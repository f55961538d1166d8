#pragma once
// The look of the popup menus: skin metrics with their defaults, which three
// optional bitmaps beside the program override, and the menu font.
#include "resources/resource_ids.h"
#include "support/scoped_handle.h"

#include <windows.h>

#include <cstdint>

// Sizes in pixels, colours as 0x00BBGGRR.
struct MenuSkin {
    std::int32_t acceleratorGap = 10;    // between caption and accelerator text
    std::int32_t titleWidth = 20;        // strip left of the top-level menu
    std::int32_t sideMargin = 0;         // on both sides of the text block
    std::int32_t leftColumnWidth = 20;   // column of the check icon
    wchar_t fontFace[260] = L"ＭＳ ゴシック";
    std::int32_t fontHeight = 12;        // lfHeight; half of it is a separator's height
    std::int32_t itemPadding = 10;       // added to the text line height
    COLORREF textColor = 0xFFFFFF;
    COLORREF titleColor = 0x404040;
    COLORREF itemColor = 0x000000;
    COLORREF highlightColor = 0x808080;
    ScopedGdi<HBITMAP> itemBitmap;       // "menuforeground.bmp"
    ScopedGdi<HBITMAP> highlightBitmap;  // "menubackground.bmp"
    ScopedGdi<HBITMAP> titleBitmap;      // "menutitle.bmp"
};

constexpr wchar_t kMenuItemBitmapFile[] = L"menuforeground.bmp";
constexpr wchar_t kMenuHighlightBitmapFile[] = L"menubackground.bmp";
constexpr wchar_t kMenuTitleBitmapFile[] = L"menutitle.bmp";

// Loads the three bitmaps found beside the program into skin in place of
// those it held: each found one takes its top-left pixel as the colour of its
// part, the title bitmap also gives the strip its width. False when the
// program's path cannot be had.
bool LoadMenuSkin(MenuSkin& skin);
// The size and format of a bitmap (all zero for none).
BITMAP BitmapInfo(HBITMAP bitmap);

// Owns one font.
class FontHandle {
public:
    FontHandle() = default;
    virtual ~FontHandle();
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;

    // Replaces the font by a new one of face and lfHeight height. Null for a
    // null face or a face of LF_FACESIZE (32) characters or more (the
    // object is then left without a font). A face the system does not know
    // is replaced by the nearest Japanese face it has (see MenuFontFace).
    HFONT Create(const wchar_t* face, int height);
    HFONT Get() const { return font_; }

private:
    void Reset();
    HFONT font_ = nullptr;
};

// The face to ask the system for: face itself when the system has it, else
// an installed face of the same family of Japanese fonts, else face (the
// system then substitutes). buffer holds at least LF_FACESIZE characters.
void MenuFontFace(const wchar_t* face, wchar_t* buffer);
