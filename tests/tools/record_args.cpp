// Writes its command line, its current folder and its own path, in UTF-8, into "received.txt" beside itself,
// whole once it is there.
#include <windows.h>

#include <string>

std::string Utf8(const wchar_t* text)
{
    static char out[3 * 32768];
    return WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr) ? out : "";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    static wchar_t self[32768], folder[32768];
    GetModuleFileNameW(nullptr, self, 32768);
    GetCurrentDirectoryW(32768, folder);
    const std::string text = Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n" + Utf8(self) + "\n";
    const std::wstring beside(self, wcsrchr(self, L'\\') + 1);
    HANDLE file = CreateFileW((beside + L"received.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       CloseHandle(file) && written == text.size();
    return whole && MoveFileExW((beside + L"received.tmp").c_str(), (beside + L"received.txt").c_str(),
                                MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
