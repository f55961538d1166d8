// Planted beside the launcher as hhctrl.ocx: if it is ever loaded, it leaves "planted-loaded.txt" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    wchar_t path[MAX_PATH];
    std::wstring marker(path, GetModuleFileNameW(self, path, MAX_PATH));  // its folder may hold any name
    if (reason == DLL_PROCESS_ATTACH && marker.rfind(L'\\') != std::wstring::npos)
        CloseHandle(CreateFileW((marker.erase(marker.rfind(L'\\') + 1) + L"planted-loaded.txt").c_str(), GENERIC_WRITE,
                                0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}

// The entry the launcher takes from the real help control.
extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpW(HWND, LPCWSTR, UINT, DWORD_PTR) { return nullptr; }
