#pragma once
// The icon chooser: every icon of a file as a grid of 32 x 32
// pictures; the user picks one.
#include <windows.h>

constexpr int kIconCellSize = 36;

// Runs the chooser modally over owner on the icons of iconFile with item
// preselected selected. The chosen index, or -1 when the user cancelled,
// nothing was selected, or iconFile is empty (nothing is opened then).
int ChooseIcon(HWND owner, const wchar_t* iconFile, int preselected);
