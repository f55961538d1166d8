#include "menus/menu_skin.h"

#include "support/program_files.h"
#include "support/scoped_handle.h"

namespace {
int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool SystemHasFace(const wchar_t* face)
{
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const ScopedWindowDC screen(nullptr);
    if (screen.Get())
        EnumFontFamiliesExW(screen.Get(), &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

BITMAP BitmapInfo(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
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

HFONT FontHandle::Create(const wchar_t* face, int height)
{
    if (!face)
        return nullptr;
    Reset();
    if (lstrlenW(face) >= LF_FACESIZE)
        return nullptr;
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    MenuFontFace(face, font.lfFaceName);
    font_ = CreateFontIndirectW(&font);
    return font_;
}

void MenuFontFace(const wchar_t* face, wchar_t* buffer)
{
    lstrcpynW(buffer, face, LF_FACESIZE);
    if (!face[0] || SystemHasFace(face))
        return;
    // The Japanese Windows face under its other names, then its common
    // stand-ins; the first one installed is taken.
    static const wchar_t* const kAlternatives[] = {L"ＭＳ ゴシック", L"MS Gothic", L"MS UI Gothic",
                                                   L"IPAGothic", L"Meiryo", L"Yu Gothic"};
    for (const wchar_t* alternative : kAlternatives) {
        if (SystemHasFace(alternative)) {
            lstrcpynW(buffer, alternative, LF_FACESIZE);
            return;
        }
    }
}

bool LoadMenuSkin(MenuSkin& skin)
{
    wchar_t probe[MAX_PATH];
    if (GetProgramPath(probe, MAX_PATH) == 0)
        return false;
    const ScopedWindowDC screen(nullptr);
    const ScopedMemoryDC memory(screen.Get() ? CreateCompatibleDC(screen.Get()) : nullptr);
    struct Part {
        const wchar_t* file;
        ScopedGdi<HBITMAP>* bitmap;
        COLORREF* colour;
    };
    const Part parts[] = {
        {kMenuItemBitmapFile, &skin.itemBitmap, &skin.itemColor},
        {kMenuHighlightBitmapFile, &skin.highlightBitmap, &skin.highlightColor},
        {kMenuTitleBitmapFile, &skin.titleBitmap, &skin.titleColor},
    };
    for (const Part& part : parts) {
        part.bitmap->Reset();
        wchar_t path[MAX_PATH + 30];
        if (!ProgramFolderFile(part.file, path, MAX_PATH + 30))
            continue;
        part.bitmap->Reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        HBITMAP bitmap = part.bitmap->Get();
        if (!bitmap)
            continue;
        if (memory) {
            ScopedSelect selected(memory.Get(), bitmap);
            const COLORREF corner = GetPixel(memory.Get(), 0, 0);
            if (corner != CLR_INVALID)
                *part.colour = corner;
        }
        if (part.bitmap == &skin.titleBitmap)
            skin.titleWidth = BitmapInfo(bitmap).bmWidth;
    }
    return true;
}
