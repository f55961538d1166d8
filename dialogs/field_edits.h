#pragma once
// The edits of the settings dialogs that fill a record's text field: how
// much the user may type into them, and how their text reaches the field.
#include <windows.h>

// Lets edit id of dialog take at most kFieldLength characters.
void LimitToField(HWND dialog, int id);

// The text of edit id into field (kFieldSize characters) through StoreField:
// a text set longer than the field is cut on a whole character.
void StoreEditText(HWND dialog, int id, wchar_t* field);
