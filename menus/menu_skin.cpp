#include "menus/menu_skin.h"

#include "support/program_files.h"
#include "support/scoped_handle.h"

#include <initializer_list>

namespace {
int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool SystemHasFace(const char* face)
{
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    EnumFontFamiliesExA(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

BITMAP BitmapInfo(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return info;
}

FontHandle::~FontHandle()
{
    Reset();
}

void FontHandle::Reset()
{
    if (font_)
        DeleteObject(font_);
    font_ = nullptr;
}

HFONT FontHandle::Create(const char* face, int height)
{
    if (!face)
        return nullptr;
    Reset();
    if (lstrlenA(face) >= LF_FACESIZE)
        return nullptr;
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    MenuFontFace(face, font.lfFaceName);
    font_ = CreateFontIndirectA(&font);
    return font_;
}

void MenuFontFace(const char* face, char* buffer)
{
    lstrcpynA(buffer, face, LF_FACESIZE);
    if (!face[0] || SystemHasFace(face))
        return;
    // The Japanese Windows face under its other names, then its common
    // stand-ins; the first one installed is taken.
    static const char* const kAlternatives[] = {"ＭＳ ゴシック", "MS Gothic", "MS UI Gothic",
                                                "IPAGothic", "Meiryo", "Yu Gothic"};
    for (const char* alternative : kAlternatives) {
        if (SystemHasFace(alternative)) {
            lstrcpynA(buffer, alternative, LF_FACESIZE);
            return;
        }
    }
}

void FreeMenuSkin(MenuSkin& skin)
{
    for (HBITMAP* bitmap : {&skin.itemBitmap, &skin.highlightBitmap, &skin.titleBitmap}) {
        if (*bitmap)
            DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

bool LoadMenuSkin(MenuSkin& skin)
{
    char probe[MAX_PATH];
    if (GetProgramPath(probe, sizeof probe) == 0)
        return false;
    FreeMenuSkin(skin);

    HDC screen = GetDC(nullptr);
    HDC memory = screen ? CreateCompatibleDC(screen) : nullptr;
    struct Part {
        const char* file;
        HBITMAP* bitmap;
        COLORREF* colour;
    };
    const Part parts[] = {
        {kMenuItemBitmapFile, &skin.itemBitmap, &skin.itemColor},
        {kMenuHighlightBitmapFile, &skin.highlightBitmap, &skin.highlightColor},
        {kMenuTitleBitmapFile, &skin.titleBitmap, &skin.titleColor},
    };
    for (const Part& part : parts) {
        char path[MAX_PATH + 30];
        if (!ProgramFolderFile(part.file, path, sizeof path))
            continue;
        auto* bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        if (!bitmap)
            continue;
        *part.bitmap = bitmap;
        if (memory) {
            ScopedSelect selected(memory, bitmap);
            const COLORREF corner = GetPixel(memory, 0, 0);
            if (corner != CLR_INVALID)
                *part.colour = corner;
        }
        if (part.bitmap == &skin.titleBitmap)
            skin.titleWidth = BitmapInfo(bitmap).bmWidth;
    }
    if (memory)
        DeleteDC(memory);
    if (screen)
        ReleaseDC(nullptr, screen);
    return true;
}
