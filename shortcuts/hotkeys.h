#pragma once
// System-wide hotkeys of the main window: ids 0..99 are the buttons' hotkey
// ids (ButtonPlace::HotkeyId) of entries marked usesystemshortcut,
// kActivationHotkeyId is the activation shortcut, IDHK_SEARCH the search
// window's, all from the launcher's shortcut table. Failures are reported by
// result, and each id's refusal is kept in the launcher (RefusedHotkeys:
// another program holds the combination, or the system keeps it for
// itself): the entry keeps its system flag, so that the next registration
// tries again. A key of 0 is no hotkey: nothing is registered for it, and
// that counts as success.
#include "data/button_place.h"
#include "data/launcher.h"
#include "resources/resource_ids.h"

#include <windows.h>

constexpr int kActivationHotkeyId = IDHK_ACTIVATION;  // button hotkeys use their button numbers 0..99

// Modifier flags (SHIFT 1, CTRL 2, ALT 4) as RegisterHotKey modifiers.
UINT ToHotkeyModifiers(int flags);

// Registers (g, b)'s entry after unregistering its id; an entry without the
// system flag registers nothing and counts as success.
bool RegisterButtonHotkey(HWND window, Launcher& launcher, int group, int button);
// The button's hotkey is let go and no longer counts as refused (nothing for
// a place that is not valid); always true.
bool UnregisterButtonHotkey(HWND window, Launcher& launcher, ButtonPlace place);

bool RegisterActiveHotkey(HWND window, Launcher& launcher);
bool UnregisterActiveHotkey(HWND window, Launcher& launcher);  // always true

// The search window's hotkey after unregistering it.
bool RegisterSearchHotkey(HWND window, Launcher& launcher);

// Makes the button hotkeys match the shortcut table exactly, after entries
// moved between buttons: all ids are released, then every entry registered.
// Each is attempted; true only when all succeeded.
bool RenewButtonHotkeys(HWND window, Launcher& launcher);
// Every button as above, then the activation and search hotkeys; true only when all succeeded.
bool RegisterAllHotkeys(HWND window, Launcher& launcher);
bool UnregisterAllHotkeys(HWND window, Launcher& launcher);  // always true

// The button settings dialog was confirmed for (g, b): its hotkey is dropped
// and, when system is set, the entry is marked and registered again.
// Returns the registration's result (true when nothing was to register).
bool ApplyButtonHotkey(HWND window, Launcher& launcher, int group, int button, bool system);

// A button is cleared: its system hotkey is unregistered and its entry
// emptied (id, key, flag and the system flag).
void ClearButtonShortcut(HWND window, Launcher& launcher, int group, int button);

// The system refused (g, b)'s hotkey at its latest registration.
bool HotkeyRefused(const Launcher& launcher, int group, int button);

// True when the system gives (g, b) the combination key/flag as a system
// hotkey now (a combination one of the launcher's own ids holds does not
// count against it). Afterwards every button's registration is again what
// its entry says.
bool HotkeyAvailable(HWND window, Launcher& launcher, int group, int button, int key, int flag);
