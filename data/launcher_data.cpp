#include "data/launcher_data.h"

#include "data/button_options.h"
#include "data/legacy_import.h"
#include "data/stored_image.h"
#include "data/whole_names.h"
#include "support/file_kind.h"
#include "support/path_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
int StartGroup(const AppSettings& settings)
{
    if (!settings.startWithLastGroup)
        return 0;
    const int last = settings.lastGroup;
    return last >= 0 && last < kGroupCount ? last : 0;
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

// Reads the data file of either layout whole into the loaded image and the settings.
DataFileRead ReadDataFile(Launcher& launcher, const wchar_t* path)
{
    ScopedHeapBlock bytes;
    DWORD size = 0;
    switch (launcher.Files().Read(path, kDataFileReadLimit, &bytes, &size)) {
    case UserFileRead::Done:
        return TakeStoredImage(static_cast<const char*>(bytes.Get()), size, &launcher.Loaded().stored,
                               &launcher.Settings())
                   ? DataFileRead::Loaded
                   : DataFileRead::Damaged;
    case UserFileRead::TooLarge:
        return DataFileRead::Damaged;
    default:
        return DataFileRead::NotRead;
    }
}

// Nothing taken from a data file: every field is new to it.
void ForgetLoadedImage(Launcher& launcher)
{
    std::memset(&launcher.Loaded(), 0, sizeof(LoadedImage));
}

// The image loaded, and the whole names and the options beside it, as the
// records; the start group the settings ask for.
DataLoad TakeLoadedImage(Launcher& launcher, const wchar_t* path)
{
    DataLoad load;
    load.outcome = DataLoadOutcome::Loaded;
    LoadedImage& loaded = launcher.Loaded();
    TerminateStoredFields(&loaded.stored);
    DecodeStoredData(loaded.stored, &launcher.Data());
    wchar_t names[MAX_PATH];
    if (NamesFilePath(path, names, MAX_PATH)) {
        ReadNamesFile(names, &launcher.Data(), launcher.Files());
        load.held = launcher.Files().LoadOf(names, true).held;
    }
    wchar_t options[MAX_PATH];
    if (OptionsFilePath(path, options, MAX_PATH))
        ReadButtonOptions(options, &launcher.Data(), &launcher.Options(), launcher.Files());
    loaded.records = launcher.Data();
    AppSettings& settings = launcher.Settings();
    settings.groupCount = ClampGroupCount(settings.groupCount);
    launcher.SelectGroup(StartGroup(settings));
    return load;
}

// Nothing loaded: an empty bar with one group.
void StartEmpty(Launcher& launcher)
{
    ForgetLoadedImage(launcher);
    std::memset(&launcher.Data(), 0, sizeof(LauncherData));
    launcher.Settings().groupCount = ClampGroupCount(launcher.Settings().groupCount);
    launcher.SelectGroup(0);
}

// No data file: the window's place, then what porun.ini holds or the first start's defaults.
DataLoad StartFirst(Launcher& launcher, HWND window)
{
    if (window)
        StoreWindowOrigin(window, &launcher.Settings());
    ForgetLoadedImage(launcher);
    DataLoad load;
    load.outcome = DataLoadOutcome::FirstStart;
    load.iniPathMissing =
        ImportLegacySettings(&launcher.Data(), &launcher.Settings(), launcher.Files()) == LegacyImport::NoPath;
    launcher.Settings().groupCount = ClampGroupCount(launcher.Settings().groupCount);
    launcher.SelectGroup(0);
    return load;
}

DataLoad Outcome(DataLoadOutcome outcome, const wchar_t* held = L"")
{
    DataLoad load;
    load.outcome = outcome;
    load.held = held;
    return load;
}

// The records into the image, then the image to the data file and the
// names it cannot hold beside it. A data file this run does not write gets
// no names file either: the one there belongs to it.
bool WriteDataFile(Launcher& launcher, const wchar_t* path)
{
    LoadedImage& loaded = launcher.Loaded();
    EncodeStoredData(launcher.Data(), loaded.records, &loaded.stored);
    loaded.records = launcher.Data();
    const WritePiece pieces[] = {{&loaded.stored, sizeof(StoredData)}, {&launcher.Settings(), sizeof(AppSettings)}};
    UserFiles& files = launcher.Files();
    if (!files.Replace(path, pieces, 2))
        return false;
    if (files.Kept(path))
        return true;
    wchar_t options[MAX_PATH];
    if (OptionsFilePath(path, options, MAX_PATH) &&
        !WriteButtonOptions(options, launcher.Data(), launcher.Options(), files))
        return false;
    wchar_t names[MAX_PATH];
    return !NamesFilePath(path, names, MAX_PATH) || WriteNamesFile(names, launcher.Data(), loaded.stored, files);
}
}  // namespace

DataLoad LoadLauncherData(Launcher& launcher, HWND window)
{
    wchar_t path[MAX_PATH];
    if (!DataFilePath(path, MAX_PATH)) {
        StartEmpty(launcher);
        return Outcome(DataLoadOutcome::NoPath);
    }
    RecoverInterruptedSave(path);
    if (!FileExists(path))
        return StartFirst(launcher, window);

    // From here on a failure means a file the user had: one read and found
    // damaged is moved aside (SetDamagedDataAside), one that could not be
    // read is not written at all.
    switch (ReadDataFile(launcher, path)) {
    case DataFileRead::Loaded:
        return TakeLoadedImage(launcher, path);
    case DataFileRead::Damaged: {
        DataLoad load = Outcome(DataLoadOutcome::Damaged);
        GenerationSummary good;
        if (NewestGoodGeneration(&good))
            load.offer = good;
        return load;
    }
    case DataFileRead::NotRead:
        break;
    }
    launcher.Files().Keep(path);
    StartEmpty(launcher);
    return Outcome(DataLoadOutcome::HeldBack, path);
}

DataLoad TakeOfferedGeneration(Launcher& launcher, const std::wstring& generation)
{
    wchar_t path[MAX_PATH];
    std::wstring moved;
    if (DataFilePath(path, MAX_PATH) && launcher.History().Keep() != KeepResult::Failed &&
        MoveDamagedSetAside(path, &moved) && launcher.History().PutInPlace(generation, launcher.Files()) &&
        ReadDataFile(launcher, path) == DataFileRead::Loaded)
        return TakeLoadedImage(launcher, path);
    return Outcome(DataLoadOutcome::Damaged);
}

DamagedSet SetDamagedDataAside(Launcher& launcher)
{
    StartEmpty(launcher);
    DamagedSet set;
    wchar_t path[MAX_PATH];
    if (!DataFilePath(path, MAX_PATH))
        return set;
    set.movedAside = MoveDamagedSetAside(path, &set.moved);
    if (!set.movedAside)
        launcher.Files().Keep(path);
    return set;
}

bool SaveLauncherData(Launcher& launcher, HWND window)
{
    if (window)
        StoreWindowOrigin(window, &launcher.Settings());
    launcher.Settings().lastGroup = launcher.CurrentGroup();
    GenerationScope oneGeneration(launcher.History());
    wchar_t path[MAX_PATH];
    return DataFilePath(path, MAX_PATH) && WriteDataFile(launcher, path);
}

void StoreWindowOrigin(HWND window, AppSettings* settings)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    settings->windowX = rect.left;
    settings->windowY = rect.top;
}
