#include "bar/button_icons.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/icon_cache.h"
#include "bar/icon_cache_file.h"
#include "bar/window_state.h"
#include "data/store_field.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/saved_changes.h"
#include "support/messages.h"
#include "support/modal_state.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>

namespace {
AssociatedIconFunction g_associatedIcon = nullptr;

HINSTANCE ProgramInstance()
{
    return GetModuleHandleW(nullptr);
}

HICON AssociatedIcon(wchar_t* path, WORD* index)
{
    return (g_associatedIcon ? g_associatedIcon : ExtractAssociatedIconW)(ProgramInstance(), path, index);
}

// ExtractIconW answers 1 for a file that holds no icons at all: that is no icon.
HICON UsableIcon(HICON icon)
{
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

HICON NotFoundInstead(HICON icon, int size)
{
    ReleaseIcon(icon);
    return LoadResourceIcon(IDI_NOT_FOUND, size);
}

// Icon number index (0 and up) of a file at size pixels. At 32 pixels the
// classic call, which answers the file's 32-pixel image; at other sizes the
// image nearest to size, scaled.
HICON ExtractIconAt(const wchar_t* path, int index, int size)
{
    if (size == kBarIconSize)
        return UsableIcon(ExtractIconW(ProgramInstance(), path, index));
    HICON icon = nullptr;
    const UINT count = PrivateExtractIconsW(path, index, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
    if (count == 0 || count == 0xFFFFFFFF) {
        if (icon)
            DestroyIcon(icon);
        return nullptr;
    }
    return icon;
}

// LoadButtonIcon for the bar's own images: an icon the bar showed before for
// the same unchanged file (the stored path as used) at the same pixel size
// comes back without being extracted again, from memory or else from the
// icon file an earlier run wrote.
HICON LoadKeptIcon(const wchar_t* path, int iconIndex, int size)
{
    wchar_t used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, kResolvedPathSize))
        return LoadButtonIcon(path, iconIndex, size);
    const IconCacheKey key = MakeIconCacheKey(used, iconIndex, size);
    if (HICON kept = LendCachedIcon(key))
        return kept;
    HICON icon = TakeFileIcon(key);
    if (!icon) {
        icon = LoadButtonIcon(path, iconIndex, size);
        NoteIconExtracted(key, icon);
    }
    LendNewIcon(key, icon);
    return icon;
}

// The icon source a record shows, as LoadKeptIcon looks it up; none off this
// machine, which may keep the window waiting on the network.
void AddSourceInUse(const wchar_t* source, int iconIndex, std::vector<IconSourceInUse>* inUse)
{
    wchar_t used[kResolvedPathSize];
    if (source[0] && !IconSourceOnNetwork(source) && ResolveIconSource(source, used, kResolvedPathSize))
        inUse->push_back({used, iconIndex});
}

std::vector<IconSourceInUse> SourcesOfGroupsInUse(const Launcher& launcher)
{
    std::vector<IconSourceInUse> inUse;
    const int groups = ClampGroupCount(launcher.Settings().groupCount);
    for (int g = 0; g < groups; ++g) {
        const GroupBlock& block = launcher.Data().groups[g];
        AddSourceInUse(block.group.iconFile, block.group.iconIndex, &inUse);
        for (const ButtonRecord& button : block.buttons)
            AddSourceInUse(button.iconFile[0] ? button.iconFile : button.file, button.iconIndex, &inUse);
    }
    return inUse;
}

using IconLoader = HICON (*)(const wchar_t* path, int iconIndex, int size);

HICON RecordIcon(const ButtonRecord& record, int size, IconLoader load);

HICON LoadGroupIcon(GroupRecord* record, int group, int size)
{
    if (record->iconFile[0] == L'\0') {
        wchar_t path[kFieldSize];
        if (GetProgramPath(path, kFieldSize) == 0)
            return LoadResourceIcon(IDI_NOT_FOUND, size);
        HICON icon = ExtractIconAt(path, group + 1, size);
        StoreField(record->iconFile, path);
        record->iconIndex = group + 1;
        return icon ? icon : LoadResourceIcon(IDI_NOT_FOUND, size);
    }
    return LoadKeptIcon(record->iconFile, record->iconIndex, size);
}

HICON RecordIcon(const ButtonRecord& record, int size, IconLoader load)
{
    const wchar_t* file = record.file;
    const wchar_t* source = record.iconFile[0] ? record.iconFile : file;
    HICON icon = source[0] ? load(source, record.iconIndex, size) : LoadResourceIcon(IDI_EMPTY_BUTTON, size);
    if (icon && file[0] && !StoredPathExists(file))
        icon = NotFoundInstead(icon, size);
    return icon;
}
}  // namespace

void SetButtonImage(HWND window, int controlId, HICON icon)
{
    HWND control = GetDlgItem(window, controlId);
    if (!control) {
        ReleaseIcon(icon);  // it was handed over: nobody else will free it
        return;
    }
    HICON old = reinterpret_cast<HICON>(
        SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    if (old && old != icon)
        ReleaseIcon(old);
}

HICON LoadResourceIcon(int resourceId, int size)
{
    return static_cast<HICON>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                         size, size, 0));
}

HICON LoadButtonIcon(const wchar_t* path, int iconIndex, int size)
{
    if (!path || path[0] == L'\0')
        return nullptr;
    wchar_t source[kResolvedPathSize];
    if (!ResolveIconSource(path, source, kResolvedPathSize))
        return LoadResourceIcon(IDI_NOT_FOUND, size);
    wchar_t work[kResolvedPathSize];  // the system's call may write another file's name over it
    lstrcpynW(work, source, kResolvedPathSize);

    // Below 0 ExtractIconW answers a count or looks up a resource id: a
    // damaged file's negative index means the file's own icon, as 0 does.
    if (iconIndex > 0) {
        HICON icon = ExtractIconAt(work, iconIndex, size);
        return icon ? icon : NotFoundInstead(nullptr, size);
    }
    WORD index = 0;
    HICON icon = UsableIcon(AssociatedIcon(work, &index));
    if (!icon || std::wcscmp(work, source) != 0)
        return NotFoundInstead(icon, size);
    // The system's call answers 32 pixels: the same icon of the file taken
    // again at the size asked for, where the file gives it.
    if (size != kBarIconSize) {
        if (HICON sized = ExtractIconAt(work, static_cast<short>(index), size)) {
            DestroyIcon(icon);
            icon = sized;
        }
    }
    return icon;
}

HICON LoadRecordIcon(const ButtonRecord& record, int size)
{
    return RecordIcon(record, size, LoadButtonIcon);
}

// A dialog or a menu of the launcher works on the group it was opened over.
bool ShowGroup(HWND mainWindow, int group)
{
    Launcher& launcher = LauncherOf(mainWindow);
    if (group < 0 || group >= kGroupCount || (group != launcher.CurrentGroup() && DialogOrMenuOpen(mainWindow)) ||
        !launcher.SelectGroup(group))
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int size = BarIconSize(WindowDpi(mainWindow));
    SetButtonImage(mainWindow, IDC_GROUP_BUTTON, LoadGroupIcon(&launcher.CurrentGroupRecord(), group, size));
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        const ButtonRecord* record = launcher.CurrentButton(i);
        SetButtonImage(mainWindow, IDC_FIRST_LAUNCHER + i, record ? RecordIcon(*record, size, LoadKeptIcon) : nullptr);
    }
    UpdateBarTooltips(mainWindow);
    return true;
}

void RenewBorrowedBarIcons(HWND mainWindow)
{
    if (RenewBorrowedIcons(LoadButtonIcon))
        ShowGroup(mainWindow, LauncherOf(mainWindow).CurrentGroup());
}

void SaveBarIconFile(HWND mainWindow)
{
    if (IconCacheFileStale())
        WriteIconCacheFile(SourcesOfGroupsInUse(LauncherOf(mainWindow)));
}

bool StepGroup(HWND mainWindow, bool forward)
{
    const Launcher& launcher = LauncherOf(mainWindow);
    const int count = ClampGroupCount(launcher.Settings().groupCount);
    int target = launcher.CurrentGroup() + (forward ? 1 : -1);
    if (target > kGroupCount - 1 || target >= count)
        target = 0;
    if (target < 0)
        target = count - 1;
    ShowGroup(mainWindow, target);
    return true;
}

bool ClearButton(HWND mainWindow, int index)
{
    Launcher& launcher = LauncherOf(mainWindow);
    ButtonRecord* record = launcher.CurrentButton(index);
    if (!record)
        return false;
    wchar_t question[kFieldSize + 128];
    FormatText(question, ARRAYSIZE(question), IDS_ASK_CLEAR_BUTTON, record->title);
    if (ShowMessage(mainWindow, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;

    std::memset(record, 0, sizeof *record);
    SetButtonImage(mainWindow, IDC_FIRST_LAUNCHER + index,
                   LoadResourceIcon(IDI_EMPTY_BUTTON, BarIconSize(WindowDpi(mainWindow))));

    ClearButtonShortcut(mainWindow, launcher, launcher.CurrentGroup(), index);
    UpdateBarTooltips(mainWindow);
    SaveChanges(mainWindow, launcher);  // the button and its key go together
    return true;
}

void OverrideAssociatedIcon(AssociatedIconFunction function)
{
    g_associatedIcon = function;
}
