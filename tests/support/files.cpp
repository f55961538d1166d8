#include "support/files.h"

#include "support/path_text.h"

#include <algorithm>

namespace support {

TempFolder::TempFolder(const char* leaf)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter = 0;
    do
        root_ = base + ("porun-test-" + std::to_string(GetCurrentProcessId())) + "-" +
                std::to_string(InterlockedIncrement(&counter));
    while (!CreateDirectoryA(root_.c_str(), nullptr));
    path_ = root_;  // Folder() builds on it
    path_ = leaf ? Folder(leaf) : root_;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr);  // a rename into place holds the file open for DELETE until it returns
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

void RemoveTree(const std::string& path)
{
    const std::wstring longForm = L"\\\\?\\" + Wide(path);  // knows no MAX_PATH
    const Tree items = ListTree(longForm);
    for (auto item = items.rbegin(); item != items.rend(); ++item) {  // contents before their folders
        const std::wstring full = longForm + L"\\" + *item;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        item->back() == L'\\' ? RemoveDirectoryW(full.c_str()) : DeleteFileW(full.c_str());
    }
    RemoveDirectoryW(longForm.c_str());
}

std::wstring Wide(const std::string& text)
{
    std::wstring out(text.size() + 1, L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                                       static_cast<int>(out.size()))));
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

std::string FolderOf(const std::string& path)
{
    const char* last = LastBackslash(path.c_str());
    return path.substr(0, last ? last - path.c_str() : 0);
}

std::string BuildFile(const char* cmakePath)
{
    std::string path = (cmakePath[0] == '/' ? "Z:" : "") + std::string(cmakePath);  // a cross build hands Unix paths
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace support
