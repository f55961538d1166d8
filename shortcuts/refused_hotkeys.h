#pragma once
// The system hotkeys the system refused at their latest registration, told
// in one text: the start of the launcher reports them once, so that a
// combination another program holds is not left silently dead.
#include "data/launcher.h"

#include <windows.h>

// Writes into text (size characters) IDS_REFUSED_HOTKEYS_TEXT and one line per
// refused hotkey: its combination and what it starts (IDS_ACTIVATION_HOTKEY_NAME
// for the activation hotkey, first; then the buttons in order of their
// numbers, by title, IDS_UNTITLED_BUTTON_FORMAT for an untitled one). Lines
// that do not fit are counted in a last line (IDS_REFUSED_HOTKEYS_MORE).
// False, with text empty, when nothing was refused.
bool DescribeRefusedHotkeys(const Launcher& launcher, wchar_t* text, int size);
