#include "app/folder_menus.h"

#include "app/window_state.h"
#include "bar/launch.h"
#include "data/launcher_records.h"
#include "data/store_field.h"
#include "menus/folder_menu.h"
#include "support/file_kind.h"
#include "support/path_text.h"
#include "support/stored_path.h"

#include <string>

namespace {
POINT MenuPoint(const POINT* at)
{
    POINT point = {0, 0};
    if (at)
        return *at;
    GetCursorPos(&point);
    return point;
}

// A chosen item started as a button holding it would be. A path longer than
// a button's field is not cut to fit: it is refused as too long.
void StartChosenItem(ButtonBar& bar, const std::wstring& path)
{
    if (path.size() > static_cast<size_t>(kFieldLength)) {
        LaunchFailure failure;
        lstrcpynW(failure.tried, path.c_str(), ARRAYSIZE(failure.tried));
        failure.error = ERROR_FILENAME_EXCED_RANGE;
        TellLaunchFailure(bar.window, failure);
        return;
    }
    ButtonRecord item = {};
    StoreField(item.file, path.c_str());
    wchar_t folder[kFieldSize] = L"";
    CopyFolderOf(path.c_str(), folder, kFieldSize);
    StoreField(item.workDir, folder);
    LaunchAsClick(bar, item);
}
}  // namespace

bool OpenFolderMenu(HWND mainWindow, const ButtonRecord& button, const POINT* at)
{
    wchar_t folder[kResolvedPathSize] = L"";
    MainWindowState* state = WindowState(mainWindow);
    if (!state || !button.folderMenu || !ResolveStoredPath(button.file, folder, kResolvedPathSize) || !IsFolder(folder))
        return false;
    FolderMenu menu;
    menu.LoadSkin();
    if (!menu.Open(mainWindow, folder))
        return false;
    const POINT point = MenuPoint(at);
    const std::wstring chosen = menu.Choose(mainWindow, point.x, point.y);
    if (!chosen.empty())
        StartChosenItem(state->bar, chosen);
    return true;
}
