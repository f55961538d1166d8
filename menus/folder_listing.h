#pragma once
// A folder's contents as a folder menu lists them: subfolders first, then
// files, each group in the order Explorer sorts names (StrCmpLogicalW: "2"
// before "10"), hidden and system items left out unless Explorer shows them,
// a shortcut named without its ".lnk".
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Items a menu lists of one folder; a folder with more shows these and an
// item that opens the folder itself.
constexpr std::size_t kFolderMenuCap = 500;

struct FolderEntry {
    std::wstring name;  // as listed
    std::wstring path;  // the whole path
    bool folder = false;
};

// Which of the items Explorer hides are listed.
struct ShownItems {
    bool hidden = false;
    bool system = false;
};

struct FolderContents {
    bool readable = false;
    bool more = false;  // the folder held more than the cap: only the first ones are listed
    std::vector<FolderEntry> items;
};

// What Explorer is set to show (SHGetSetSettings).
ShownItems ExplorerShownItems();

// The contents of folder in listing order, at most cap items; readable is
// false when the folder cannot be listed.
FolderContents ListFolder(const std::wstring& folder, const ShownItems& shown, std::size_t cap = kFolderMenuCap);
