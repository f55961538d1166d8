#pragma once
// The launcher's icon in the notification area.
#include "support/seam_guard.h"

#include <windows.h>
#include <shellapi.h>

constexpr UINT kTrayIconId = 1;

// Adds the icon (resource iconId at 16 x 16, tip from string tipId, mouse
// events sent to window as callbackMessage) and fills record. False, with the
// record's size field 0, when the icon could not be added.
bool AddTrayIcon(NOTIFYICONDATAW* record, HWND window, UINT iconId, UINT tipId, UINT callbackMessage);

// Removes an added icon and destroys its image; nothing when the size field is 0.
void RemoveTrayIcon(NOTIFYICONDATAW* record);

// Shows a balloon on the added icon (NIF_INFO, the warning kind) with title
// (at most 63 characters kept) and text (at most 255), never cut inside a
// surrogate pair; it goes away by itself and blocks nothing. False when the icon was not added or the shell refused.
bool ShowTrayBalloon(const NOTIFYICONDATAW* record, const wchar_t* title, const wchar_t* text);

// For tests: stands in for Shell_NotifyIconW in every call above (null: the system's).
using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
SeamGuard OverrideNotifyIcon(NotifyIconFunction function);
