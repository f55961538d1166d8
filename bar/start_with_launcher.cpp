#include "bar/start_with_launcher.h"

#include "bar/launch.h"
#include "support/messages.h"

#include <cwchar>
#include <string>

namespace {
// A name as the shortcut list writes it: stored, or by format and number from 1.
std::wstring NameOr(const wchar_t* stored, UINT formatId, int number)
{
    if (stored[0])
        return stored;
    wchar_t name[80] = L"";
    FormatText(name, ARRAYSIZE(name), formatId, number);
    return name;
}

// "group の title" of a button that did not start.
std::wstring FailedLine(const Launcher& launcher, int group, int index)
{
    const std::wstring groupName =
        NameOr(launcher.Data().groups[group].group.name, IDS_UNNAMED_GROUP_FORMAT, group + 1);
    const std::wstring title = NameOr(launcher.ButtonAt(group, index)->title, IDS_UNTITLED_BUTTON_FORMAT, index + 1);
    wchar_t line[2 * kFieldSize + 16] = L"";
    FormatText(line, ARRAYSIZE(line), IDS_START_FAILED_LINE, groupName.c_str(), title.c_str());
    return line;
}

void TellFailures(HWND mainWindow, const std::wstring& lines)
{
    wchar_t notice[256] = L"";
    LoadText(IDS_MSG_START_WITH_FAILED, notice, ARRAYSIZE(notice));
    ShowMessage(mainWindow, (notice + lines).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

void StartMarkedButtons(HWND mainWindow, const Launcher& launcher)
{
    std::wstring failed;
    const int groups = ClampGroupCount(launcher.Settings().groupCount);
    for (int group = 0; group < groups; ++group) {
        for (int index = 0; index < kButtonsPerGroup; ++index) {
            const ButtonRecord* button = launcher.ButtonAt(group, index);
            if (!button->file[0] || !button->startWithLauncher || StartButtonFile(mainWindow, *button))
                continue;
            failed += L"\n" + FailedLine(launcher, group, index);
        }
    }
    if (!failed.empty())
        TellFailures(mainWindow, failed);
}
