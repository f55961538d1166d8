#pragma once
// The one table of keyboard shortcuts: an entry per button of all ten groups
// (entry number = the button number, ButtonPlace::Number) plus the activation
// shortcut and the search window's. A process-wide heap object; while it does not exist every
// operation below does nothing or answers false/null.
#include <cstdint>

struct ShortcutEntry {
    std::int32_t id;                 // button number, stored by the shortcut list
    std::int32_t key;                // virtual-key code; 0 = no shortcut
    std::int32_t flag;               // modifier flags (SHIFT 1, CTRL 2, ALT 4)
    std::int32_t usesystemshortcut;  // 1 = also a system-wide hotkey
};
static_assert(sizeof(ShortcutEntry) == 16, "shortcut entry layout");

constexpr int kShortcutEntryCount = 100;

struct ShortcutTable {
    ShortcutEntry entries[kShortcutEntryCount];
    ShortcutEntry Active;  // only key and flag are used
    ShortcutEntry Search;  // opens the search window; only key and flag are used, key 0: none
};

// Destroys an existing table and makes a new, empty one the global table.
// Null when memory is short (there is no table then).
ShortcutTable* CreateShortcutTable();
// Frees the table and its entries and clears the global pointer; always true.
bool DestroyShortcutTable();
// The global table, or null.
ShortcutTable* GetShortcutTable();

// Entry of (group, button), both 0..9; null outside that range or without a table.
ShortcutEntry* GetShortcutEntry(int group, int button);
// Entry by button number 0..99; null outside that range or without a table.
ShortcutEntry* ShortcutEntryAt(int buttonNumber);

// The activation shortcut. Get does nothing if an output is missing.
void GetActiveShortcut(int* key, int* flags);
void SetActiveShortcut(int key, int flags);
// The search window's hotkey, alike.
void GetSearchShortcut(int* key, int* flags);
void SetSearchShortcut(int key, int flags);

// Copies all 100 entries out of or back into the table (a dialog's backup).
bool CopyShortcutEntries(ShortcutEntry* out, int count);
bool RestoreShortcutEntries(const ShortcutEntry* in, int count);

// True when the combination may not be assigned: keys never allowed
// (BACKSPACE, TAB, ENTER, SHIFT, CTRL, ESC, 0x2A, DEL), SPACE alone, the
// activation shortcut, the search window's, a plain or CTRL digit, or a
// system hotkey of any button.
bool IsShortcutRefused(int key, int flags);

// True when a button other than (group, button) has the same combination as a
// plain (non-system) shortcut.
bool IsDuplicateShortcut(int key, int flags, int group, int button);

// "1".."9" give 0..8, "0" gives 9, every other key -1.
int DigitToIndex(int key);
bool IsPlainDigit(int key, int flags);  // a digit key without modifiers
bool IsCtrlDigit(int key, int flags);   // a digit key with CTRL alone
