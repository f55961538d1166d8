#include "shortcuts/saved_changes.h"

#include "data/generations.h"
#include "data/launcher_data.h"
#include "shortcuts/shortcut_file.h"
#include "support/messages.h"

bool SaveChanges(HWND mainWindow, Launcher& launcher)
{
    GenerationScope oneGeneration(launcher.History());  // the files before this change, kept together
    const bool data = SaveDataChanges(mainWindow, launcher);
    return SaveShortcutChanges(mainWindow, launcher) && data;
}

bool SaveDataChanges(HWND mainWindow, Launcher& launcher)
{
    if (SaveLauncherData(launcher, mainWindow))
        return true;
    ShowMessageId(mainWindow, IDS_MSG_SAVE_FAILED, MB_OK | MB_ICONERROR);
    return false;
}

bool SaveShortcutChanges(HWND owner, Launcher& launcher)
{
    if (SaveShortcutTable(launcher))
        return true;
    ShowMessageId(owner, IDS_MSG_SHORTCUT_SAVE_FAILED, MB_OK | MB_ICONERROR);
    return false;
}
