#include "dialogs/settings_dialog.h"

#include "resources/resource_ids.h"

INT_PTR SettingsDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnOpen();
        return TRUE;
    case WM_HSCROLL:
        icon_.OnScroll(reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ICON_SOURCE_LIST:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                OnIconSourceChosen();
            return TRUE;
        case IDC_ICON_PREVIEW:
            icon_.ChooseIcon();
            return TRUE;
        case IDOK:
            Save();
            PostMessageW(dialog_, WM_CLOSE, 0, 0);
            return TRUE;
        default:
            return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            icon_.ClearPreview();
        return FALSE;
    case WM_CANCEL_REQUEST:
        Cancel();
        return AnswerCancelRequest(dialog_);
    case WM_CLOSE:
        EndDialog(dialog_, 1);
        return TRUE;
    default:
        return FALSE;
    }
}
