#pragma once
// What stands at a path, asked of the file system as it is now.

// A folder (a drive's root too) is there.
bool IsFolder(const wchar_t* path);

// A file, not a folder, is there.
bool FileExists(const wchar_t* path);
