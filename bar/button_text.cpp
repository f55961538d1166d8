#include "bar/button_text.h"

#include "data/launcher.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/path_text.h"

#include <cwchar>

namespace {
// Adds as much of text as fits in size characters, never half a surrogate pair.
void AppendText(wchar_t* buffer, int size, const wchar_t* text)
{
    const size_t used = std::wcslen(buffer);
    CopyWholeCharacters(text, std::wcslen(text), buffer + used, size - used);
}
}  // namespace

void BuildButtonToolText(const Launcher& launcher, int index, wchar_t* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    std::wmemset(buffer, L'\0', size);
    const ButtonRecord* button = launcher.CurrentButton(index);
    if (!button)
        return;
    AppendText(buffer, size, button->title);

    const ShortcutEntry* entry = GetShortcutEntry(launcher.Shortcuts(), launcher.CurrentGroup(), index);
    if (!entry || entry->key == 0)
        return;
    const bool system = entry->usesystemshortcut != 0;
    AppendText(buffer, size, system ? L" <" : L" (");
    if (entry->flag & kModifierCtrl)
        AppendText(buffer, size, L"CTRL+");
    if (entry->flag & kModifierShift)
        AppendText(buffer, size, L"SHIFT+");
    if (entry->flag & kModifierAlt)
        AppendText(buffer, size, L"ALT+");
    AppendText(buffer, size, GetKeyName(entry->key));
    AppendText(buffer, size, system ? L">" : L")");
}
