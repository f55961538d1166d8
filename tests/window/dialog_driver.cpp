#include "common/test_support.h"
#include "resources/resource_ids.h"
#include "window/dialog_driver.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

namespace drive {

DialogDriver::DialogDriver(std::string captionPart, std::function<void(HWND)> action, DWORD timeoutMs)
    : captionPart_(std::move(captionPart)), action_(std::move(action)), timeoutMs_(timeoutMs)
{
    thread_ = std::thread([this] {
        HWND dialog = WaitForDialog(captionPart_, timeoutMs_);
        if (!dialog)
            return;
        action_(dialog);
        ran_ = true;
    });
}

DialogDriver::~DialogDriver()
{
    Join();
}

void DialogDriver::Join()
{
    if (thread_.joinable())
        thread_.join();
}

HWND WaitForDialog(const std::string& captionPart, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND dialog = FindProcessDialog(captionPart);
        if (dialog) {
            // The dialog's thread answers once its initialisation is over.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            return dialog;
        }
        Sleep(20);
    }
    return nullptr;
}

void ClickButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DoubleClickItem(HWND list, int index)
{
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

std::vector<COLORREF> ItemColumnColours(HWND list, int index, int dx)
{
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    std::vector<COLORREF> colours;
    HDC dc = GetDC(list);
    for (int y = rect.top; y < rect.bottom; ++y)
        colours.push_back(GetPixel(dc, rect.left + dx, y));
    ReleaseDC(list, dc);
    return colours;
}

int CountColour(const std::vector<COLORREF>& colours, COLORREF colour)
{
    int count = 0;
    for (COLORREF c : colours)
        count += c == colour ? 1 : 0;
    return count;
}

namespace {
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconDir {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

const void* ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size)
{
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return nullptr;
    *size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    return loaded ? LockResource(loaded) : nullptr;
}
}  // namespace

bool MakeFileWithIcons(const std::string& path, int count)
{
    // A small program without icons of its own: the window tool of this build.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string tool = self;
    tool = tool.substr(0, tool.find_last_of('\\') + 1) + "porun_window_tool.exe";
    if (!CopyFileA(tool.c_str(), path.c_str(), FALSE))
        return false;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (!update)
        return false;
    // The program's icons in turn (those of this test program).
    static const int kSources[] = {IDI_PROGRAM, IDI_FACE,    IDI_GROUP_2, IDI_GROUP_3, IDI_GROUP_4, IDI_GROUP_5,
                                   IDI_GROUP_6, IDI_GROUP_7, IDI_GROUP_8, IDI_GROUP_9, IDI_GROUP_10};
    HMODULE self_module = GetModuleHandleA(nullptr);
    bool ok = count <= static_cast<int>(sizeof kSources / sizeof kSources[0]);
    for (int k = 0; ok && k < count; ++k) {
        DWORD size = 0;
        auto* dir = static_cast<const GroupIconDir*>(
            ResourceBytes(self_module, MAKEINTRESOURCEA(kSources[k]), MAKEINTRESOURCEA(3 + DIFFERENCE), &size));
        ok = dir && dir->count > 0;
        if (!ok)
            break;
        // The 32 x 32 picture, else the first.
        GroupIconEntry entry = dir->entries[0];
        for (int e = 0; e < dir->count; ++e)
            if (dir->entries[e].width == 32)
                entry = dir->entries[e];
        DWORD imageSize = 0;
        const void* image = ResourceBytes(self_module, MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3), &imageSize);
        ok = image != nullptr;
        if (!ok)
            break;
        const WORD iconId = static_cast<WORD>(k + 1);
        ok = UpdateResourceA(update, MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(iconId), 0, const_cast<void*>(image), imageSize);
        GroupIconDir group = {0, 1, 1, {entry}};
        group.entries[0].id = iconId;
        ok = ok && UpdateResourceA(update, MAKEINTRESOURCEA(3 + DIFFERENCE), MAKEINTRESOURCEA(200 + k), 0, &group,
                                   sizeof group);
    }
    if (!EndUpdateResourceA(update, ok ? FALSE : TRUE))
        return false;
    return ok && static_cast<int>(reinterpret_cast<UINT_PTR>(
                     ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(-1)))) == count;
}

bool MakeShellLink(const std::string& link, const std::string& target, const std::string& arguments,
                   const std::string& workDir)
{
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    bool ok = SUCCEEDED(shellLink->SetPath(target.c_str())) &&
              SUCCEEDED(shellLink->SetArguments(arguments.c_str())) &&
              SUCCEEDED(shellLink->SetWorkingDirectory(workDir.c_str()));
    IPersistFile* file = nullptr;
    if (ok && SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        ok = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    } else {
        ok = false;
    }
    shellLink->Release();
    return ok && FileExists(link);
}

void MaybeSaveScreenShot(const RECT& rect, const char* name)
{
    char folder[MAX_PATH];
    if (!GetEnvironmentVariableA("PORUN_SHOT_DIR", folder, sizeof folder))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    HDC screen = GetDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), imageSize);
    WriteFileBytes(std::string(folder) + "\\" + name + ".bmp", bytes);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

void MaybeSaveWindowShot(HWND window, const char* name)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    MaybeSaveScreenShot(rect, name);
}

HeldKey::HeldKey(BYTE key) : key_(key)
{
    keybd_event(key_, 0, 0, 0);
    PumpUntil([this] { return (GetAsyncKeyState(key_) & 0x8000) != 0; }, 2000);
}

HeldKey::~HeldKey()
{
    keybd_event(key_, 0, KEYEVENTF_KEYUP, 0);
    PumpUntil([this] { return (GetAsyncKeyState(key_) & 0x8000) == 0; }, 2000);
}

}  // namespace drive
