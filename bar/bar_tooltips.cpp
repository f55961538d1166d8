#include "bar/bar_tooltips.h"

#include "bar/bar_geometry.h"
#include "bar/bar_names.h"
#include "bar/button_text.h"
#include "support/display_scale.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"

#include <commctrl.h>

#include <cwchar>
#include <utility>

namespace {
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

void CreateBarTooltips(ButtonBar& bar)
{
    InitCommonControls();
    bar.tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, bar.window, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ScaleBarTooltips(bar);
    UpdateBarTooltips(bar, TooltipMode::Add);
}

void ScaleBarTooltips(ButtonBar& bar)
{
    if (!bar.tooltip)
        return;
    NONCLIENTMETRICSW metrics;
    if (!NonClientMetricsForDpi(metrics, WindowDpi(bar.window)))
        return;
    ScopedGdi<HFONT> font(CreateFontIndirectW(&metrics.lfStatusFont));
    if (!font)
        return;
    SendMessageW(bar.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    bar.tooltipFont = std::move(font);
}

void ReleaseBarTooltips(ButtonBar& bar)
{
    if (bar.tooltip && IsWindow(bar.tooltip)) {
        for (int position = 0; position < kBarControlCount; ++position) {
            TTTOOLINFOW tool = ToolOf(bar.window, GetDlgItem(bar.window, BarControlAt(position).id));
            SendMessageW(bar.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        DestroyWindow(bar.tooltip);
    }
    bar.tooltip = nullptr;
    bar.tooltipFont.Reset();
}

void UpdateBarTooltips(ButtonBar& bar, TooltipMode mode)
{
    NameBarControls(bar);  // also without a tooltip
    if (!bar.tooltip)
        return;
    wchar_t text[kToolTextSize] = L"";
    const GroupRecord& group = bar.launcher.CurrentGroupRecord();
    CopyWholeCharacters(group.name, std::wcslen(group.name), text, kToolTextSize);
    SetTool(bar.window, bar.tooltip, IDC_GROUP_BUTTON, text, mode);
    for (int i = 0; i < kLauncherButtonCount; ++i) {
        BuildButtonToolText(bar.launcher, i, text, kToolTextSize);
        SetTool(bar.window, bar.tooltip, IDC_FIRST_LAUNCHER + i, text, mode);
    }
}
