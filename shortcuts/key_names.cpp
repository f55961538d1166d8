#include "shortcuts/key_names.h"

#include "resources/resource_ids.h"
#include "support/key_state.h"
#include "support/messages.h"

#include <cstdio>

namespace {
constexpr int kKeyNameCount = 256;
constexpr int kKeyNameSize = 20;  // NUL-terminated, at most 19 characters

// The name of every virtual-key code. Rows 0x30..0x39 are the digits,
// 0x41..0x5A the letters, 0x60..0x69 the number pad and 0x70..0x87 the
// function keys; the OEM rows follow the Japanese keyboard layout.
const char kKeyNames[kKeyNameCount][kKeyNameSize] = {
    /* 0x00 */ "", "", "", "BREAK",
    /* 0x04 */ "", "", "", "",
    /* 0x08 */ "BACKSPACE", "TAB", "", "",
    /* 0x0C */ "CLEAR", "ENTER", "", "",
    /* 0x10 */ "SHIFT", "CTRL", "ALT", "PAUSE",
    /* 0x14 */ "CAPS", "KANA", "", "",
    /* 0x18 */ "", "", "", "ESC",
    /* 0x1C */ "", "", "", "",
    /* 0x20 */ "SPACE", "PAGEUP", "PAGEDOWN", "END",
    /* 0x24 */ "HOME", "LEFT", "UP", "RIGHT",
    /* 0x28 */ "DOWN", "SELECT", "", "",
    /* 0x2C */ "", "INS", "DEL", "HELP",
    /* 0x30 */ "0", "1", "2", "3",
    /* 0x34 */ "4", "5", "6", "7",
    /* 0x38 */ "8", "9", "", "",
    /* 0x3C */ "", "", "", "",
    /* 0x40 */ "", "A", "B", "C",
    /* 0x44 */ "D", "E", "F", "G",
    /* 0x48 */ "H", "I", "J", "K",
    /* 0x4C */ "L", "M", "N", "O",
    /* 0x50 */ "P", "Q", "R", "S",
    /* 0x54 */ "T", "U", "V", "W",
    /* 0x58 */ "X", "Y", "Z", "",
    /* 0x5C */ "", "", "", "",
    /* 0x60 */ "NUM(0)", "NUM(1)", "NUM(2)", "NUM(3)",
    /* 0x64 */ "NUM(4)", "NUM(5)", "NUM(6)", "NUM(7)",
    /* 0x68 */ "NUM(8)", "NUM(9)", "NUM(*)", "NUM(+)",
    /* 0x6C */ "NUM( , )", "NUM(-)", "NUM( . )", "NUM(/)",
    /* 0x70 */ "F1", "F2", "F3", "F4",
    /* 0x74 */ "F5", "F6", "F7", "F8",
    /* 0x78 */ "F9", "F10", "F11", "F12",
    /* 0x7C */ "F13", "F14", "F15", "F16",
    /* 0x80 */ "F17", "F18", "F19", "F20",
    /* 0x84 */ "F21", "F22", "F23", "F24",
    /* 0x88 */ "", "", "", "",
    /* 0x8C */ "", "", "", "",
    /* 0x90 */ "NUMLOCK", "SCROLL", "", "",
    /* 0x94 */ "", "", "", "",
    /* 0x98 */ "", "", "", "",
    /* 0x9C */ "", "", "", "",
    /* 0xA0 */ "", "", "", "",
    /* 0xA4 */ "", "", "", "",
    /* 0xA8 */ "", "", "", "",
    /* 0xAC */ "", "", "", "",
    /* 0xB0 */ "", "", "", "",
    /* 0xB4 */ "", "", "", "",
    /* 0xB8 */ "", "", ":", ";",
    /* 0xBC */ ",", "-", ".", "/",
    /* 0xC0 */ "@", "", "", "",
    /* 0xC4 */ "", "", "", "",
    /* 0xC8 */ "", "", "", "",
    /* 0xCC */ "", "", "", "",
    /* 0xD0 */ "", "", "", "",
    /* 0xD4 */ "", "", "", "",
    /* 0xD8 */ "", "", "", "[",
    /* 0xDC */ "\\", "]", "^", "",
    /* 0xE0 */ "", "", "\\(backslash)", "",
    /* 0xE4 */ "", "", "", "",
    /* 0xE8 */ "", "", "", "",
    /* 0xEC */ "", "", "", "",
    /* 0xF0 */ "", "", "", "",
    /* 0xF4 */ "", "", "", "",
    /* 0xF8 */ "", "", "", "",
    /* 0xFC */ "", "", "", "PAUSE",
};
}  // namespace

const char* GetKeyName(int key)
{
    if (key < 0 || key >= kKeyNameCount)
        return "";
    return kKeyNames[key];
}

void FormatShortcutText(int key, int flags, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    buffer[0] = '\0';
    if (key == 0) {
        LoadText(IDS_SHORTCUT_NONE, buffer, size);
        return;
    }
    char prefix[32] = "";
    if (flags & kModifierCtrl)
        lstrcatA(prefix, "CTRL+");
    if (flags & kModifierShift)
        lstrcatA(prefix, "SHIFT+");
    if (flags & kModifierAlt)
        lstrcatA(prefix, "ALT+");
    snprintf(buffer, static_cast<size_t>(size), "%s%s", prefix, GetKeyName(key));
}

int GetModifierState()
{
    int flags = 0;
    if (KeyHeld(VK_SHIFT))
        flags |= kModifierShift;
    if (KeyHeld(VK_CONTROL))
        flags |= kModifierCtrl;
    if (KeyHeld(VK_MENU))
        flags |= kModifierAlt;
    return flags;
}
