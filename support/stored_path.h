#pragma once
// A stored path as it is used. The launcher keeps every path as the user
// wrote it; wherever it uses one (to start it, as working folder, for an
// icon, to tell whether the file is there) it first fits it to the machine
// it runs on:
// - %NAME% parts are expanded from the environment (ExpandEnvironmentStringsW),
//   by the launcher itself; when the expansion is not there but the path as
//   written is, the path as written wins (a file name with a real "%");
// - a path on another drive than the launcher's own ("E:\apps\x.exe" while
//   the launcher runs from F:) that is not there is tried on the launcher's
//   drive with the same rest ("F:\apps\x.exe") and used from there when it is
//   there. A path that is there is used as it is; UNC and relative paths and
//   a launcher outside a drive letter are left alone, and so is every path
//   while the launcher runs from the drive Windows runs from (carried media
//   are never that drive, and a planted folder there must not be used);
// - a path that, so made, does not fit MAX_PATH counts as missing
//   (support/max_path).
// Nothing stored changes.
#include "support/seam_guard.h"

#include <windows.h>

// Room for any path that fits MAX_PATH, in characters.
constexpr int kResolvedPathSize = MAX_PATH;

// Writes into out (size characters) the path stored stands for: the first that is
// there of its expansion, its text as written, the expansion on the
// launcher's drive and the text on the launcher's drive; when none is there,
// its expansion. True when out holds a usable path, which need not exist (the
// system call that uses it finds out); found, when given, tells whether it
// is there. False, with out empty, for an empty path or one that does not
// fit MAX_PATH (or out).
bool ResolveStoredPath(const wchar_t* stored, wchar_t* out, int size, bool* found = nullptr);

// For tests: drive ('C') stands in for the drive Windows runs from (0: the system's).
SeamGuard OverrideWindowsDrive(wchar_t drive);

// True when stored resolves to a file or folder that is there.
bool StoredPathExists(const wchar_t* stored);

// ResolveStoredPath for an icon source, which is often the launcher itself (a
// group's default icons): a path with the launcher's file name that is not
// there any more is taken to be the launcher from where it ran before it was
// moved, and stands for the launcher's path as it runs now.
bool ResolveIconSource(const wchar_t* stored, wchar_t* out, int size, bool* found = nullptr);

// True when ResolveIconSource may look at a path off this machine for stored
// (support/path_lookup.h IsNetworkPath); asks nothing of the network itself.
bool IconSourceOnNetwork(const wchar_t* stored);
