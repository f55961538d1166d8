#include "shortcuts/shortcut_file.h"

#include "data/button_place.h"
#include "data/generations.h"
#include "data/key_value_file.h"
#include "shortcuts/key_names.h"
#include "support/program_files.h"

#include <windows.h>

#include <cstdio>

namespace {
constexpr int kPathSize = 270;
constexpr int kDefaultActiveKey = VK_SPACE;
constexpr int kDefaultActiveFlags = kModifierCtrl | kModifierAlt;

// The file's names stay ASCII, as every version wrote them.
void EntryName(char* buffer, size_t size, ButtonPlace place, const char* field)
{
    snprintf(buffer, size, "ShortCut.%02d:%03d.%s", place.group, place.button, field);
}

long ReadField(const KeyValueFile& file, ButtonPlace place, const char* field, bool* present)
{
    char name[64];
    EntryName(name, sizeof name, place, field);
    long value = 0;
    const bool found = file.ReadNumber(name, &value);
    if (present)
        *present = found;
    return value;
}

void LoadEntry(const KeyValueFile& file, ButtonPlace place, ShortcutTable& table)
{
    bool hasId = false;
    const long id = ReadField(file, place, "id", &hasId);
    if (!hasId)
        return;
    const long key = ReadField(file, place, "key", nullptr);
    const long flag = ReadField(file, place, "flag", nullptr);
    const long system = ReadField(file, place, "usesystemshortcut", nullptr);
    if (IsShortcutRefused(table, key, flag))
        return;
    ShortcutEntry* entry = GetShortcutEntry(table, place.group, place.button);
    entry->id = id;
    entry->key = key;
    entry->flag = flag;
    entry->usesystemshortcut = system;
}

void LoadActive(const KeyValueFile& file, ShortcutTable& table)
{
    long key = 0;
    long flags = 0;
    if (file.ReadNumber("ShortCut.Active.key", &key)) {
        file.ReadNumber("ShortCut.Active.flag", &flags);
    } else {
        key = kDefaultActiveKey;
        flags = kDefaultActiveFlags;
    }
    if (key != 0 && IsShortcutRefused(table, key, flags)) {
        key = kDefaultActiveKey;
        flags = kDefaultActiveFlags;
    }
    table.Active.key = key;
    table.Active.flag = flags;
}

// The search window's hotkey: written only once one is set, so a file
// without it reads as none. One that CTRL is missing from, or that the
// activation shortcut or a button's system hotkey already holds, is dropped.
void LoadSearch(const KeyValueFile& file, ShortcutTable& table)
{
    long key = 0;
    long flags = 0;
    file.ReadNumber("ShortCut.Search.key", &key);
    file.ReadNumber("ShortCut.Search.flag", &flags);
    if (key == 0 || !(flags & kModifierCtrl) || IsShortcutRefused(table, key, flags))
        key = flags = 0;
    table.Search.key = key;
    table.Search.flag = flags;
}

void WriteField(KeyValueFile& file, ButtonPlace place, const char* field, long value)
{
    char name[64];
    EntryName(name, sizeof name, place, field);
    file.WriteNumber(name, value);
}
}  // namespace

UserFileLoad LoadShortcutTable(Launcher& launcher)
{
    ShortcutTable& table = launcher.Shortcuts();
    table = ShortcutTable{};
    KeyValueFile file(launcher.Files());
    const UserFileLoad load = file.ReadBesideProgram(kShortcutFileName, kPathSize);
    if (!load.read)
        return load;
    for (int number = 0; number < kButtonCount; ++number)
        LoadEntry(file, ButtonPlace::FromNumber(number), table);
    LoadActive(file, table);
    LoadSearch(file, table);
    file.Close();
    return load;
}

bool SaveShortcutTable(Launcher& launcher)
{
    const ShortcutTable& table = launcher.Shortcuts();
    wchar_t path[kPathSize];
    if (!ProgramFolderFile(kShortcutFileName, path, kPathSize))
        return false;
    GenerationScope oneGeneration(launcher.History());
    KeyValueFile file(launcher.Files());
    if (!file.Open(path, true))
        return false;
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        const ShortcutEntry& entry = *GetShortcutEntry(table, place.group, place.button);
        if (entry.key == 0)
            continue;
        WriteField(file, place, "id", entry.id);
        WriteField(file, place, "key", entry.key);
        WriteField(file, place, "flag", entry.flag);
        WriteField(file, place, "usesystemshortcut", entry.usesystemshortcut);
    }
    file.WriteNumber("ShortCut.Active.key", table.Active.key);
    file.WriteNumber("ShortCut.Active.flag", table.Active.flag);
    if (table.Search.key != 0) {
        file.WriteNumber("ShortCut.Search.key", table.Search.key);
        file.WriteNumber("ShortCut.Search.flag", table.Search.flag);
    }
    return file.Close();
}
