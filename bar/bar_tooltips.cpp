#include "bar/bar_tooltips.h"

#include "bar/bar_geometry.h"
#include "bar/bar_names.h"
#include "bar/button_text.h"
#include "bar/window_state.h"
#include "support/display_scale.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"

#include <commctrl.h>

#include <cwchar>
#include <utility>

namespace {
// The window's tooltip control; null without one.
HWND TooltipOf(HWND mainWindow)
{
    const MainWindowState* state = WindowState(mainWindow);
    return state ? state->tooltip : nullptr;
}

TTTOOLINFOW ToolOf(HWND mainWindow, HWND control)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

void SetTool(HWND mainWindow, HWND tooltip, int id, wchar_t* text, TooltipMode mode)
{
    HWND control = GetDlgItem(mainWindow, id);
    if (!control)
        return;
    TTTOOLINFOW tool = ToolOf(mainWindow, control);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    GetWindowRect(control, &tool.rect);
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = text;
    SendMessageW(tooltip, mode == TooltipMode::Add ? TTM_ADDTOOLW : TTM_SETTOOLINFOW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}
}  // namespace

void CreateBarTooltips(HWND mainWindow)
{
    MainWindowState* state = WindowState(mainWindow);
    if (!state)
        return;
    InitCommonControls();
    state->tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ScaleBarTooltips(mainWindow);
    UpdateBarTooltips(mainWindow, TooltipMode::Add);
}

void ScaleBarTooltips(HWND mainWindow)
{
    MainWindowState* state = WindowState(mainWindow);
    if (!state || !state->tooltip)
        return;
    NONCLIENTMETRICSW metrics;
    if (!NonClientMetricsForDpi(metrics, WindowDpi(mainWindow)))
        return;
    ScopedGdi<HFONT> font(CreateFontIndirectW(&metrics.lfStatusFont));
    if (!font)
        return;
    SendMessageW(state->tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    state->tooltipFont = std::move(font);
}

void ReleaseBarTooltips(HWND mainWindow)
{
    MainWindowState* state = WindowState(mainWindow);
    if (!state)
        return;
    if (state->tooltip && IsWindow(state->tooltip)) {
        for (int position = 0; position < kBarControlCount; ++position) {
            TTTOOLINFOW tool = ToolOf(mainWindow, GetDlgItem(mainWindow, BarControlAt(position).id));
            SendMessageW(state->tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        DestroyWindow(state->tooltip);
    }
    state->tooltip = nullptr;
    state->tooltipFont.Reset();
}

void UpdateBarTooltips(HWND mainWindow, TooltipMode mode)
{
    NameBarControls(mainWindow);  // also without a tooltip
    HWND tooltip = TooltipOf(mainWindow);
    if (!tooltip)
        return;
    wchar_t text[kToolTextSize] = L"";
    const Launcher& launcher = LauncherOf(mainWindow);
    const GroupRecord& group = launcher.CurrentGroupRecord();
    CopyWholeCharacters(group.name, std::wcslen(group.name), text, kToolTextSize);
    SetTool(mainWindow, tooltip, IDC_GROUP_BUTTON, text, mode);
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        BuildButtonToolText(launcher, i, text, kToolTextSize);
        SetTool(mainWindow, tooltip, IDC_FIRST_LAUNCHER + i, text, mode);
    }
}
