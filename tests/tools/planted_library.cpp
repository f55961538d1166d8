// A library planted beside a copy of the launcher under the name of one it
// uses (hhctrl.ocx): if it is ever loaded, it leaves "planted-loaded.txt"
// beside itself.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\')
        --length;
    if (length == 0 || length + sizeof "planted-loaded.txt" > MAX_PATH)
        return TRUE;
    lstrcpyA(path + length, "planted-loaded.txt");
    HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return TRUE;
}

// The entry the launcher takes from the real help control.
extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR)
{
    return nullptr;
}
