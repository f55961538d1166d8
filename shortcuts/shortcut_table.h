#pragma once
// The rules of the shortcut table (data/shortcut_records.h): which entry a
// button has, and which combinations may be assigned.
#include "data/shortcut_records.h"

// Entry of (group, button), both 0..9; null outside that range.
ShortcutEntry* GetShortcutEntry(ShortcutTable& table, int group, int button);
const ShortcutEntry* GetShortcutEntry(const ShortcutTable& table, int group, int button);
// Entry by button number 0..99; null outside that range.
ShortcutEntry* ShortcutEntryAt(ShortcutTable& table, int buttonNumber);

// True when the combination may not be assigned: keys never allowed
// (BACKSPACE, TAB, ENTER, SHIFT, CTRL, ESC, 0x2A, DEL), SPACE alone, the
// activation shortcut, the search window's, a plain or CTRL digit, or a
// system hotkey of any button.
bool IsShortcutRefused(const ShortcutTable& table, int key, int flags);

// True when a button other than (group, button) has the same combination as a
// plain (non-system) shortcut.
bool IsDuplicateShortcut(const ShortcutTable& table, int key, int flags, int group, int button);

// "1".."9" give 0..8, "0" gives 9, every other key -1.
int DigitToIndex(int key);
bool IsPlainDigit(int key, int flags);  // a digit key without modifiers
bool IsCtrlDigit(int key, int flags);   // a digit key with CTRL alone
