#include "shortcuts/refused_hotkeys.h"

#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr int kLineSize = kShortcutTextSize + kTextFieldSize + 16;

// "combination：name" of one refused hotkey.
void FormatLine(int key, int flag, const char* name, char (&line)[kLineSize])
{
    char combination[kShortcutTextSize];
    FormatShortcutText(key, flag, combination, sizeof combination);
    char format[32];
    LoadText(IDS_REFUSED_HOTKEY_LINE, format, sizeof format);
    snprintf(line, sizeof line, format, combination, name);
}

void ButtonName(int group, int button, char (&name)[kTextFieldSize])
{
    const ButtonRecord* record = ButtonAt(group, button);
    if (record && record->title[0]) {
        lstrcpynA(name, record->title, sizeof name);
        return;
    }
    char format[32];
    LoadText(IDS_UNTITLED_BUTTON_FORMAT, format, sizeof format);
    snprintf(name, sizeof name, format, button + 1);
}

// Appends "\n" and line when it fits with room for the count of those that do not.
bool Append(char* text, int size, const char* line, int reserve)
{
    const size_t used = std::strlen(text);
    if (used + 1 + std::strlen(line) + reserve >= static_cast<size_t>(size))
        return false;
    text[used] = '\n';
    std::strcpy(text + used + 1, line);
    return true;
}
}  // namespace

bool DescribeRefusedHotkeys(char* text, int size)
{
    if (!text || size <= 0)
        return false;
    text[0] = '\0';
    const ShortcutTable* table = GetShortcutTable();
    if (!table)
        return false;
    char more[64];
    LoadText(IDS_REFUSED_HOTKEYS_MORE, more, sizeof more);
    const int reserve = static_cast<int>(std::strlen(more)) + 8;  // with the count and its line break
    LoadText(IDS_REFUSED_HOTKEYS_TEXT, text, size);

    int refused = 0;
    int untold = 0;
    char line[kLineSize];
    auto tell = [&](int key, int flag, const char* name) {
        FormatLine(key, flag, name, line);
        ++refused;
        if (untold > 0 || !Append(text, size, line, reserve))
            ++untold;
    };
    char name[kTextFieldSize];
    if (ActiveHotkeyRefused()) {
        LoadText(IDS_ACTIVATION_HOTKEY_NAME, name, sizeof name);
        tell(table->Active.key, table->Active.flag, name);
    }
    if (SearchHotkeyRefused()) {
        LoadText(IDS_SEARCH_ROW_TITLE, name, sizeof name);
        tell(table->Search.key, table->Search.flag, name);
    }
    for (int number = 0; number < kShortcutEntryCount; ++number) {
        const int group = number / 10;
        const int button = number % 10;
        if (!HotkeyRefused(group, button))
            continue;
        const ShortcutEntry* entry = GetShortcutEntry(group, button);
        ButtonName(group, button, name);
        tell(entry->key, entry->flag, name);
    }
    if (refused == 0) {
        text[0] = '\0';
        return false;
    }
    if (untold > 0) {
        snprintf(line, sizeof line, more, untold);
        Append(text, size, line, 0);
    }
    return true;
}
