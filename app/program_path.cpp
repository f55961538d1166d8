#include "app/program_path.h"

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
