#include "app/tray_icon.h"

#include "support/messages.h"
#include "support/path_text.h"

#include <cstring>
#include <cwchar>

namespace {
NotifyIconFunction g_notifyIcon = nullptr;
constexpr UINT kBalloonTimeout = 30000;  // ms; newer systems choose their own

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* record)
{
    return (g_notifyIcon ? g_notifyIcon : Shell_NotifyIconW)(message, record);
}
}  // namespace

bool AddTrayIcon(NOTIFYICONDATAW* record, HWND window, UINT iconId, UINT tipId, UINT callbackMessage)
{
    if (!record)
        return false;
    record->cbSize = 0;
    if (!window)
        return false;
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));  // the taskbar's scale
    if (!icon)
        return false;

    std::memset(record, 0, sizeof *record);
    record->cbSize = NOTIFYICONDATAW_V1_SIZE;
    record->uID = kTrayIconId;
    record->hWnd = window;
    record->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record->hIcon = icon;
    record->uCallbackMessage = callbackMessage;
    wchar_t tip[100];
    LoadText(tipId, tip, 100);
    CopyWholeCharacters(tip, std::wcslen(tip), record->szTip, 64);  // the V1 tip field holds 64 characters

    if (!NotifyIcon(NIM_ADD, record)) {
        DestroyIcon(icon);
        record->hIcon = nullptr;
        record->cbSize = 0;
        return false;
    }
    return true;
}

void RemoveTrayIcon(NOTIFYICONDATAW* record)
{
    if (!record || record->cbSize == 0)
        return;
    NotifyIcon(NIM_DELETE, record);
    if (record->hIcon)
        DestroyIcon(record->hIcon);
    record->hIcon = nullptr;
    record->cbSize = 0;
}

bool ShowTrayBalloon(const NOTIFYICONDATAW* record, const wchar_t* title, const wchar_t* text)
{
    if (!record || record->cbSize == 0 || !title || !text)
        return false;
    // The icon was added with the first version of the record; a balloon
    // needs the second, which the shell reads this far.
    NOTIFYICONDATAW balloon = {};
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.hWnd = record->hWnd;
    balloon.uID = record->uID;
    balloon.uFlags = NIF_INFO;
    balloon.uTimeout = kBalloonTimeout;
    balloon.dwInfoFlags = NIIF_WARNING;
    CopyWholeCharacters(title, std::wcslen(title), balloon.szInfoTitle, ARRAYSIZE(balloon.szInfoTitle));
    CopyWholeCharacters(text, std::wcslen(text), balloon.szInfo, ARRAYSIZE(balloon.szInfo));
    return NotifyIcon(NIM_MODIFY, &balloon) != FALSE;
}

SeamGuard OverrideNotifyIcon(NotifyIconFunction function)
{
    return OverrideSeam(g_notifyIcon, function);
}
