#include "app/about_box.h"

#include "resources/resource_ids.h"
#include "support/display_scale.h"

namespace {
// The one button is IDOK, so that Enter closes the box; ESC (IDCANCEL) does not.
constexpr int kPictureWidth = 320;  // IDB_ABOUT
constexpr int kPictureHeight = 240;
}  // namespace

// On a screen at another scale the picture grows with it, so that the
// caption, drawn with the scaled caption font, keeps its room.
void AboutBox::ScalePicture(int width, int height)
{
    HWND picture = GetDlgItem(dialog_, IDC_ABOUT_PICTURE);
    scaledPicture_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, width, height, 0)));
    if (!picture || !scaledPicture_)
        return;
    // The picture the control loaded from the template is ours to delete once replaced.
    if (HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
            SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaledPicture_.Get()))))
        DeleteObject(old);
    SetWindowPos(picture, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog's client area is exactly the picture, whatever the dialog font's
// units make of the template; the button stays at the top centre.
void AboutBox::FitToPicture()
{
    const int dpi = WindowDpi(dialog_);
    const int pictureWidth = ScaleForDpi(kPictureWidth, dpi);
    const int pictureHeight = ScaleForDpi(kPictureHeight, dpi);
    if (dpi != kBaseDpi)
        ScalePicture(pictureWidth, pictureHeight);
    // The frame as the system draws it now, at this screen's scale.
    RECT window;
    RECT client;
    GetWindowRect(dialog_, &window);
    GetClientRect(dialog_, &client);
    const int width = pictureWidth + (window.right - window.left) - client.right;
    const int height = pictureHeight + (window.bottom - window.top) - client.bottom;
    const int centerX = (window.left + window.right) / 2;
    const int centerY = (window.top + window.bottom) / 2;
    SetWindowPos(dialog_, nullptr, centerX - width / 2, centerY - height / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    HWND button = GetDlgItem(dialog_, IDOK);
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    const int buttonWidth = buttonRect.right - buttonRect.left;
    SetWindowPos(button, nullptr, (pictureWidth - buttonWidth) / 2, ScaleForDpi(6, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutBox::SetButtonIcon(HICON icon)
{
    HWND button = GetDlgItem(dialog_, IDOK);
    HANDLE old = reinterpret_cast<HANDLE>(
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    if (old)
        DestroyIcon(static_cast<HICON>(old));
}

// The icon and the scaled picture go with the box.
void AboutBox::Close()
{
    SetButtonIcon(nullptr);
    if (scaledPicture_) {
        SendDlgItemMessageW(dialog_, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0);
        scaledPicture_.Reset();
    }
}

INT_PTR AboutBox::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        FitToPicture();
        const int side = ScaleForDpi(32, WindowDpi(dialog));
        SetButtonIcon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, side, side, 0)));
        return TRUE;
    }
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
        Close();
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowAboutBox(HWND owner)
{
    AboutBox box;
    box.Run(owner);
}
