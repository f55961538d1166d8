#pragma once
// Lengths at the window's display scale. Every length the program lays out is
// written for 96 DPI and goes through ScaleForDpi; positions are scaled as
// edges (left and right, top and bottom), so that neighbours still meet.
#include <windows.h>

constexpr int kBaseDpi = 96;

// length at dpi, rounded to the nearest pixel (halves away from zero).
inline int ScaleForDpi(int length, int dpi)
{
    return MulDiv(length, dpi, kBaseDpi);
}

// The DPI of the screen the window stands on (GetDpiForWindow where the
// system has it); the system's DPI otherwise, and for no window.
int WindowDpi(HWND window);
// The DPI the system started with (LOGPIXELSX of the screen).
int SystemDpi();
// A system metric at dpi: GetSystemMetricsForDpi where the system has it,
// else the system DPI's value scaled.
int SystemMetricForDpi(int index, int dpi);
// The non-client metrics' fonts at dpi, scaled from the system DPI's.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);
