#pragma once
// Temporary folders, whole files, and the paths of the build's programs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace support {

void RemoveTree(const std::string& path);  // also names outside the code page, paths beyond MAX_PATH

std::wstring Wide(const std::string& text);  // text of the system code page in UTF-16

// A fresh folder under %TEMP%, removed with everything in it at the end; with a
// leaf (e.g. "表ソ", whose bytes end in 0x5C) Path() is that sub-folder of it.
class TempFolder {
public:
    explicit TempFolder(const char* leaf = nullptr);
    ~TempFolder() { RemoveTree(root_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + "\\" + relative; }  // no I/O
    std::string Folder(const std::string& relative) const;  // made with its parents; its path

private:
    std::string root_;
    std::string path_;
};

std::string ReadBytes(const std::string& path);  // whole file, "" when missing
bool WriteBytes(const std::string& path, const std::string& bytes);
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline long long SizeOf(const std::string& path) { return Exists(path) ? ReadBytes(path).size() : -1; }
// Sorted relative paths below folder, folders ending in '\', in UTF-16 so that
// every name shows as it is.
using Tree = std::vector<std::wstring>;
Tree ListTree(const std::wstring& folder);
inline Tree ListTree(const std::string& folder) { return ListTree(Wide(folder)); }
// Files under names outside the system code page.
bool WriteFileWide(const std::wstring& path, const std::string& bytes);
std::string ReadFileWide(const std::wstring& path);  // "" when missing
std::string FolderOf(const std::string& path);  // up to its last backslash, in whole characters
std::string BuildFile(const char* cmakePath);  // Windows path of a build output (PORUN_EXE_PATH, ...)
// A file of the source tree, e.g. "docs/skin/menutitle.bmp".
inline std::string SourceFile(const std::string& relative) { return BuildFile((PORUN_SOURCE_DIR "/" + relative).c_str()); }
// Copies source to folder\relative, making its folders; the copy's path, "" on failure.
std::string CopyInto(const std::string& source, const TempFolder& folder, const std::string& relative);

// Puts a product seam back on every way out of a test.
struct Restore {
    std::function<void()> undo;
    ~Restore() { undo(); }
};

}  // namespace support
