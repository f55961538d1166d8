#include "app/launcher_load.h"

#include "app/window_state.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_operations.h"
#include "data/launcher_data.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/shortcut_file.h"
#include "support/messages.h"
#include "support/path_text.h"

#include <algorithm>

namespace {
// The offer of a damaged start: the newest generation that reads, by its time.
bool TakesGeneration(HWND owner, const GenerationSummary& good)
{
    wchar_t text[kFormattedTextLimit + 1];
    return FormatText(text, ARRAYSIZE(text), IDS_MSG_OFFER_GENERATION, GenerationTimeText(good.time).c_str()) &&
           ShowMessage(owner, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// "データの読み込みに失敗したのら！！", then where the damaged files went.
void TellDamaged(HWND owner, const DamagedSet& set)
{
    wchar_t failed[256];
    wchar_t second[kFormattedTextLimit + 1];
    if (!LoadText(IDS_MSG_LOAD_FAILED, failed, 256) ||
        !FormatText(second, ARRAYSIZE(second), set.movedAside ? IDS_MSG_DAMAGED_SET_MOVED : IDS_MSG_DAMAGED_SET_LEFT,
                    set.moved.c_str()))
        return;
    ShowMessage(owner, (std::wstring(failed) + L"\n\n" + second).c_str(), MB_OK | MB_ICONERROR);
}

void TellLoadFailed(HWND owner)
{
    ShowMessageId(owner, IDS_MSG_LOAD_FAILED, MB_OK | MB_ICONERROR);
}
}  // namespace

bool LoadDataFile(HWND window, Launcher& launcher)
{
    DataLoad load = LoadLauncherData(launcher, window);
    if (load.offer && TakesGeneration(window, *load.offer))
        load = TakeOfferedGeneration(launcher, load.offer->name);
    switch (load.outcome) {
    case DataLoadOutcome::Loaded:
        TellHeldFile(window, load.held);
        return true;
    case DataLoadOutcome::FirstStart:
        if (load.iniPathMissing)
            TellLoadFailed(window);
        return true;
    case DataLoadOutcome::NoPath:
        TellLoadFailed(window);
        return false;
    case DataLoadOutcome::Damaged:
        TellDamaged(window, SetDamagedDataAside(launcher));
        return false;
    case DataLoadOutcome::HeldBack:
        TellHeldFile(window, load.held);
        return false;
    }
    return false;
}

void ReloadLauncherFiles(HWND mainWindow)
{
    MainWindowState* state = WindowState(mainWindow);
    if (!state)
        return;
    Launcher& launcher = state->launcher;
    const int group = launcher.CurrentGroup();
    UnregisterAllHotkeys(mainWindow, launcher);
    LoadDataFile(mainWindow, launcher);
    TellHeldFile(mainWindow, LoadShortcutTable(launcher).held);
    RegisterAllHotkeys(mainWindow, launcher);
    const AppSettings& settings = launcher.Settings();
    SetTopmost(mainWindow, settings.alwaysOnTop != 0);
    const int shown = std::min(group, ClampGroupCount(settings.groupCount) - 1);
    launcher.SelectGroup(shown);
    ShowGroup(state->bar, shown);
    UpdateBarTooltips(state->bar);
}

void TellHeldFile(HWND owner, const std::wstring& path)
{
    wchar_t text[kFormattedTextLimit + 1];
    if (!path.empty() && FormatText(text, ARRAYSIZE(text), IDS_MSG_FILE_KEPT, FileNameOf(path.c_str())))
        ShowMessage(owner, text, MB_OK | MB_ICONERROR);
}
