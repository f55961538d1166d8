#include "app/about_box.h"

namespace {
constexpr int kIconButton = 1;
constexpr int kProgramIcon = 101;

void SetButtonIcon(HWND dialog, HICON icon)
{
    HWND button = GetDlgItem(dialog, kIconButton);
    HANDLE old = reinterpret_cast<HANDLE>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    if (old)
        DestroyIcon(static_cast<HICON>(old));
}
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetButtonIcon(dialog, static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
            MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON, 32, 32, 0)));
        return TRUE;
    case WM_COMMAND:
        // Only the button (or Enter) closes the box; Escape arrives as 2 and is ignored.
        if (wParam == kIconButton) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        SetButtonIcon(dialog, nullptr);
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowAboutBox(HWND owner)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kAboutDialogId), owner,
                    AboutBoxProc, 0);
}
