#pragma once
// The data file byte for byte: 10 groups, each a StoredGroup followed by its
// 10 StoredButtons, then the settings. Every text is a code page 932 field
// of 270 bytes, ended inside the field and zero-filled after its text. The
// older layout has no iconFile in its buttons. Seen only inside data/ (and
// by the tests, which check the file byte for byte).
#include "data/launcher_records.h"

#include <cstddef>
#include <cstdint>

constexpr int kStoredFieldSize = 270;  // bytes of every text field, terminator included

struct StoredGroup {
    char name[kStoredFieldSize];
    char iconFile[kStoredFieldSize];
    std::int32_t iconIndex;
};

struct StoredButton {
    std::int32_t iconIndex;
    char title[kStoredFieldSize];
    char file[kStoredFieldSize];
    char workDir[kStoredFieldSize];
    char params[kStoredFieldSize];
    char iconFile[kStoredFieldSize];
    char padding[2];
};

struct StoredBlock {
    StoredGroup group;
    StoredButton buttons[kButtonsPerGroup];
};

struct StoredData {
    StoredBlock groups[kGroupCount];
};

static_assert(sizeof(StoredGroup) == 544, "group record layout");
static_assert(offsetof(StoredGroup, iconFile) == 270 && offsetof(StoredGroup, iconIndex) == 540,
              "group record fields");
static_assert(sizeof(StoredButton) == 1356, "button record layout");
static_assert(offsetof(StoredButton, title) == 4 && offsetof(StoredButton, file) == 274 &&
              offsetof(StoredButton, workDir) == 544 && offsetof(StoredButton, params) == 814 &&
              offsetof(StoredButton, iconFile) == 1084, "button record fields");
static_assert(sizeof(StoredBlock) == 14104, "group block layout");
static_assert(sizeof(StoredData) == 141040, "launcher data layout");

// Sizes of the two data file layouts the loader accepts.
constexpr std::size_t kDataFileSize = sizeof(StoredData) + sizeof(AppSettings);  // 141068
constexpr std::size_t kOldButtonSize = offsetof(StoredButton, iconFile);  // older layout: no iconFile
constexpr std::size_t kOldDataFileSize =
    kGroupCount * (sizeof(StoredGroup) + kButtonsPerGroup * kOldButtonSize) + sizeof(AppSettings);
static_assert(kDataFileSize == 141068 && kOldDataFileSize == 113868, "data file sizes");
