#include "bar/button_icons.h"

#include "bar/bar_geometry.h"
#include "data/store_field.h"
#include "resources/resource_ids.h"
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

// The not-found picture in place of a fresh icon, which is destroyed.
HICON NotFoundInstead(HICON icon, int size)
{
    if (icon)
        DestroyIcon(icon);
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
HICON LoadKeptIcon(ButtonBar& bar, const wchar_t* path, int iconIndex, int size)
{
    wchar_t used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, kResolvedPathSize))
        return LoadButtonIcon(path, iconIndex, size);
    const IconCacheKey key = MakeIconCacheKey(used, iconIndex, size);
    if (HICON kept = bar.icons.Lend(key))
        return kept;
    HICON icon = bar.iconFile.TakeIcon(key);
    if (!icon) {
        icon = LoadButtonIcon(path, iconIndex, size);
        bar.iconFile.NoteExtracted(key, icon, bar.icons);
    }
    bar.icons.LendNew(key, icon);
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

// The icon record shows: the empty icon, its icon source's icon (through
// bar's kept icons when given), or the not-found icon when its file is gone.
HICON RecordIcon(const ButtonRecord& record, int size, ButtonBar* bar)
{
    const wchar_t* file = record.file;
    const wchar_t* source = record.iconFile[0] ? record.iconFile : file;
    if (!source[0])
        return LoadResourceIcon(IDI_EMPTY_BUTTON, size);
    HICON icon = bar ? LoadKeptIcon(*bar, source, record.iconIndex, size)
                     : LoadButtonIcon(source, record.iconIndex, size);
    if (!icon || !file[0] || StoredPathExists(file))
        return icon;
    if (bar)
        bar->icons.Release(icon);
    else
        DestroyIcon(icon);
    return LoadResourceIcon(IDI_NOT_FOUND, size);
}
}  // namespace

void SetButtonImage(ButtonBar& bar, int controlId, HICON icon)
{
    HWND control = GetDlgItem(bar.window, controlId);
    if (!control) {
        bar.icons.Release(icon);  // it was handed over: nobody else will free it
        return;
    }
    HICON old = reinterpret_cast<HICON>(
        SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    if (old && old != icon)
        bar.icons.Release(old);
}

void SetDialogButtonImage(HWND dialog, int controlId, HICON icon)
{
    HWND control = GetDlgItem(dialog, controlId);
    HICON old = control ? reinterpret_cast<HICON>(
                              SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)))
                        : nullptr;
    if (!control && icon)
        DestroyIcon(icon);  // it was handed over: nobody else will free it
    if (old && old != icon)
        DestroyIcon(old);
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
    return RecordIcon(record, size, nullptr);
}

HICON LoadBarRecordIcon(ButtonBar& bar, const ButtonRecord& record, int size)
{
    return RecordIcon(record, size, &bar);
}

HICON LoadGroupIcon(ButtonBar& bar, int size)
{
    const int group = bar.launcher.CurrentGroup();
    GroupRecord& record = bar.launcher.CurrentGroupRecord();
    if (record.iconFile[0] != L'\0')
        return LoadKeptIcon(bar, record.iconFile, record.iconIndex, size);
    wchar_t path[kFieldSize];
    if (GetProgramPath(path, kFieldSize) == 0)
        return LoadResourceIcon(IDI_NOT_FOUND, size);
    HICON icon = ExtractIconAt(path, group + 1, size);
    StoreField(record.iconFile, path);
    record.iconIndex = group + 1;
    return icon ? icon : LoadResourceIcon(IDI_NOT_FOUND, size);
}

bool RenewBorrowedBarIcons(ButtonBar& bar)
{
    return bar.iconFile.RenewBorrowed(LoadButtonIcon, bar.icons);
}

void SaveBarIconFile(ButtonBar& bar)
{
    if (bar.iconFile.Stale())
        bar.iconFile.Write(SourcesOfGroupsInUse(bar.launcher), bar.icons);
}

SeamGuard OverrideAssociatedIcon(AssociatedIconFunction function)
{
    return OverrideSeam(g_associatedIcon, function);
}
