#include "data/generations.h"

#include "data/generation_rule.h"
#include "support/file_kind.h"
#include "support/folder_removal.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

#include <cstring>
#include <cwchar>

namespace {
GenerationClock g_clock = nullptr;

constexpr wchar_t kWritingSuffix[] = L".tmp";  // a generation being written

void Now(SYSTEMTIME* time)
{
    if (g_clock)
        g_clock(time);
    else
        GetLocalTime(time);
}

bool GenerationsFolder(std::wstring* folder)
{
    wchar_t path[MAX_PATH];
    if (!ProgramFolderFile(kGenerationsFolderName, path, MAX_PATH))
        return false;
    *folder = path;
    return true;
}

bool MakeFolder(const std::wstring& path)
{
    return CreateDirectoryW(path.c_str(), nullptr) || (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path.c_str()));
}

// A generation's name, or one with the writing suffix after it.
bool NamedLikeAGeneration(const std::wstring& name, bool* writing)
{
    const size_t suffix = wcslen(kWritingSuffix);
    *writing = name.size() > suffix && name.compare(name.size() - suffix, suffix, kWritingSuffix) == 0;
    SYSTEMTIME ignored;
    return GenerationTime(*writing ? name.substr(0, name.size() - suffix) : name, &ignored);
}

// Every subfolder name of folder, links among them.
std::vector<std::wstring> SubfolderNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    ScopedFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find.Get(), &found));
    return names;
}

enum class Held { Generation, Leftover, Other };

// What a subfolder of the generations' folder holds. Files of the set only,
// the data file among them, under a generation's name: a generation. Files
// of the set only, but under "<name>.tmp" (a write cut short) or without the
// data file (a removal cut short): a leftover, removed at the next keep.
// Anything else (another file, a subfolder, a link) is not the launcher's.
Held Inspect(const std::wstring& folder, const std::wstring& name)
{
    bool writing = false;
    std::vector<std::wstring> files;
    if (!NamedLikeAGeneration(name, &writing) || !ListPlainFiles(folder + L"\\" + name, &files))
        return Held::Other;
    bool data = false;
    for (const std::wstring& file : files) {
        const int index = SetFileIndexOf(file);
        if (index < 0)
            return Held::Other;
        data = data || index == kGenerationDataFile;
    }
    return data && !writing ? Held::Generation : Held::Leftover;
}

// The data file goes first, so that a removal cut short leaves no generation
// that looks whole.
bool RemoveGenerationFolder(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    return SetFileNames(&names) && RemovePlainFolder(folder, names);
}

void RemoveLeftovers(const std::wstring& folder)
{
    for (const std::wstring& name : SubfolderNames(folder))
        if (Inspect(folder, name) == Held::Leftover)
            RemoveGenerationFolder(folder + L"\\" + name);
}

// The time's name, or with "-2", "-3" … the first one not taken.
std::wstring FreeName(const std::wstring& folder, const SYSTEMTIME& time)
{
    const std::wstring base = GenerationName(time);
    std::wstring name = base;
    for (int n = 2; IsFolder((folder + L"\\" + name).c_str()) && n < 1000; ++n)
        name = base + L"-" + std::to_wstring(n);
    return name;
}

bool NewestEquals(const GenerationSet& set)
{
    const std::vector<std::wstring> names = ListGenerations();
    GenerationSet newest;
    return !names.empty() && ReadGeneration(names.front(), &newest) && SameSet(newest, set);
}

// Into "<name>.tmp", every file flushed, then renamed into place in one step.
bool WriteGeneration(const std::wstring& folder, const GenerationSet& set)
{
    SYSTEMTIME now;
    Now(&now);
    const std::wstring name = FreeName(folder, now);
    const std::wstring writing = folder + L"\\" + name + kWritingSuffix;
    std::wstring paths[kGenerationFileCount];
    if (!SetPathsIn(writing, paths) || !CreateDirectoryW(writing.c_str(), nullptr))
        return false;
    if (WriteSetFiles(paths, set) && MoveFileExW(writing.c_str(), (folder + L"\\" + name).c_str(), 0))
        return true;
    RemoveGenerationFolder(writing);
    return false;
}

void Prune(const std::wstring& folder)
{
    const std::vector<std::wstring> names = ListGenerations();
    std::vector<SYSTEMTIME> times;
    for (const std::wstring& name : names) {
        SYSTEMTIME time = {};
        GenerationTime(name, &time);
        times.push_back(time);
    }
    SYSTEMTIME today;
    Now(&today);
    const std::vector<bool> kept = GenerationsKept(times, today);
    for (size_t i = 0; i < names.size(); ++i)
        if (!kept[i])
            RemoveGenerationFolder(folder + L"\\" + names[i]);
}

KeepResult KeepSet()
{
    std::wstring live[kGenerationFileCount];
    GenerationSet set;
    if (!LiveSetPaths(live) || !ReadSet(live, &set))
        return KeepResult::Failed;
    if (!set.files[kGenerationDataFile].present || NewestEquals(set))
        return KeepResult::NotNeeded;
    std::wstring folder;
    if (!GenerationsFolder(&folder) || !MakeFolder(folder))
        return KeepResult::Failed;
    RemoveLeftovers(folder);
    if (!WriteGeneration(folder, set))
        return KeepResult::Failed;
    Prune(folder);
    return KeepResult::Kept;
}

bool SameAsPieces(const KeptFile& file, const WritePiece* pieces, int count)
{
    size_t offset = 0;
    for (int i = 0; i < count; ++i) {
        if (offset + pieces[i].size > file.bytes.size() ||
            std::memcmp(file.bytes.data() + offset, pieces[i].data, pieces[i].size) != 0)
            return false;
        offset += pieces[i].size;
    }
    return file.present && offset == file.bytes.size();
}
}  // namespace

SeamGuard OverrideGenerationClock(GenerationClock clock)
{
    return OverrideSeam(g_clock, clock);
}

GenerationScope::GenerationScope(Generations& generations) : generations_(generations)
{
    ++generations_.scopeDepth_;
}

GenerationScope::~GenerationScope()
{
    if (--generations_.scopeDepth_ == 0)
        generations_.keptInScope_ = false;
}

void Generations::TellFirstFailureTo(HWND window, UINT message)
{
    failureWindow_ = window;
    failureMessage_ = message;
}

KeepResult Generations::Keep()
{
    const KeepResult result = KeepSet();
    if (result == KeepResult::Failed && failureWindow_) {
        PostMessageW(failureWindow_, failureMessage_, 0, 0);
        failureWindow_ = nullptr;
    }
    return result;
}

// False when the set had to be kept and could not.
bool Generations::KeepOncePerScope()
{
    if (keptInScope_)
        return true;
    keptInScope_ = scopeDepth_ > 0;
    return Keep() != KeepResult::Failed;
}

// What the user's files tell before one of them is replaced or removed.
void Generations::BeforeChange(const wchar_t* path, const WritePiece* pieces, int count)
{
    if (keptInScope_ || !IsLiveSetFile(path))
        return;
    if (!pieces) {
        if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
            KeepOncePerScope();
        return;
    }
    KeptFile now;
    if (!ReadKeptFile(path, &now) || !SameAsPieces(now, pieces, count))
        KeepOncePerScope();
}

bool Generations::Restore(const std::wstring& name, UserFiles& files)
{
    GenerationSet set;
    if (!ReadGeneration(name, &set))
        return false;
    GenerationScope scope(*this);
    return KeepOncePerScope() && PutSetInPlace(set, files);
}

bool Generations::PutInPlace(const std::wstring& name, UserFiles& files)
{
    GenerationSet set;
    if (!ReadGeneration(name, &set))
        return false;
    GenerationScope scope(*this);
    keptInScope_ = true;  // the caller kept what it had to
    return PutSetInPlace(set, files);
}

std::vector<std::wstring> ListGenerations()
{
    std::vector<std::wstring> names;
    std::wstring folder;
    if (!GenerationsFolder(&folder))
        return names;
    for (const std::wstring& name : SubfolderNames(folder))
        if (Inspect(folder, name) == Held::Generation)
            names.push_back(name);
    SYSTEMTIME now;
    Now(&now);
    return NewestFirst(names, now);
}

bool ReadGeneration(const std::wstring& name, GenerationSet* set)
{
    std::wstring folder;
    std::wstring paths[kGenerationFileCount];
    return GenerationsFolder(&folder) && Inspect(folder, name) == Held::Generation &&
           SetPathsIn(folder + L"\\" + name, paths) && ReadSet(paths, set);
}
