#include "data/generation_files.h"

#include "data/button_options.h"
#include "data/data_file_path.h"
#include "data/usage_file.h"
#include "data/user_file.h"
#include "data/whole_names.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

namespace {
// Larger than any file of the set the launcher writes.
constexpr LONGLONG kKeptFileLimit = 8 * 1024 * 1024;

bool FitsMaxPath(const std::wstring& path)
{
    return !path.empty() && path.size() < MAX_PATH;
}

bool ReadAll(HANDLE file, KeptFile* kept)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kKeptFileLimit)
        return false;
    kept->bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(size.QuadPart);
    if (wanted && (!ReadFile(file, &kept->bytes[0], wanted, &read, nullptr) || read != wanted))
        return false;
    kept->present = true;
    return true;
}

bool WriteOne(const std::wstring& path, const std::string& bytes)
{
    if (!FitsMaxPath(path))
        return false;
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    if (size && (!WriteFile(file.Get(), bytes.data(), size, &written, nullptr) || written != size))
        return false;
    return FlushFileBuffers(file.Get()) != FALSE;
}

bool PutOneInPlace(const std::wstring& path, const KeptFile& file, bool usage, UserFiles& files)
{
    if (!file.present && usage)
        return true;  // a generation kept before there were counts: they stay
    if (!file.present)
        return files.Remove(path.c_str());
    const WritePiece piece = {file.bytes.data(), static_cast<DWORD>(file.bytes.size())};
    return files.Replace(path.c_str(), &piece, 1);
}
}  // namespace

bool LiveSetPaths(std::wstring paths[kGenerationFileCount])
{
    wchar_t data[MAX_PATH];
    wchar_t names[MAX_PATH];
    wchar_t options[MAX_PATH];
    wchar_t shortcuts[MAX_PATH];
    wchar_t usage[MAX_PATH];
    if (!DataFilePath(data, MAX_PATH) || !NamesFilePath(data, names, MAX_PATH) ||
        !OptionsFilePath(data, options, MAX_PATH) || !ProgramFolderFile(kShortcutFileName, shortcuts, MAX_PATH) ||
        !UsageFilePath(data, usage, MAX_PATH))
        return false;
    paths[kGenerationDataFile] = data;
    paths[kGenerationNamesFile] = names;
    paths[kGenerationOptionsFile] = options;
    paths[kGenerationShortcutFile] = shortcuts;
    paths[kGenerationUsageFile] = usage;
    return true;
}

bool SetPathsIn(const std::wstring& folder, std::wstring paths[kGenerationFileCount])
{
    std::wstring live[kGenerationFileCount];
    if (!LiveSetPaths(live))
        return false;
    for (int i = 0; i < kGenerationFileCount; ++i)
        paths[i] = folder + L"\\" + FileNameOf(live[i].c_str());
    return true;
}

bool SetFileNames(std::vector<std::wstring>* names)
{
    std::wstring live[kGenerationFileCount];
    if (!LiveSetPaths(live))
        return false;
    names->clear();
    for (const std::wstring& path : live)
        names->push_back(FileNameOf(path.c_str()));
    return true;
}

int SetFileIndexOf(const std::wstring& name)
{
    std::vector<std::wstring> names;
    if (!SetFileNames(&names))
        return -1;
    for (int i = 0; i < kGenerationFileCount; ++i)
        if (CompareStringOrdinal(names[i].c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return i;
    return -1;
}

bool IsLiveSetFile(const wchar_t* path)
{
    std::wstring live[kGenerationFileCount];
    if (!path || !LiveSetPaths(live))
        return false;
    for (int i = 0; i < kGenerationFileCount; ++i)
        if (i != kGenerationUsageFile && lstrcmpiW(live[i].c_str(), path) == 0)
            return true;
    return false;
}

bool ReadKeptFile(const std::wstring& path, KeptFile* file)
{
    *file = KeptFile{};
    if (!FitsMaxPath(path))
        return false;
    ScopedFile handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle)
        return ReadAll(handle.Get(), file);
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool ReadSet(const std::wstring paths[kGenerationFileCount], GenerationSet* set)
{
    for (int i = 0; i < kGenerationFileCount; ++i)
        if (!ReadKeptFile(paths[i], &set->files[i]))
            return false;
    return true;
}

bool SameSet(const GenerationSet& a, const GenerationSet& b)
{
    for (int i = 0; i < kGenerationFileCount; ++i) {
        const bool differ = a.files[i].present != b.files[i].present || a.files[i].bytes != b.files[i].bytes;
        if (differ && i != kGenerationUsageFile)
            return false;
    }
    return true;
}

bool WriteSetFiles(const std::wstring paths[kGenerationFileCount], const GenerationSet& set)
{
    for (int i = 0; i < kGenerationFileCount; ++i)
        if (set.files[i].present && !WriteOne(paths[i], set.files[i].bytes))
            return false;
    return true;
}

bool PutSetInPlace(const GenerationSet& set, UserFiles& files)
{
    std::wstring live[kGenerationFileCount];
    if (!LiveSetPaths(live))
        return false;
    bool ok = true;
    for (int i = 0; i < kGenerationFileCount; ++i)
        ok = PutOneInPlace(live[i], set.files[i], i == kGenerationUsageFile, files) && ok;
    return ok;
}
