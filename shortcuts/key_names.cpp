#include "shortcuts/key_names.h"

#include "resources/resource_ids.h"
#include "support/key_state.h"
#include "support/messages.h"

#include <cwchar>

namespace {
constexpr int kKeyNameCount = 256;
constexpr int kKeyNameSize = 20;  // NUL-terminated, at most 19 characters

// The name of every virtual-key code. Rows 0x30..0x39 are the digits,
// 0x41..0x5A the letters, 0x60..0x69 the number pad and 0x70..0x87 the
// function keys; the OEM rows follow the Japanese keyboard layout.
const wchar_t kKeyNames[kKeyNameCount][kKeyNameSize] = {
    /* 0x00 */ L"", L"", L"", L"BREAK",
    /* 0x04 */ L"", L"", L"", L"",
    /* 0x08 */ L"BACKSPACE", L"TAB", L"", L"",
    /* 0x0C */ L"CLEAR", L"ENTER", L"", L"",
    /* 0x10 */ L"SHIFT", L"CTRL", L"ALT", L"PAUSE",
    /* 0x14 */ L"CAPS", L"KANA", L"", L"",
    /* 0x18 */ L"", L"", L"", L"ESC",
    /* 0x1C */ L"", L"", L"", L"",
    /* 0x20 */ L"SPACE", L"PAGEUP", L"PAGEDOWN", L"END",
    /* 0x24 */ L"HOME", L"LEFT", L"UP", L"RIGHT",
    /* 0x28 */ L"DOWN", L"SELECT", L"", L"",
    /* 0x2C */ L"", L"INS", L"DEL", L"HELP",
    /* 0x30 */ L"0", L"1", L"2", L"3",
    /* 0x34 */ L"4", L"5", L"6", L"7",
    /* 0x38 */ L"8", L"9", L"", L"",
    /* 0x3C */ L"", L"", L"", L"",
    /* 0x40 */ L"", L"A", L"B", L"C",
    /* 0x44 */ L"D", L"E", L"F", L"G",
    /* 0x48 */ L"H", L"I", L"J", L"K",
    /* 0x4C */ L"L", L"M", L"N", L"O",
    /* 0x50 */ L"P", L"Q", L"R", L"S",
    /* 0x54 */ L"T", L"U", L"V", L"W",
    /* 0x58 */ L"X", L"Y", L"Z", L"",
    /* 0x5C */ L"", L"", L"", L"",
    /* 0x60 */ L"NUM(0)", L"NUM(1)", L"NUM(2)", L"NUM(3)",
    /* 0x64 */ L"NUM(4)", L"NUM(5)", L"NUM(6)", L"NUM(7)",
    /* 0x68 */ L"NUM(8)", L"NUM(9)", L"NUM(*)", L"NUM(+)",
    /* 0x6C */ L"NUM( , )", L"NUM(-)", L"NUM( . )", L"NUM(/)",
    /* 0x70 */ L"F1", L"F2", L"F3", L"F4",
    /* 0x74 */ L"F5", L"F6", L"F7", L"F8",
    /* 0x78 */ L"F9", L"F10", L"F11", L"F12",
    /* 0x7C */ L"F13", L"F14", L"F15", L"F16",
    /* 0x80 */ L"F17", L"F18", L"F19", L"F20",
    /* 0x84 */ L"F21", L"F22", L"F23", L"F24",
    /* 0x88 */ L"", L"", L"", L"",
    /* 0x8C */ L"", L"", L"", L"",
    /* 0x90 */ L"NUMLOCK", L"SCROLL", L"", L"",
    /* 0x94 */ L"", L"", L"", L"",
    /* 0x98 */ L"", L"", L"", L"",
    /* 0x9C */ L"", L"", L"", L"",
    /* 0xA0 */ L"", L"", L"", L"",
    /* 0xA4 */ L"", L"", L"", L"",
    /* 0xA8 */ L"", L"", L"", L"",
    /* 0xAC */ L"", L"", L"", L"",
    /* 0xB0 */ L"", L"", L"", L"",
    /* 0xB4 */ L"", L"", L"", L"",
    /* 0xB8 */ L"", L"", L":", L";",
    /* 0xBC */ L",", L"-", L".", L"/",
    /* 0xC0 */ L"@", L"", L"", L"",
    /* 0xC4 */ L"", L"", L"", L"",
    /* 0xC8 */ L"", L"", L"", L"",
    /* 0xCC */ L"", L"", L"", L"",
    /* 0xD0 */ L"", L"", L"", L"",
    /* 0xD4 */ L"", L"", L"", L"",
    /* 0xD8 */ L"", L"", L"", L"[",
    /* 0xDC */ L"\\", L"]", L"^", L"",
    /* 0xE0 */ L"", L"", L"\\(backslash)", L"",
    /* 0xE4 */ L"", L"", L"", L"",
    /* 0xE8 */ L"", L"", L"", L"",
    /* 0xEC */ L"", L"", L"", L"",
    /* 0xF0 */ L"", L"", L"", L"",
    /* 0xF4 */ L"", L"", L"", L"",
    /* 0xF8 */ L"", L"", L"", L"",
    /* 0xFC */ L"", L"", L"", L"PAUSE",
};
}  // namespace

const wchar_t* GetKeyName(int key)
{
    if (key < 0 || key >= kKeyNameCount)
        return L"";
    return kKeyNames[key];
}

void FormatShortcutText(int key, int flags, wchar_t* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    buffer[0] = L'\0';
    if (key == 0) {
        LoadText(IDS_SHORTCUT_NONE, buffer, size);
        return;
    }
    const wchar_t* ctrl = flags & kModifierCtrl ? L"CTRL+" : L"";
    const wchar_t* shift = flags & kModifierShift ? L"SHIFT+" : L"";
    const wchar_t* alt = flags & kModifierAlt ? L"ALT+" : L"";
    // Cut to fit: what fits of the text, never a failure.
    _snwprintf(buffer, static_cast<size_t>(size) - 1, L"%ls%ls%ls%ls", ctrl, shift, alt, GetKeyName(key));
    buffer[size - 1] = L'\0';
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
