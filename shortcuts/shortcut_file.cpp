#include "shortcuts/shortcut_file.h"

#include "data/key_value_file.h"
#include "data/user_file.h"
#include "shortcuts/key_names.h"
#include "support/program_files.h"

#include <windows.h>

#include <cstdio>

namespace {
constexpr int kPathSize = 270;
constexpr int kDefaultActiveKey = VK_SPACE;
constexpr int kDefaultActiveFlags = kModifierCtrl | kModifierAlt;

void EntryName(char* buffer, size_t size, int group, int button, const char* field)
{
    snprintf(buffer, size, "ShortCut.%02d:%03d.%s", group, button, field);
}

long ReadField(const KeyValueFile& file, int group, int button, const char* field, bool* present)
{
    char name[64];
    EntryName(name, sizeof name, group, button, field);
    long value = 0;
    const bool found = file.ReadNumber(name, &value);
    if (present)
        *present = found;
    return value;
}

void LoadEntry(const KeyValueFile& file, int group, int button)
{
    bool hasId = false;
    const long id = ReadField(file, group, button, "id", &hasId);
    if (!hasId)
        return;
    const long key = ReadField(file, group, button, "key", nullptr);
    const long flag = ReadField(file, group, button, "flag", nullptr);
    const long system = ReadField(file, group, button, "usesystemshortcut", nullptr);
    if (IsShortcutRefused(key, flag))
        return;
    ShortcutEntry* entry = GetShortcutEntry(group, button);
    entry->id = id;
    entry->key = key;
    entry->flag = flag;
    entry->usesystemshortcut = system;
}

void LoadActive(const KeyValueFile& file)
{
    long key = 0;
    long flags = 0;
    if (file.ReadNumber("ShortCut.Active.key", &key)) {
        file.ReadNumber("ShortCut.Active.flag", &flags);
    } else {
        key = kDefaultActiveKey;
        flags = kDefaultActiveFlags;
    }
    if (key != 0 && IsShortcutRefused(key, flags)) {
        key = kDefaultActiveKey;
        flags = kDefaultActiveFlags;
    }
    SetActiveShortcut(key, flags);
}

// The search window's hotkey: written only once one is set, so a file
// without it reads as none. One that CTRL is missing from, or that the
// activation shortcut or a button's system hotkey already holds, is dropped.
void LoadSearch(const KeyValueFile& file)
{
    long key = 0;
    long flags = 0;
    file.ReadNumber("ShortCut.Search.key", &key);
    file.ReadNumber("ShortCut.Search.flag", &flags);
    if (key == 0 || !(flags & kModifierCtrl) || IsShortcutRefused(key, flags))
        key = flags = 0;
    SetSearchShortcut(key, flags);
}

void WriteField(KeyValueFile& file, int group, int button, const char* field, long value)
{
    char name[64];
    EntryName(name, sizeof name, group, button, field);
    file.WriteNumber(name, value);
}
}  // namespace

bool LoadShortcutTable(HWND owner)
{
    if (!CreateShortcutTable())
        return false;
    char path[kPathSize];
    if (!ProgramFolderFile(kShortcutFileName, path, sizeof path))
        return false;
    KeyValueFile file;
    const bool read = file.Read(path) == UserFileRead::Done;
    TellUserFileKept(owner, path);
    if (!read)
        return false;
    for (int group = 0; group < 10; ++group)
        for (int button = 0; button < 10; ++button)
            LoadEntry(file, group, button);
    LoadActive(file);
    LoadSearch(file);
    file.Close();
    return true;
}

bool SaveShortcutTable()
{
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    char path[kPathSize];
    if (!ProgramFolderFile(kShortcutFileName, path, sizeof path))
        return false;
    KeyValueFile file;
    if (!file.Open(path, true))
        return false;
    for (int group = 0; group < 10; ++group) {
        for (int button = 0; button < 10; ++button) {
            const ShortcutEntry& entry = *GetShortcutEntry(group, button);
            if (entry.key == 0)
                continue;
            WriteField(file, group, button, "id", entry.id);
            WriteField(file, group, button, "key", entry.key);
            WriteField(file, group, button, "flag", entry.flag);
            WriteField(file, group, button, "usesystemshortcut", entry.usesystemshortcut);
        }
    }
    file.WriteNumber("ShortCut.Active.key", table->Active.key);
    file.WriteNumber("ShortCut.Active.flag", table->Active.flag);
    if (table->Search.key != 0) {
        file.WriteNumber("ShortCut.Search.key", table->Search.key);
        file.WriteNumber("ShortCut.Search.flag", table->Search.flag);
    }
    return file.Close();
}
