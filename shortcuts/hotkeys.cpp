#include "shortcuts/hotkeys.h"

#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"

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

bool RegisterButtonHotkey(HWND window, int group, int button)
{
    const ShortcutEntry* entry = GetShortcutEntry(group, button);
    if (!entry)
        return false;
    const int id = group * 10 + button;
    UnregisterHotKey(window, id);
    if (entry->key == 0 || entry->usesystemshortcut != 1)
        return true;
    return RegisterHotKey(window, id, ToHotkeyModifiers(entry->flag), static_cast<UINT>(entry->key)) != FALSE;
}

bool UnregisterButtonHotkey(HWND window, int group, int button)
{
    UnregisterHotKey(window, group * 10 + button);
    return true;
}

bool RegisterActiveHotkey(HWND window)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    UnregisterHotKey(window, kActivationHotkeyId);
    return RegisterHotKey(window, kActivationHotkeyId, ToHotkeyModifiers(table->Active.flag),
                          static_cast<UINT>(table->Active.key)) != FALSE;
}

bool UnregisterActiveHotkey(HWND window)
{
    UnregisterHotKey(window, kActivationHotkeyId);
    return true;
}

bool RenewButtonHotkeys(HWND window)
{
    // Every id is given back first: an entry that moved to another button
    // takes its combination along instead of finding it held by its old id.
    for (int group = 0; group < 10; ++group)
        for (int button = 0; button < 10; ++button)
            UnregisterButtonHotkey(window, group, button);
    bool all = true;
    for (int group = 0; group < 10; ++group)
        for (int button = 0; button < 10; ++button)
            all = RegisterButtonHotkey(window, group, button) && all;
    return all;
}

bool RegisterAllHotkeys(HWND window)
{
    const bool buttons = RenewButtonHotkeys(window);
    return RegisterActiveHotkey(window) && buttons;
}

bool UnregisterAllHotkeys(HWND window)
{
    for (int group = 0; group < 10; ++group)
        for (int button = 0; button < 10; ++button)
            UnregisterButtonHotkey(window, group, button);
    return UnregisterActiveHotkey(window);
}

bool ApplyButtonHotkey(HWND window, int group, int button, bool system)
{
    ShortcutEntry* entry = GetShortcutEntry(group, button);
    if (!entry)
        return false;
    UnregisterButtonHotkey(window, group, button);
    entry->usesystemshortcut = system ? 1 : 0;
    return !system || RegisterButtonHotkey(window, group, button);
}

void ClearButtonShortcut(HWND window, int group, int button)
{
    ShortcutEntry* entry = GetShortcutEntry(group, button);
    if (!entry)
        return;
    if (entry->usesystemshortcut) {
        UnregisterHotKey(window, group * 10 + button);
        entry->usesystemshortcut = 0;
    }
    entry->id = 0;
    entry->key = 0;
    entry->flag = 0;
}
