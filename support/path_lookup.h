#pragma once
// Where a path lies and whether its file is there. Every look the launcher
// takes at a stored path's file (is it there, its time and size) goes through
// LookUpPath; a path on another machine may keep such a look waiting for as
// long as the network takes to give up, so what must not wait (the window's
// start and exit) asks IsNetworkPath first.
#include <windows.h>

// GetFileAttributesExW's standard information of path (data may be null),
// without the system asking the user for a drive's missing medium. False
// when it is not there or cannot be looked at.
bool LookUpPath(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data = nullptr);

// A path off this machine: a UNC path ("\\server\share\...", "\\?\UNC\...")
// or one on a drive the system maps to a share (DRIVE_REMOTE); a relative
// path counts by the folder it is taken from. Asks no question of the network.
bool IsNetworkPath(const wchar_t* path);

// For tests: stand in for GetFileAttributesExW in LookUpPath and for
// GetDriveTypeW in IsNetworkPath; null goes back to the system's.
using PathLookupFunction = BOOL(WINAPI*)(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data);
void OverridePathLookup(PathLookupFunction function);
using DriveTypeFunction = UINT(WINAPI*)(LPCWSTR root);
void OverrideDriveType(DriveTypeFunction function);
