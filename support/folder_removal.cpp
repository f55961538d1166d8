#include "support/folder_removal.h"

#include "support/scoped_handle.h"

#include <windows.h>

namespace {
struct Entry {
    std::wstring name;
    DWORD attributes;
};

// A folder and every file in it, each opened where it lies and found plain.
struct OpenedFolder {
    ScopedFile folder;
    std::vector<std::wstring> names;
    std::vector<ScopedFile> files;  // in the order of names
};

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

int IndexOf(const std::vector<std::wstring>& names, const std::wstring& name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (SameName(names[i], name))
            return static_cast<int>(i);
    return -1;
}

// Where an opened item really lies: its volume's device, then its path there.
bool FinalPath(HANDLE item, std::wstring* path)
{
    for (const DWORD names : {FILE_NAME_NORMALIZED, FILE_NAME_OPENED}) {
        const DWORD flags = names | VOLUME_NAME_NT;
        const DWORD needed = GetFinalPathNameByHandleW(item, nullptr, 0, flags);
        if (!needed)
            continue;
        path->assign(needed, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(item, &(*path)[0], needed, flags);
        if (length && length < needed) {
            path->resize(length);
            return true;
        }
    }
    return false;
}

// The item at path itself, never what a link at path leads to. Opened to be
// removed (DELETE), it cannot be renamed or removed by others meanwhile.
ScopedFile OpenInPlace(const std::wstring& path, DWORD access)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | ((access & DELETE) ? 0 : FILE_SHARE_DELETE);
    return ScopedFile(CreateFileW(path.c_str(), access | FILE_READ_ATTRIBUTES | SYNCHRONIZE, share, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// A plain file or folder (as asked) whose final path is expected.
bool LiesAt(HANDLE item, const std::wstring& expected, bool folder)
{
    BY_HANDLE_FILE_INFORMATION info;
    std::wstring actual;
    return GetFileInformationByHandle(item, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder && FinalPath(item, &actual) &&
           SameName(actual, expected);
}

// Where folder is to lie: the final path of the folder holding it (which may
// itself be reached through a link), then its name.
bool ExpectedPlace(const std::wstring& folder, std::wstring* place)
{
    const size_t cut = folder.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut == 0 || cut + 1 == folder.size() || folder[cut - 1] == L':')
        return false;  // never a drive's root
    ScopedFile parent(CreateFileW(folder.substr(0, cut).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!parent || !FinalPath(parent.Get(), place))
        return false;
    *place += folder.substr(cut);
    return true;
}

// What the opened folder holds, "." and ".." left out; false when it cannot be listed.
bool ListOpened(HANDLE folder, std::vector<Entry>* entries)
{
    alignas(8) char block[16384];
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;; kind = FileIdBothDirectoryInfo) {
        if (!GetFileInformationByHandleEx(folder, kind, block, sizeof block))
            return GetLastError() == ERROR_NO_MORE_FILES;
        for (const char* at = block;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..")
                entries->push_back({name, entry->FileAttributes});
            if (!entry->NextEntryOffset)
                break;
            at += entry->NextEntryOffset;
        }
    }
}

bool OpenPlainFolder(const std::wstring& folder, DWORD access, OpenedFolder* opened)
{
    std::wstring place;
    std::vector<Entry> entries;
    if (!ExpectedPlace(folder, &place))
        return false;
    opened->folder = OpenInPlace(folder, access | FILE_LIST_DIRECTORY);
    if (!opened->folder || !LiesAt(opened->folder.Get(), place, true) || !ListOpened(opened->folder.Get(), &entries))
        return false;
    for (const Entry& entry : entries) {
        if (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            return false;
        opened->names.push_back(entry.name);
        opened->files.push_back(OpenInPlace(folder + L"\\" + entry.name, access));
        if (!opened->files.back() || !LiesAt(opened->files.back().Get(), place + L"\\" + entry.name, false))
            return false;
    }
    return true;
}

// Marks the opened item removed and closes it: it goes with its last handle.
bool RemoveOpened(ScopedFile* item)
{
    FILE_DISPOSITION_INFO remove = {TRUE};
    const bool marked = SetFileInformationByHandle(item->Get(), FileDispositionInfo, &remove, sizeof remove) != FALSE;
    item->Reset();
    return marked;
}
}  // namespace

bool IsPlainFolder(const std::wstring& folder)
{
    std::wstring place;
    if (!ExpectedPlace(folder, &place))
        return false;
    const ScopedFile opened = OpenInPlace(folder, 0);
    return opened && LiesAt(opened.Get(), place, true);
}

bool ListPlainFiles(const std::wstring& folder, std::vector<std::wstring>* names)
{
    OpenedFolder opened;
    if (!OpenPlainFolder(folder, 0, &opened))
        return false;
    *names = opened.names;
    return true;
}

bool RemovePlainFolder(const std::wstring& folder, const std::vector<std::wstring>& order)
{
    OpenedFolder opened;
    if (!OpenPlainFolder(folder, DELETE, &opened))
        return false;
    for (const std::wstring& name : opened.names)
        if (IndexOf(order, name) < 0)
            return false;
    for (const std::wstring& name : order) {
        const int at = IndexOf(opened.names, name);
        if (at >= 0 && !RemoveOpened(&opened.files[at]))
            return false;
    }
    return RemoveOpened(&opened.folder);
}
