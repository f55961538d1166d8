#include "support/launcher.h"

// What this file takes from the product: the main window, the program-path seam, the bar's ids.
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "bar/bar_geometry.h"
#include "data/button_place.h"
#include "data/start_menu_programs.h"
#include "resources/resource_ids.h"
#include "support/code_page_932.h"
#include "support/program_files.h"

#include <shlobj.h>

#include <cstring>
#include <sstream>

namespace support {

POINT Centre(HWND control, HWND clientOf)
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (clientOf)
        ScreenToClient(clientOf, &centre);
    return centre;
}

std::wstring Decoded(const char* field) { return FromCodePage932(field, strnlen(field, kStoredFieldSize)); }

namespace {
void Store(char* field, const std::wstring& text)  // cut on a whole character at the field's end, zeros after
{
    std::memset(field, 0, kStoredFieldSize);
    ToCodePage932(text.c_str(), field, kStoredFieldSize);
}
}  // namespace

DataImage& DataImage::Button(int group, int index, const std::wstring& title, const std::wstring& file,
                             const std::wstring& params, const std::wstring& workDir, const std::wstring& iconFile,
                             int iconIndex)
{
    StoredButton& button = groups[group].buttons[index];
    for (auto [field, text] : {std::pair<char*, const std::wstring*>{button.title, &title}, {button.file, &file},
                               {button.params, &params}, {button.workDir, &workDir}, {button.iconFile, &iconFile}})
        Store(field, *text);
    button.iconIndex = iconIndex;
    return *this;
}

DataImage& DataImage::Group(int group, const std::wstring& name, const std::wstring& iconFile, int iconIndex)
{
    StoredGroup& record = groups[group].group = StoredGroup{};
    Store(record.name, name);
    Store(record.iconFile, iconFile);
    record.iconIndex = iconIndex;
    return *this;
}

std::optional<DataImage> DataImage::Read(const std::wstring& path)
{
    const std::string bytes = ReadBytes(path);
    DataImage image;
    if (bytes.size() != sizeof image)
        return std::nullopt;
    std::memcpy(static_cast<void*>(&image), bytes.data(), sizeof image);
    return image;
}

std::string ShortcutLines(int group, int button, int key, int flags, int system, int id)
{
    char head[32];
    snprintf(head, sizeof head, "ShortCut.%02d:%03d.", group, button);
    std::string lines;
    const int number = ButtonPlace{group, button}.Number();
    for (const auto& [field, value] : {std::pair<const char*, int>{"id", id < 0 ? number : id},
                                       {"key", key}, {"flag", flags}, {"usesystemshortcut", system}})
        lines += head + (field + ("," + std::to_string(value))) + "\r\n";
    return lines;
}

bool MakeShellLink(const std::wstring& link, const std::wstring& target, const std::wstring& args,
                   const std::wstring& dir)
{
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    const bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                               reinterpret_cast<void**>(&shellLink))) &&
                    SUCCEEDED(shellLink->SetPath(target.c_str())) && SUCCEEDED(shellLink->SetArguments(args.c_str())) &&
                    SUCCEEDED(shellLink->SetWorkingDirectory(dir.c_str())) &&
                    SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                    SUCCEEDED(file->Save(link.c_str(), TRUE));
    for (IUnknown* made : std::initializer_list<IUnknown*>{file, shellLink})
        made && made->Release();
    return ok;
}

Received Recorder::Got() const
{
    std::istringstream lines(ReadBytes(FolderOf(path_) + L"\\received.txt"));
    Received got;
    for (std::wstring* field : {&got.commandLine, &got.folder, &got.program}) {
        std::string line;
        std::getline(lines, line);
        *field = Utf16(line);
    }
    return got;
}

void LauncherWindow::Open(int show)
{
    program_ = CopyInto(BuildFile(PORUN_EXE_PATH), folder_, L"porun.exe");
    ASSERT_TRUE(!program_.empty() && WriteBytes(folder_.File(L"porun.dat"), data_.Bytes()));
    ASSERT_TRUE(shortcuts_.empty() || WriteBytes(folder_.File(L"shortcut.dat"), shortcuts_));
    programPath_.emplace(OverrideProgramPath(program_.c_str()));
    programsSeam_.emplace(OverrideProgramsFolders({programs_}));
    const auto listStoreApps = [apps = storeApps_](const std::atomic<bool>&, std::vector<StoreApp>* found) {
        *found = apps;
        return true;
    };
    storeAppsSeam_.emplace(OverrideStoreApps(listStoreApps));
    if (beforeStart_)
        beforeStart_();
    launcher_ = Launcher::Create();
    ASSERT_TRUE(launcher_);
    window_ = CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass, *launcher_);
    ASSERT_NE(nullptr, window_);
    ShowWindow(window_, show);
    UpdateWindow(window_);
    if (!waitReady_)
        return;
    ASSERT_TRUE(WaitUntil([this] { return MainWindowReady(window_); }));  // tray icon, tips, timer
    KillTimer(window_, kHoverTimerId);
    PumpPending();
}

void LauncherWindow::Close()
{
    if (!window_)
        return;
    DestroyWindow(window_);  // its catalog's thread has ended with it
    PumpPending();
    launcher_.reset();
    programsSeam_.reset();
    storeAppsSeam_.reset();
    programPath_.reset();
    window_ = nullptr;
}

void LauncherWindow::Click(int id) { id == IDC_GROUP_BUTTON ? Toggle(window_, id) : Press(window_, id, true); }

void LauncherWindow::Key(BYTE vk, int controlId)
{
    SendMessageW(controlId ? GetDlgItem(window_, controlId) : window_, WM_KEYDOWN, vk,
                 1 | MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
}

void LauncherWindow::Drop(const std::vector<std::wstring>& files, int controlId)
{
    const std::string block = DropBlock(files, Centre(GetDlgItem(window_, controlId), window_));
    HGLOBAL drop = GlobalAlloc(GPTR, block.size());  // fixed: the handle is the memory
    std::memcpy(drop, block.data(), block.size());
    SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

OpenMenu LauncherWindow::RightClick(int controlId, UINT choose, const std::function<void(const OpenMenu&)>& look)
{
    HWND control = controlId ? GetDlgItem(window_, controlId) : window_;
    const POINT at = Centre(control);
    return WhileMenuOpen(window_, [&] {
        SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(at.x, at.y));
    }, choose, look);
}

OpenMenu LauncherWindow::Tray(UINT mouseMessage, UINT choose, UINT iconId)
{
    return WhileMenuOpen(window_, [&] { SendMessageW(window_, WM_TRAYNOTIFY, iconId, mouseMessage); }, choose);
}

// A hand's drag as the pressed button hears it; the cursor is held at each place (Wine may bring an old one back).
void LauncherWindow::Drag(int from, const std::vector<DragStep>& steps, Keys held)
{
    HWND source = GetDlgItem(window_, from);
    auto moveOver = [&](int id, int dx) {
        POINT at = Centre(GetDlgItem(window_, id));
        at.x += dx;
        const RECT only = {at.x, at.y, at.x + 1, at.y + 1};
        ClipCursor(nullptr);
        SetCursorPos(at.x, at.y);
        ClipCursor(&only);
        ScreenToClient(source, &at);
        return MAKELPARAM(at.x, at.y);
    };
    LPARAM point = moveOver(from, 0);
    SendMessageW(source, WM_LBUTTONDOWN, MK_LBUTTON, point);
    for (const DragStep& step : steps) {
        point = moveOver(step.over, step.dx);
        for (int move = 0; move < 4; ++move)
            SendMessageW(source, WM_MOUSEMOVE, MK_LBUTTON, point);
        if (step.ticks > 0) {
            {
                const HeldKeys button({VK_LBUTTON});  // the hover timer looks for the mouse button
                for (int tick = 0; tick < step.ticks; ++tick)
                    SendMessageW(window_, WM_TIMER, kHoverTimerId, 0);
            }
            PumpPending();
        }
    }
    PumpPending();  // the press's focus change first: under Wine it resets the key state
    const HeldKeys keys(held);
    SendMessageW(source, WM_LBUTTONUP, 0, point);
    ClipCursor(nullptr);
    PumpPending();
}

std::wstring LauncherWindow::Tip(int controlId) const
{
    HWND tip = nullptr;  // the bar's tooltip is the one the main window owns
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tip, GW_OWNER) != window_) {
    }
    wchar_t text[1024] = L"";  // left empty for a control without a tool
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window_, controlId));
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
    return text;
}

bool LauncherWindow::Expanded() const
{
    RECT client = {};
    GetClientRect(window_, &client);
    return Centre(GetDlgItem(window_, kLastLauncherId), window_).y < client.bottom;
}

namespace {
constexpr wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void SetDesktopValue(const std::wstring& value)
{
    if (value.empty()) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Desktop");
        return;
    }
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Desktop", REG_EXPAND_SZ, value.c_str(), bytes);
}
}  // namespace

DesktopRedirect::DesktopRedirect(const std::wstring& folder)
{
    wchar_t value[MAX_PATH] = L"";
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Desktop", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                     RRF_NOEXPAND, nullptr, value, &bytes) == ERROR_SUCCESS)
        before_ = value;
    SetDesktopValue(folder);
}

DesktopRedirect::~DesktopRedirect()
{
    SetDesktopValue(before_);
}

LauncherProcess::LauncherProcess(const std::wstring& exe)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + exe + L"\"";
    CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
}

LauncherProcess::~LauncherProcess()
{
    Kill();
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

bool LauncherProcess::Close() const
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitForExit() != -1;
}

long LauncherProcess::WaitForExit() const
{
    DWORD code = 0;
    return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0 &&
                   GetExitCodeProcess(process_.hProcess, &code) ? static_cast<long>(code) : -1;
}

HWND LauncherProcess::Window()
{
    if (window_ && IsWindow(window_))
        return window_;
    WaitUntil([&] {  // the main window belongs to its first thread
        window_ = FindWindowW(kMainWindowClass, nullptr);
        const bool ours = GetWindowThreadProcessId(window_, nullptr) == process_.dwThreadId && IsWindowVisible(window_);
        NOTIFYICONDATAW probe = {DWORD(NOTIFYICONDATAW_V1_SIZE), window_, kTrayIconId, NIF_TIP};
        const bool started = ours && Shell_NotifyIconW(NIM_MODIFY, &probe);  // its start's last step
        return (window_ = started ? window_ : nullptr) || !Running();
    }, 15000);
    return window_;
}

bool LauncherProcess::Drop(const std::vector<std::wstring>& files, int controlId) const
{
    // A handle of ours means nothing there: the record goes into its memory, which its DragFinish leaves.
    const std::string block = DropBlock(files, Centre(GetDlgItem(window_, controlId), window_));
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    return remote && WriteProcessMemory(process_.hProcess, remote, block.data(), block.size(), &written) &&
           written == block.size() && PostMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

}  // namespace support
