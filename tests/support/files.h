#pragma once
// Temporary folders, whole files, and the paths of the build's programs; every path in UTF-16.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace support {

std::wstring Utf16(const std::string& utf8);  // a narrow literal (UTF-8) or a recorder's line
std::string Utf8(const std::wstring& text);
// A u8"" literal's bytes as a narrow string: C++20 gives such literals a character type of their own.
inline std::string Utf8Bytes(std::u8string_view text) { return std::string(text.begin(), text.end()); }
void RemoveTree(const std::wstring& path);  // also paths beyond MAX_PATH

// A fresh folder under %TEMP%, removed at the end; with a leaf (e.g. L"表ソ") Path() is that sub-folder.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* leaf = nullptr);
    ~TempFolder() { RemoveTree(root_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& relative) const { return path_ + L"\\" + relative; }  // no I/O
    std::wstring Folder(const std::wstring& relative) const  // made with its parents; its path
    {
        SHCreateDirectoryExW(nullptr, File(relative).c_str(), nullptr);
        return File(relative);
    }

private:
    std::wstring root_, path_;
};

// Whole files; "" when missing.
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
template <class Text>
Text Repeated(const Text& text, int n) { return n > 0 ? text + Repeated(text, n - 1) : Text(); }
// Sorted relative paths below folder, folders ending in '\'.
using Tree = std::vector<std::wstring>;
Tree ListTree(const std::wstring& folder);
std::wstring FolderOf(const std::wstring& path);  // up to its last backslash
std::wstring BuildFile(const char* cmakePath);    // Windows path of a build output (PORUN_EXE_PATH, ...)
std::wstring SourceFile(const std::wstring& relative);  // a file of the project's sources, relative with '\\'
// Copies source to folder\relative, making its folders; the copy's path, "" on failure.
inline std::wstring CopyInto(const std::wstring& source, const TempFolder& folder, const std::wstring& relative)
{
    const std::wstring target = folder.File(relative);
    SHCreateDirectoryExW(nullptr, FolderOf(target).c_str(), nullptr);
    return CopyFileW(source.c_str(), target.c_str(), FALSE) ? target : std::wstring();
}

// A symbolic link at path to target (a folder or a file); at the end the link alone is removed. Windows makes it with
// CreateSymbolicLinkW; under Wine, whose CreateSymbolicLinkW makes nothing, it is a Unix link (ln -s), which Wine
// follows wherever a program asks it not to. Made() is false when neither way made one.
class SymbolicLink {
public:
    SymbolicLink(const std::wstring& path, const std::wstring& target);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;
    bool Made() const { return made_; }

private:
    std::wstring path_;
    bool made_ = false, unix_ = false;
};

inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };  // a table's test

// Puts a product seam back on every way out of a test.
struct Restore {
    std::function<void()> undo;
    ~Restore() { undo(); }
};

}  // namespace support
