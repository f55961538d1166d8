#pragma once
// The process-wide launcher data: all groups and buttons, the settings, and
// the current group. Allocated once at start-up, loaded while the main window
// is created, changed in place, written back whole.
#include "data/data_file_path.h"
#include "data/launcher_records.h"
#include "data/store_field.h"

#include <windows.h>

bool AllocateLauncherData();  // IDS_MSG_MEMORY_FAILED on failure
void FreeLauncherData();

bool LoadLauncherData(HWND owner);  // IDS_MSG_LOAD_FAILED on failure
bool SaveLauncherData(HWND owner);  // IDS_MSG_SAVE_FAILED on failure
void StoreWindowOrigin(HWND window);


// StoreField: every text goes into a record through it.

// Settings.
AppSettings GetSettings();
void SetSettings(const AppSettings& settings);
LauncherOptions GetLauncherOptions();  // kept in the options file, not in the data file
void SetLauncherOptions(const LauncherOptions& options);
bool GetAlwaysOnTop();
void SetAlwaysOnTop(bool on);

// The current group.
int CurrentGroupIndex();
bool SelectCurrentGroup(int group);  // false outside 0..9
GroupRecord GetCurrentGroupRecord();
void SetCurrentGroupRecord(const GroupRecord& record);
GroupRecord* CurrentGroupRecord();  // in place; null before allocation

// Buttons of the current group by index 0..9.
bool IsValidButtonIndex(int index);
bool SetButtonRecord(int index, const ButtonRecord& record);
ButtonRecord* CurrentButton(int index);  // null for an invalid index

// Any group: the whole image, and one button by group and index.
LauncherData* LauncherImage();
ButtonRecord* ButtonAt(int group, int index);  // null when out of range
