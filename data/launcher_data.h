#pragma once
// The data file and the names and options files beside it: loading them into
// the launcher's records at a start or a restore, and saving the records
// back whole. Nothing here talks to the user: each step reports what became
// of the files, and the window tells it (app/launcher_load.h).
#include "data/data_file_path.h"
#include "data/generation_summary.h"
#include "data/launcher.h"
#include "data/store_field.h"

#include <windows.h>

#include <optional>
#include <string>

enum class DataLoadOutcome {
    Loaded,      // the records are the data file's
    FirstStart,  // no data file: the first start's settings, or what porun.ini holds
    NoPath,      // the data file's path cannot be had: the launcher starts empty
    Damaged,     // read and found damaged: nothing taken yet (TakeOfferedGeneration, SetDamagedDataAside)
    HeldBack,    // there but not read: left as it is for the run, the launcher starts empty
};

struct DataLoad {
    DataLoadOutcome outcome = DataLoadOutcome::NoPath;
    // Loaded: the names file when it was there but could not be read; HeldBack: the data file.
    std::wstring held;
    // FirstStart: porun.ini's path could not be built.
    bool iniPathMissing = false;
    // Damaged: the newest generation whose data file reads, to be offered.
    std::optional<GenerationSummary> offer;
};

// Loads the data file into the launcher's records. At a first start window's
// place becomes the settings' (null: they stay).
DataLoad LoadLauncherData(Launcher& launcher, HWND window);

// The offer of a damaged start taken: the files as they are now are kept as
// a generation first (nothing is taken when they cannot be), the damaged
// ones are moved aside, and the generation's files are put in place and
// read. Loaded, or Damaged when any of that failed.
DataLoad TakeOfferedGeneration(Launcher& launcher, const std::wstring& generation);

// Where a damaged data file and the files that belong to it went.
struct DamagedSet {
    bool movedAside = false;  // false: the data file stays as it is and is not written this run
    std::wstring moved;       // their new names, one a line, the data file's first
};

// A damaged data file not replaced by a generation: the launcher starts
// empty, and the file is moved aside with its names and options files under
// the first ".bad" suffix none of them has yet.
DamagedSet SetDamagedDataAside(Launcher& launcher);

// Writes the records into the data file and the names and options files
// beside it, after storing window's place (null: the settings' stays) and
// the current group as the last one. False when they cannot be written.
bool SaveLauncherData(Launcher& launcher, HWND window);

// The window's top-left corner into the settings.
void StoreWindowOrigin(HWND window, AppSettings* settings);
