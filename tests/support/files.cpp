#include "support/files.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace support {

namespace {
// Relative paths below folder, parents before their contents; folders end in '\'.
// relative is a copy: it comes from out, which grows meanwhile.
void Walk(const std::string& folder, std::string relative, std::vector<std::string>& out)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + relative + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        out.push_back(relative + name + (isFolder ? "\\" : ""));
        if (isFolder)
            Walk(folder, out.back(), out);
    } while (FindNextFileA(find, &found));
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
    std::vector<std::string> items;
    Walk(path, "", items);
    for (auto item = items.rbegin(); item != items.rend(); ++item) {  // contents before their folders
        const std::string full = path + "\\" + *item;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        item->back() == '\\' ? RemoveDirectoryA(full.c_str()) : DeleteFileA(full.c_str());
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> ListTree(const std::string& folder)
{
    std::vector<std::string> out;
    Walk(folder, "", out);
    std::sort(out.begin(), out.end());
    return out;
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
