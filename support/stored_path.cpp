#include "support/stored_path.h"

#include "support/max_path.h"
#include "support/path_text.h"
#include "support/program_files.h"

#include <cstring>

namespace {
bool IsThere(const char* path)
{
    // A drive without its medium is a path that is not there, not a question
    // the system puts to the user.
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    const bool there = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    SetThreadErrorMode(previous, nullptr);
    return there;
}

// "X:\..." with an ASCII letter: never the first byte of a double-byte character.
bool StartsWithDrive(const char* path)
{
    const char letter = static_cast<char>(path[0] & ~0x20);
    return letter >= 'A' && letter <= 'Z' && path[1] == ':' && path[2] == '\\';
}

char g_windowsDriveOverride = 0;

// The drive letter Windows runs from, in upper case; 0 when unknown.
char WindowsDrive()
{
    if (g_windowsDriveOverride)
        return g_windowsDriveOverride;
    wchar_t windows[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (length < 2 || length >= MAX_PATH || windows[1] != L':')
        return 0;
    const wchar_t letter = static_cast<wchar_t>(windows[0] & ~0x20);
    return letter >= L'A' && letter <= L'Z' ? static_cast<char>(letter) : 0;
}

// The launcher's drive letter in upper case; 0 when it runs from elsewhere,
// or from the drive Windows runs from: a path of another drive is never
// tried there, where any local user can make the folder it names.
char LauncherDrive()
{
    char program[MAX_PATH];
    if (GetProgramPath(program, sizeof program) == 0 || !StartsWithDrive(program))
        return 0;
    const char drive = static_cast<char>(program[0] & ~0x20);
    return drive == WindowsDrive() ? 0 : drive;
}

// path on the launcher's drive, into buffer; null when it has no other drive
// letter to replace.
const char* OnLauncherDrive(const char* path, char drive, char (&buffer)[kResolvedPathSize])
{
    if (!path || drive == 0 || !StartsWithDrive(path) || (path[0] & ~0x20) == drive)
        return nullptr;
    lstrcpynA(buffer, path, sizeof buffer);
    buffer[0] = drive;
    return buffer;
}

// The expansion of stored when it fits MAX_PATH; null otherwise.
const char* Expanded(const char* stored, char (&buffer)[kResolvedPathSize])
{
    // The ANSI call may count one character more than it writes.
    const DWORD needed = ExpandEnvironmentStringsA(stored, buffer, sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    if (needed == 0 || needed >= sizeof buffer - 1 || !PathFitsMaxPath(buffer))
        return nullptr;
    return buffer;
}

bool CopyOut(const char* path, char* out, int size)
{
    const size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(size))
        return false;
    std::memcpy(out, path, length + 1);
    return true;
}
}  // namespace

void OverrideWindowsDrive(char drive)
{
    g_windowsDriveOverride = static_cast<char>(drive & ~0x20);
}

bool ResolveStoredPath(const char* stored, char* out, int size, bool* found)
{
    if (found)
        *found = false;
    if (!out || size <= 0)
        return false;
    out[0] = '\0';
    if (!stored || !*stored)
        return false;

    char expandedBuffer[kResolvedPathSize];
    const char* expanded = Expanded(stored, expandedBuffer);
    const char* literal = PathFitsMaxPath(stored) ? stored : nullptr;
    if (expanded && literal && std::strcmp(expanded, literal) == 0)
        literal = nullptr;  // nothing to expand: one path to try
    const char drive = LauncherDrive();
    char movedExpanded[kResolvedPathSize];
    char movedLiteral[kResolvedPathSize];
    const char* candidates[] = {expanded, literal, OnLauncherDrive(expanded, drive, movedExpanded),
                                OnLauncherDrive(literal, drive, movedLiteral)};
    for (const char* candidate : candidates) {
        if (candidate && IsThere(candidate)) {
            if (!CopyOut(candidate, out, size))
                return false;
            if (found)
                *found = true;
            return true;
        }
    }
    return expanded && CopyOut(expanded, out, size);
}

bool StoredPathExists(const char* stored)
{
    char path[kResolvedPathSize];
    bool found = false;
    return ResolveStoredPath(stored, path, sizeof path, &found) && found;
}

namespace {
// A stored path with the launcher's file name that is not there is the
// launcher from where it ran before it was moved: the launcher's path now.
const char* LauncherIfMoved(const char* stored, char (&buffer)[MAX_PATH])
{
    if (!stored || GetProgramPath(buffer, sizeof buffer) == 0)
        return stored;
    const bool launcher = lstrcmpiA(FileNameOf(stored), FileNameOf(buffer)) == 0;
    return launcher && !StoredPathExists(stored) ? buffer : stored;
}
}  // namespace

bool ResolveIconSource(const char* stored, char* out, int size, bool* found)
{
    char launcher[MAX_PATH];
    return ResolveStoredPath(LauncherIfMoved(stored, launcher), out, size, found);
}
