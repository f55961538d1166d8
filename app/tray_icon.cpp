#include "app/tray_icon.h"

#include "support/messages.h"

#include <cstring>

bool AddTrayIcon(NOTIFYICONDATAA* record, HWND window, UINT iconId, UINT tipId, UINT callbackMessage)
{
    if (!record)
        return false;
    record->cbSize = 0;
    if (!window)
        return false;
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));  // the taskbar's scale
    if (!icon)
        return false;

    std::memset(record, 0, sizeof *record);
    record->cbSize = NOTIFYICONDATAA_V1_SIZE;
    record->uID = kTrayIconId;
    record->hWnd = window;
    record->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record->hIcon = icon;
    record->uCallbackMessage = callbackMessage;
    char tip[100];
    LoadText(tipId, tip, sizeof tip);
    lstrcpynA(record->szTip, tip, 64);  // the V1 tip field holds 64 bytes

    if (!Shell_NotifyIconA(NIM_ADD, record)) {
        DestroyIcon(icon);
        record->hIcon = nullptr;
        record->cbSize = 0;
        return false;
    }
    return true;
}

void RemoveTrayIcon(NOTIFYICONDATAA* record)
{
    if (!record || record->cbSize == 0)
        return;
    Shell_NotifyIconA(NIM_DELETE, record);
    if (record->hIcon)
        DestroyIcon(record->hIcon);
    record->hIcon = nullptr;
    record->cbSize = 0;
}
