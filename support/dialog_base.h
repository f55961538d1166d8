#pragma once
// Base of the object-style dialogs: a template run modally or modelessly with
// an object bound to its window; every message goes to HandleMessage.
#include "support/window_messages.h"

#include <windows.h>

// A dialog's answer to WM_CANCEL_REQUEST: it ended as its cancel button would.
inline INT_PTR AnswerCancelRequest(HWND dialog)
{
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

class DialogBase {
public:
    DialogBase() = default;
    virtual ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // The object's dialog procedure; the base handles nothing.
    virtual INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // What the dialog passed to EndDialog, -1 when it could not be created.
    INT_PTR ShowModal(HWND parent, int templateId);
    // The dialog window, or null when it could not be created.
    HWND ShowModeless(HWND parent, int templateId);

    static INT_PTR CALLBACK RouteMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND DialogWindow() const { return dialog_; }

protected:
    HWND dialog_ = nullptr;
    HWND parent_ = nullptr;
};
