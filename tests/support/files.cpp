#include "support/files.h"

#include "support/path_text.h"
#include "support/ui.h"

#include <algorithm>

namespace support {

TempFolder::TempFolder(const wchar_t* leaf)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    do
        root_ = base + (L"porun-test-" + std::to_wstring(GetCurrentProcessId())) + L"-" +
                std::to_wstring(InterlockedIncrement(&counter));
    while (!CreateDirectoryW(root_.c_str(), nullptr));
    path_ = root_;  // Folder() builds on it
    path_ = leaf ? Folder(leaf) : root_;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    // A rename into place holds the file open for DELETE until it returns.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    char block[65536];
    for (DWORD read = 0; ReadFile(file, block, sizeof block, &read, nullptr) && read > 0;)
        bytes.append(block, read);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == bytes.size();
}

void RemoveTree(const std::wstring& path)
{
    const std::wstring longForm = L"\\\\?\\" + path;  // knows no MAX_PATH
    const Tree items = ListTree(longForm);
    for (auto item = items.rbegin(); item != items.rend(); ++item) {  // contents before their folders
        const std::wstring full = longForm + L"\\" + *item;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        item->back() == L'\\' ? RemoveDirectoryW(full.c_str()) : DeleteFileW(full.c_str());
    }
    RemoveDirectoryW(longForm.c_str());
}

std::wstring Utf16(const std::string& utf8)
{
    std::wstring out(utf8.size() + 1, L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0],
                                                       static_cast<int>(out.size()))));
    return out;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                                       static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

Tree ListTree(const std::wstring& folder)
{
    Tree out;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        out.push_back(name + (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? L"\\" : L""));
        if (out.back().back() == L'\\')
            for (const std::wstring& inner : ListTree(folder + L"\\" + name))
                out.push_back(name + L"\\" + inner);
    }
    FindClose(find);
    std::sort(out.begin(), out.end());
    return out;
}

namespace {
// The Unix name Wine gives a path; "" outside Wine.
std::wstring UnixName(const std::wstring& path)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = convert ? convert(path.c_str()) : nullptr;
    const std::wstring unix = name ? Utf16(name) : L"";
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

// Starts a program of the Unix system Wine runs on, its arguments quoted. Wine hands back no handle to wait on: the
// caller waits for what the program makes.
bool StartUnixProgram(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::wstring line = program;
    for (const std::wstring& argument : arguments)
        line += L" \"" + argument + L"\"";
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessW(BuildFile(Utf8(program).c_str()).c_str(), &line[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(process.hThread);  // none under Wine
    CloseHandle(process.hProcess);
    return started;
}
}  // namespace

SymbolicLink::SymbolicLink(const std::wstring& path, const std::wstring& target) : path_(path)
{
    const DWORD kind = GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    made_ = CreateSymbolicLinkW(path.c_str(), target.c_str(), kind | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
            Exists(path);
    unix_ = !made_ && !UnixName(path).empty();
    made_ = made_ || (unix_ && StartUnixProgram(L"/bin/ln", {L"-s", UnixName(target), UnixName(path)}) &&
                      WaitUntil([&] { return Exists(path); }));
}

SymbolicLink::~SymbolicLink()
{
    if (made_ && unix_)
        StartUnixProgram(L"/bin/rm", {UnixName(path_)}) && WaitUntil([this] { return !Exists(path_); });
    else if (made_)  // the link itself goes, not what it leads to
        GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY ? RemoveDirectoryW(path_.c_str())
                                                                      : DeleteFileW(path_.c_str());
}

std::wstring FolderOf(const std::wstring& path)
{
    const wchar_t* last = LastBackslash(path.c_str());
    return path.substr(0, last ? last - path.c_str() : 0);
}

std::wstring BuildFile(const char* cmakePath)
{
    std::wstring path = (cmakePath[0] == '/' ? L"Z:" : L"") + Utf16(cmakePath);  // a cross build hands Unix paths
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring SourceFile(const std::wstring& relative) { return BuildFile(PORUN_SOURCE_DIR) + L"\\" + relative; }

}  // namespace support
