#pragma once
// System-wide hotkeys of the main window: ids 0..99 are the buttons' hotkey
// ids (ButtonPlace::HotkeyId) of entries marked usesystemshortcut,
// kActivationHotkeyId is the activation shortcut, IDHK_SEARCH the search window's. Failures are reported
// by result, and each id remembers whether the system refused it at its latest
// registration (another program holds the combination, or the system keeps it
// for itself): the entry keeps its system flag, so that the next registration
// tries again.
#include "data/button_place.h"
#include "resources/resource_ids.h"

#include <windows.h>

constexpr int kActivationHotkeyId = IDHK_ACTIVATION;  // button hotkeys use their button numbers 0..99

// Modifier flags (SHIFT 1, CTRL 2, ALT 4) as RegisterHotKey modifiers.
UINT ToHotkeyModifiers(int flags);

// Registers (g, b)'s entry after unregistering its id; an entry without key or
// without the system flag registers nothing and counts as success.
bool RegisterButtonHotkey(HWND window, int group, int button);
bool UnregisterButtonHotkey(HWND window, int group, int button);  // always true
// The same for the button at place: its hotkey is let go and no longer
// counts as refused (nothing for a place that is not valid); always true.
bool UnregisterButtonHotkey(HWND window, ButtonPlace place);

bool RegisterActiveHotkey(HWND window);
bool UnregisterActiveHotkey(HWND window);  // always true

// The search window's hotkey after unregistering it; none set counts as success.
bool RegisterSearchHotkey(HWND window);

// Makes the button hotkeys match the shortcut table exactly, after entries
// moved between buttons: all ids are released, then every entry registered.
// Each is attempted; true only when all succeeded.
bool RenewButtonHotkeys(HWND window);
// Every button as above, then the activation and search hotkeys; true only when all succeeded.
bool RegisterAllHotkeys(HWND window);
bool UnregisterAllHotkeys(HWND window);  // always true

// The button settings dialog was confirmed for (g, b): its hotkey is dropped
// and, when system is set, the entry is marked and registered again.
// Returns the registration's result (true when nothing was to register).
bool ApplyButtonHotkey(HWND window, int group, int button, bool system);

// A button is cleared: its system hotkey is unregistered and its entry
// emptied (id, key, flag and the system flag).
void ClearButtonShortcut(HWND window, int group, int button);

// The system refused (g, b)'s hotkey, the activation or the search hotkey, at
// its latest registration; false once it is registered, unregistered or no
// longer asked for.
bool HotkeyRefused(int group, int button);
bool ActiveHotkeyRefused();
bool SearchHotkeyRefused();

// True when the system gives (g, b) the combination key/flag as a system
// hotkey now (a combination one of the launcher's own ids holds does not
// count against it). Afterwards every button's registration is again what
// its entry says.
bool HotkeyAvailable(HWND window, int group, int button, int key, int flag);
