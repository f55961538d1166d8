#pragma once
// What the main window keeps for itself while it lives: the launcher it
// shows (made by the program's start), its bar, its tray icon and timer, the
// button the menus act on, the window the activation hotkey gives the
// foreground back to, the screen size of the last placement, the help
// control, the catalog of programs the search window lists and the archive job of a drop while it runs. The window
// owns the one record (made on WM_NCCREATE, freed on WM_NCDESTROY); its handlers reach it through the window.
#include "app/help.h"
#include "app/window_archive_job.h"
#include "bar/bar.h"
#include "data/program_catalog.h"
#include "data/launcher.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

struct MainWindowState {
    MainWindowState(HWND window, Launcher& model) : launcher(model), bar(window, model) {}
    MainWindowState(const MainWindowState&) = delete;
    MainWindowState& operator=(const MainWindowState&) = delete;

    Launcher& launcher;
    ButtonBar bar;
    NOTIFYICONDATAW trayIcon = {};  // size field 0 until the icon is added
    UINT_PTR timer = 0;
    bool created = false;           // WM_CREATE went through: there is something to save
    bool ready = false;             // the start's deferred half ran: tray icon, tooltips, timer
    int selectedButton = 0;         // 0..9, or the group button's target (menus/launcher_menus.h)
    HWND previousForeground = nullptr;  // had the foreground before the activation hotkey
    SIZE lastDesktop = {0, 0};      // the screen size of the previous placement (app/placement.h)
    HelpControl help;
    std::unique_ptr<ProgramCatalog> catalog;  // made once the bar is up, ended before the window goes
    WindowArchiveJob archiveJob;    // last: it goes first, stopped and waited for
};

// Makes a new record for launcher the window's own; false when memory is short.
bool AttachWindowState(HWND mainWindow, Launcher& launcher);
// Frees the window's record; nothing when it has none.
void DetachWindowState(HWND mainWindow);
// The record of the main window; null for any other window, before
// AttachWindowState and after DetachWindowState.
MainWindowState* WindowState(HWND mainWindow);
