#pragma once
// The window places remembered per screen size, held by the launcher's model
// (data/launcher.h) and stored in "position.dat" beside the program.
#include "data/user_file.h"

#include <windows.h>

#include <cstdint>

constexpr int kPositionSlots = 20;

struct PositionEntry {
    std::int32_t desktopWidth;   // screen size the place was recorded for
    std::int32_t desktopHeight;
    std::int32_t x;              // window's top-left corner, screen coordinates
    std::int32_t y;
    std::int32_t used;           // non-zero when the slot holds a place
};

struct WindowPositionTable {
    PositionEntry slots[kPositionSlots];
};

constexpr wchar_t kPositionFileName[] = L"position.dat";

void ClearPositions(WindowPositionTable* table);

// A screen size in, the place remembered for it out.
struct PositionQuery {
    std::int32_t desktopWidth;
    std::int32_t desktopHeight;
    std::int32_t x;
    std::int32_t y;
};

// Copies the place of the first slot with the query's screen size into the
// query; false when no slot has that size.
bool FindPosition(const WindowPositionTable* table, PositionQuery* query);

// Stores the place for the screen size: into the slot that already has the
// size, else into the first unused slot. False when all slots hold other sizes.
bool RecordPosition(WindowPositionTable* table, int desktopWidth, int desktopHeight, int x, int y);

// Reads "position.dat" beside the program into the table: every slot whose
// width line is present becomes used (a missing height, x or y reads as 0).
// Not read when the file cannot be read; the table then stays as it was. A
// file that is there but cannot be read (held by another program, or too
// large) is held: not written this run.
UserFileLoad LoadPositions(WindowPositionTable* table, UserFiles& files);

// Writes the used slots in slot order, four lines each, replacing the file in
// one step. False when it cannot be written (the old file stays); true,
// writing nothing, for a file LoadPositions could not read.
bool SavePositions(const WindowPositionTable* table, UserFiles& files);
