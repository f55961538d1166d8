#include "bar/start_count.h"

#include "bar/window_state.h"
#include "data/data_file_path.h"
#include "data/launcher_records.h"
#include "data/usage_file.h"

namespace {
// The usage file's path; false when there is none (the program has no data file).
bool UsagePath(wchar_t (&path)[MAX_PATH])
{
    wchar_t data[MAX_PATH];
    return DataFilePath(data, MAX_PATH) && UsageFilePath(data, path, MAX_PATH);
}

UsageLog* Usage(HWND mainWindow)
{
    MainWindowState* state = WindowState(mainWindow);
    if (!state)
        return nullptr;
    if (!state->usage) {
        state->usage = std::make_unique<UsageLog>();
        wchar_t path[MAX_PATH];
        if (UsagePath(path))
            ReadUsageFile(path, state->usage.get());
    }
    return state->usage.get();
}

void Write(const UsageLog& usage)
{
    wchar_t path[MAX_PATH];
    if (UsagePath(path))
        WriteUsageFile(path, usage);
}
}  // namespace

void CountStart(HWND mainWindow, const ButtonRecord& button)
{
    UsageLog* usage = Usage(mainWindow);
    if (!usage)
        return;
    usage->Count(CountedPath(button.file, button.params), UsageNow());
    Write(*usage);
}

const UsageLog* StartUsage(HWND mainWindow)
{
    return Usage(mainWindow);
}

void CarryUsage(HWND mainWindow, const wchar_t* from, const wchar_t* to)
{
    UsageLog* usage = Usage(mainWindow);
    if (!usage)
        return;
    usage->Carry(from, to);
    Write(*usage);
}
