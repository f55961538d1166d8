#pragma once
// The Apps folder's applications that are started through an application
// id (FOLDERID_AppsFolder; the Store's applications, "Microsoft.Windows
// Calculator_8wekyb3d8bbwe!App"), by the shell's own enumeration. The
// programs of the Start menu's folders are listed from their files instead
// (data/start_menu_programs.h). Windows before 8, and Wine, have none.
#include "support/seam_guard.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

struct StoreApp {
    std::wstring name;   // as the Start menu shows it
    std::wstring appId;  // what "shell:AppsFolder\" + appId starts
};

// The applications, read on the calling thread (COM initialised there);
// stops early, false, once stop is set. Without an Apps folder: none, true.
bool ListStoreApps(const std::atomic<bool>& stop, std::vector<StoreApp>* apps);

// The application's icon as the shell shows it, about size pixels wide
// (the system's large or small icon); null when there is none.
#include <windows.h>
HICON LoadStoreAppIcon(const std::wstring& appId, int size);

// Tests stand in for the shell's enumeration.
using StoreAppLister = std::function<bool(const std::atomic<bool>& stop, std::vector<StoreApp>* apps)>;
SeamGuard OverrideStoreApps(StoreAppLister lister);
