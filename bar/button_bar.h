#pragma once
// The bar's thirteen controls and its tooltip: creation, the remembered window
// procedures of the subclassed controls, and the tool texts.
#include <windows.h>

// Sizes the main window to the expanded bar and creates the controls with
// their first images, then subclasses them. On a control that cannot be
// created: message 1000 and false (the main window's creation then fails).
bool CreateButtonBar(HWND mainWindow);
// For tests: while set, CreateButtonBar fails at its first control as if the
// system had refused to create it.
void RefuseBarControlsForTests(bool refuse);

// The main window goes away: gives every control its previous window procedure
// back, destroys the icons the controls still show and forgets the tooltip.
void ReleaseButtonBar(HWND mainWindow);

// The window procedure control id had before the bar subclassed it (the group
// button and the launcher buttons share one); null before CreateButtonBar.
WNDPROC PreviousBarProcedure(int controlId);
// True after ReleaseButtonBar: a bar procedure still in a chain passes every
// message straight to the previous one.
bool BarProceduresReleased();

enum class TooltipMode { Add, Update };

// Creates the one tooltip control and registers the eleven tools. A failure
// leaves the bar without tips, silently.
void CreateBarTooltips(HWND mainWindow);
// Writes the eleven tool texts from the current data; nothing without a tooltip.
void UpdateBarTooltips(HWND mainWindow, TooltipMode mode = TooltipMode::Update);
// The tooltip control, null when there is none.
HWND BarTooltipWindow();

constexpr int kToolTextSize = 350;
// Tool text of launcher button index of the current group: its title, then
// the shortcut in "( )" or, for a system hotkey, "< >". Empty for a bad index.
void BuildButtonToolText(int index, char* buffer, int size);
