#pragma once
// What the main window keeps for itself while it lives: its tray icon and
// timer, the bar's tooltip, the control the mouse hovered at the last tick,
// the drag in progress, the button the menus act on and the window the
// activation hotkey gives the foreground back to, the usage counted for the
// search window and the catalog of programs it lists. The window owns the one
// record (made on WM_NCCREATE, freed on WM_NCDESTROY); its parts reach it
// through the window.
#include "data/program_catalog.h"
#include "data/usage_file.h"
#include "support/scoped_handle.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

struct MainWindowState {
    NOTIFYICONDATAW trayIcon = {};  // size field 0 until the icon is added
    UINT_PTR timer = 0;
    bool created = false;           // WM_CREATE went through: there is something to save
    bool ready = false;             // the start's deferred half ran: tray icon, tooltips, timer
    HWND tooltip = nullptr;         // the bar's one tooltip control
    ScopedGdi<HFONT> tooltipFont;   // its font at the window's DPI
    int hoveredControl = 0;         // control under the cursor at the previous timer tick
    unsigned dragMoves = 0;         // mouse moves since the launcher button went down
    int dragSourceGroup = -1;       // group of the pressed launcher button; -1: no drag
    int selectedButton = 0;         // 0..9, or the group button's target (menus/launcher_menus.h)
    HWND previousForeground = nullptr;  // had the foreground before the activation hotkey
    std::unique_ptr<UsageLog> usage;    // the usage file, read at the first need (bar/start_count.h)
    std::unique_ptr<ProgramCatalog> catalog;  // made once the bar is up, ended before the window goes
};

// Makes a new record the window's own; false when memory is short.
bool AttachWindowState(HWND mainWindow);
// Frees the window's record; nothing when it has none.
void DetachWindowState(HWND mainWindow);
// The record of the main window; null for any other window, before
// AttachWindowState and after DetachWindowState.
MainWindowState* WindowState(HWND mainWindow);
