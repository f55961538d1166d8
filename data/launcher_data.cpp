#include "data/launcher_data.h"

#include "data/atomic_file.h"
#include "data/legacy_import.h"
#include "data/user_file.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

#include <cstring>

namespace {
HeapObject<LauncherData> g_data;
HeapObject<AppSettings> g_settings;
int g_currentGroup = 0;

// A data file that existed but could not be loaded is kept aside before the
// first save replaces it.
bool g_damagedFileOnDisk = false;

// The field's text, ended inside the field, and zeros after it.
void TerminateField(char* field)
{
    const size_t length = strnlen(field, kTextFieldSize - 1);
    std::memset(field + length, 0, kTextFieldSize - length);
}

// Text read from a file may lack its terminator, or carry stray bytes after
// it: every field becomes its text followed by zeros.
void TerminateAllFields()
{
    for (GroupBlock& block : g_data->groups) {
        TerminateField(block.group.name);
        TerminateField(block.group.iconFile);
        for (ButtonRecord& button : block.buttons) {
            TerminateField(button.title);
            TerminateField(button.file);
            TerminateField(button.workDir);
            TerminateField(button.params);
            TerminateField(button.iconFile);
        }
    }
}

int StartGroup()
{
    if (!g_settings->startWithLastGroup)
        return 0;
    const int last = g_settings->lastGroup;
    return last >= 0 && last < kGroupCount ? last : 0;
}

// The older layout: each button record without its iconFile, which then
// comes from its file.
void TakeOldLayout(const char* bytes)
{
    for (GroupBlock& block : g_data->groups) {
        std::memcpy(&block.group, bytes, sizeof block.group);
        bytes += sizeof block.group;
        for (ButtonRecord& button : block.buttons) {
            std::memcpy(&button, bytes, kOldButtonSize);
            bytes += kOldButtonSize;
            std::memcpy(button.iconFile, button.file, kTextFieldSize);
        }
    }
    std::memcpy(g_settings.Get(), bytes, sizeof(AppSettings));
}

// The file's bytes as groups, buttons and settings; false for a file of
// neither layout's size.
bool TakeImage(const char* bytes, DWORD size)
{
    if (size == kDataFileSize) {
        std::memcpy(g_data.Get(), bytes, sizeof(LauncherData));
        std::memcpy(g_settings.Get(), bytes + sizeof(LauncherData), sizeof(AppSettings));
        return true;
    }
    if (size == kOldDataFileSize) {
        TakeOldLayout(bytes);
        return true;
    }
    return false;
}

bool FileExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD FileSizeOf(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &info) || info.nFileSizeHigh)
        return 0;
    return info.nFileSizeLow;
}

// A save interrupted after its temporary file was complete, but before the
// move, leaves no data file and a whole ".tmp" beside it: take it.
void RecoverInterruptedSave(const char* path)
{
    char temp[MAX_PATH + 8];
    if (FileExists(path) || !TemporaryPathFor(path, temp, sizeof temp))
        return;
    if (FileSizeOf(temp) == kDataFileSize)
        MoveFileExA(temp, path, MOVEFILE_WRITE_THROUGH);
}

// Moves the damaged data file to "<name>.bad" (or ".bad2", ".bad3" …), never
// replacing a copy kept earlier.
bool KeepDamagedFile(const char* path)
{
    if (!FileExists(path))
        return true;
    for (int n = 1; n < 1000; ++n) {
        char kept[MAX_PATH + 16];
        if (n == 1)
            wsprintfA(kept, "%s.bad", path);
        else
            wsprintfA(kept, "%s.bad%d", path, n);
        if (FileExists(kept))
            continue;
        return MoveFileExA(path, kept, MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    return false;
}

// A data file larger than either layout is damaged all the same.
constexpr DWORD kDataFileReadLimit = 4 * kDataFileSize;

enum class DataFileRead { Loaded, Damaged, NotRead };

// Reads the data file of either layout whole into the records.
DataFileRead ReadDataFile(const char* path)
{
    ScopedHeapBlock bytes;
    DWORD size = 0;
    switch (ReadUserFile(path, kDataFileReadLimit, &bytes, &size)) {
    case UserFileRead::Done:
        return TakeImage(static_cast<const char*>(bytes.Get()), size) ? DataFileRead::Loaded : DataFileRead::Damaged;
    case UserFileRead::TooLarge:
        return DataFileRead::Damaged;
    default:
        return DataFileRead::NotRead;
    }
}

// Nothing loaded: an empty bar with one group.
void StartEmpty()
{
    TerminateAllFields();
    g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
    g_currentGroup = 0;
    SelectCurrentGroup(0);
}

// The file was read and is damaged: it is kept aside at the next save.
bool LoadFailed(HWND owner)
{
    StartEmpty();
    ShowMessageId(owner, IDS_MSG_LOAD_FAILED, MB_OK | MB_ICONERROR);
    return false;
}

// The file is there but could not be read: it is left as it is for the run.
bool LoadHeldBack(HWND owner, const char* path)
{
    KeepUserFile(path);
    StartEmpty();
    TellUserFileKept(owner, path);
    return false;
}
}  // namespace

bool AllocateLauncherData()
{
    if (!g_data.Allocate() || !g_settings.Allocate()) {
        FreeLauncherData();
        ShowMessageId(nullptr, IDS_MSG_MEMORY_FAILED, MB_OK | MB_ICONERROR);
        return false;
    }
    g_currentGroup = 0;
    g_damagedFileOnDisk = false;
    return true;
}

void FreeLauncherData()
{
    g_data.Free();
    g_settings.Free();
    g_currentGroup = 0;
}

bool DataFilePath(char* buffer, DWORD size)
{
    // Only a program named with a three-letter extension has a data file:
    // x.exe keeps its data in x.dat.
    char program[MAX_PATH];
    if (GetProgramPath(program, sizeof program) == 0)
        return false;
    const char* extension = ExtensionOf(program);
    return extension && std::strlen(extension) == 4 && ProgramPathWithExtension("dat", buffer, size);
}

bool LoadLauncherData(HWND owner)
{
    if (!g_data || !g_settings)
        return false;
    char path[MAX_PATH];
    if (!DataFilePath(path, sizeof path))
        return LoadFailed(owner);

    RecoverInterruptedSave(path);
    if (!FileExists(path)) {
        if (owner)
            StoreWindowOrigin(owner);
        ImportLegacySettings(owner, g_data.Get(), g_settings.Get());
        g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
        TerminateAllFields();
        SelectCurrentGroup(0);
        return true;
    }

    // From here on a failure means a file the user had: one read and found
    // damaged is kept aside at the next save, one that could not be read is
    // not written at all.
    const DataFileRead read = ReadDataFile(path);
    if (read == DataFileRead::Damaged) {
        g_damagedFileOnDisk = true;
        return LoadFailed(owner);
    }
    if (read == DataFileRead::NotRead)
        return LoadHeldBack(owner, path);
    TerminateAllFields();
    g_settings->groupCount = ClampGroupCount(g_settings->groupCount);
    SelectCurrentGroup(StartGroup());
    return true;
}

bool SaveLauncherData(HWND owner)
{
    if (!g_data || !g_settings)
        return false;
    if (owner)
        StoreWindowOrigin(owner);
    g_settings->lastGroup = g_currentGroup;

    char path[MAX_PATH];
    bool ok = DataFilePath(path, sizeof path);
    if (ok && g_damagedFileOnDisk) {
        ok = KeepDamagedFile(path);
        if (ok)
            g_damagedFileOnDisk = false;
    }
    if (ok) {
        const WritePiece pieces[] = {{g_data.Get(), sizeof(LauncherData)}, {g_settings.Get(), sizeof(AppSettings)}};
        ok = ReplaceFileContents(path, pieces, 2);
    }
    if (!ok)
        ShowMessageId(owner, IDS_MSG_SAVE_FAILED, MB_OK | MB_ICONERROR);
    return ok;
}

void StoreField(char* field, const char* text)
{
    std::memset(field, 0, kTextFieldSize);
    if (text)
        CopyWholeCharacters(text, strnlen(text, kTextFieldSize), field, kTextFieldSize);
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
