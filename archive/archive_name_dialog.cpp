#include "archive/archive_name_dialog.h"

#include "archive/archive_job.h"
#include "resources/resource_ids.h"

void ArchiveNameDialog::SetName(const wchar_t* text)
{
    if (text)
        lstrcpynW(name_, text, kNameSize);
}

int ArchiveNameDialog::Run(HWND parent)
{
    parent_ = parent;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ARCHIVE_NAME), parent, RouteMessage,
                           reinterpret_cast<LPARAM>(this)) == 1
               ? 1
               : 0;
}

INT_PTR ArchiveNameDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        if (job_)
            job_->NoteQuestion(dialog);  // a close during the job ends this question
        HWND edit = GetDlgItem(dialog, IDC_ARCHIVE_NAME_EDIT);
        wchar_t notice[256];
        if (noticeId_ && LoadStringW(GetModuleHandleW(nullptr), noticeId_, notice, 256))
            SetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_PROMPT, notice);
        SendMessageW(edit, EM_LIMITTEXT, kTypedLimit, 0);
        SetWindowTextW(edit, name_);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return 0;  // keep the focus on the edit
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            GetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_EDIT, name_, kNameSize);
            EndDialog(dialog, 1);
            return 1;
        case IDCANCEL:
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return 1;
        }
        return 0;
    case WM_CLOSE:
    case WM_ENDSESSION:
        EndDialog(dialog, 0);
        return 1;
    case WM_DESTROY:
        if (job_)
            job_->NoteQuestion(nullptr);
        return 0;
    default:
        return 0;
    }
}
