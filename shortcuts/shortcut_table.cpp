#include "shortcuts/shortcut_table.h"

#include "data/button_place.h"
#include "shortcuts/key_names.h"

#include <windows.h>

namespace {
bool IsDigitKey(int key)
{
    return key >= '0' && key <= '9';
}

bool IsNeverAllowedKey(int key)
{
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_ESCAPE:
    case VK_PRINT:  // 0x2A
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

bool IsSystemHotkeyCombination(const ShortcutTable& table, int key, int flags)
{
    for (const ShortcutEntry& entry : table.entries) {
        if (entry.usesystemshortcut != 0 && entry.key == key && entry.flag == flags)
            return true;
    }
    return false;
}
}  // namespace

ShortcutEntry* GetShortcutEntry(ShortcutTable& table, int group, int button)
{
    // An invalid place has number -1, which has no entry.
    return ShortcutEntryAt(table, ButtonPlace{group, button}.Number());
}

const ShortcutEntry* GetShortcutEntry(const ShortcutTable& table, int group, int button)
{
    return GetShortcutEntry(const_cast<ShortcutTable&>(table), group, button);
}

ShortcutEntry* ShortcutEntryAt(ShortcutTable& table, int buttonNumber)
{
    if (buttonNumber < 0 || buttonNumber >= kShortcutEntryCount)
        return nullptr;
    return &table.entries[buttonNumber];
}

bool IsShortcutRefused(const ShortcutTable& table, int key, int flags)
{
    if (IsNeverAllowedKey(key))
        return true;
    if (key == VK_SPACE && flags == 0)
        return true;
    if (key == table.Active.key && flags == table.Active.flag)
        return true;
    if (table.Search.key != 0 && key == table.Search.key && flags == table.Search.flag)
        return true;
    if (IsPlainDigit(key, flags) || IsCtrlDigit(key, flags))
        return true;
    return IsSystemHotkeyCombination(table, key, flags);
}

bool IsDuplicateShortcut(const ShortcutTable& table, int key, int flags, int group, int button)
{
    const int own = ButtonPlace{group, button}.Number();
    for (int i = 0; i < kShortcutEntryCount; ++i) {
        const ShortcutEntry& entry = table.entries[i];
        if (i != own && entry.usesystemshortcut == 0 && entry.key == key && entry.flag == flags)
            return true;
    }
    return false;
}

int DigitToIndex(int key)
{
    if (key == '0')
        return 9;
    if (key >= '1' && key <= '9')
        return key - '1';
    return -1;
}

bool IsPlainDigit(int key, int flags)
{
    return IsDigitKey(key) && flags == 0;
}

bool IsCtrlDigit(int key, int flags)
{
    return IsDigitKey(key) && flags == kModifierCtrl;
}
