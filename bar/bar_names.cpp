#include "bar/bar_names.h"

#include "bar/bar_geometry.h"
#include "bar/button_text.h"
#include "support/messages.h"

#include <string>

namespace {
// The string id's text with its inserts (%1, %2 as FormatMessage reads them); "" when it cannot be had.
std::wstring Formatted(UINT id, const DWORD_PTR* inserts)
{
    wchar_t format[128] = L"";
    if (!LoadText(id, format, ARRAYSIZE(format)))
        return L"";
    wchar_t text[kToolTextSize + 32] = L"";
    const DWORD flags = inserts ? FORMAT_MESSAGE_ARGUMENT_ARRAY : FORMAT_MESSAGE_IGNORE_INSERTS;
    FormatMessageW(FORMAT_MESSAGE_FROM_STRING | flags, format, 0, 0, text, ARRAYSIZE(text),
                   reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    return text;
}

// Launcher button index (0..9) by its number as CTRL+digit counts (1..10), its title and shortcut as its tip
// shows them.
std::wstring LauncherButtonName(const Launcher& launcher, int index)
{
    const ButtonRecord* button = launcher.CurrentButton(index);
    const DWORD_PTR number = static_cast<DWORD_PTR>(index + 1);
    if (!button || button->file[0] == L'\0') {
        const DWORD_PTR inserts[] = {number};
        return Formatted(IDS_BAR_NAME_EMPTY, inserts);
    }
    wchar_t tip[kToolTextSize] = L"";
    BuildButtonToolText(launcher, index, tip, kToolTextSize);
    const DWORD_PTR inserts[] = {number, reinterpret_cast<DWORD_PTR>(tip)};
    return Formatted(IDS_BAR_NAME_BUTTON, inserts);
}

std::wstring GroupButtonName(const Launcher& launcher)
{
    const GroupRecord& group = launcher.CurrentGroupRecord();
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(group.name)};
    return Formatted(IDS_BAR_NAME_GROUP, inserts);
}

std::wstring ControlName(const Launcher& launcher, int id)
{
    if (IsLauncherButtonId(id))
        return LauncherButtonName(launcher, id - IDC_FIRST_LAUNCHER);
    if (id == IDC_GROUP_BUTTON)
        return GroupButtonName(launcher);
    return Formatted(id == IDC_PREVIOUS_GROUP ? IDS_BAR_NAME_PREVIOUS : IDS_BAR_NAME_NEXT, nullptr);
}

// The button control repaints itself on every new text: only a changed name is set.
void Rename(HWND control, const std::wstring& name)
{
    wchar_t current[kToolTextSize + 32] = L"";
    GetWindowTextW(control, current, ARRAYSIZE(current));
    if (name != current)
        SetWindowTextW(control, name.c_str());
}
}  // namespace

void NameBarControls(const ButtonBar& bar)
{
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        if (HWND control = GetDlgItem(bar.window, id))
            Rename(control, ControlName(bar.launcher, id));
    }
}
