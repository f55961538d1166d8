#include "shortcuts/hotkeys.h"

#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"

namespace {
// The one rule for every hotkey: id given back first, nothing registered for
// key 0, and refused marked by what the system answered.
bool RegisterEntryHotkey(HWND window, int id, const ShortcutEntry& entry, bool* refused)
{
    UnregisterHotKey(window, id);
    *refused = false;
    if (entry.key == 0)
        return true;
    const bool held =
        RegisterHotKey(window, id, ToHotkeyModifiers(entry.flag), static_cast<UINT>(entry.key)) != FALSE;
    *refused = !held;
    return held;
}
}  // namespace

UINT ToHotkeyModifiers(int flags)
{
    UINT modifiers = 0;
    if (flags & kModifierCtrl)
        modifiers |= MOD_CONTROL;
    if (flags & kModifierShift)
        modifiers |= MOD_SHIFT;
    if (flags & kModifierAlt)
        modifiers |= MOD_ALT;
    return modifiers;
}

bool RegisterButtonHotkey(HWND window, Launcher& launcher, int group, int button)
{
    const ButtonPlace place{group, button};
    const int number = place.Number();
    if (number < 0)
        return false;
    const ShortcutEntry& entry = launcher.Shortcuts().entries[number];
    if (entry.usesystemshortcut != 1)
        return UnregisterButtonHotkey(window, launcher, place);
    return RegisterEntryHotkey(window, place.HotkeyId(), entry, &launcher.Refused().buttons[number]);
}

bool UnregisterButtonHotkey(HWND window, Launcher& launcher, ButtonPlace place)
{
    if (!place.Valid())
        return true;
    UnregisterHotKey(window, place.HotkeyId());
    launcher.Refused().buttons[place.Number()] = false;
    return true;
}

bool RegisterActiveHotkey(HWND window, Launcher& launcher)
{
    return RegisterEntryHotkey(window, kActivationHotkeyId, launcher.Shortcuts().Active, &launcher.Refused().active);
}

bool UnregisterActiveHotkey(HWND window, Launcher& launcher)
{
    UnregisterHotKey(window, kActivationHotkeyId);
    launcher.Refused().active = false;
    return true;
}

bool RegisterSearchHotkey(HWND window, Launcher& launcher)
{
    return RegisterEntryHotkey(window, IDHK_SEARCH, launcher.Shortcuts().Search, &launcher.Refused().search);
}

bool RenewButtonHotkeys(HWND window, Launcher& launcher)
{
    // Every id is given back first: an entry that moved to another button
    // takes its combination along instead of finding it held by its old id.
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterButtonHotkey(window, launcher, ButtonPlace::FromNumber(number));
    bool all = true;
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        all = RegisterButtonHotkey(window, launcher, place.group, place.button) && all;
    }
    return all;
}

bool RegisterAllHotkeys(HWND window, Launcher& launcher)
{
    const bool buttons = RenewButtonHotkeys(window, launcher);
    const bool active = RegisterActiveHotkey(window, launcher);
    return RegisterSearchHotkey(window, launcher) && active && buttons;
}

bool UnregisterAllHotkeys(HWND window, Launcher& launcher)
{
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterButtonHotkey(window, launcher, ButtonPlace::FromNumber(number));
    UnregisterHotKey(window, IDHK_SEARCH);
    launcher.Refused().search = false;
    return UnregisterActiveHotkey(window, launcher);
}

bool ApplyButtonHotkey(HWND window, Launcher& launcher, int group, int button, bool system)
{
    ShortcutEntry* entry = GetShortcutEntry(launcher.Shortcuts(), group, button);
    if (!entry)
        return false;
    UnregisterButtonHotkey(window, launcher, ButtonPlace{group, button});
    entry->usesystemshortcut = system ? 1 : 0;
    return !system || RegisterButtonHotkey(window, launcher, group, button);
}

void ClearButtonShortcut(HWND window, Launcher& launcher, int group, int button)
{
    ShortcutEntry* entry = GetShortcutEntry(launcher.Shortcuts(), group, button);
    if (!entry)
        return;
    if (entry->usesystemshortcut) {
        UnregisterButtonHotkey(window, launcher, ButtonPlace{group, button});
        entry->usesystemshortcut = 0;
    }
    entry->id = 0;
    entry->key = 0;
    entry->flag = 0;
}

bool HotkeyRefused(const Launcher& launcher, int group, int button)
{
    const ButtonPlace place{group, button};
    return place.Valid() && launcher.Refused().buttons[place.Number()];
}

bool HotkeyAvailable(HWND window, Launcher& launcher, int group, int button, int key, int flag)
{
    if (!GetShortcutEntry(launcher.Shortcuts(), group, button) || key == 0)
        return false;
    // Our own ids are let go for the try: one of them may still hold the
    // combination from before an edit that moved it to this button.
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterHotKey(window, ButtonPlace::FromNumber(number).HotkeyId());
    const int id = ButtonPlace{group, button}.HotkeyId();
    const bool available = RegisterHotKey(window, id, ToHotkeyModifiers(flag), static_cast<UINT>(key)) != FALSE;
    UnregisterHotKey(window, id);
    RenewButtonHotkeys(window, launcher);  // back to what the table says
    return available;
}
