#include "shortcuts/hotkeys.h"

#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"

namespace {
// What the system refused at the latest registration of each id.
bool g_buttonRefused[kShortcutEntryCount] = {};
bool g_activeRefused = false;
bool g_searchRefused = false;
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

bool RegisterButtonHotkey(HWND window, int group, int button)
{
    const ShortcutEntry* entry = GetShortcutEntry(group, button);
    if (!entry)
        return false;
    const ButtonPlace place{group, button};
    UnregisterButtonHotkey(window, place);
    if (entry->key == 0 || entry->usesystemshortcut != 1)
        return true;
    const bool held = RegisterHotKey(window, place.HotkeyId(), ToHotkeyModifiers(entry->flag),
                                     static_cast<UINT>(entry->key)) != FALSE;
    g_buttonRefused[place.Number()] = !held;
    return held;
}

bool UnregisterButtonHotkey(HWND window, int group, int button)
{
    return UnregisterButtonHotkey(window, ButtonPlace{group, button});
}

bool UnregisterButtonHotkey(HWND window, ButtonPlace place)
{
    if (!place.Valid())
        return true;
    UnregisterHotKey(window, place.HotkeyId());
    g_buttonRefused[place.Number()] = false;
    return true;
}

bool RegisterActiveHotkey(HWND window)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    UnregisterHotKey(window, kActivationHotkeyId);
    const bool held = RegisterHotKey(window, kActivationHotkeyId, ToHotkeyModifiers(table->Active.flag),
                                     static_cast<UINT>(table->Active.key)) != FALSE;
    g_activeRefused = !held && table->Active.key != 0;  // a cleared shortcut is no loss
    return held;
}

bool UnregisterActiveHotkey(HWND window)
{
    UnregisterHotKey(window, kActivationHotkeyId);
    g_activeRefused = false;
    return true;
}

bool RegisterSearchHotkey(HWND window)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    UnregisterHotKey(window, IDHK_SEARCH);
    g_searchRefused = false;
    if (table->Search.key == 0)
        return true;
    const bool held = RegisterHotKey(window, IDHK_SEARCH, ToHotkeyModifiers(table->Search.flag),
                                     static_cast<UINT>(table->Search.key)) != FALSE;
    g_searchRefused = !held;
    return held;
}

bool RenewButtonHotkeys(HWND window)
{
    // Every id is given back first: an entry that moved to another button
    // takes its combination along instead of finding it held by its old id.
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterButtonHotkey(window, ButtonPlace::FromNumber(number));
    bool all = true;
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        all = RegisterButtonHotkey(window, place.group, place.button) && all;
    }
    return all;
}

bool RegisterAllHotkeys(HWND window)
{
    const bool buttons = RenewButtonHotkeys(window);
    const bool active = RegisterActiveHotkey(window);
    return RegisterSearchHotkey(window) && active && buttons;
}

bool UnregisterAllHotkeys(HWND window)
{
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterButtonHotkey(window, ButtonPlace::FromNumber(number));
    UnregisterHotKey(window, IDHK_SEARCH);
    g_searchRefused = false;
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
        UnregisterButtonHotkey(window, group, button);
        entry->usesystemshortcut = 0;
    }
    entry->id = 0;
    entry->key = 0;
    entry->flag = 0;
}

bool HotkeyRefused(int group, int button)
{
    const ButtonPlace place{group, button};
    return place.Valid() && g_buttonRefused[place.Number()];
}

bool ActiveHotkeyRefused()
{
    return g_activeRefused;
}

bool SearchHotkeyRefused()
{
    return g_searchRefused;
}

bool HotkeyAvailable(HWND window, int group, int button, int key, int flag)
{
    if (!GetShortcutEntry(group, button) || key == 0)
        return false;
    // Our own ids are let go for the try: one of them may still hold the
    // combination from before an edit that moved it to this button.
    for (int number = 0; number < kButtonCount; ++number)
        UnregisterHotKey(window, ButtonPlace::FromNumber(number).HotkeyId());
    const int id = ButtonPlace{group, button}.HotkeyId();
    const bool available = RegisterHotKey(window, id, ToHotkeyModifiers(flag), static_cast<UINT>(key)) != FALSE;
    UnregisterHotKey(window, id);
    RenewButtonHotkeys(window);  // back to what the table says
    return available;
}
