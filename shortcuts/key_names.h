#pragma once
// Key names and the one text form of a shortcut: the modifier prefixes in the
// order CTRL+, SHIFT+, ALT+, then the key's name.
#include <windows.h>

// Modifier flags of a shortcut (only the low three bits are used).
constexpr int kModifierShift = 1;
constexpr int kModifierCtrl = 2;
constexpr int kModifierAlt = 4;
constexpr int kModifierMask = kModifierShift | kModifierCtrl | kModifierAlt;

// The name of virtual-key code key; "" for a key without a name (it cannot
// be assigned) and for any code outside 0..255.
const wchar_t* GetKeyName(int key);

// Buffer size that holds every shortcut text (at most 99 characters).
constexpr int kShortcutTextSize = 100;

// Writes the shortcut's text into buffer (size characters, cut to fit):
// "- 未設定 -" (IDS_SHORTCUT_NONE) when key is 0, else e.g. "CTRL+ALT+SPACE".
void FormatShortcutText(int key, int flags, wchar_t* buffer, int size);

// The modifier keys held right now, as modifier flags.
int GetModifierState();
