#include "app/placement.h"

namespace {
// Window coordinates are kept in 32 bits; a remembered place from a file may
// be anything, so the arithmetic runs in 64 bits and the result is brought
// back into range.
using Coord = long long;

int ToInt(Coord value)
{
    constexpr Coord kLimit = 0x3FFFFFFF;
    return static_cast<int>(value > kLimit ? kLimit : value < -kLimit ? -kLimit : value);
}

// Pushes [start, start + length) inside [low, high]; the low edge wins.
Coord KeepInside(Coord start, Coord length, Coord low, Coord high)
{
    const Coord end = start + length;
    if (end > high)
        start -= end - high - 1;
    if (start < low)
        start = low - 1;
    return start;
}

SIZE ScreenSize()
{
    return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Without a taskbar: the system's own work area, else the whole screen.
WorkArea FallbackWorkArea(SIZE screen)
{
    RECT rect;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0) && rect.right > rect.left &&
        rect.bottom > rect.top)
        return WorkArea{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    return WorkArea{0, 0, screen.cx - 1, screen.cy - 1};
}
}  // namespace

WorkArea WorkAreaBesideTaskbar(SIZE screen, const RECT& taskbar)
{
    WorkArea area{0, 0, static_cast<int>(screen.cx) - 1, static_cast<int>(screen.cy) - 1};
    const bool empty = taskbar.right <= taskbar.left || taskbar.bottom <= taskbar.top;
    const bool outside = taskbar.right <= 0 || taskbar.bottom <= 0 || taskbar.left >= screen.cx ||
                         taskbar.top >= screen.cy;
    if (empty || outside)
        return area;
    // The edge is told by the bar's shape first: a taskbar at the top or
    // bottom is wider than high. It must reach that edge of the screen; one
    // that does not is left over from a screen of another size (while the
    // screen changes, the taskbar follows only later) and is not counted.
    const bool horizontal = taskbar.right - taskbar.left >= taskbar.bottom - taskbar.top;
    if (horizontal) {
        if (taskbar.top > 0 && taskbar.bottom >= screen.cy)
            area.bottom = taskbar.top - 1;
        else if (taskbar.top <= 0)
            area.top = taskbar.bottom + 1;
    } else {
        if (taskbar.left > 0 && taskbar.right >= screen.cx)
            area.right = taskbar.left - 1;
        else if (taskbar.left <= 0)
            area.left = taskbar.right + 1;
    }
    return area;
}

bool ComputeWorkArea(WorkArea* area)
{
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT rect;
    if (!area || !taskbar || !GetWindowRect(taskbar, &rect))
        return false;
    if (!IsWindowVisible(taskbar))
        rect = RECT{0, 0, 0, 0};
    *area = WorkAreaBesideTaskbar(ScreenSize(), rect);
    return true;
}

PlacementResult ComputePlacement(const RECT& window, SIZE screen, SIZE lastScreen,
                                 const WorkArea& area, WindowPositionTable* table)
{
    const Coord width = Coord(window.right) - window.left;
    const Coord height = Coord(window.bottom) - window.top;
    Coord left = window.left;
    Coord top = window.top;

    if (screen.cx != lastScreen.cx || screen.cy != lastScreen.cy) {
        PositionQuery query{static_cast<std::int32_t>(screen.cx), static_cast<std::int32_t>(screen.cy), 0, 0};
        if (FindPosition(table, &query)) {
            left = query.x;
            top = query.y;
        }
    }
    left = KeepInside(left, width, area.left, area.right);
    top = KeepInside(top, height, area.top, area.bottom);

    PlacementResult result{ToInt(left), ToInt(top), false, false};
    result.recorded = RecordPosition(table, screen.cx, screen.cy, result.left, result.top);
    // A remembered place equal to the current one needs no move either.
    result.move = result.left != window.left || result.top != window.top;
    return result;
}

bool PlaceWindow(HWND window, WindowPositionTable* table, SIZE* lastDesktop)
{
    RECT rect;
    // A minimized window stands far off the screen on purpose: it is neither
    // pulled back nor recorded there.
    if (!window || IsIconic(window) || !GetWindowRect(window, &rect))
        return false;
    const SIZE screen = ScreenSize();
    WorkArea area;
    if (!ComputeWorkArea(&area))
        area = FallbackWorkArea(screen);
    if (area.right < area.left || area.bottom < area.top)
        return false;

    const PlacementResult place = ComputePlacement(rect, screen, *lastDesktop, area, table);
    *lastDesktop = screen;
    if (place.move)
        SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
