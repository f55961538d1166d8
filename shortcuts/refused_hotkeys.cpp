#include "shortcuts/refused_hotkeys.h"

#include "data/button_place.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"

#include <cwchar>

namespace {
constexpr int kLineSize = kShortcutTextSize + kFieldSize + 16;

// "combination：name" of one refused hotkey.
void FormatLine(int key, int flag, const wchar_t* name, wchar_t (&line)[kLineSize])
{
    wchar_t combination[kShortcutTextSize];
    FormatShortcutText(key, flag, combination, kShortcutTextSize);
    FormatText(line, kLineSize, IDS_REFUSED_HOTKEY_LINE, combination, name);
}

void ButtonName(const Launcher& launcher, ButtonPlace place, wchar_t (&name)[kFieldSize])
{
    const ButtonRecord* record = launcher.ButtonAt(place.group, place.button);
    if (record && record->title[0]) {
        lstrcpynW(name, record->title, kFieldSize);
        return;
    }
    FormatText(name, kFieldSize, IDS_UNTITLED_BUTTON_FORMAT, place.button + 1);
}

// Appends "\n" and line when it fits with room for the count of those that do not.
bool Append(wchar_t* text, int size, const wchar_t* line, int reserve)
{
    const size_t used = std::wcslen(text);
    if (used + 1 + std::wcslen(line) + reserve >= static_cast<size_t>(size))
        return false;
    text[used] = L'\n';
    std::wcscpy(text + used + 1, line);
    return true;
}
}  // namespace

bool DescribeRefusedHotkeys(const Launcher& launcher, wchar_t* text, int size)
{
    if (!text || size <= 0)
        return false;
    text[0] = L'\0';
    const ShortcutTable& table = launcher.Shortcuts();
    wchar_t more[64];
    LoadText(IDS_REFUSED_HOTKEYS_MORE, more, 64);
    const int reserve = static_cast<int>(std::wcslen(more)) + 8;  // with the count and its line break
    LoadText(IDS_REFUSED_HOTKEYS_TEXT, text, size);

    int refused = 0;
    int untold = 0;
    wchar_t line[kLineSize];
    auto tell = [&](int key, int flag, const wchar_t* name) {
        FormatLine(key, flag, name, line);
        ++refused;
        if (untold > 0 || !Append(text, size, line, reserve))
            ++untold;
    };
    wchar_t name[kFieldSize];
    if (launcher.Refused().active) {
        LoadText(IDS_ACTIVATION_HOTKEY_NAME, name, kFieldSize);
        tell(table.Active.key, table.Active.flag, name);
    }
    if (launcher.Refused().search) {
        LoadText(IDS_SEARCH_ROW_TITLE, name, kFieldSize);
        tell(table.Search.key, table.Search.flag, name);
    }
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        if (!HotkeyRefused(launcher, place.group, place.button))
            continue;
        const ShortcutEntry* entry = GetShortcutEntry(table, place.group, place.button);
        ButtonName(launcher, place, name);
        tell(entry->key, entry->flag, name);
    }
    if (refused == 0) {
        text[0] = L'\0';
        return false;
    }
    if (untold > 0) {
        FormatText(line, kLineSize, IDS_REFUSED_HOTKEYS_MORE, untold);
        Append(text, size, line, 0);
    }
    return true;
}
