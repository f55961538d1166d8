#pragma once
// All groups and buttons as the program works on them: every text whole, in
// UTF-16. The data file keeps them in its own fixed layout of code page 932
// fields (data/stored_layout.h); names that code page cannot hold are kept
// whole beside it (data/whole_names.h).
#include <cstdint>

constexpr int kGroupCount = 10;
constexpr int kButtonsPerGroup = 10;
constexpr int kButtonCount = kGroupCount * kButtonsPerGroup;
constexpr int kFieldLength = 260;             // characters the dialogs accept in a field
constexpr int kFieldSize = kFieldLength + 1;  // with the terminator

struct GroupRecord {
    wchar_t name[kFieldSize];
    wchar_t iconFile[kFieldSize];
    std::int32_t iconIndex;  // 0: the file's associated icon
};

struct ButtonRecord {
    std::int32_t iconIndex;  // 0: the file's associated icon
    wchar_t title[kFieldSize];
    wchar_t file[kFieldSize];  // empty: the button is unassigned
    wchar_t workDir[kFieldSize];
    wchar_t params[kFieldSize];
    wchar_t iconFile[kFieldSize];  // empty: the icon comes from file
    std::int32_t folderMenu;       // 1: a folder in file opens as a menu of its contents (data/button_options.h)
    std::int32_t startWithLauncher;  // 1: started when the launcher starts (data/button_options.h)
};

struct GroupBlock {
    GroupRecord group;
    ButtonRecord buttons[kButtonsPerGroup];
};

struct LauncherData {
    GroupBlock groups[kGroupCount];
};

struct AppSettings {
    std::int32_t collapseOnLaunch;
    std::int32_t alwaysOnTop;
    std::int32_t groupCount;  // 1..10
    std::int32_t windowX;
    std::int32_t windowY;
    std::int32_t lastGroup;
    std::int32_t startWithLastGroup;
};
static_assert(sizeof(AppSettings) == 28, "settings layout");

// The launcher's settings the data file has no field for (data/button_options.h).
struct LauncherOptions {
    std::int32_t startWithWindows;  // 1: a shortcut in the user's Startup folder starts the launcher
};

// A launcher button's index in its group, 0..9.
inline bool IsValidButtonIndex(int index)
{
    return index >= 0 && index < kButtonsPerGroup;
}

// Number of groups in use, brought into 1..10.
inline int ClampGroupCount(int count)
{
    return count < 1 ? 1 : count > kGroupCount ? kGroupCount : count;
}
