#pragma once
// What the launcher holds, with one owner: all groups and buttons, the
// settings, the current group, the options, the data file's image as it was
// loaded, the keyboard shortcuts with the hotkeys the system refused, the
// window places, the user's files with the generations kept of them, and the
// starts counted for the search window's order.
// The program's start makes one and hands it to the main window, which
// reaches it from its state and passes it to what needs it; it goes when the
// start's run ends.
#include "data/generations.h"
#include "data/launcher_records.h"
#include "data/shortcut_records.h"
#include "data/stored_layout.h"
#include "data/usage_file.h"
#include "data/user_file.h"
#include "data/window_positions.h"

#include <memory>

// The data file as it was loaded, and the records as they were then: what
// no one changed is written back with the bytes it came from
// (data/stored_image.h).
struct LoadedImage {
    StoredData stored;
    LauncherData records;
};

class Launcher {
public:
    // An empty launcher whose saves keep generations; null when memory is short.
    static std::unique_ptr<Launcher> Create();
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    LauncherData& Data() { return data_; }
    const LauncherData& Data() const { return data_; }
    AppSettings& Settings() { return settings_; }
    const AppSettings& Settings() const { return settings_; }
    // Kept in the options file, not in the data file.
    LauncherOptions& Options() { return options_; }
    LoadedImage& Loaded() { return loaded_; }
    ShortcutTable& Shortcuts() { return shortcuts_; }
    const ShortcutTable& Shortcuts() const { return shortcuts_; }
    RefusedHotkeys& Refused() { return refused_; }
    const RefusedHotkeys& Refused() const { return refused_; }
    WindowPositionTable& Positions() { return positions_; }
    UserFiles& Files() { return files_; }
    Generations& History() { return generations_; }
    // The usage file's counts; null until read at the first need (bar/start_count.h).
    std::unique_ptr<UsageLog>& Usage() { return usage_; }

    // The group the bar shows, 0..9.
    int CurrentGroup() const { return currentGroup_; }
    // False, changing nothing, outside 0..9.
    bool SelectGroup(int group);
    GroupRecord& CurrentGroupRecord() { return data_.groups[currentGroup_].group; }
    const GroupRecord& CurrentGroupRecord() const { return data_.groups[currentGroup_].group; }
    // Button index 0..9 of the current group; null for any other index.
    ButtonRecord* CurrentButton(int index);
    const ButtonRecord* CurrentButton(int index) const;
    // Button index of any group; null when either is out of range.
    ButtonRecord* ButtonAt(int group, int index);
    const ButtonRecord* ButtonAt(int group, int index) const;

private:
    Launcher() = default;

    LauncherData data_ = {};
    AppSettings settings_ = {};
    LauncherOptions options_ = {};
    int currentGroup_ = 0;
    LoadedImage loaded_ = {};
    ShortcutTable shortcuts_ = {};
    RefusedHotkeys refused_ = {};
    WindowPositionTable positions_ = {};
    Generations generations_;
    UserFiles files_;
    std::unique_ptr<UsageLog> usage_;
};
