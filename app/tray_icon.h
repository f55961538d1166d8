#pragma once
// The launcher's icon in the notification area.
#include <windows.h>
#include <shellapi.h>

constexpr UINT kTrayIconId = 1;

// Adds the icon (resource iconId at 16 x 16, tip from string tipId, mouse
// events sent to window as callbackMessage) and fills record. False, with the
// record's size field 0, when the icon could not be added.
bool AddTrayIcon(NOTIFYICONDATAA* record, HWND window, UINT iconId, UINT tipId, UINT callbackMessage);

// Removes an added icon and destroys its image; nothing when the size field is 0.
void RemoveTrayIcon(NOTIFYICONDATAA* record);
