#include "bar/bar_pictures.h"

#include "bar/bar_geometry.h"
#include "support/high_contrast.h"

namespace {
// A themed face does not move its picture when pressed; the classic one moves
// it a pixel down and right. The theme library is the one the common controls
// loaded, asked only if it is already there.
bool Themed(HWND control)
{
    using WindowTheme = HANDLE(WINAPI*)(HWND);
    static const WindowTheme windowTheme = [] {
        HMODULE theme = GetModuleHandleW(L"uxtheme.dll");
        return theme ? reinterpret_cast<WindowTheme>(reinterpret_cast<void*>(GetProcAddress(theme, "GetWindowTheme")))
                     : nullptr;
    }();
    return windowTheme && windowTheme(control);
}

bool Pressed(const NMCUSTOMDRAW& draw)
{
    if (draw.uItemState & CDIS_SELECTED)
        return true;
    // A checked push-like button (the group button of an unfolded bar) is drawn pressed.
    return (draw.uItemState & CDIS_CHECKED) && (GetWindowLongW(draw.hdr.hwndFrom, GWL_STYLE) & BS_PUSHLIKE);
}
// With high contrast on, the focused control is framed in the highlight
// colour, two pixels inside its edge, over the face and the picture.
void DrawHighContrastFocus(const NMCUSTOMDRAW& draw)
{
    if (!(draw.uItemState & CDIS_FOCUS) || !HighContrastOn())
        return;
    RECT frame = draw.rc;
    HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (int line = 0; line < 2; ++line) {
        InflateRect(&frame, -1, -1);
        FrameRect(draw.hdc, &frame, highlight);
    }
}
}  // namespace

HICON BarPicture(HWND control)
{
    return reinterpret_cast<HICON>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

HICON PutBarPicture(HWND control, HICON icon)
{
    const HICON previous = BarPicture(control);
    if (icon != previous) {
        SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icon));
        InvalidateRect(control, nullptr, FALSE);
    }
    return previous;
}

LRESULT DrawBarPicture(const NMCUSTOMDRAW& draw)
{
    // The face only (CDRF_DOERASE): the control's window text is its name for
    // screen readers, never painted.
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYPOSTPAINT | CDRF_DOERASE;
    if (draw.dwDrawStage != CDDS_POSTPAINT)
        return CDRF_DODEFAULT;
    if (HICON icon = BarPicture(draw.hdr.hwndFrom)) {
        // Centred as the button centres an image of its own.
        const int side = BarIconSize(WindowDpi(draw.hdr.hwndFrom));
        int x = (draw.rc.left + draw.rc.right - side) / 2;
        int y = (draw.rc.top + draw.rc.bottom - side) / 2;
        if (Pressed(draw) && !Themed(draw.hdr.hwndFrom)) {
            ++x;
            ++y;
        }
        DrawIconEx(draw.hdc, x, y, icon, side, side, 0, nullptr, DI_NORMAL);
    }
    DrawHighContrastFocus(draw);
    return CDRF_DODEFAULT;
}
