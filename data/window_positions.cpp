#include "data/window_positions.h"

#include <cstring>

namespace {
WindowPositionTable g_positions;  // zero-filled before the program starts
}  // namespace

WindowPositionTable* WindowPositions()
{
    return &g_positions;
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
