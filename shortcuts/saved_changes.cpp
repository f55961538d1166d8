#include "shortcuts/saved_changes.h"

#include "data/generations.h"
#include "data/launcher_data.h"
#include "shortcuts/shortcut_file.h"
#include "support/messages.h"

bool SaveChanges(HWND owner)
{
    GenerationScope oneGeneration;  // the files before this change, kept together
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
