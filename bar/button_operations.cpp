#include "bar/button_operations.h"

#include "bar/bar_geometry.h"
#include "bar/bar_pictures.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"
#include "support/modal_state.h"

#include <cstring>

namespace {
// The bar's images after a move: the bar shows the current group only, so
// only target (and, in a same-group swap, source) change.
void MoveImages(ButtonBar& bar, int a, int b, bool acrossGroups, bool overwrite, const ButtonRecord& moved)
{
    HWND controlA = GetDlgItem(bar.window, IDC_FIRST_LAUNCHER + a);
    HWND controlB = GetDlgItem(bar.window, IDC_FIRST_LAUNCHER + b);
    if (!controlA || !controlB)
        return;
    HICON icon;
    if (acrossGroups) {
        icon = LoadRecordIcon(moved, BarIconSize(WindowDpi(bar.window)));
    } else if (overwrite) {
        HICON imageA = BarPicture(controlA);
        icon = imageA ? CopyIcon(imageA) : nullptr;
    } else {
        HICON imageA = BarPicture(controlA);
        PutBarPicture(controlA, BarPicture(controlB));  // now owned by a
        icon = imageA;
    }
    HICON replaced = PutBarPicture(controlB, icon);
    if (replaced && replaced != icon && (acrossGroups || overwrite))
        bar.icons.Release(replaced);
}

// A copy over a filled button: Yes copies, No swaps instead; false for Cancel.
bool AskOverwrite(HWND mainWindow, const ButtonRecord& destination, bool* overwrite)
{
    if (!*overwrite || destination.file[0] == L'\0')
        return true;
    const int answer = ShowMessageId(mainWindow, IDS_ASK_OVERWRITE_BUTTON, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO)
        return false;
    *overwrite = answer == IDYES;
    return true;
}
}  // namespace

// A dialog or a menu of the launcher works on the group it was opened over.
bool ShowGroup(ButtonBar& bar, int group)
{
    Launcher& launcher = bar.launcher;
    if (group < 0 || group >= kGroupCount || (group != launcher.CurrentGroup() && DialogOrMenuOpen(bar.window)) ||
        !launcher.SelectGroup(group))
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int size = BarIconSize(WindowDpi(bar.window));
    SetButtonImage(bar, IDC_GROUP_BUTTON, LoadGroupIcon(bar, size));
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        const ButtonRecord* record = launcher.CurrentButton(i);
        SetButtonImage(bar, IDC_FIRST_LAUNCHER + i, record ? LoadBarRecordIcon(bar, *record, size) : nullptr);
    }
    UpdateBarTooltips(bar);
    return true;
}

bool StepGroup(ButtonBar& bar, bool forward)
{
    const Launcher& launcher = bar.launcher;
    const int count = ClampGroupCount(launcher.Settings().groupCount);
    int target = launcher.CurrentGroup() + (forward ? 1 : -1);
    if (target > kGroupCount - 1 || target >= count)
        target = 0;
    if (target < 0)
        target = count - 1;
    ShowGroup(bar, target);
    return true;
}

bool MoveButton(ButtonBar& bar, const ButtonMove& move)
{
    Launcher& launcher = bar.launcher;
    const int current = launcher.CurrentGroup();
    ButtonRecord* source = launcher.ButtonAt(move.sourceGroup, move.source);
    ButtonRecord* destination = launcher.ButtonAt(current, move.target);
    if (!IsValidButtonIndex(move.target) || !source || !destination)
        return false;
    ShortcutEntry* sourceKey = GetShortcutEntry(launcher.Shortcuts(), move.sourceGroup, move.source);
    ShortcutEntry* destinationKey = GetShortcutEntry(launcher.Shortcuts(), current, move.target);
    const ButtonRecord saved = *source;
    bool overwrite = move.kind == MoveKind::Copy;
    if (!AskOverwrite(bar.window, *destination, &overwrite))
        return true;
    if (!overwrite) {
        *source = *destination;
        if (sourceKey && destinationKey) {
            const ShortcutEntry savedKey = *sourceKey;
            *sourceKey = *destinationKey;
            *destinationKey = savedKey;
        }
    }
    *destination = saved;

    MoveImages(bar, move.source, move.target, move.sourceGroup != current, overwrite, saved);
    RenewButtonHotkeys(bar.window, launcher);  // the system hotkeys follow the moved entries
    UpdateBarTooltips(bar);
    SaveChanges(bar.window, launcher);  // the keys moved with the buttons
    return true;
}

bool ClearButton(ButtonBar& bar, int index)
{
    Launcher& launcher = bar.launcher;
    ButtonRecord* record = launcher.CurrentButton(index);
    if (!record)
        return false;
    wchar_t question[kFieldSize + 128];
    FormatText(question, ARRAYSIZE(question), IDS_ASK_CLEAR_BUTTON, record->title);
    if (ShowMessage(bar.window, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;

    std::memset(record, 0, sizeof *record);
    SetButtonImage(bar, IDC_FIRST_LAUNCHER + index, LoadResourceIcon(IDI_EMPTY_BUTTON, BarIconSize(WindowDpi(bar.window))));

    ClearButtonShortcut(bar.window, launcher, launcher.CurrentGroup(), index);
    UpdateBarTooltips(bar);
    SaveChanges(bar.window, launcher);  // the button and its key go together
    return true;
}
