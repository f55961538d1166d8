#include "common/test_support.h"
#include "support/files.h"
#include "support/program_files.h"


TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter = 0;
    for (;;) {
        char name[MAX_PATH];
        wsprintfA(name, "%sporun-test-%lu-%ld", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            break;
        }
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

std::wstring Widen(const std::string& ansi)
{
    return support::Wide(ansi);
}

std::string Narrow(const std::wstring& wide)
{
    char ansi[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

std::wstring LongForm(const std::string& path)
{
    return L"\\\\?\\" + Widen(path);
}

void RemoveTree(const std::string& path)
{
    support::RemoveTree(path);
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        return -1;
    return (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

std::string HostPath(const char* unixPath)
{
    std::string path = unixPath;
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/')
                c = '\\';
    }
    return path;
}

std::string BuiltProgramPath()
{
    return HostPath(PORUN_EXE_PATH);
}

std::string SourcePath(const char* relative)
{
    std::string path = HostPath(PORUN_SOURCE_DIR);
    path += "\\";
    path += relative;
    return path;
}

std::string InstallProgramCopy(const TempFolder& folder, const char* name)
{
    const std::string copy = folder.File(name);
    CopyFileA(BuiltProgramPath().c_str(), copy.c_str(), FALSE);
    OverrideProgramPath(copy.c_str());
    return copy;
}

void PumpMessages(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;  // the tests own the loop; a quit posted by a closing window is dropped
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {
struct FindRequest {
    const std::string* captionPart;
    HWND found;
};

BOOL CALLBACK FindDialogCallback(HWND window, LPARAM lParam)
{
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0)
        return TRUE;
    char caption[512];
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption).find(*request->captionPart) == std::string::npos)
        return TRUE;
    request->found = window;
    return FALSE;
}
}  // namespace

HWND FindProcessDialog(const std::string& captionPart)
{
    FindRequest request{&captionPart, nullptr};
    EnumWindows(FindDialogCallback, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

DialogAnswerer::DialogAnswerer(std::string captionPart, int buttonId, DWORD timeoutMs)
    : captionPart_(std::move(captionPart)), buttonId_(buttonId), timeoutMs_(timeoutMs),
      thread_([this] { Run(); })
{
}

DialogAnswerer::~DialogAnswerer()
{
    Join();
}

void DialogAnswerer::Join()
{
    if (thread_.joinable())
        thread_.join();
}

void DialogAnswerer::Run()
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs_) {
        HWND dialog = FindProcessDialog(captionPart_);
        if (dialog) {
            Sleep(100);  // let the dialog finish its initialisation
            char buffer[1024];
            GetWindowTextA(dialog, buffer, sizeof buffer);
            caption_ = buffer;
            buffer[0] = '\0';
            GetDlgItemTextA(dialog, 0xFFFF, buffer, sizeof buffer);
            text_ = buffer;
            HWND button = GetDlgItem(dialog, buttonId_);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId_, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            answered_ = true;
            return;
        }
        Sleep(20);
    }
}
