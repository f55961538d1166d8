#include "support/program_files.h"

#include "support/path_text.h"

#include <cwchar>
#include <string>

namespace {
std::wstring g_override;  // empty: the module's own path
}

DWORD GetProgramPath(wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    if (!g_override.empty()) {
        const size_t length = g_override.size();
        if (length >= size)
            return 0;
        std::wmemcpy(buffer, g_override.c_str(), length + 1);
        return static_cast<DWORD>(length);
    }
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = L'\0';
        return 0;
    }
    return length;
}

SeamGuard OverrideProgramPath(const wchar_t* path)
{
    return OverrideSeam(g_override, std::wstring(path ? path : L"").substr(0, MAX_PATH - 1));
}

bool ProgramFolderFile(const wchar_t* name, wchar_t* buffer, DWORD size)
{
    wchar_t program[MAX_PATH];
    if (!name || !buffer || GetProgramPath(program, MAX_PATH) == 0)
        return false;
    const wchar_t* last = LastBackslash(program);
    if (!last)
        return false;
    const size_t folder = static_cast<size_t>(last - program) + 1;  // with its backslash
    const size_t nameLength = std::wcslen(name);
    if (folder + nameLength + 1 > size)
        return false;
    std::wmemcpy(buffer, program, folder);
    std::wmemcpy(buffer + folder, name, nameLength + 1);
    return true;
}

bool ProgramPathWithExtension(const wchar_t* extension, wchar_t* buffer, DWORD size)
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetProgramPath(program, MAX_PATH);
    if (!extension || !buffer || length == 0)
        return false;
    const wchar_t* dot = ExtensionOf(program);
    const size_t stem = dot ? static_cast<size_t>(dot - program) : length;
    const size_t extensionLength = std::wcslen(extension);
    if (stem + 1 + extensionLength + 1 > size)
        return false;
    std::wmemcpy(buffer, program, stem);
    buffer[stem] = L'.';
    std::wmemcpy(buffer + stem + 1, extension, extensionLength + 1);
    return true;
}

bool SetProgramFolderVariable()
{
    wchar_t program[MAX_PATH];
    if (GetProgramPath(program, MAX_PATH) == 0)
        return false;
    wchar_t folder[MAX_PATH];
    CopyFolderOf(program, folder, MAX_PATH);
    return folder[0] && SetEnvironmentVariableW(kProgramFolderVariable, folder);
}
