#pragma once
// The keyboard shortcuts as the launcher holds them (data/launcher.h): an
// entry per button of all ten groups (entry number = the button number,
// ButtonPlace::Number) plus the activation shortcut and the search
// window's, as shortcut.dat stores them (shortcuts/shortcut_file.h); and the
// system hotkeys the system refused at their latest registration.
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

// Each id's hotkey as the system answered its latest registration: true when
// it refused (another program holds the combination); false once it is
// registered, unregistered or no longer asked for.
struct RefusedHotkeys {
    bool buttons[kShortcutEntryCount];
    bool active;
    bool search;
};
