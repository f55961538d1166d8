#include "app/commands.h"

#include "app/about_box.h"
#include "app/activation.h"
#include "app/folder_menus.h"
#include "app/help.h"
#include "archive/archive_drop.h"
#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "bar/launch.h"
#include "bar/program_button.h"
#include "bar/shell_commands.h"
#include "bar/start_count.h"
#include "bar/window_state.h"
#include "data/button_place.h"
#include "data/launcher_data.h"
#include "dialogs/button_search_dialog.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "dialogs/group_settings_dialog.h"
#include "dialogs/restore_dialog.h"
#include "dialogs/shortcut_settings_dialog.h"
#include "menus/launcher_menus.h"
#include "resources/resource_ids.h"
#include "support/key_state.h"

namespace {
int SelectedButton(HWND window)
{
    const MainWindowState* state = WindowState(window);
    return state ? state->selectedButton : 0;
}

void OpenButtonSettings(HWND window, int index, bool proposed, const wchar_t* path)
{
    SetSelectedButton(window, index);
    SetDialogRequest(index, proposed ? 1 : 0, path);
    ShowButtonSettingsDialog(window);
}

void OpenGroupSettings(HWND window, const wchar_t* path)
{
    SetDialogRequest(0, 1, path);
    ShowGroupSettingsDialog(window);
}

const BarActions kBarActions = {OpenButtonSettings, OpenGroupSettings, HandleArchiveDrop, OpenFolderMenu};

// The group button's click has already toggled its check state; the keys held
// now decide what the click means.
void OnGroupButton(HWND window)
{
    const bool checked = IsDlgButtonChecked(window, IDC_GROUP_BUTTON) == BST_CHECKED;
    const UINT before = checked ? BST_UNCHECKED : BST_CHECKED;
    if (KeyHeld(VK_ESCAPE) || KeyHeld(VK_RSHIFT)) {
        ShowAboutBox(window);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else if (KeyHeld(VK_SHIFT) || KeyHeld(VK_LSHIFT)) {
        ShowGroupSettingsDialog(window);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else if (KeyHeld(VK_CONTROL)) {
        StepGroup(window, true);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else {
        SetBarExpanded(window, checked);
    }
}

// The search window; what was chosen in it is done once it has gone, with
// the main window enabled again. While it or another dialog of the launcher
// is open, the command is not done (app/held_input.h).
void OnSearchCommand(HWND window)
{
    HWND before = GetForegroundWindow();
    const MainWindowState* state = WindowState(window);
    SearchInputs inputs;
    inputs.data = LauncherImage();
    inputs.groupCount = GetSettings().groupCount;
    inputs.currentGroup = CurrentGroupIndex();
    inputs.catalog = state ? state->catalog.get() : nullptr;
    inputs.usage = StartUsage(window);
    ButtonSearchDialog search(window, inputs);
    const SearchChoice choice = search.Run();
    const ButtonPlace place = ButtonPlace::FromNumber(choice.buttonNumber);
    const ButtonRecord* button = ButtonAt(place.group, place.button);
    ButtonRecord program = {};
    ProgramStartRecord(choice.program, &program);
    const ButtonRecord* chosen = button ? button : program.file[0] ? &program : nullptr;
    switch (choice.action) {
    case SearchAction::Cancelled:
        // Back to the program the hotkey was pressed in.
        if (before && before != window && IsWindow(before))
            SetForegroundWindow(before);
        break;
    case SearchAction::Launch:
        if (chosen)
            LaunchAsClick(window, *chosen);
        break;
    case SearchAction::OpenFolder:
        if (chosen)
            ShowButtonFolder(window, *chosen);
        break;
    case SearchAction::OpenSettings:
        // The bar shows the button whose settings are open.
        if (button && place.group != CurrentGroupIndex())
            ShowGroup(window, place.group);
        if (button)
            OpenButtonSettings(window, place.button, false, button->file);
        break;
    case SearchAction::PutOnButton:
        PutProgramOnButton(window, choice.program, choice.group);
        break;
    case SearchAction::Dismissed:
        break;
    }
}

// A shell command of the button menu on the selected button's file.
void OnShellCommand(HWND window, int id)
{
    const ButtonRecord* button = CurrentButton(SelectedButton(window));
    if (!button || button->file[0] == L'\0')
        return;
    if (id == IDM_RUN_AS_ADMIN)
        LaunchAsAdministrator(window, *button);
    else if (id == IDM_OPEN_FILE_LOCATION)
        ShowButtonFileLocation(window, *button);
    else
        ShowButtonProperties(window, *button);
}

void OnSettingsCommand(HWND window)
{
    const int selected = SelectedButton(window);
    SetDialogRequest(selected, 0, nullptr);
    if (IsValidButtonIndex(selected))
        ShowButtonSettingsDialog(window);
    else
        ShowGroupSettingsDialog(window);
}
}  // namespace

bool OnCommand(HWND window, int id)
{
    if (id >= IDM_FIRST_GROUP && id < IDM_FIRST_GROUP + kGroupCount) {
        ShowGroup(window, id - IDM_FIRST_GROUP);
        return true;
    }
    if (IsLauncherButtonId(id)) {
        LaunchButton(window, id - IDC_FIRST_LAUNCHER, kBarActions);
        return true;
    }
    switch (id) {
    case IDC_GROUP_BUTTON:
        OnGroupButton(window);
        return true;
    case IDC_PREVIOUS_GROUP:
        StepGroup(window, false);
        return true;
    case IDC_NEXT_GROUP:
        StepGroup(window, true);
        return true;
    case IDM_BUTTON_SETTINGS:
        OnSettingsCommand(window);
        return true;
    case IDM_MOVE_UP:
        MoveButton(window, SelectedButton(window), SelectedButton(window) - 1);
        return true;
    case IDM_MOVE_DOWN:
        MoveButton(window, SelectedButton(window), SelectedButton(window) + 1);
        return true;
    case IDM_CLEAR_BUTTON:
        ClearButton(window, SelectedButton(window));
        return true;
    case IDM_BUTTON_SHORTCUTS:
        ShowShortcutSettings(window, LauncherImage(), CurrentGroupIndex(), SelectedButton(window));
        UpdateBarTooltips(window);
        return true;
    case IDM_SEARCH_BUTTONS:
        OnSearchCommand(window);
        return true;
    case IDM_RUN_AS_ADMIN:
    case IDM_OPEN_FILE_LOCATION:
    case IDM_FILE_PROPERTIES:
        OnShellCommand(window, id);
        return true;
    case IDM_RESTORE_GENERATION:
        ShowRestoreDialog(window, window);
        return true;
    case IDM_HELP:
        ShowHelp(window);
        return true;
    case IDM_ABOUT:
        ShowAboutBox(window);
        return true;
    case IDM_ALWAYS_ON_TOP:
        SetAlwaysOnTop(!GetAlwaysOnTop());
        SetTopmost(window, GetAlwaysOnTop());
        return true;
    case IDM_CLOSE:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

namespace {
// A menu opened from the keyboard (lParam -1) stands below its control, as a folder menu does; the mouse's at
// the cursor (null).
const POINT* KeyboardMenuPoint(HWND control, LPARAM place, POINT* point)
{
    RECT rect = {0, 0, 0, 0};
    if (place != -1 || !GetWindowRect(control, &rect))
        return nullptr;
    *point = POINT{rect.left, rect.bottom};
    return point;
}
}  // namespace

void OnContextMenu(HWND window, HWND clicked, LPARAM place)
{
    if (!clicked || clicked == window || GetParent(clicked) != window)
        return;
    const int id = GetDlgCtrlID(clicked);
    POINT point;
    const POINT* at = KeyboardMenuPoint(clicked, place, &point);
    if (id == IDC_PREVIOUS_GROUP || id == IDC_NEXT_GROUP) {
        ShowGroupMenu(window, at);
        return;
    }
    if (id != IDC_GROUP_BUTTON && !IsLauncherButtonId(id))
        return;
    const int target = id == IDC_GROUP_BUTTON ? kGroupButtonTarget : id - IDC_FIRST_LAUNCHER;
    SetSelectedButton(window, target);
    ShowButtonMenu(window, target, at);
}

void OnDropFiles(HWND window, HDROP drop)
{
    HandleBarDrop(window, drop, kBarActions);
}

void OnShortcutKey(HWND window, int key)
{
    if (key == VK_ESCAPE && GiveBackActivation(window))
        return;
    HandleShortcutKey(window, key, kBarActions);
}

void SetSelectedButton(HWND window, int index)
{
    if (MainWindowState* state = WindowState(window))
        state->selectedButton = index;
}
