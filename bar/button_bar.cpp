#include "bar/button_bar.h"

#include "app/messages.h"
#include "bar/bar_geometry.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "data/launcher_data.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"

#include <commctrl.h>

#include <cstring>

namespace {
HWND g_tooltip = nullptr;
WNDPROC g_buttonProcedure = nullptr;  // group button and launcher buttons (one class)
WNDPROC g_previousArrowProcedure = nullptr;
WNDPROC g_nextArrowProcedure = nullptr;
bool g_released = false;  // the bar's procedures only pass messages on
bool g_refuseControls = false;

HINSTANCE ProgramInstance()
{
    return GetModuleHandleA(nullptr);
}

WNDPROC BarProcedureFor(int id)
{
    return IsLauncherButtonId(id) ? LauncherButtonProc : KeyForwardingProc;
}

WNDPROC Subclass(HWND control, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

HWND CreateBarControl(HWND mainWindow, const BarControl& c)
{
    if (g_refuseControls)
        return nullptr;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | c.extraStyle;
    HWND control = CreateWindowExA(0, "BUTTON", "", style, c.x, c.y, c.width, c.height, mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                   ProgramInstance(), nullptr);
    if (control)
        SetButtonImage(mainWindow, c.id, LoadResourceIcon(c.icon));
    return control;
}

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

void SetTool(HWND mainWindow, int id, char* text, TooltipMode mode)
{
    HWND control = GetDlgItem(mainWindow, id);
    if (!control)
        return;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    GetWindowRect(control, &tool.rect);
    tool.hinst = ProgramInstance();
    tool.lpszText = text;
    SendMessageA(g_tooltip, mode == TooltipMode::Add ? TTM_ADDTOOLA : TTM_SETTOOLINFOA, 0,
                 reinterpret_cast<LPARAM>(&tool));
}
}  // namespace

bool CreateButtonBar(HWND mainWindow)
{
    const SIZE size = BarWindowSize(true);
    SetWindowPos(mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (int position = 0; position < kBarControlCount; ++position) {
        if (!CreateBarControl(mainWindow, BarControlAt(position))) {
            ShowMessageId(mainWindow, kMsgWindowFailed, MB_OK | MB_ICONERROR);
            return false;
        }
    }

    g_released = false;
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        const WNDPROC previous = Subclass(GetDlgItem(mainWindow, id), BarProcedureFor(id));
        if (id == kPreviousGroupId)
            g_previousArrowProcedure = previous;
        else if (id == kNextGroupId)
            g_nextArrowProcedure = previous;
        else
            g_buttonProcedure = previous;
    }
    return true;
}

void RefuseBarControlsForTests(bool refuse)
{
    g_refuseControls = refuse;
}

bool BarProceduresReleased()
{
    return g_released;
}

WNDPROC PreviousBarProcedure(int controlId)
{
    if (controlId == kPreviousGroupId)
        return g_previousArrowProcedure;
    if (controlId == kNextGroupId)
        return g_nextArrowProcedure;
    return g_buttonProcedure;
}

void ReleaseButtonBar(HWND mainWindow)
{
    // The tooltip subclasses its tools on top of the bar's procedures: take
    // the tools away first so that the bar's procedures are outermost again
    // where the platform unhooks them. Where another procedure still sits on
    // top, the bar's stays in the chain but only passes messages on.
    g_released = true;
    if (g_tooltip && IsWindow(g_tooltip)) {
        for (int position = 0; position < kBarControlCount; ++position) {
            TTTOOLINFOA tool = {};
            tool.cbSize = TTTOOLINFOA_V1_SIZE;
            tool.hwnd = mainWindow;
            tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(mainWindow, BarControlAt(position).id));
            SendMessageA(g_tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        DestroyWindow(g_tooltip);
    }
    g_tooltip = nullptr;
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        HWND control = GetDlgItem(mainWindow, id);
        if (!control)
            continue;
        const WNDPROC previous = PreviousBarProcedure(id);
        if (previous && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)) == BarProcedureFor(id))
            Subclass(control, previous);
        SetButtonImage(mainWindow, id, nullptr);
    }
}

void CreateBarTooltips(HWND mainWindow)
{
    InitCommonControls();
    g_tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr,
                                ProgramInstance(), nullptr);
    UpdateBarTooltips(mainWindow, TooltipMode::Add);
}

HWND BarTooltipWindow()
{
    return g_tooltip;
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
    SetTool(mainWindow, kGroupButtonId, text, mode);
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        BuildButtonToolText(i, text, sizeof text);
        SetTool(mainWindow, kFirstLauncherId + i, text, mode);
    }
}
