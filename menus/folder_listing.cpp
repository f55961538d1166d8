#include "menus/folder_listing.h"

#include "support/scoped_handle.h"
#include "support/system_library.h"

#include <shlobj.h>

#include <algorithm>

namespace {
bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool Listed(const WIN32_FIND_DATAW& found, const ShownItems& shown)
{
    if (IsDotEntry(found.cFileName))
        return false;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !shown.hidden)
        return false;
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) || shown.system;
}

// A shortcut goes by its own name: the file's name without ".lnk".
std::wstring ListedName(const wchar_t* fileName, bool folder)
{
    std::wstring name = fileName;
    const std::size_t length = name.size();
    if (!folder && length > 4 && lstrcmpiW(name.c_str() + length - 4, L".lnk") == 0)
        name.resize(length - 4);
    return name;
}

// Explorer's comparison of names (StrCmpLogicalW), from the system folder's
// shlwapi.dll; loaded once for the process and kept.
using LogicalCompare = int(WINAPI*)(const wchar_t*, const wchar_t*);
LogicalCompare ExplorersCompare()
{
    static const ScopedLibrary shlwapi(LoadSystemLibrary(L"shlwapi.dll"));
    static const auto compare = shlwapi ? reinterpret_cast<LogicalCompare>(
                                              reinterpret_cast<void*>(GetProcAddress(shlwapi.Get(), "StrCmpLogicalW")))
                                        : nullptr;
    return compare;
}

// Without shlwapi.dll names go in the user's order, case ignored.
int CompareNames(const std::wstring& a, const std::wstring& b)
{
    if (const LogicalCompare compare = ExplorersCompare())
        return compare(a.c_str(), b.c_str());
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) - CSTR_EQUAL;
}

bool ListedBefore(const FolderEntry& a, const FolderEntry& b)
{
    if (a.folder != b.folder)
        return a.folder;
    return CompareNames(a.name, b.name) < 0;
}
}  // namespace

ShownItems ExplorerShownItems()
{
    SHELLSTATEW state = {};
    SHGetSetSettings(&state, SSF_SHOWALLOBJECTS | SSF_SHOWSYSFILES, FALSE);
    ShownItems shown;
    shown.hidden = state.fShowAllObjects != 0;
    shown.system = state.fShowSysFiles != 0;
    return shown;
}

FolderContents ListFolder(const std::wstring& folder, const ShownItems& shown, std::size_t cap)
{
    FolderContents contents;
    std::wstring prefix = folder;
    if (!prefix.empty() && prefix.back() != L'\\')
        prefix += L'\\';
    WIN32_FIND_DATAW found;
    const ScopedFind find(FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        contents.readable = GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive's empty root
        return contents;
    }
    do {
        if (!Listed(found, shown))
            continue;
        FolderEntry item;
        item.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.name = ListedName(found.cFileName, item.folder);
        item.path = prefix + found.cFileName;
        contents.items.push_back(std::move(item));
    } while (FindNextFileW(find.Get(), &found));
    contents.readable = true;
    std::sort(contents.items.begin(), contents.items.end(), ListedBefore);
    contents.more = contents.items.size() > cap;
    if (contents.more)
        contents.items.resize(cap);
    return contents;
}
