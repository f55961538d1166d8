#include "support/program_files.h"

#include "support/path_text.h"

#include <cstring>

namespace {
char g_override[MAX_PATH];
}

DWORD GetProgramPath(char* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    if (g_override[0]) {
        const size_t length = std::strlen(g_override);
        if (length >= size)
            return 0;
        std::memcpy(buffer, g_override, length + 1);
        return static_cast<DWORD>(length);
    }
    const DWORD length = GetModuleFileNameA(nullptr, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = '\0';
        return 0;
    }
    return length;
}

void OverrideProgramPath(const char* path)
{
    if (!path) {
        g_override[0] = '\0';
        return;
    }
    lstrcpynA(g_override, path, MAX_PATH);
}

bool ProgramFolderFile(const char* name, char* buffer, DWORD size)
{
    char program[MAX_PATH];
    if (!name || !buffer || GetProgramPath(program, sizeof program) == 0)
        return false;
    const char* last = LastBackslash(program);
    if (!last)
        return false;
    const size_t folder = static_cast<size_t>(last - program) + 1;  // with its backslash
    const size_t nameLength = std::strlen(name);
    if (folder + nameLength + 1 > size)
        return false;
    std::memcpy(buffer, program, folder);
    std::memcpy(buffer + folder, name, nameLength + 1);
    return true;
}

bool ProgramPathWithExtension(const char* extension, char* buffer, DWORD size)
{
    char program[MAX_PATH];
    const DWORD length = GetProgramPath(program, sizeof program);
    if (!extension || !buffer || length == 0)
        return false;
    const char* dot = ExtensionOf(program);
    const size_t stem = dot ? static_cast<size_t>(dot - program) : length;
    const size_t extensionLength = std::strlen(extension);
    if (stem + 1 + extensionLength + 1 > size)
        return false;
    std::memcpy(buffer, program, stem);
    buffer[stem] = '.';
    std::memcpy(buffer + stem + 1, extension, extensionLength + 1);
    return true;
}

bool SetProgramFolderVariable()
{
    char program[MAX_PATH];
    if (GetProgramPath(program, sizeof program) == 0)
        return false;
    char folder[MAX_PATH];
    CopyFolderOf(program, folder, sizeof folder);
    return folder[0] && SetEnvironmentVariableA(kProgramFolderVariable, folder);
}
