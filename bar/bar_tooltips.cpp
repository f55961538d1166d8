#include "bar/bar_tooltips.h"

#include "bar/bar_geometry.h"
#include "data/launcher_data.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/display_scale.h"
#include "support/scoped_handle.h"

#include <commctrl.h>

#include <cstring>
#include <utility>

namespace {
HWND g_tooltip = nullptr;
ScopedGdi<HFONT> g_font;  // the tips' font at the window's DPI

// Copies at most size - 1 bytes of a fixed text field that may lack its terminator.
void CopyField(char* buffer, int size, const char* field, int fieldSize)
{
    const int limit = fieldSize < size - 1 ? fieldSize : size - 1;
    int length = 0;
    while (length < limit && field[length])
        ++length;
    std::memcpy(buffer, field, length);
    buffer[length] = '\0';
}

void AppendText(char* buffer, int size, const char* text)
{
    const int used = static_cast<int>(std::strlen(buffer));
    lstrcpynA(buffer + used, text, size - used);
}

TTTOOLINFOA ToolOf(HWND mainWindow, HWND control)
{
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

void SetTool(HWND mainWindow, int id, char* text, TooltipMode mode)
{
    HWND control = GetDlgItem(mainWindow, id);
    if (!control)
        return;
    TTTOOLINFOA tool = ToolOf(mainWindow, control);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    GetWindowRect(control, &tool.rect);
    tool.hinst = GetModuleHandleA(nullptr);
    tool.lpszText = text;
    SendMessageA(g_tooltip, mode == TooltipMode::Add ? TTM_ADDTOOLA : TTM_SETTOOLINFOA, 0,
                 reinterpret_cast<LPARAM>(&tool));
}
}  // namespace

void CreateBarTooltips(HWND mainWindow)
{
    InitCommonControls();
    g_tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ScaleBarTooltips(mainWindow);
    UpdateBarTooltips(mainWindow, TooltipMode::Add);
}

void ScaleBarTooltips(HWND mainWindow)
{
    if (!g_tooltip)
        return;
    NONCLIENTMETRICSA metrics;
    if (!NonClientMetricsForDpi(metrics, WindowDpi(mainWindow)))
        return;
    ScopedGdi<HFONT> font(CreateFontIndirectA(&metrics.lfStatusFont));
    if (!font)
        return;
    SendMessageA(g_tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    g_font = std::move(font);
}

void ReleaseBarTooltips(HWND mainWindow)
{
    if (g_tooltip && IsWindow(g_tooltip)) {
        for (int position = 0; position < kBarControlCount; ++position) {
            TTTOOLINFOA tool = ToolOf(mainWindow, GetDlgItem(mainWindow, BarControlAt(position).id));
            SendMessageA(g_tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        DestroyWindow(g_tooltip);
    }
    g_tooltip = nullptr;
    g_font.Reset();
}

void BuildButtonToolText(int index, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    std::memset(buffer, 0, size);
    const ButtonRecord* button = CurrentButton(index);
    if (!button)
        return;
    CopyField(buffer, size, button->title, kTextFieldSize);

    const ShortcutEntry* entry = GetShortcutEntry(CurrentGroupIndex(), index);
    if (!entry || entry->key == 0)
        return;
    const bool system = entry->usesystemshortcut != 0;
    AppendText(buffer, size, system ? " <" : " (");
    if (entry->flag & kModifierCtrl)
        AppendText(buffer, size, "CTRL+");
    if (entry->flag & kModifierShift)
        AppendText(buffer, size, "SHIFT+");
    if (entry->flag & kModifierAlt)
        AppendText(buffer, size, "ALT+");
    AppendText(buffer, size, GetKeyName(entry->key));
    AppendText(buffer, size, system ? ">" : ")");
}

void UpdateBarTooltips(HWND mainWindow, TooltipMode mode)
{
    if (!g_tooltip)
        return;
    char text[kToolTextSize];
    const GroupRecord group = GetCurrentGroupRecord();
    CopyField(text, sizeof text, group.name, kTextFieldSize);
    SetTool(mainWindow, IDC_GROUP_BUTTON, text, mode);
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        BuildButtonToolText(i, text, sizeof text);
        SetTool(mainWindow, IDC_FIRST_LAUNCHER + i, text, mode);
    }
}
