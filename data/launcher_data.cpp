#include "data/launcher_data.h"

#include "data/atomic_file.h"
#include "data/button_options.h"
#include "data/generation_summary.h"
#include "data/generations.h"
#include "data/legacy_import.h"
#include "data/stored_image.h"
#include "data/user_file.h"
#include "data/whole_names.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {
HeapObject<LauncherData> g_data;
HeapObject<AppSettings> g_settings;
int g_currentGroup = 0;
LauncherOptions g_options = {};

// The image as loaded, and the records as they were then: what no one
// changed is written back with the bytes it came from.
HeapObject<StoredData> g_stored;
HeapObject<LauncherData> g_loaded;

int StartGroup()
{
    if (!g_settings->startWithLastGroup)
        return 0;
    const int last = g_settings->lastGroup;
    return last >= 0 && last < kGroupCount ? last : 0;
}

bool FileExists(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD FileSizeOf(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &info) || info.nFileSizeHigh)
        return 0;
    return info.nFileSizeLow;
}

// A save interrupted after its temporary file was complete, but before the
// move, leaves no data file and a whole ".tmp" beside it: take it.
void RecoverInterruptedSave(const wchar_t* path)
{
    wchar_t temp[MAX_PATH + 8];
    if (FileExists(path) || !TemporaryPathFor(path, temp, MAX_PATH + 8))
        return;
    if (FileSizeOf(temp) == kDataFileSize)
        MoveFileExW(temp, path, MOVEFILE_WRITE_THROUGH);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The data file and the names and options files beside it, which belong to
// it; the data file last. Only those that are there.
std::vector<std::wstring> DataFileSet(const wchar_t* path)
{
    std::vector<std::wstring> set;
    wchar_t names[MAX_PATH];
    wchar_t options[MAX_PATH];
    if (NamesFilePath(path, names, MAX_PATH))
        set.push_back(names);
    if (OptionsFilePath(path, options, MAX_PATH))
        set.push_back(options);
    set.push_back(path);
    std::vector<std::wstring> present;
    for (const std::wstring& file : set)
        if (FileExists(file.c_str()))
            present.push_back(file);
    return present;
}

// Moves the damaged data file and the files that belong to it to
// "<name>.bad" (or ".bad2", ".bad3" …: the first suffix none of them has
// yet), never replacing a copy kept earlier. movedTo gets their new names,
// one a line, the data file's first. False when one could not be moved (the
// data file, moved last, then stays).
bool MoveDamagedSetAside(const wchar_t* path, std::wstring* movedTo)
{
    const std::vector<std::wstring> set = DataFileSet(path);
    for (int n = 1; n < 1000; ++n) {
        const std::wstring suffix = n == 1 ? L".bad" : L".bad" + std::to_wstring(n);
        if (std::any_of(set.begin(), set.end(), [&suffix](const std::wstring& file) { return Exists(file + suffix); }))
            continue;
        std::wstring names;
        for (const std::wstring& file : set) {
            const std::wstring kept = file + suffix;
            if (!MoveFileExW(file.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH))
                return false;
            names += L"\n" + std::wstring(FileNameOf(kept.c_str()));
        }
        const size_t last = names.rfind(L'\n');
        *movedTo = names.substr(last + 1) + names.substr(0, last);
        return true;
    }
    return false;
}

// A data file larger than either layout is damaged all the same.
constexpr DWORD kDataFileReadLimit = 4 * kDataFileSize;

enum class DataFileRead { Loaded, Damaged, NotRead };

// Reads the data file of either layout whole into the records.
DataFileRead ReadDataFile(const wchar_t* path)
{
    ScopedHeapBlock bytes;
    DWORD size = 0;
    switch (ReadUserFile(path, kDataFileReadLimit, &bytes, &size)) {
    case UserFileRead::Done:
        return TakeStoredImage(static_cast<const char*>(bytes.Get()), size, g_stored.Get(), g_settings.Get())
                   ? DataFileRead::Loaded
                   : DataFileRead::Damaged;
    case UserFileRead::TooLarge:
        return DataFileRead::Damaged;
    default:
        return DataFileRead::NotRead;
    }
}

// Nothing taken from a data file: every field is new to it.
void ForgetLoadedImage()
{
    std::memset(g_stored.Get(), 0, sizeof(StoredData));
    std::memset(g_loaded.Get(), 0, sizeof(LauncherData));
}

// The image loaded, and the whole names beside it, as the records.
void TakeLoadedImage(HWND owner, const wchar_t* path)
{
    TerminateStoredFields(g_stored.Get());
    DecodeStoredData(*g_stored, g_data.Get());
    wchar_t names[MAX_PATH];
    if (NamesFilePath(path, names, MAX_PATH)) {
        ReadNamesFile(names, g_data.Get());
        TellUserFileKept(owner, names);
    }
    wchar_t options[MAX_PATH];
    if (OptionsFilePath(path, options, MAX_PATH))
        ReadButtonOptions(options, g_data.Get(), &g_options);
    *g_loaded = *g_data;
}

// Nothing loaded: an empty bar with one group.
void StartEmpty()
{
    ForgetLoadedImage();
    std::memset(g_data.Get(), 0, sizeof(LauncherData));
    g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
    g_currentGroup = 0;
    SelectCurrentGroup(0);
}

// The data file's path cannot be had.
bool LoadFailed(HWND owner)
{
    StartEmpty();
    ShowMessageId(owner, IDS_MSG_LOAD_FAILED, MB_OK | MB_ICONERROR);
    return false;
}

// "データの読み込みに失敗したのら！！", then where the damaged files went.
void TellDamaged(HWND owner, bool movedAside, const std::wstring& moved)
{
    wchar_t failed[256];
    wchar_t second[kFormattedTextLimit + 1];
    if (!LoadText(IDS_MSG_LOAD_FAILED, failed, 256) ||
        !FormatText(second, ARRAYSIZE(second), movedAside ? IDS_MSG_DAMAGED_SET_MOVED : IDS_MSG_DAMAGED_SET_LEFT,
                    moved.c_str()))
        return;
    ShowMessage(owner, (std::wstring(failed) + L"\n\n" + second).c_str(), MB_OK | MB_ICONERROR);
}

// The file was read and is damaged: it is moved aside with the files that
// belong to it, and the launcher starts empty. One that cannot be moved is
// not written this run.
bool LoadDamaged(HWND owner, const wchar_t* path)
{
    StartEmpty();
    std::wstring moved;
    const bool movedAside = MoveDamagedSetAside(path, &moved);
    if (!movedAside)
        KeepUserFile(path);
    TellDamaged(owner, movedAside, moved);
    return false;
}

// The file is there but could not be read: it is left as it is for the run.
bool LoadHeldBack(HWND owner, const wchar_t* path)
{
    KeepUserFile(path);
    StartEmpty();
    TellUserFileKept(owner, path);
    return false;
}
// A damaged data file: the newest generation that reads is offered. Taken,
// the files as they are now are kept as a generation first (nothing is
// taken when they cannot be), the damaged ones are moved aside, and the
// generation's files are put in place and read.
bool TakeGoodGeneration(HWND owner, const wchar_t* path)
{
    GenerationSummary good;
    wchar_t text[kFormattedTextLimit + 1];
    if (!NewestGoodGeneration(&good) ||
        !FormatText(text, ARRAYSIZE(text), IDS_MSG_OFFER_GENERATION, GenerationTimeText(good.time).c_str()))
        return false;
    if (ShowMessage(owner, text, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    std::wstring moved;
    return KeepGeneration() != KeepResult::Failed && MoveDamagedSetAside(path, &moved) &&
           PutGenerationInPlace(good.name) && ReadDataFile(path) == DataFileRead::Loaded;
}

// The records into the image, then the image to the data file and the
// names it cannot hold beside it. A data file this run does not write gets
// no names file either: the one there belongs to it.
bool WriteDataFile(const wchar_t* path)
{
    EncodeStoredData(*g_data, *g_loaded, g_stored.Get());
    *g_loaded = *g_data;
    const WritePiece pieces[] = {{g_stored.Get(), sizeof(StoredData)}, {g_settings.Get(), sizeof(AppSettings)}};
    if (!ReplaceFileContents(path, pieces, 2))
        return false;
    if (UserFileKept(path))
        return true;
    wchar_t options[MAX_PATH];
    if (OptionsFilePath(path, options, MAX_PATH) && !WriteButtonOptions(options, *g_data, g_options))
        return false;
    wchar_t names[MAX_PATH];
    return !NamesFilePath(path, names, MAX_PATH) || WriteNamesFile(names, *g_data, *g_stored);
}
}  // namespace

bool AllocateLauncherData()
{
    if (!g_data.Allocate() || !g_settings.Allocate() || !g_stored.Allocate() || !g_loaded.Allocate()) {
        FreeLauncherData();
        ShowMessageId(nullptr, IDS_MSG_MEMORY_FAILED, MB_OK | MB_ICONERROR);
        return false;
    }
    g_currentGroup = 0;
    g_options = {};
    KeepGenerationsOfSaves(true);
    return true;
}

void FreeLauncherData()
{
    KeepGenerationsOfSaves(false);
    g_data.Free();
    g_settings.Free();
    g_stored.Free();
    g_loaded.Free();
    g_currentGroup = 0;
}

bool LoadLauncherData(HWND owner)
{
    if (!g_data || !g_settings || !g_stored || !g_loaded)
        return false;
    wchar_t path[MAX_PATH];
    if (!DataFilePath(path, MAX_PATH))
        return LoadFailed(owner);

    RecoverInterruptedSave(path);
    if (!FileExists(path)) {
        if (owner)
            StoreWindowOrigin(owner);
        ForgetLoadedImage();
        ImportLegacySettings(owner, g_data.Get(), g_settings.Get());
        g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
        SelectCurrentGroup(0);
        return true;
    }

    // From here on a failure means a file the user had: one read and found
    // damaged is moved aside now, one that could not be read is not written
    // at all.
    DataFileRead read = ReadDataFile(path);
    if (read == DataFileRead::Damaged && TakeGoodGeneration(owner, path))
        read = DataFileRead::Loaded;
    if (read == DataFileRead::Damaged)
        return LoadDamaged(owner, path);
    if (read == DataFileRead::NotRead)
        return LoadHeldBack(owner, path);
    TakeLoadedImage(owner, path);
    g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
    SelectCurrentGroup(StartGroup());
    return true;
}

bool SaveLauncherData(HWND owner)
{
    if (!g_data || !g_settings || !g_stored || !g_loaded)
        return false;
    if (owner)
        StoreWindowOrigin(owner);
    g_settings->lastGroup = g_currentGroup;

    GenerationScope oneGeneration;
    wchar_t path[MAX_PATH];
    const bool ok = DataFilePath(path, MAX_PATH) && WriteDataFile(path);
    if (!ok)
        ShowMessageId(owner, IDS_MSG_SAVE_FAILED, MB_OK | MB_ICONERROR);
    return ok;
}

void StoreWindowOrigin(HWND window)
{
    RECT rect;
    if (!g_settings || !GetWindowRect(window, &rect))
        return;
    g_settings->windowX = rect.left;
    g_settings->windowY = rect.top;
}

AppSettings GetSettings()
{
    return g_settings ? *g_settings : AppSettings{};
}

void SetSettings(const AppSettings& settings)
{
    if (g_settings)
        *g_settings = settings;
}

LauncherOptions GetLauncherOptions()
{
    return g_options;
}

void SetLauncherOptions(const LauncherOptions& options)
{
    g_options = options;
}

bool GetAlwaysOnTop()
{
    return g_settings && g_settings->alwaysOnTop;
}

void SetAlwaysOnTop(bool on)
{
    if (g_settings)
        g_settings->alwaysOnTop = on ? 1 : 0;
}

int CurrentGroupIndex()
{
    return g_currentGroup;
}

bool SelectCurrentGroup(int group)
{
    if (group < 0 || group >= kGroupCount)
        return false;
    g_currentGroup = group;
    return true;
}

GroupRecord* CurrentGroupRecord()
{
    return g_data ? &g_data->groups[g_currentGroup].group : nullptr;
}

GroupRecord GetCurrentGroupRecord()
{
    return g_data ? g_data->groups[g_currentGroup].group : GroupRecord{};
}

void SetCurrentGroupRecord(const GroupRecord& record)
{
    if (g_data)
        g_data->groups[g_currentGroup].group = record;
}

bool IsValidButtonIndex(int index)
{
    return g_data && index >= 0 && index < kButtonsPerGroup;
}

ButtonRecord* CurrentButton(int index)
{
    return IsValidButtonIndex(index) ? &g_data->groups[g_currentGroup].buttons[index] : nullptr;
}

bool SetButtonRecord(int index, const ButtonRecord& record)
{
    ButtonRecord* button = CurrentButton(index);
    if (!button)
        return false;
    *button = record;
    return true;
}

LauncherData* LauncherImage()
{
    return g_data.Get();
}

ButtonRecord* ButtonAt(int group, int index)
{
    if (!g_data || group < 0 || group >= kGroupCount || index < 0 || index >= kButtonsPerGroup)
        return nullptr;
    return &g_data->groups[group].buttons[index];
}
