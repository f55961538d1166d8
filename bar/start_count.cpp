#include "bar/start_count.h"

#include "data/data_file_path.h"
#include "data/launcher.h"
#include "data/usage_file.h"

namespace {
// The usage file's path; false when there is none (the program has no data file).
bool UsagePath(wchar_t (&path)[MAX_PATH])
{
    wchar_t data[MAX_PATH];
    return DataFilePath(data, MAX_PATH) && UsageFilePath(data, path, MAX_PATH);
}

UsageLog& Usage(Launcher& launcher)
{
    std::unique_ptr<UsageLog>& usage = launcher.Usage();
    if (!usage) {
        usage = std::make_unique<UsageLog>();
        wchar_t path[MAX_PATH];
        if (UsagePath(path))
            ReadUsageFile(launcher.Files(), path, usage.get());
    }
    return *usage;
}

void Write(Launcher& launcher, const UsageLog& usage)
{
    wchar_t path[MAX_PATH];
    if (UsagePath(path))
        WriteUsageFile(launcher.Files(), path, usage);
}
}  // namespace

void CountStart(Launcher& launcher, const ButtonRecord& button)
{
    UsageLog& usage = Usage(launcher);
    usage.Count(CountedPath(button.file, button.params), UsageNow());
    Write(launcher, usage);
}

const UsageLog& StartUsage(Launcher& launcher)
{
    return Usage(launcher);
}

void CarryUsage(Launcher& launcher, const wchar_t* from, const wchar_t* to)
{
    UsageLog& usage = Usage(launcher);
    usage.Carry(from, to);
    Write(launcher, usage);
}
