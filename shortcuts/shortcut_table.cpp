#include "shortcuts/shortcut_table.h"

#include "data/button_place.h"
#include "support/scoped_handle.h"

#include <windows.h>

#include <cstring>

namespace {
HeapObject<ShortcutTable> g_table;

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
    for (int i = 0; i < kShortcutEntryCount; ++i) {
        const ShortcutEntry& entry = table.entries[i];
        if (entry.usesystemshortcut != 0 && entry.key == key && entry.flag == flags)
            return true;
    }
    return false;
}
}  // namespace

ShortcutTable* CreateShortcutTable()
{
    g_table.Allocate();
    return g_table.Get();
}

bool DestroyShortcutTable()
{
    g_table.Free();
    return true;
}

ShortcutTable* GetShortcutTable()
{
    return g_table.Get();
}

ShortcutEntry* GetShortcutEntry(int group, int button)
{
    // An invalid place has number -1, which has no entry.
    return ShortcutEntryAt(ButtonPlace{group, button}.Number());
}

ShortcutEntry* ShortcutEntryAt(int buttonNumber)
{
    ShortcutTable* table = GetShortcutTable();
    if (!table || buttonNumber < 0 || buttonNumber >= kShortcutEntryCount)
        return nullptr;
    return &table->entries[buttonNumber];
}

void GetActiveShortcut(int* key, int* flags)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!key || !flags || !table)
        return;
    *key = table->Active.key;
    *flags = table->Active.flag;
}

void SetActiveShortcut(int key, int flags)
{
    ShortcutTable* table = GetShortcutTable();
    if (!table)
        return;
    table->Active.key = key;
    table->Active.flag = flags;
}

void GetSearchShortcut(int* key, int* flags)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!key || !flags || !table)
        return;
    *key = table->Search.key;
    *flags = table->Search.flag;
}

void SetSearchShortcut(int key, int flags)
{
    ShortcutTable* table = GetShortcutTable();
    if (!table)
        return;
    table->Search.key = key;
    table->Search.flag = flags;
}

bool CopyShortcutEntries(ShortcutEntry* out, int count)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table || !out || count != kShortcutEntryCount)
        return false;
    memcpy(out, table->entries, sizeof(ShortcutEntry) * kShortcutEntryCount);
    return true;
}

bool RestoreShortcutEntries(const ShortcutEntry* in, int count)
{
    ShortcutTable* table = GetShortcutTable();
    if (!table || !in || count != kShortcutEntryCount)
        return false;
    memcpy(table->entries, in, sizeof(ShortcutEntry) * kShortcutEntryCount);
    return true;
}

bool IsShortcutRefused(int key, int flags)
{
    // Rules that need no table hold also before it exists: these keys are
    // never valid shortcuts.
    if (IsNeverAllowedKey(key))
        return true;
    if (key == VK_SPACE && flags == 0)
        return true;
    const ShortcutTable* table = GetShortcutTable();
    if (table && key == table->Active.key && flags == table->Active.flag)
        return true;
    if (table && table->Search.key != 0 && key == table->Search.key && flags == table->Search.flag)
        return true;
    if (IsPlainDigit(key, flags) || IsCtrlDigit(key, flags))
        return true;
    return table && IsSystemHotkeyCombination(*table, key, flags);
}

bool IsDuplicateShortcut(int key, int flags, int group, int button)
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    const int own = ButtonPlace{group, button}.Number();
    for (int i = 0; i < kShortcutEntryCount; ++i) {
        const ShortcutEntry& entry = table->entries[i];
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
    return IsDigitKey(key) && flags == 2;
}
