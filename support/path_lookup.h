#pragma once
// What the system says of a path: whether its file is there, where it lies,
// and its short (8.3) form. Every look the launcher takes at a stored path's
// file (is it there, its time and size) goes through LookUpPath; a path on
// another machine may keep such a look waiting for as long as the network
// takes to give up, so what must not wait (the window's start and exit) asks
// IsNetworkPath first.
#include "support/seam_guard.h"

#include <windows.h>

// GetFileAttributesExW's standard information of path (data may be null),
// without the system asking the user for a drive's missing medium. False
// when it is not there or cannot be looked at.
bool LookUpPath(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data = nullptr);

// A path off this machine: a UNC path ("\\server\share\...", "\\?\UNC\...")
// or one on a drive the system maps to a share (DRIVE_REMOTE); a relative
// path counts by the folder it is taken from. Asks no question of the network.
bool IsNetworkPath(const wchar_t* path);

// The short (8.3) form of a path, which older readers of the data file can
// use for a name its code page cannot hold, into buffer (size characters).
// False, with buffer empty, when there is none that differs from path
// (volumes without short names hand the long path back) or it does not fit.
bool ShortPathOf(const wchar_t* path, wchar_t* buffer, DWORD size);

// For tests: one system call above stood in for (null: the system's):
// GetFileAttributesExW in LookUpPath, GetDriveTypeW in IsNetworkPath,
// GetShortPathNameW in ShortPathOf.
using PathLookupFunction = BOOL(WINAPI*)(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data);
SeamGuard OverridePathLookup(PathLookupFunction function);
using DriveTypeFunction = UINT(WINAPI*)(LPCWSTR root);
SeamGuard OverrideDriveType(DriveTypeFunction function);
using ShortPathFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
SeamGuard OverrideShortPathLookup(ShortPathFunction function);
