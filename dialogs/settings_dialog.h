#pragma once
// What the button and the group settings dialogs share: the bar they
// change, the icon part, and the messages both answer alike (the slider, the
// preview, the icon-source list, OK, the close box, the main window's close
// and closing itself).
#include "bar/bar.h"
#include "dialogs/icon_source_part.h"
#include "support/dialog_base.h"

class SettingsDialog : public DialogBase {
public:
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) final;

protected:
    // iconFileEdit: the id of the dialog's edit that shows the icon source.
    SettingsDialog(ButtonBar& bar, int iconFileEdit) : bar_(bar), icon_(iconFileEdit) {}

    // WM_INITDIALOG: fills the dialog.
    virtual void OnOpen() = 0;
    // A new entry chosen in the icon-source list.
    virtual void OnIconSourceChosen() = 0;
    // OK, before the dialog closes.
    virtual void Save() = 0;
    // The dialog's other commands; false for one it does not handle.
    virtual bool OnCommand(int id, int code) = 0;
    // Ends the dialog as its cancel button does: asked too when the main window closes.
    virtual void Cancel() = 0;

    ButtonBar& bar_;  // the main window's, which the dialog changes
    IconSourcePart icon_;
};
