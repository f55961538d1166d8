// A program for the launch tests: writes the command line it was started with
// and its current folder into "received.txt" beside itself, then ends.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return 1;
    char* slash = std::strrchr(path, '\\');
    if (!slash)
        return 1;
    char temp[MAX_PATH];
    char final[MAX_PATH];
    lstrcpynA(slash + 1, "received.tmp", static_cast<int>(sizeof path - (slash + 1 - path)));
    lstrcpyA(temp, path);
    lstrcpynA(slash + 1, "received.txt", static_cast<int>(sizeof path - (slash + 1 - path)));
    lstrcpyA(final, path);

    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    const char* commandLine = GetCommandLineA();

    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    WriteFile(file, folder, static_cast<DWORD>(std::strlen(folder)), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(temp, final, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
