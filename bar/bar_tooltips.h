#pragma once
// The bar's one tooltip control: the group's name on the group button, each
// launcher button's title and shortcut on that button.
#include "bar/bar.h"

#include <windows.h>

enum class TooltipMode { Add, Update };

// Creates the tooltip control and registers the eleven tools. A failure
// leaves the bar without tips, silently.
void CreateBarTooltips(ButtonBar& bar);
// Gives the tips the system's tooltip font at the window's DPI.
void ScaleBarTooltips(ButtonBar& bar);
// Writes the eleven tool texts from the current data (nothing without a
// tooltip) and, with them, the controls' names (bar_names): every change of
// the bar comes through here.
void UpdateBarTooltips(ButtonBar& bar, TooltipMode mode = TooltipMode::Update);
// Takes the tools away and destroys the tooltip control. The tooltip
// subclasses its tools, so this comes before the bar's own procedures are
// given back.
void ReleaseBarTooltips(ButtonBar& bar);
