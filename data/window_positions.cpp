#include "data/window_positions.h"

#include "data/key_value_file.h"
#include "support/program_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
// The four names of slot n; the spelling "positon" is the file's own.
struct SlotNames {
    char width[40];
    char height[40];
    char x[40];
    char y[40];
};

SlotNames NamesOfSlot(int n)
{
    SlotNames names;
    std::snprintf(names.width, sizeof names.width, "position%02d.desktop.width", n);
    std::snprintf(names.height, sizeof names.height, "position%02d.desktop.height", n);
    std::snprintf(names.x, sizeof names.x, "position%02d.positon.x", n);
    std::snprintf(names.y, sizeof names.y, "position%02d.positon.y", n);
    return names;
}

std::int32_t ReadOrZero(const KeyValueFile& file, const char* name)
{
    long value = 0;
    file.ReadNumber(name, &value);
    return static_cast<std::int32_t>(value);
}
}  // namespace

UserFileLoad LoadPositions(WindowPositionTable* table, UserFiles& files)
{
    if (!table)
        return UserFileLoad{};
    KeyValueFile file(files);
    const UserFileLoad load = file.ReadBesideProgram(kPositionFileName, MAX_PATH);
    if (!load.read)
        return load;
    for (int n = 0; n < kPositionSlots; ++n) {
        const SlotNames names = NamesOfSlot(n);
        long width = 0;
        if (!file.ReadNumber(names.width, &width))
            continue;
        PositionEntry& slot = table->slots[n];
        slot.desktopWidth = static_cast<std::int32_t>(width);
        slot.desktopHeight = ReadOrZero(file, names.height);
        slot.x = ReadOrZero(file, names.x);
        slot.y = ReadOrZero(file, names.y);
        slot.used = 1;
    }
    return load;
}

bool SavePositions(const WindowPositionTable* table, UserFiles& files)
{
    wchar_t path[MAX_PATH];
    if (!table || !ProgramFolderFile(kPositionFileName, path, MAX_PATH))
        return false;
    KeyValueFile file(files);
    if (!file.Open(path, true))
        return false;
    bool ok = true;
    for (int n = 0; n < kPositionSlots && ok; ++n) {
        const PositionEntry& slot = table->slots[n];
        if (!slot.used)
            continue;
        const SlotNames names = NamesOfSlot(n);
        ok = file.WriteNumber(names.width, slot.desktopWidth) &&
             file.WriteNumber(names.height, slot.desktopHeight) &&
             file.WriteNumber(names.x, slot.x) &&
             file.WriteNumber(names.y, slot.y);
    }
    // Lines are only collected in memory; Close puts them in place in one step.
    return file.Close() && ok;
}

void ClearPositions(WindowPositionTable* table)
{
    if (table)
        std::memset(table, 0, sizeof *table);
}

bool FindPosition(const WindowPositionTable* table, PositionQuery* query)
{
    if (!table || !query)
        return false;
    for (const PositionEntry& slot : table->slots) {
        if (slot.used && slot.desktopWidth == query->desktopWidth &&
            slot.desktopHeight == query->desktopHeight) {
            query->x = slot.x;
            query->y = slot.y;
            return true;
        }
    }
    return false;
}

bool RecordPosition(WindowPositionTable* table, int desktopWidth, int desktopHeight, int x, int y)
{
    if (!table)
        return false;
    // A size already known keeps its slot, wherever it stands, so that one
    // size never takes two slots.
    for (PositionEntry& slot : table->slots) {
        if (slot.used && slot.desktopWidth == desktopWidth && slot.desktopHeight == desktopHeight) {
            slot.x = x;
            slot.y = y;
            return true;
        }
    }
    for (PositionEntry& slot : table->slots) {
        if (!slot.used) {
            slot = PositionEntry{desktopWidth, desktopHeight, x, y, 1};
            return true;
        }
    }
    return false;
}
