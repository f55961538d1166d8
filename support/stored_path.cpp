#include "support/stored_path.h"

#include "support/max_path.h"
#include "support/path_lookup.h"
#include "support/path_text.h"
#include "support/program_files.h"

#include <cwchar>

namespace {
// "X:\..." with an ASCII letter.
bool StartsWithDrive(const wchar_t* path)
{
    const wchar_t letter = static_cast<wchar_t>(path[0] & ~0x20);
    return letter >= L'A' && letter <= L'Z' && path[1] == L':' && path[2] == L'\\';
}

wchar_t g_windowsDriveOverride = 0;

// The drive letter Windows runs from, in upper case; 0 when unknown.
wchar_t WindowsDrive()
{
    if (g_windowsDriveOverride)
        return g_windowsDriveOverride;
    wchar_t windows[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (length < 2 || length >= MAX_PATH || windows[1] != L':')
        return 0;
    const wchar_t letter = static_cast<wchar_t>(windows[0] & ~0x20);
    return letter >= L'A' && letter <= L'Z' ? letter : 0;
}

// The launcher's drive letter in upper case; 0 when it runs from elsewhere,
// or from the drive Windows runs from: a path of another drive is never
// tried there, where any local user can make the folder it names.
wchar_t LauncherDrive()
{
    wchar_t program[MAX_PATH];
    if (GetProgramPath(program, MAX_PATH) == 0 || !StartsWithDrive(program))
        return 0;
    const wchar_t drive = static_cast<wchar_t>(program[0] & ~0x20);
    return drive == WindowsDrive() ? 0 : drive;
}

// path on the launcher's drive, into buffer; null when it has no other drive
// letter to replace.
const wchar_t* OnLauncherDrive(const wchar_t* path, wchar_t drive, wchar_t (&buffer)[kResolvedPathSize])
{
    if (!path || drive == 0 || !StartsWithDrive(path) || (path[0] & ~0x20) == drive)
        return nullptr;
    lstrcpynW(buffer, path, kResolvedPathSize);
    buffer[0] = drive;
    return buffer;
}

// The expansion of stored when it fits MAX_PATH; null otherwise.
const wchar_t* Expanded(const wchar_t* stored, wchar_t (&buffer)[kResolvedPathSize])
{
    const DWORD needed = ExpandEnvironmentStringsW(stored, buffer, kResolvedPathSize);
    if (needed == 0 || needed > kResolvedPathSize || !PathFitsMaxPath(buffer))
        return nullptr;
    return buffer;
}

// The paths a stored path stands for, in the order they are tried: its
// expansion, its text as written, both on the launcher's drive; null where
// there is none.
struct Candidates {
    wchar_t expanded[kResolvedPathSize];
    wchar_t movedExpanded[kResolvedPathSize];
    wchar_t movedLiteral[kResolvedPathSize];
    const wchar_t* paths[4];

    Candidates(const Candidates&) = delete;
    Candidates& operator=(const Candidates&) = delete;
    explicit Candidates(const wchar_t* stored)
    {
        const wchar_t* expandedPath = Expanded(stored, expanded);
        const wchar_t* literal = PathFitsMaxPath(stored) ? stored : nullptr;
        if (expandedPath && literal && std::wcscmp(expandedPath, literal) == 0)
            literal = nullptr;  // nothing to expand: one path to try
        const wchar_t drive = LauncherDrive();
        paths[0] = expandedPath;
        paths[1] = literal;
        paths[2] = OnLauncherDrive(expandedPath, drive, movedExpanded);
        paths[3] = OnLauncherDrive(literal, drive, movedLiteral);
    }
};

bool CopyOut(const wchar_t* path, wchar_t* out, int size)
{
    const size_t length = std::wcslen(path);
    if (length >= static_cast<size_t>(size))
        return false;
    std::wmemcpy(out, path, length + 1);
    return true;
}
}  // namespace

SeamGuard OverrideWindowsDrive(wchar_t drive)
{
    return OverrideSeam(g_windowsDriveOverride, static_cast<wchar_t>(drive & ~0x20));
}

bool ResolveStoredPath(const wchar_t* stored, wchar_t* out, int size, bool* found)
{
    if (found)
        *found = false;
    if (!out || size <= 0)
        return false;
    out[0] = L'\0';
    if (!stored || !*stored)
        return false;

    const Candidates candidates(stored);
    for (const wchar_t* candidate : candidates.paths) {
        if (candidate && LookUpPath(candidate)) {
            if (!CopyOut(candidate, out, size))
                return false;
            if (found)
                *found = true;
            return true;
        }
    }
    const wchar_t* expanded = candidates.paths[0];
    return expanded && CopyOut(expanded, out, size);
}

bool StoredPathExists(const wchar_t* stored)
{
    wchar_t path[kResolvedPathSize];
    bool found = false;
    return ResolveStoredPath(stored, path, kResolvedPathSize, &found) && found;
}

namespace {
// stored has the launcher's file name; buffer then holds the launcher's path.
bool NamedAsTheLauncher(const wchar_t* stored, wchar_t (&buffer)[MAX_PATH])
{
    return stored && GetProgramPath(buffer, MAX_PATH) != 0 && lstrcmpiW(FileNameOf(stored), FileNameOf(buffer)) == 0;
}

// A stored path with the launcher's file name that is not there is the
// launcher from where it ran before it was moved: the launcher's path now.
const wchar_t* LauncherIfMoved(const wchar_t* stored, wchar_t (&buffer)[MAX_PATH])
{
    return NamedAsTheLauncher(stored, buffer) && !StoredPathExists(stored) ? buffer : stored;
}

bool AnyOnNetwork(const wchar_t* stored)
{
    if (!stored || !*stored)
        return false;
    const Candidates candidates(stored);
    for (const wchar_t* candidate : candidates.paths) {
        if (candidate && IsNetworkPath(candidate))
            return true;
    }
    return false;
}
}  // namespace

bool ResolveIconSource(const wchar_t* stored, wchar_t* out, int size, bool* found)
{
    wchar_t launcher[MAX_PATH];
    return ResolveStoredPath(LauncherIfMoved(stored, launcher), out, size, found);
}

bool IconSourceOnNetwork(const wchar_t* stored)
{
    wchar_t launcher[MAX_PATH];
    return AnyOnNetwork(stored) || (NamedAsTheLauncher(stored, launcher) && AnyOnNetwork(launcher));
}
