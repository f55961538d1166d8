// Writes its command line and current folder into "received.txt" beside itself, whole once it is there.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH], folder[MAX_PATH] = "";
    std::string beside(path, GetModuleFileNameA(nullptr, path, sizeof path));
    beside.erase(beside.rfind('\\') + 1);
    GetCurrentDirectoryA(sizeof folder, folder);
    const std::string text = GetCommandLineA() + ("\n" + std::string(folder)) + "\n";
    HANDLE file = CreateFileA((beside + "received.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       CloseHandle(file) && written == text.size();
    return whole && MoveFileExA((beside + "received.tmp").c_str(), (beside + "received.txt").c_str(),
                                MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
