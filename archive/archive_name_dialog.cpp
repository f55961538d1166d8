#include "archive/archive_name_dialog.h"

#include "archive/archive_ids.h"

void ArchiveNameDialog::SetName(const char* text)
{
    if (text)
        lstrcpynA(name_, text, kNameSize);
}

int ArchiveNameDialog::Run(HWND parent)
{
    templateId_ = IDD_ARCHIVE_NAME;
    return ShowModal(parent, IDD_ARCHIVE_NAME) == 1 ? 1 : 0;
}

INT_PTR ArchiveNameDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND edit = GetDlgItem(dialog, IDC_ARCHIVE_NAME_EDIT);
        if (notice_)
            SetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_PROMPT, notice_);
        SendMessageA(edit, EM_LIMITTEXT, kTypedLimit, 0);
        SetWindowTextA(edit, name_);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return 0;  // keep the focus on the edit
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            GetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_EDIT, name_, kNameSize);
            EndDialog(dialog, 1);
            return 1;
        case IDCANCEL:
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return 1;
        }
        return 0;
    case WM_CLOSE:
    case WM_ENDSESSION:
        EndDialog(dialog, 0);
        return 1;
    default:
        return 0;
    }
}
