#include "support/display_scale.h"

#include <initializer_list>

namespace {
using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using MetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Windows 10 (1607) and later; found at run time so that the program still
// starts on Windows 7.
FARPROC User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

template <typename Function>
Function Found(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(User32Function(name)));
}
}  // namespace

int SystemDpi()
{
    static int dpi = 0;
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        const int logPixels = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        dpi = logPixels > 0 ? logPixels : kBaseDpi;
    }
    return dpi;
}

int WindowDpi(HWND window)
{
    static const auto dpiForWindow = Found<DpiForWindowFunction>("GetDpiForWindow");
    if (window && dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi)
{
    static const auto metricsForDpi = Found<MetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricsForDpi)
        return metricsForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi)
{
    metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return false;
    const int system = SystemDpi();
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont})
        font->lfHeight = MulDiv(font->lfHeight, dpi, system);
    return true;
}
