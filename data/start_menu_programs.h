#pragma once
// The programs of the Start menu: the shortcuts and programs in the user's
// and all users' Programs folders and their subfolders, by the names the
// Start menu shows (a shortcut without ".lnk"; the name a folder's
// desktop.ini gives a file, "メモ帳" for "Notepad.lnk"). Hidden files are
// left out; no link or junction is followed and no folder entered that does
// not lie where its path says (support/folder_removal.h); the walk stops at
// kStartMenuDepth folders deep and after kStartMenuVisitLimit items. A file
// that lies at the same place in both folders is the user's.
#include "data/program_entry.h"
#include "support/seam_guard.h"

#include <atomic>
#include <string>
#include <vector>

constexpr int kStartMenuDepth = 8;
constexpr size_t kStartMenuVisitLimit = 20000;

// The files listed: shortcuts, programs, Internet shortcuts and ClickOnce applications.
bool IsStartMenuProgram(const wchar_t* name);

// The user's Programs folder, then all users' (FOLDERID_Programs,
// FOLDERID_CommonPrograms); one the system does not give is left out.
std::vector<std::wstring> ProgramsFolders();
// Tests list their own folders instead.
SeamGuard OverrideProgramsFolders(std::vector<std::wstring> folders);

// The programs in folders, in the order walked; stops early, false, once stop is set.
bool ListStartMenuPrograms(const std::vector<std::wstring>& folders, const std::atomic<bool>& stop,
                           std::vector<ProgramEntry>* programs);
