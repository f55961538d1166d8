#include "menus/launcher_menus.h"

#include "menus/popup_menu.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"
#include "support/system_helper.h"

#include <cwchar>
#include <initializer_list>

namespace {

// A zero-filled text workspace from the process heap, freed on scope exit.
struct Workspace {
    Workspace() : block(SystemHelper::Alloc(kMenuWorkspaceSize * sizeof(wchar_t))) {}
    wchar_t* Get() const { return static_cast<wchar_t*>(block.Get()); }
    ScopedHeapBlock block;
};

void GrayItem(HMENU menu, UINT id)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
}

void EnableItem(HMENU menu, UINT id, bool enabled)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

// The shell's commands need a file that is there.
void EnableShellItems(HMENU menu, const ButtonRecord* button)
{
    const bool found = button && button->file[0] != L'\0' && StoredPathExists(button->file);
    for (UINT id : {IDM_RUN_AS_ADMIN, IDM_OPEN_FILE_LOCATION, IDM_FILE_PROPERTIES})
        EnableItem(menu, id, found);
}

// Length of a text field that may lack its terminator.
int FieldLength(const wchar_t* field, int size)
{
    int length = 0;
    while (length < size && field[length])
        ++length;
    return length;
}

// At screen point at, or at the cursor when at is null.
void TrackAt(PopupMenu& menu, HWND mainWindow, const POINT* at = nullptr)
{
    menu.MakeOwnerDraw(mainWindow, menu.GetPopup());
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const POINT place = at ? *at : cursor;
    menu.Track(mainWindow, place.x, place.y);
}

}  // namespace

void JoinMenuTitle(wchar_t* buffer, int size, const wchar_t* title, int titleLimit, const wchar_t* suffix)
{
    if (!buffer || size <= 0)
        return;
    buffer[0] = L'\0';
    const int suffixLength = lstrlenW(suffix);
    int room = size - 1 - suffixLength;
    if (room < 0)
        room = 0;
    CopyWholeCharacters(title, FieldLength(title, titleLimit), buffer, room + 1);
    if (lstrlenW(buffer) + suffixLength < size)
        lstrcatW(buffer, suffix);
}

bool PrepareButtonMenu(PopupMenu& menu, const Launcher& launcher, int target, wchar_t* workspace)
{
    HMENU popup = menu.LoadFromResource(IDR_BUTTON_MENU);
    if (!popup)
        return false;
    wchar_t* title = workspace;
    wchar_t* suffix = workspace + kMenuTitlePart;
    const int suffixSize = kMenuWorkspaceSize - kMenuTitlePart;
    wchar_t source[kMenuTitlePart] = {};
    int sourceLimit = kMenuTitlePart;
    const wchar_t* name = source;

    if (target == kGroupButtonTarget) {
        LoadText(IDS_MENU_TITLE_GROUP_BUTTON, source, kMenuTitlePart);
        GrayItem(popup, IDM_CLEAR_BUTTON);
        GrayItem(popup, IDM_MOVE_UP);
        GrayItem(popup, IDM_MOVE_DOWN);
        EnableShellItems(popup, nullptr);
    } else {
        const ButtonRecord* button = launcher.CurrentButton(target);
        const bool inUse = button && button->file[0] != L'\0';
        if (inUse) {
            name = button->title;
            sourceLimit = kFieldSize;
        } else {
            LoadText(IDS_MENU_TITLE_EMPTY_BUTTON, source, kMenuTitlePart);
        }
        EnableItem(popup, IDM_CLEAR_BUTTON, inUse);
        EnableItem(popup, IDM_MOVE_UP, target != 0);
        EnableItem(popup, IDM_MOVE_DOWN, target != kButtonsPerGroup - 1);
        EnableShellItems(popup, button);
    }
    LoadText(IDS_MENU_TITLE_SUFFIX, suffix, suffixSize);
    JoinMenuTitle(title, kMenuTitlePart, name, sourceLimit, suffix);
    ModifyMenuW(popup, IDM_MENU_TITLE, MF_BYCOMMAND | MF_STRING, IDM_MENU_TITLE, title);
    return true;
}

bool ShowButtonMenu(HWND mainWindow, const Launcher& launcher, int target, const POINT* at)
{
    if (target != kGroupButtonTarget && (target < 0 || target >= kButtonsPerGroup))
        return false;
    Workspace workspace;
    if (!workspace.Get())
        return false;
    PopupMenu menu;
    menu.LoadSkin();
    if (!PrepareButtonMenu(menu, launcher, target, workspace.Get()))
        return false;
    DrawMenuBar(mainWindow);
    TrackAt(menu, mainWindow, at);
    return true;
}

bool FillGroupMenu(PopupMenu& menu, const Launcher& launcher, wchar_t* workspace)
{
    HMENU popup = menu.GetPopup();
    if (!popup)
        return false;
    wchar_t* title = workspace;
    wchar_t* suffix = workspace + kMenuTitlePart;
    const int suffixSize = kMenuWorkspaceSize - kMenuTitlePart;
    const int groupCount = ClampGroupCount(launcher.Settings().groupCount);

    LoadText(IDS_MENU_TITLE_GROUP_SWITCH, title, kMenuTitlePart);
    LoadText(IDS_MENU_TITLE_SUFFIX, suffix, suffixSize);
    wchar_t heading[kMenuTitlePart];
    JoinMenuTitle(heading, kMenuTitlePart, title, kMenuTitlePart, suffix);
    menu.AppendItem(IDM_GROUP_MENU_TITLE, heading);
    menu.AppendSeparator();

    const int current = launcher.CurrentGroup();
    for (int g = 0; g < groupCount; ++g) {
        const wchar_t* name = launcher.Data().groups[g].group.name;
        if (name[0])
            JoinMenuTitle(title, kMenuTitlePart, name, kFieldSize, L"");
        else
            FormatText(title, kMenuTitlePart, IDS_GROUP_NAME_FORMAT, g + 1);
        UINT flags = MF_BYPOSITION | MF_STRING;
        if (g == current)
            flags |= MF_GRAYED | MF_DISABLED;
        InsertMenuW(popup, static_cast<UINT>(-1), flags, IDM_FIRST_GROUP + g, title);
    }
    return true;
}

bool ShowGroupMenu(HWND mainWindow, const Launcher& launcher, const POINT* at)
{
    PopupMenu menu;
    menu.LoadSkin();
    if (!menu.CreateEmpty())
        return false;
    Workspace workspace;
    if (!workspace.Get())
        return false;
    if (!FillGroupMenu(menu, launcher, workspace.Get()))
        return false;
    TrackAt(menu, mainWindow, at);
    return true;
}

bool ShowTrayMenu(HWND mainWindow, bool onTop)
{
    TrayMenu menu;
    menu.LoadSkin();
    if (!menu.LoadTrayMenu(onTop))
        return false;
    TrackAt(menu, mainWindow);
    return true;
}

void HandleTrayNotify(HWND mainWindow, UINT mouseMessage, bool onTop)
{
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        SetForegroundWindow(mainWindow);
        break;
    case WM_RBUTTONUP:
        ShowTrayMenu(mainWindow, onTop);
        break;
    default:
        break;
    }
}
