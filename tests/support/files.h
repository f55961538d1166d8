#pragma once
// Temporary folders, whole files, and the paths of the build's programs.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

namespace support {

std::wstring Wide(const std::string& text);  // text of the system code page in UTF-16
void RemoveTree(const std::string& path);    // also names outside the code page, paths beyond MAX_PATH

// A fresh folder under %TEMP%, removed at the end; with a leaf (e.g. "表ソ") Path() is that sub-folder.
class TempFolder {
public:
    explicit TempFolder(const char* leaf = nullptr);
    ~TempFolder() { RemoveTree(root_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + "\\" + relative; }  // no I/O
    std::string Folder(const std::string& relative) const  // made with its parents; its path
    {
        return SHCreateDirectoryExA(nullptr, File(relative).c_str(), nullptr), File(relative);
    }

private:
    std::string root_, path_;
};

// Whole files, also under names outside the system code page; "" when missing.
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
inline std::string ReadBytes(const std::string& path) { return ReadBytes(Wide(path)); }
inline bool WriteBytes(const std::string& path, const std::string& bytes) { return WriteBytes(Wide(path), bytes); }
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline std::string Repeated(const std::string& text, int n) { return n > 0 ? text + Repeated(text, n - 1) : ""; }
// Sorted relative paths below folder, folders ending in '\', in UTF-16 so that every name shows as it is.
using Tree = std::vector<std::wstring>;
Tree ListTree(const std::wstring& folder);
inline Tree ListTree(const std::string& folder) { return ListTree(Wide(folder)); }
std::string FolderOf(const std::string& path);  // up to its last backslash, in whole characters
std::string BuildFile(const char* cmakePath);   // Windows path of a build output (PORUN_EXE_PATH, ...)
inline std::string SourceFile(const std::string& relative) { return BuildFile((PORUN_SOURCE_DIR "/" + relative).c_str()); }
// Copies source to folder\relative, making its folders; the copy's path, "" on failure.
inline std::string CopyInto(const std::string& source, const TempFolder& folder, const std::string& relative)
{
    const std::string target = folder.File(relative);
    SHCreateDirectoryExA(nullptr, FolderOf(target).c_str(), nullptr);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) ? target : std::string();
}

inline constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };  // a table's test

// Puts a product seam back on every way out of a test.
struct Restore {
    std::function<void()> undo;
    ~Restore() { undo(); }
};

}  // namespace support
