#pragma once
// The shortcut settings dialog: the shortcuts of every filled button of all
// groups in one list, headed by the search window's hotkey.
// Keys are assigned to one or several rows at once, cleared, or marked as a
// system hotkey; edits act on the live shortcut table, Cancel puts the copy
// taken at opening back, and both buttons register the hotkeys anew.
#include "data/button_place.h"
#include "data/launcher.h"
#include "resources/resource_ids.h"
#include "shortcuts/shortcut_table.h"
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

#include <commctrl.h>

constexpr int kShortcutColumnCount = 6;

class ShortcutSettingsDialog : public DialogBase {
public:
    // group/button: the row to select first (a button outside 0..9 counts as 0).
    ShortcutSettingsDialog(HWND mainWindow, Launcher& launcher, int group, int button);

    INT_PTR Run();

    void RefreshShortcutRow(int row);
    void UpdateShortcutButtons();
    // The row's entry (by its button number), null when the row cannot be read.
    ShortcutEntry* EntryOfRow(int row) const;

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnInitDialog();
    void SetUpList();
    bool FillList();
    void InsertRow(ButtonPlace place);
    // The button at place has a file to run: it has a row.
    bool IsFilled(ButtonPlace place) const;
    void AssignKey();
    void ClearRows();
    void OnSystemHotkeyCheck();
    void SortByColumn(int column);
    void Leave(bool confirmed);
    INT_PTR OnNotify(const NMHDR* header);
    void InsertSearchRow();
    int RowNumber(int row) const;          // a button number or the search row's; -1 when unreadable
    int ButtonNumberOfRow(int row) const;  // -1 when unreadable or the search row
    bool IsSearchRow(int row) const;
    // withSearch: the search window's hotkey counts once it has a key.
    bool SelectionHoldsSystemHotkey(bool withSearch) const;
    HWND List() const;

    HWND mainWindow_;
    Launcher& launcher_;
    const ShortcutTable backup_;  // the entries as they were at opening
    int preselected_;
    ScopedImageList images_;
    int iconSize_ = 32;  // the rows' icons, at the dialog's scale
    // Per opening: every column starts unsorted, its first click sorts descending.
    int sortDirections_[kShortcutColumnCount] = {};
};

// Shows the dialog for the main window; always 0.
int ShowShortcutSettings(HWND mainWindow, Launcher& launcher, int group, int button);
