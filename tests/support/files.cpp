#include "support/files.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace support {

namespace {
// Relative paths below folder, parents before their contents; folders end in '\'.
// relative is a copy: it comes from out, which grows meanwhile.
void Walk(const std::wstring& folder, std::wstring relative, Tree& out)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\" + relative + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        out.push_back(relative + name + (isFolder ? L"\\" : L""));
        if (isFolder)
            Walk(folder, out.back(), out);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}
}  // namespace

TempFolder::TempFolder(const char* leaf)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter = 0;
    do {
        root_ = std::string(base) + "porun-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(InterlockedIncrement(&counter));
    } while (!CreateDirectoryA(root_.c_str(), nullptr));
    path_ = root_;
    if (leaf)
        path_ = Folder(leaf);
}

std::string TempFolder::Folder(const std::string& relative) const
{
    SHCreateDirectoryExA(nullptr, File(relative).c_str(), nullptr);
    return File(relative);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

void RemoveTree(const std::string& path)
{
    const std::wstring longForm = L"\\\\?\\" + Wide(path);  // knows no MAX_PATH
    Tree items;
    Walk(longForm, L"", items);
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
    Walk(folder, L"", out);
    std::sort(out.begin(), out.end());
    return out;
}

bool WriteFileWide(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadFileWide(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        bytes.append(block, read);
    CloseHandle(file);
    return bytes;
}

std::string FolderOf(const std::string& path)
{
    size_t cut = 0;
    for (size_t i = 0; i < path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1)
        cut = path[i] == '\\' ? i : cut;  // a trail byte may be 0x5C: whole characters only
    return path.substr(0, cut);
}

std::string BuildFile(const char* cmakePath)
{
    std::string path = cmakePath;
    if (path[0] == '/')  // a cross build hands Unix paths over
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string CopyInto(const std::string& source, const TempFolder& folder, const std::string& relative)
{
    const std::string target = folder.File(relative);
    SHCreateDirectoryExA(nullptr, FolderOf(target).c_str(), nullptr);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) ? target : std::string();
}

}  // namespace support
