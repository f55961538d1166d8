#include "app/commands.h"

#include "app/about_box.h"
#include "app/activation.h"
#include "app/archive_jobs.h"
#include "app/folder_menus.h"
#include "app/help.h"
#include "app/launcher_load.h"
#include "app/window_state.h"
#include "bar/bar_geometry.h"
#include "bar/bar_input.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_operations.h"
#include "bar/launch.h"
#include "bar/program_button.h"
#include "bar/shell_commands.h"
#include "bar/start_count.h"
#include "data/button_place.h"
#include "data/launcher.h"
#include "dialogs/button_search_dialog.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "dialogs/group_settings_dialog.h"
#include "dialogs/restore_dialog.h"
#include "dialogs/shortcut_settings_dialog.h"
#include "menus/launcher_menus.h"
#include "resources/resource_ids.h"
#include "support/key_state.h"

#include <string>

namespace {
// A request for the group the bar shows now.
DialogRequest RequestFor(const MainWindowState& state, int index, bool preset, const wchar_t* path)
{
    return DialogRequest{state.launcher.CurrentGroup(), index, preset, path ? path : L""};
}

void OpenButtonSettings(HWND window, int index, bool proposed, const wchar_t* path)
{
    MainWindowState* state = WindowState(window);
    if (!state)
        return;
    state->selectedButton = index;
    ShowButtonSettingsDialog(state->bar, RequestFor(*state, index, proposed, path));
}

void OpenGroupSettings(MainWindowState& state, bool proposed, const wchar_t* path)
{
    ShowGroupSettingsDialog(state.bar, RequestFor(state, 0, proposed, path), ReloadLauncherFiles);
}

// A file dropped on the group button, proposed as the group's icon.
void OpenGroupSettingsWith(HWND window, const wchar_t* path)
{
    if (MainWindowState* state = WindowState(window))
        OpenGroupSettings(*state, true, path);
}

const BarActions kBarActions = {OpenButtonSettings, OpenGroupSettingsWith, StartArchiveDrop, OpenFolderMenu};

// The group button's click has already toggled its check state; the keys held
// now decide what the click means.
void OnGroupButton(MainWindowState& state)
{
    HWND window = state.bar.window;
    const bool checked = IsDlgButtonChecked(window, IDC_GROUP_BUTTON) == BST_CHECKED;
    const UINT before = checked ? BST_UNCHECKED : BST_CHECKED;
    if (KeyHeld(VK_ESCAPE) || KeyHeld(VK_RSHIFT)) {
        ShowAboutBox(window);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else if (KeyHeld(VK_SHIFT) || KeyHeld(VK_LSHIFT)) {
        OpenGroupSettings(state, false, nullptr);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else if (KeyHeld(VK_CONTROL)) {
        StepGroup(state.bar, true);
        CheckDlgButton(window, IDC_GROUP_BUTTON, before);
    } else {
        SetBarExpanded(window, checked);
    }
}

// The search window; what was chosen in it is done once it has gone, with
// the main window enabled again. While it or another dialog of the launcher
// is open, the command is not done (app/held_input.h).
void OnSearchCommand(MainWindowState& state)
{
    HWND window = state.bar.window;
    HWND before = GetForegroundWindow();
    Launcher& launcher = state.launcher;
    SearchInputs inputs;
    inputs.data = &launcher.Data();
    inputs.groupCount = launcher.Settings().groupCount;
    inputs.currentGroup = launcher.CurrentGroup();
    inputs.catalog = state.catalog.get();
    inputs.usage = &StartUsage(launcher);
    ButtonSearchDialog search(window, inputs);
    const SearchChoice choice = search.Run();
    const ButtonPlace place = ButtonPlace::FromNumber(choice.buttonNumber);
    const ButtonRecord* button = launcher.ButtonAt(place.group, place.button);
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
            LaunchAsClick(state.bar, *chosen);
        break;
    case SearchAction::OpenFolder:
        if (chosen)
            ShowButtonFolder(window, *chosen);
        break;
    case SearchAction::OpenSettings:
        // The bar shows the button whose settings are open.
        if (button && place.group != state.launcher.CurrentGroup())
            ShowGroup(state.bar, place.group);
        if (button)
            OpenButtonSettings(window, place.button, false, button->file);
        break;
    case SearchAction::PutOnButton:
        PutProgramOnButton(state.bar, choice.program, choice.group);
        break;
    case SearchAction::Dismissed:
        break;
    }
}

// A shell command of the button menu on the selected button's file.
void OnShellCommand(MainWindowState& state, int id)
{
    const ButtonRecord* button = state.launcher.CurrentButton(state.selectedButton);
    if (!button || button->file[0] == L'\0')
        return;
    if (id == IDM_RUN_AS_ADMIN)
        LaunchAsAdministrator(state.bar, *button);
    else if (id == IDM_OPEN_FILE_LOCATION)
        ShowButtonFileLocation(state.bar.window, *button);
    else
        ShowButtonProperties(state.bar.window, *button);
}

void OnAlwaysOnTop(MainWindowState& state)
{
    AppSettings& settings = state.launcher.Settings();
    settings.alwaysOnTop = settings.alwaysOnTop ? 0 : 1;
    SetTopmost(state.bar.window, settings.alwaysOnTop != 0);
}

void OnSettingsCommand(MainWindowState& state)
{
    const int selected = state.selectedButton;
    if (IsValidButtonIndex(selected))
        ShowButtonSettingsDialog(state.bar, RequestFor(state, selected, false, nullptr));
    else
        OpenGroupSettings(state, false, nullptr);
}

// The menu's move up and down: the selected button changes places with its
// neighbour, whatever keys are held.
void OnMoveCommand(MainWindowState& state, int step)
{
    const int selected = state.selectedButton;
    MoveButton(state.bar, ButtonMove{state.launcher.CurrentGroup(), selected, selected + step, MoveKind::Swap});
}

void OnShortcutsCommand(MainWindowState& state)
{
    ShowShortcutSettings(state.bar.window, state.launcher, state.launcher.CurrentGroup(), state.selectedButton);
    UpdateBarTooltips(state.bar);
}

bool OnMenuCommand(MainWindowState& state, int id)
{
    HWND window = state.bar.window;
    switch (id) {
    case IDM_BUTTON_SETTINGS:
        OnSettingsCommand(state);
        return true;
    case IDM_MOVE_UP:
        OnMoveCommand(state, -1);
        return true;
    case IDM_MOVE_DOWN:
        OnMoveCommand(state, 1);
        return true;
    case IDM_CLEAR_BUTTON:
        ClearButton(state.bar, state.selectedButton);
        return true;
    case IDM_BUTTON_SHORTCUTS:
        OnShortcutsCommand(state);
        return true;
    case IDM_SEARCH_BUTTONS:
        OnSearchCommand(state);
        return true;
    case IDM_RUN_AS_ADMIN:
    case IDM_OPEN_FILE_LOCATION:
    case IDM_FILE_PROPERTIES:
        OnShellCommand(state, id);
        return true;
    case IDM_RESTORE_GENERATION:
        ShowRestoreDialog(window, state.bar, ReloadLauncherFiles);
        return true;
    case IDM_HELP:
        ShowHelp(window, state.help);
        return true;
    case IDM_ABOUT:
        ShowAboutBox(window);
        return true;
    case IDM_ALWAYS_ON_TOP:
        OnAlwaysOnTop(state);
        return true;
    case IDM_CLOSE:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

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

bool OnCommand(HWND window, int id)
{
    MainWindowState* state = WindowState(window);
    if (!state)
        return false;
    if (id >= IDM_FIRST_GROUP && id < IDM_FIRST_GROUP + kGroupCount) {
        ShowGroup(state->bar, id - IDM_FIRST_GROUP);
        return true;
    }
    if (IsLauncherButtonId(id)) {
        LaunchButton(state->bar, id - IDC_FIRST_LAUNCHER, kBarActions);
        return true;
    }
    switch (id) {
    case IDC_GROUP_BUTTON:
        OnGroupButton(*state);
        return true;
    case IDC_PREVIOUS_GROUP:
        StepGroup(state->bar, false);
        return true;
    case IDC_NEXT_GROUP:
        StepGroup(state->bar, true);
        return true;
    default:
        return OnMenuCommand(*state, id);
    }
}

void OnContextMenu(HWND window, HWND clicked, LPARAM place)
{
    MainWindowState* state = WindowState(window);
    if (!state || !clicked || clicked == window || GetParent(clicked) != window)
        return;
    const int id = GetDlgCtrlID(clicked);
    POINT point;
    const POINT* at = KeyboardMenuPoint(clicked, place, &point);
    if (id == IDC_PREVIOUS_GROUP || id == IDC_NEXT_GROUP) {
        ShowGroupMenu(window, state->launcher, at);
        return;
    }
    if (id != IDC_GROUP_BUTTON && !IsLauncherButtonId(id))
        return;
    const int target = id == IDC_GROUP_BUTTON ? kGroupButtonTarget : id - IDC_FIRST_LAUNCHER;
    state->selectedButton = target;
    ShowButtonMenu(window, state->launcher, target, at);
}

void OnDropFiles(HWND window, HDROP drop)
{
    if (MainWindowState* state = WindowState(window))
        HandleBarDrop(state->bar, drop, kBarActions);
}

void OnArchiveJobEnded(HWND window)
{
    // What the job left undone goes on as a drop the archives did not take:
    // offered as the group's icon.
    const std::wstring left = FinishArchiveJob(window);
    if (!left.empty())
        OpenGroupSettingsWith(window, left.c_str());
}

void OnShortcutKey(HWND window, int key)
{
    MainWindowState* state = WindowState(window);
    if (!state || (key == VK_ESCAPE && GiveBackActivation(window)))
        return;
    HandleShortcutKey(state->bar, key, kBarActions);
}

void SetSelectedButton(HWND window, int index)
{
    if (MainWindowState* state = WindowState(window))
        state->selectedButton = index;
}
