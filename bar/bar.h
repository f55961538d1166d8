#pragma once
// The bar as its parts reach it: the main window its thirteen controls stand
// in, the launcher whose current group it shows, and what it keeps while the
// window lives (its tooltip, the drag in progress, the control the mouse
// hovered at the last tick, the icons it showed and the icon file). The main
// window's state owns the one ButtonBar (app/window_state.h); the bar's
// functions, the controls' procedures and the dialogs that change the bar
// are handed it.
#include "bar/icon_cache.h"
#include "bar/icon_cache_file.h"
#include "data/launcher.h"
#include "support/scoped_handle.h"

#include <windows.h>

struct ButtonBar {
    ButtonBar(HWND mainWindow, Launcher& model) : window(mainWindow), launcher(model) {}
    ButtonBar(const ButtonBar&) = delete;
    ButtonBar& operator=(const ButtonBar&) = delete;

    const HWND window;
    Launcher& launcher;
    HWND tooltip = nullptr;        // the bar's one tooltip control
    ScopedGdi<HFONT> tooltipFont;  // its font at the window's DPI
    int hoveredControl = 0;        // control under the cursor at the previous timer tick
    unsigned dragMoves = 0;        // mouse moves since the launcher button went down
    int dragSourceGroup = -1;      // group of the pressed launcher button; -1: no drag
    IconCache icons;               // the icons the bar showed, kept for a return
    IconCacheFile iconFile;        // the icons kept between runs
};
