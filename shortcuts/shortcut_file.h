#pragma once
// "shortcut.dat" beside the executable: the name/value file of the launcher's
// shortcut table (data/shortcut_records.h, shortcuts/shortcut_table.h).
#include "data/generation_files.h"  // kShortcutFileName
#include "data/launcher.h"
#include "shortcuts/shortcut_table.h"

#include <windows.h>

// Empties launcher's table and fills it from the file. Not read when the
// path cannot be built or the file cannot be read (the empty table stays).
// Refused entries are dropped; a file without an activation key gives
// CTRL+ALT+SPACE, one without a search key no search hotkey. A file that is
// there but cannot be read (held by another program, or too large) is held:
// not written this run.
UserFileLoad LoadShortcutTable(Launcher& launcher);

// Writes launcher's table (the search key only when one is set, so that a
// file without it is exactly what older versions wrote); false when the file
// cannot be written (the previous file is then left as it was); true,
// writing nothing, for a file the load could not read.
bool SaveShortcutTable(Launcher& launcher);
