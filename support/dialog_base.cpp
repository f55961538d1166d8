#include "support/dialog_base.h"

INT_PTR DialogBase::HandleMessage(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

INT_PTR DialogBase::ShowModal(HWND parent, int templateId)
{
    parent_ = parent;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent,
                           RouteMessage, reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::ShowModeless(HWND parent, int templateId)
{
    parent_ = parent;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent,
                              RouteMessage, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::RouteMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
    auto* object = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!object)
        return 0;
    object->dialog_ = dialog;
    // Nothing may unwind through the system's dialog manager.
    try {
        return object->HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
