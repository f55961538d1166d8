// Planted beside the launcher as hhctrl.ocx: if it is ever loaded, it leaves "planted-loaded.txt" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char path[MAX_PATH];
    std::string marker(path, GetModuleFileNameA(self, path, MAX_PATH));
    if (reason == DLL_PROCESS_ATTACH && marker.rfind('\\') != std::string::npos)
        CloseHandle(CreateFileA((marker.erase(marker.rfind('\\') + 1) + "planted-loaded.txt").c_str(), GENERIC_WRITE, 0,
                                nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}

// The entry the launcher takes from the real help control.
extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR) { return nullptr; }
