#include "app/tray_icon.h"

#include "support/messages.h"
#include "support/path_text.h"

#include <cstring>

namespace {
NotifyIconFunction g_notifyIcon = nullptr;
constexpr UINT kBalloonTimeout = 30000;  // ms; newer systems choose their own

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* record)
{
    return (g_notifyIcon ? g_notifyIcon : Shell_NotifyIconA)(message, record);
}
}  // namespace

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

    if (!NotifyIcon(NIM_ADD, record)) {
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
    NotifyIcon(NIM_DELETE, record);
    if (record->hIcon)
        DestroyIcon(record->hIcon);
    record->hIcon = nullptr;
    record->cbSize = 0;
}

bool ShowTrayBalloon(const NOTIFYICONDATAA* record, const char* title, const char* text)
{
    if (!record || record->cbSize == 0 || !title || !text)
        return false;
    // The icon was added with the first version of the record; a balloon
    // needs the second, which the shell reads this far.
    NOTIFYICONDATAA balloon = {};
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = record->hWnd;
    balloon.uID = record->uID;
    balloon.uFlags = NIF_INFO;
    balloon.uTimeout = kBalloonTimeout;
    balloon.dwInfoFlags = NIIF_WARNING;
    CopyWholeCharacters(title, std::strlen(title), balloon.szInfoTitle, sizeof balloon.szInfoTitle);
    CopyWholeCharacters(text, std::strlen(text), balloon.szInfo, sizeof balloon.szInfo);
    return NotifyIcon(NIM_MODIFY, &balloon) != FALSE;
}

void OverrideNotifyIcon(NotifyIconFunction function)
{
    g_notifyIcon = function;
}
