#pragma once
// The about box: the program's picture and one button that closes it.
#include "resources/resource_ids.h"
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

#include <windows.h>

class AboutBox : public DialogBase {
public:
    // Runs the box modally over owner.
    void Run(HWND owner) { ShowModal(owner, IDD_ABOUT); }

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FitToPicture();
    void ScalePicture(int width, int height);
    void SetButtonIcon(HICON icon);
    void Close();

    ScopedGdi<HBITMAP> scaledPicture_;  // the picture at another scale than 100 %, while the box is open
};

// The about box, modal over owner.
void ShowAboutBox(HWND owner);
