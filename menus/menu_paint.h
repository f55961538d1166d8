#pragma once
// Painting the owner-drawn popup menus (PopupMenu::MeasureItem and
// PopupMenu::DrawItem live in menu_paint.cpp) and the owner window's entry
// points for them.
#include <windows.h>

// WM_MEASUREITEM and WM_DRAWITEM of the owner window: the result to return.
LRESULT HandleMenuMeasureItem(HWND owner, WPARAM wParam, LPARAM lParam);
LRESULT HandleMenuDrawItem(HWND owner, WPARAM wParam, LPARAM lParam);
