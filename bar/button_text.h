#pragma once
// What a launcher button is called on the bar: its title and its shortcut,
// as its tip shows it and its name for screen readers says it.
constexpr int kToolTextSize = 350;
class Launcher;
// Tool text of launcher button index of the current group: its title, then
// the shortcut in "( )" or, for a system hotkey, "< >". Empty for a bad index.
void BuildButtonToolText(const Launcher& launcher, int index, wchar_t* buffer, int size);
