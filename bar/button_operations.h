#pragma once
// What the launcher does to its groups and buttons, whichever input asked for
// it (a click, a key, a drag, a menu): show a group, step to the next or the
// previous one, move a button onto another, clear a button. The bar's
// images, tips and system hotkeys follow, and a changed button is saved with
// its keys. Nothing here reads the keyboard: the input decides the kind.
#include "bar/bar.h"

// Makes group (0..9) current and reloads every image of the bar and the tips.
// While a dialog or a menu of the launcher is open the current group stays:
// false for any other then.
bool ShowGroup(ButtonBar& bar, int group);

// Steps to the next or previous group in use, wrapping (as ShowGroup); always true.
bool StepGroup(ButtonBar& bar, bool forward);

enum class MoveKind {
    Swap,  // the two buttons change places, with their shortcuts and system hotkeys
    Copy,  // the source is copied over the target (its keys stay), asking first over a filled one
};

struct ButtonMove {
    int sourceGroup;  // the source button's group: a drag may have carried it from another
    int source;       // 0..9 in sourceGroup
    int target;       // 0..9 in the current group
    MoveKind kind;
};

// Moves the source button onto the target. A copy over a filled button asks
// IDS_ASK_OVERWRITE_BUTTON: No swaps instead, Cancel does nothing. The
// records, shortcut entries, system hotkeys, images and tips follow; the
// data file is saved. False for an invalid index.
bool MoveButton(ButtonBar& bar, const ButtonMove& move);

// Asks (IDS_ASK_CLEAR_BUTTON) and, answered Yes, empties button index of the
// current group with its shortcut. False for an invalid index or any other answer.
bool ClearButton(ButtonBar& bar, int index);
