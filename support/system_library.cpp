#include "support/system_library.h"

namespace {
// Not in every SDK's headers: the search flags came with an update of Windows 7.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

LibrarySearchCalls g_calls = {};

SetDefaultDllDirectoriesFunction SetDefaultDirectories()
{
    if (g_calls.setDefaultDirectories)
        return g_calls.setDefaultDirectories;
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                  : nullptr;
}

HMODULE LoadLibraryWith(const wchar_t* fileName, DWORD flags)
{
    return (g_calls.loadLibrary ? g_calls.loadLibrary : LoadLibraryExW)(fileName, nullptr, flags);
}
}  // namespace

void RestrictLibrarySearch()
{
    const SetDefaultDllDirectoriesFunction setDefault = SetDefaultDirectories();
    if (setDefault && setDefault(kSearchSystem32))
        return;
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    if (HMODULE module = LoadLibraryWith(fileName, kSearchSystem32))
        return module;
    // A system without the search flags refuses them: name the file by its full path instead.
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    const size_t nameLength = static_cast<size_t>(lstrlenW(fileName));
    if (length == 0 || length + 1 + nameLength >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    lstrcpynW(path + length + 1, fileName, static_cast<int>(nameLength + 1));
    return LoadLibraryWith(path, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SeamGuard OverrideLibrarySearchCalls(const LibrarySearchCalls& calls)
{
    return OverrideSeam(g_calls, calls);
}
