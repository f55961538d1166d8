#pragma once
// The files a generation holds: the data file, the names and options files
// beside it (their names follow the program's), shortcut.dat and the usage
// file, read whole from a folder, compared, written into a new generation's
// folder, and put back in place beside the program. The usage file goes
// along with the others but is no part of what a generation is kept for:
// its changes alone keep nothing and two sets that differ only in it are
// alike. Generations kept before it existed lack it: putting one of them in
// place leaves the usage file as it is.
#include <windows.h>

#include <string>
#include <vector>

constexpr wchar_t kShortcutFileName[] = L"shortcut.dat";

enum GenerationFileIndex {
    kGenerationDataFile,
    kGenerationNamesFile,
    kGenerationOptionsFile,
    kGenerationShortcutFile,
    kGenerationUsageFile,
    kGenerationFileCount
};

struct KeptFile {
    bool present = false;
    std::string bytes;
};

struct GenerationSet {
    KeptFile files[kGenerationFileCount];
};

// The set's files beside the program (full paths). False when one cannot be had.
bool LiveSetPaths(std::wstring paths[kGenerationFileCount]);

// The same files inside folder, under the names they have beside the program.
bool SetPathsIn(const std::wstring& folder, std::wstring paths[kGenerationFileCount]);

// The set's file names as they are beside the program, in the order above:
// the data file first. False when they cannot be had.
bool SetFileNames(std::vector<std::wstring>* names);

// Which of the set's files name names (ignoring case); -1 for none.
int SetFileIndexOf(const std::wstring& name);

// True when path is one of the set's files beside the program whose change
// keeps a generation: any but the usage file.
bool IsLiveSetFile(const wchar_t* path);

// Reads the file whole; an absent one is not present. False when it is
// there but cannot be read.
bool ReadKeptFile(const std::wstring& path, KeptFile* file);
bool ReadSet(const std::wstring paths[kGenerationFileCount], GenerationSet* set);

bool SameSet(const GenerationSet& a, const GenerationSet& b);

// Each present file made new at its path, written and flushed.
bool WriteSetFiles(const std::wstring paths[kGenerationFileCount], const GenerationSet& set);

// Each file beside the program replaced crash-safely through files
// (data/user_file.h); one absent in the set is deleted, but for the usage file.
class UserFiles;
bool PutSetInPlace(const GenerationSet& set, UserFiles& files);
