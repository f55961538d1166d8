#include "data/start_menu_programs.h"

#include "support/folder_removal.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"
#include "support/system_library.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <map>
#include <optional>
#include <set>

namespace {
std::optional<std::vector<std::wstring>> g_folders;

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool KnownFolder(REFKNOWNFOLDERID id, std::wstring* path)
{
    wchar_t* found = nullptr;
    const bool ok = SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found)) && found && found[0];
    if (ok)
        *path = found;
    CoTaskMemFree(found);
    return ok;
}

// "@file,-id" as the shell reads it (SHLoadIndirectString of shlwapi.dll from the system folder).
std::wstring IndirectString(const std::wstring& source)
{
    using Load = HRESULT(WINAPI*)(PCWSTR, PWSTR, UINT, void**);
    static const ScopedLibrary shlwapi(LoadSystemLibrary(L"shlwapi.dll"));
    static const auto load = shlwapi ? reinterpret_cast<Load>(reinterpret_cast<void*>(
                                           GetProcAddress(shlwapi.Get(), "SHLoadIndirectString")))
                                     : nullptr;
    wchar_t text[MAX_PATH] = L"";
    return load && SUCCEEDED(load(source.c_str(), text, MAX_PATH, nullptr)) ? text : L"";
}

// The names a folder's desktop.ini gives its files, by file name in upper case.
std::map<std::wstring, std::wstring> LocalizedNames(const std::wstring& folder)
{
    std::map<std::wstring, std::wstring> names;
    const std::wstring ini = folder + L"\\desktop.ini";
    if (GetFileAttributesW(ini.c_str()) == INVALID_FILE_ATTRIBUTES)
        return names;
    std::wstring section(32768, L'\0');
    const DWORD length = GetPrivateProfileSectionW(L"LocalizedFileNames", &section[0],
                                                   static_cast<DWORD>(section.size()), ini.c_str());
    for (size_t at = 0; at < length;) {
        const std::wstring line = section.c_str() + at;
        at += line.size() + 1;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || equals == 0)
            continue;
        const std::wstring value = line.substr(equals + 1);
        const std::wstring name = !value.empty() && value[0] == L'@' ? IndirectString(value) : value;
        if (!name.empty())
            names[Upper(line.substr(0, equals))] = name;
    }
    return names;
}

std::wstring ShownName(const std::wstring& file, const std::map<std::wstring, std::wstring>& localized)
{
    const auto found = localized.find(Upper(file));
    if (found != localized.end())
        return found->second;
    wchar_t stem[MAX_PATH];
    CopyNameWithoutExtension(file.c_str(), stem, MAX_PATH);
    return stem;
}

class Walk {
public:
    Walk(const std::atomic<bool>& stop, std::vector<ProgramEntry>* programs) : stop_(stop), programs_(programs) {}

    // The programs below root; false once stopped.
    bool Root(const std::wstring& root) { return Folder(root, L"", 0); }

private:
    bool Folder(const std::wstring& path, const std::wstring& relative, int depth);
    void File(const std::wstring& folder, const std::wstring& relative, const std::wstring& name,
              const std::map<std::wstring, std::wstring>& localized);

    const std::atomic<bool>& stop_;
    std::vector<ProgramEntry>* programs_;
    std::set<std::wstring> seen_;  // relative paths in upper case
    size_t visited_ = 0;
};

bool Walk::Folder(const std::wstring& path, const std::wstring& relative, int depth)
{
    WIN32_FIND_DATAW found;
    ScopedFind find(FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return true;
    const std::map<std::wstring, std::wstring> localized = LocalizedNames(path);
    std::vector<std::wstring> folders;
    do {
        if (stop_.load())
            return false;
        const std::wstring name = found.cFileName;
        const DWORD attributes = found.dwFileAttributes;
        if (++visited_ > kStartMenuVisitLimit)
            break;
        if (name == L"." || name == L".." || (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_HIDDEN)))
            continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(name);
        else if (IsStartMenuProgram(name.c_str()))
            File(path, relative, name, localized);
    } while (FindNextFileW(find.Get(), &found));
    for (const std::wstring& name : folders) {
        const std::wstring inner = path + L"\\" + name;
        if (depth + 1 < kStartMenuDepth && IsPlainFolder(inner) &&
            !Folder(inner, relative.empty() ? name : relative + L"\\" + name, depth + 1))
            return false;
    }
    return true;
}

void Walk::File(const std::wstring& folder, const std::wstring& relative, const std::wstring& name,
                const std::map<std::wstring, std::wstring>& localized)
{
    const std::wstring path = folder + L"\\" + name;
    if (path.size() >= MAX_PATH || !seen_.insert(Upper(relative + L"\\" + name)).second)
        return;
    programs_->push_back({ProgramKind::StartMenu, ShownName(name, localized), path, relative});
}
}  // namespace

bool IsStartMenuProgram(const wchar_t* name)
{
    const wchar_t* extension = ExtensionOf(name);
    if (!extension)
        return false;
    for (const wchar_t* wanted : {L".lnk", L".exe", L".url", L".appref-ms"}) {
        if (lstrcmpiW(extension, wanted) == 0)
            return true;
    }
    return false;
}

std::vector<std::wstring> ProgramsFolders()
{
    if (g_folders)
        return *g_folders;
    std::vector<std::wstring> folders;
    std::wstring path;
    if (KnownFolder(FOLDERID_Programs, &path))
        folders.push_back(path);
    if (KnownFolder(FOLDERID_CommonPrograms, &path) &&
        (folders.empty() || lstrcmpiW(path.c_str(), folders[0].c_str()) != 0))
        folders.push_back(path);
    return folders;
}

SeamGuard OverrideProgramsFolders(std::vector<std::wstring> folders)
{
    return OverrideSeam(g_folders, std::optional<std::vector<std::wstring>>(std::move(folders)));
}

bool ListStartMenuPrograms(const std::vector<std::wstring>& folders, const std::atomic<bool>& stop,
                           std::vector<ProgramEntry>* programs)
{
    programs->clear();
    Walk walk(stop, programs);
    for (const std::wstring& folder : folders) {
        if (!walk.Root(folder))
            return false;
    }
    return true;
}
