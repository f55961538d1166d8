#include "bar/program_button.h"

#include "bar/button_icons.h"
#include "bar/button_operations.h"
#include "bar/start_count.h"
#include "data/launcher.h"
#include "data/store_field.h"
#include "data/usage_file.h"
#include "shortcuts/saved_changes.h"
#include "support/apps_folder.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/shell_link_file.h"

#include <cwchar>

namespace {
// Explorer from the Windows folder wherever the launcher is carried.
constexpr wchar_t kExplorer[] = L"%SystemRoot%\\explorer.exe";

// The shortcut's target, options and working folder, each whole within a
// field; false when its target is no file or something does not fit.
bool ReadShortcut(const std::wstring& path, ButtonRecord* record)
{
    ComRef<IShellLinkW> link;
    if (!LoadShellLink(path.c_str(), link))
        return false;
    wchar_t target[2 * kFieldSize] = L"";
    wchar_t params[2 * kFieldSize] = L"";
    wchar_t folder[2 * kFieldSize] = L"";
    if (!ReadLinkTarget(link.Get(), target, 2 * kFieldSize) || std::wcslen(target) > kFieldLength ||
        FAILED(link->GetArguments(params, 2 * kFieldSize)) || std::wcslen(params) > kFieldLength ||
        FAILED(link->GetWorkingDirectory(folder, 2 * kFieldSize)) || std::wcslen(folder) > kFieldLength)
        return false;
    if (!folder[0])
        CopyFolderOf(target, folder, kFieldSize);
    StoreField(record->file, target);
    StoreField(record->params, params);
    StoreField(record->workDir, folder);
    return true;
}

int FirstEmptyButton(const Launcher& launcher, int group)
{
    for (int index = 0; index < kButtonsPerGroup; ++index) {
        const ButtonRecord* button = launcher.ButtonAt(group, index);
        if (button && button->file[0] == L'\0')
            return index;
    }
    return -1;
}

void TellGroupFull(HWND mainWindow, const Launcher& launcher, int group)
{
    wchar_t name[kFieldSize] = L"";
    const GroupRecord& record = launcher.Data().groups[group].group;
    if (record.name[0])
        lstrcpynW(name, record.name, kFieldSize);
    else
        FormatText(name, kFieldSize, IDS_UNNAMED_GROUP_FORMAT, group + 1);
    wchar_t text[kFormattedTextLimit + 1] = L"";
    FormatText(text, ARRAYSIZE(text), IDS_MSG_GROUP_FULL, name);
    ShowMessage(mainWindow, text, MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

void ProgramStartRecord(const ProgramEntry& program, ButtonRecord* record)
{
    *record = ButtonRecord{};
    StoreField(record->title, program.name.c_str());
    StoreField(record->file, program.path.c_str());
    if (program.kind == ProgramKind::StartMenu && !IsShellLinkPath(program.path.c_str())) {
        wchar_t folder[kFieldSize] = L"";
        CopyFolderOf(program.path.c_str(), folder, kFieldSize);
        StoreField(record->workDir, folder);
    }
}

void ProgramButtonRecord(const ProgramEntry& program, ButtonRecord* record)
{
    *record = ButtonRecord{};
    StoreField(record->title, program.name.c_str());
    if (program.kind == ProgramKind::StoreApp) {
        StoreField(record->file, kExplorer);
        StoreField(record->params, program.path.c_str());
        return;
    }
    if (!IsShellLinkPath(program.path.c_str()) || !ReadShortcut(program.path, record))
        ProgramStartRecord(program, record);
}

HICON LoadProgramIcon(const ProgramEntry& program, int size)
{
    if (program.kind == ProgramKind::StoreApp)
        return LoadStoreAppIcon(program.path.substr(std::wcslen(kAppsFolderPrefix)), size);
    ButtonRecord record;
    ProgramButtonRecord(program, &record);
    return LoadRecordIcon(record, size);
}

bool PutProgramOnButton(ButtonBar& bar, const ProgramEntry& program, int group)
{
    Launcher& launcher = bar.launcher;
    const int index = group >= 0 && group < kGroupCount ? FirstEmptyButton(launcher, group) : -1;
    ButtonRecord* button = index >= 0 ? launcher.ButtonAt(group, index) : nullptr;
    if (!button) {
        TellGroupFull(bar.window, launcher, group < 0 || group >= kGroupCount ? launcher.CurrentGroup() : group);
        return false;
    }
    ProgramButtonRecord(program, button);
    SaveChanges(bar.window, launcher);
    ShowGroup(bar, group);
    CarryUsage(launcher, program.path.c_str(), CountedPath(button->file, button->params).c_str());
    return true;
}
