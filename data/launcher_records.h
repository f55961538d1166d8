#pragma once
// The fixed image of all groups and buttons, byte for byte as the data file
// holds it: 10 groups, each a GroupRecord followed by its 10 ButtonRecords.
#include <cstddef>
#include <cstdint>

constexpr int kGroupCount = 10;
constexpr int kButtonsPerGroup = 10;
constexpr int kButtonCount = kGroupCount * kButtonsPerGroup;
constexpr int kTextFieldSize = 270;  // every text field; dialogs allow 260 characters

struct GroupRecord {
    char name[kTextFieldSize];
    char iconFile[kTextFieldSize];
    std::int32_t iconIndex;  // 0: the file's associated icon
};

struct ButtonRecord {
    std::int32_t iconIndex;  // 0: the file's associated icon
    char title[kTextFieldSize];
    char file[kTextFieldSize];  // empty: the button is unassigned
    char workDir[kTextFieldSize];
    char params[kTextFieldSize];
    char iconFile[kTextFieldSize];  // empty: the icon comes from file
    char padding[2];
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

static_assert(sizeof(GroupRecord) == 544, "group record layout");
static_assert(offsetof(GroupRecord, iconFile) == 270 && offsetof(GroupRecord, iconIndex) == 540,
              "group record fields");
static_assert(sizeof(ButtonRecord) == 1356, "button record layout");
static_assert(offsetof(ButtonRecord, title) == 4 && offsetof(ButtonRecord, file) == 274 &&
              offsetof(ButtonRecord, workDir) == 544 && offsetof(ButtonRecord, params) == 814 &&
              offsetof(ButtonRecord, iconFile) == 1084, "button record fields");
static_assert(sizeof(GroupBlock) == 14104, "group block layout");
static_assert(sizeof(LauncherData) == 141040, "launcher data layout");
static_assert(sizeof(AppSettings) == 28, "settings layout");

// Number of groups in use, brought into 1..10.
inline int ClampGroupCount(int count)
{
    return count < 1 ? 1 : count > kGroupCount ? kGroupCount : count;
}

// Sizes of the two data file layouts the loader accepts.
constexpr std::size_t kDataFileSize = sizeof(LauncherData) + sizeof(AppSettings);  // 141068
constexpr std::size_t kOldButtonSize = 1084;  // older layout: no iconFile
constexpr std::size_t kOldDataFileSize =
    kGroupCount * (sizeof(GroupRecord) + kButtonsPerGroup * kOldButtonSize) + sizeof(AppSettings);
static_assert(kDataFileSize == 141068 && kOldDataFileSize == 113868, "data file sizes");
