#include "support/system_library.h"

#include <cstring>

namespace {
// Not in every SDK's headers: the search flags came with an update of Windows 7.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
}  // namespace

void RestrictLibrarySearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                                         reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                   : nullptr;
    if (setDefault && setDefault(kSearchSystem32))
        return;
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    if (HMODULE module = LoadLibraryExA(fileName, nullptr, kSearchSystem32))
        return module;
    // A system without the search flags refuses them: name the file by its full path instead.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = std::strlen(fileName);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::memcpy(path + length + 1, fileName, nameLength + 1);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
