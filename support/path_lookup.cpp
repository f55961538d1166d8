#include "support/path_lookup.h"

#include <algorithm>
#include <cwchar>

namespace {
// The system's calls the functions above make, each one a test may stand in for.
struct PathCalls {
    PathLookupFunction lookUp;
    DriveTypeFunction driveType;
    ShortPathFunction shortPath;
};
const PathCalls kSystemCalls = {GetFileAttributesExW, GetDriveTypeW, GetShortPathNameW};
PathCalls g_calls = kSystemCalls;

template <typename Function>
SeamGuard OverrideCall(Function PathCalls::*call, Function function)
{
    return OverrideSeam(g_calls.*call, function ? function : kSystemCalls.*call);
}

bool StartsWith(const wchar_t* text, const wchar_t* prefix)
{
    const int length = lstrlenW(prefix);
    return CompareStringOrdinal(text, std::min(lstrlenW(text), length), prefix, length, TRUE) == CSTR_EQUAL;
}

bool IsDriveLetter(wchar_t c)
{
    const wchar_t letter = static_cast<wchar_t>(c & ~0x20);
    return letter >= L'A' && letter <= L'Z';
}

// The drive of a full path ("X:\..." or "\\?\X:\..."), 0 when it has none.
wchar_t DriveOf(const wchar_t* full)
{
    const wchar_t* rest = StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\") ? full + 4 : full;
    return IsDriveLetter(rest[0]) && rest[1] == L':' ? rest[0] : 0;
}
}  // namespace

bool LookUpPath(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data)
{
    if (!path || !*path)
        return false;
    WIN32_FILE_ATTRIBUTE_DATA ignored;
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    const BOOL there = g_calls.lookUp(path, GetFileExInfoStandard, data ? data : &ignored);
    SetThreadErrorMode(previous, nullptr);
    return there != FALSE;
}

bool IsNetworkPath(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    wchar_t full[2 * MAX_PATH];
    const DWORD length = GetFullPathNameW(path, ARRAYSIZE(full), full, nullptr);
    const wchar_t* taken = length > 0 && length < ARRAYSIZE(full) ? full : path;
    if (StartsWith(taken, L"\\\\?\\UNC\\"))
        return true;
    const wchar_t drive = DriveOf(taken);
    if (!drive)
        return taken[0] == L'\\' && taken[1] == L'\\' && !StartsWith(taken, L"\\\\?\\") &&
               !StartsWith(taken, L"\\\\.\\");
    const wchar_t root[] = {drive, L':', L'\\', L'\0'};
    return g_calls.driveType(root) == DRIVE_REMOTE;
}

bool ShortPathOf(const wchar_t* path, wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return false;
    buffer[0] = L'\0';
    if (!path || !*path)
        return false;
    const DWORD length = g_calls.shortPath(path, buffer, size);
    // A volume without short names hands the long path back: no short form.
    if (length == 0 || length >= size || std::wcscmp(buffer, path) == 0) {
        buffer[0] = L'\0';
        return false;
    }
    return true;
}

SeamGuard OverridePathLookup(PathLookupFunction function)
{
    return OverrideCall(&PathCalls::lookUp, function);
}

SeamGuard OverrideDriveType(DriveTypeFunction function)
{
    return OverrideCall(&PathCalls::driveType, function);
}

SeamGuard OverrideShortPathLookup(ShortPathFunction function)
{
    return OverrideCall(&PathCalls::shortPath, function);
}
