#pragma once
// The names of the bar's controls for screen readers: each control's window
// text says what it is ("1 メモ帳 (CTRL+M)", an empty button that it is empty,
// the group button the group's name, the arrows where they lead). The
// controls never paint their text (bar_pictures).
#include "bar/bar.h"

// Gives the thirteen controls their names from the current data; a control
// whose name is unchanged is left alone.
void NameBarControls(const ButtonBar& bar);
