#include "shortcuts/saved_changes.h"

#include "data/launcher_data.h"
#include "shortcuts/shortcut_file.h"
#include "support/messages.h"

bool SaveChanges(HWND owner)
{
    const bool data = SaveLauncherData(owner);
    return SaveShortcutChanges(owner) && data;
}

bool SaveShortcutChanges(HWND owner)
{
    if (SaveShortcutTable())
        return true;
    ShowMessageId(owner, IDS_MSG_SHORTCUT_SAVE_FAILED, MB_OK | MB_ICONERROR);
    return false;
}
