#include "window/bar_fixture.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

bool IsKeyDownNow(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

std::vector<DWORD> IconPixels(HICON icon)
{
    if (!icon)
        return {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    std::vector<DWORD> pixels;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all = {0, 0, 32, 32};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + 32 * 32);
        SelectObject(dc, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

std::vector<DWORD> ControlPixels(HWND window, int controlId)
{
    HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(window, controlId, BM_GETIMAGE, IMAGE_ICON, 0));
    return IconPixels(icon);
}

std::vector<DWORD> ResourcePixels(int resourceId)
{
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON, 32, 32, 0));
    std::vector<DWORD> pixels = IconPixels(icon);
    if (icon)
        DestroyIcon(icon);
    return pixels;
}

std::vector<DWORD> FileIconPixels(const std::string& path, int index)
{
    HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), index);
    if (reinterpret_cast<UINT_PTR>(icon) <= 1)
        return {};
    std::vector<DWORD> pixels = IconPixels(icon);
    DestroyIcon(icon);
    return pixels;
}

HWND BarTooltip(HWND window)
{
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        if (GetWindow(w, GW_OWNER) == window)
            return w;
    }
    return nullptr;
}

std::string ToolText(HWND window, int controlId)
{
    HWND tooltip = BarTooltip(window);
    if (!tooltip)
        return "<no tooltip>";
    char text[512] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, controlId));
    if (!SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
        return "<no tool>";
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

namespace {
void CopyText(char* field, const std::string& text)
{
    std::memset(field, 0, kTextFieldSize);
    lstrcpynA(field, text.c_str(), kTextFieldSize);
}

void Fill(ButtonRecord* record, const std::string& title, const std::string& file, const std::string& params,
          const std::string& workDir, const std::string& iconFile, int iconIndex)
{
    ASSERT_NE(nullptr, record);
    std::memset(record, 0, sizeof *record);
    CopyText(record->title, title);
    CopyText(record->file, file);
    CopyText(record->params, params);
    CopyText(record->workDir, workDir);
    CopyText(record->iconFile, iconFile);
    record->iconIndex = iconIndex;
}
}  // namespace

void FillButton(int index, const std::string& title, const std::string& file, const std::string& params,
                const std::string& workDir, const std::string& iconFile, int iconIndex)
{
    Fill(CurrentButton(index), title, file, params, workDir, iconFile, iconIndex);
}

void FillButtonAt(int group, int index, const std::string& title, const std::string& file,
                  const std::string& iconFile, int iconIndex)
{
    Fill(ButtonAt(group, index), title, file, "", "", iconFile, iconIndex);
}

void BarWindowTest::SetUp()
{
    OpenLauncherWindow();
    if (!GetShortcutTable()) {
        ASSERT_NE(nullptr, CreateShortcutTable());
    }
}

void BarWindowTest::SetGroupCount(int count)
{
    AppSettings settings = GetSettings();
    settings.groupCount = count;
    SetSettings(settings);
}

void BarWindowTest::SetCollapseOnLaunch(bool on)
{
    AppSettings settings = GetSettings();
    settings.collapseOnLaunch = on ? 1 : 0;
    SetSettings(settings);
}

bool BarWindowTest::Expanded() const
{
    RECT client;
    GetClientRect(window_, &client);
    return client.bottom == kBarExpandedHeight;
}

void BarWindowTest::Command(int id)
{
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
}

DialogProbe::DialogProbe(std::string captionPart, std::function<void(HWND)> inspect, int buttonId,
                         DWORD timeoutMs)
    : driver_(std::move(captionPart),
              [inspect = std::move(inspect), buttonId](HWND dialog) {
                  if (inspect)
                      inspect(dialog);
                  if (buttonId)
                      drive::ClickButton(dialog, buttonId);
              },
              timeoutMs)
{
}

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string InstallRecorder(const TempFolder& folder, const std::string& relativePath)
{
    const std::string path = folder.File(relativePath);
    const size_t slash = path.rfind('\\');
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    CopyFileA(HostPath(PORUN_RECORDER_PATH).c_str(), path.c_str(), FALSE);
    return path;
}

std::string ReceivedPath(const std::string& program)
{
    return program.substr(0, program.rfind('\\')) + "\\received.txt";
}

bool WaitForRecord(const std::string& program, std::string* commandLine, std::string* folder, DWORD timeoutMs)
{
    const std::string received = ReceivedPath(program);
    if (!PumpUntil([&] { return FileExists(received); }, timeoutMs))
        return false;
    const std::string text = ReadFileBytes(received);
    const size_t first = text.find('\n');
    const size_t second = text.find('\n', first + 1);
    if (first == std::string::npos || second == std::string::npos)
        return false;
    if (commandLine)
        *commandLine = text.substr(0, first);
    if (folder)
        *folder = text.substr(first + 1, second - first - 1);
    return true;
}

HDROP MakeDrop(const std::wstring& file, POINT point)
{
    const SIZE_T bytes = (file.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes + sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fNC = FALSE;
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), file.c_str(), bytes);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

HDROP MakeDrop(const std::string& file, POINT point)
{
    return MakeDrop(Widen(file), point);
}

POINT ControlCentre(HWND window, int controlId)
{
    RECT rect;
    GetWindowRect(GetDlgItem(window, controlId), &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
