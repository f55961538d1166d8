#pragma once
// A program the search window finds besides the buttons: a shortcut or
// program of the Start menu's Programs folders, or an application of the
// Apps folder started through its application id.
#include <string>

enum class ProgramKind {
    StartMenu,  // a file in the user's or all users' Programs folder
    StoreApp,   // an application of the Apps folder
};

struct ProgramEntry {
    ProgramKind kind = ProgramKind::StartMenu;
    std::wstring name;    // as the Start menu shows it
    std::wstring path;    // the file; a Store app's "shell:AppsFolder\<application id>"
    std::wstring folder;  // the Start menu folder it lies in, below the Programs folder ("" at its top)

    bool operator==(const ProgramEntry& other) const
    {
        return kind == other.kind && name == other.name && path == other.path && folder == other.folder;
    }
};

// What a Store application's path begins with; its application id follows.
constexpr wchar_t kAppsFolderPrefix[] = L"shell:AppsFolder\\";
