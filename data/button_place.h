#pragma once
// Where a button is: its group and its index in the group (0..9). The
// launcher numbers the hundred buttons 0..99 in one flat row (group by
// group), and that number is also the button's system hotkey id and its
// entry in the shortcut list; both come from here and nowhere else.
#include "data/launcher_records.h"

struct ButtonPlace {
    int group = 0;
    int button = 0;

    // The place of flat number 0..99; Valid() is false for any other.
    static ButtonPlace FromNumber(int number)
    {
        return number < 0 || number >= kButtonCount ? ButtonPlace{-1, -1}
                                                    : ButtonPlace{number / kButtonsPerGroup, number % kButtonsPerGroup};
    }
    bool Valid() const { return group >= 0 && group < kGroupCount && button >= 0 && button < kButtonsPerGroup; }
    // 0..99, group by group; -1 for a place that is not valid.
    int Number() const { return Valid() ? group * kButtonsPerGroup + button : -1; }
    // The id the button's system hotkey is registered under.
    int HotkeyId() const { return Number(); }

    bool operator==(const ButtonPlace& other) const { return group == other.group && button == other.button; }
    bool operator!=(const ButtonPlace& other) const { return !(*this == other); }
};
