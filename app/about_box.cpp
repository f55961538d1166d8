#include "app/about_box.h"

#include "resources/resource_ids.h"
#include "support/dialog_base.h"
#include "support/display_scale.h"

namespace {
// The one button is IDOK, so that Enter closes the box; ESC (IDCANCEL) does not.
constexpr int kPictureWidth = 320;  // IDB_ABOUT
constexpr int kPictureHeight = 240;
HBITMAP g_scaledPicture = nullptr;  // the picture at another scale than 100 %, while the box is open

// On a screen at another scale the picture grows with it, so that the
// caption, drawn with the scaled caption font, keeps its room.
void ScalePicture(HWND dialog, int width, int height)
{
    HWND picture = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
    g_scaledPicture = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, width, height, 0));
    if (!picture || !g_scaledPicture)
        return;
    // The picture the control loaded from the template is ours to delete once replaced.
    if (HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
            SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(g_scaledPicture))))
        DeleteObject(old);
    SetWindowPos(picture, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog's client area is exactly the picture, whatever the dialog font's
// units make of the template; the button stays at the top centre.
void FitToPicture(HWND dialog)
{
    const int dpi = WindowDpi(dialog);
    const int pictureWidth = ScaleForDpi(kPictureWidth, dpi);
    const int pictureHeight = ScaleForDpi(kPictureHeight, dpi);
    if (dpi != kBaseDpi)
        ScalePicture(dialog, pictureWidth, pictureHeight);
    // The frame as the system draws it now, at this screen's scale.
    RECT window;
    RECT client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const int width = pictureWidth + (window.right - window.left) - client.right;
    const int height = pictureHeight + (window.bottom - window.top) - client.bottom;
    const int centerX = (window.left + window.right) / 2;
    const int centerY = (window.top + window.bottom) / 2;
    SetWindowPos(dialog, nullptr, centerX - width / 2, centerY - height / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    HWND button = GetDlgItem(dialog, IDOK);
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    const int buttonWidth = buttonRect.right - buttonRect.left;
    SetWindowPos(button, nullptr, (pictureWidth - buttonWidth) / 2, ScaleForDpi(6, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetButtonIcon(HWND dialog, HICON icon)
{
    HWND button = GetDlgItem(dialog, IDOK);
    HANDLE old = reinterpret_cast<HANDLE>(
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    if (old)
        DestroyIcon(static_cast<HICON>(old));
}
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FitToPicture(dialog);
        SetButtonIcon(dialog, static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
            MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, ScaleForDpi(32, WindowDpi(dialog)),
            ScaleForDpi(32, WindowDpi(dialog)), 0)));
        return TRUE;
    case WM_COMMAND:
        // Only the button (or Enter) closes the box; Escape arrives as IDCANCEL and is ignored.
        if (wParam == IDOK) {
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
    case WM_CANCEL_REQUEST:  // the main window closes
        EndDialog(dialog, 1);
        return AnswerCancelRequest(dialog);
    case WM_DESTROY:
        SetButtonIcon(dialog, nullptr);
        if (g_scaledPicture) {
            SendDlgItemMessageW(dialog, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0);
            DeleteObject(g_scaledPicture);
            g_scaledPicture = nullptr;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowAboutBox(HWND owner)
{
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner,
                    AboutBoxProc, 0);
}
