// The window's life: where it stands, what it starts with and what it leaves.
#include "window/window_test.h"

#include "app/main_window.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "bar/button_bar.h"
#include "data/launcher.h"
#include "data/user_file.h"
#include "support/program_files.h"

using namespace window_test;

namespace {

class WindowLife : public Window {};

TEST_F(WindowLife, ARememberedPlaceWinsAPlaceUnderTheTaskbarSnapsBackAndClosingSavesItWithTheGroupAndQuits)
{
    data_.settings.groupCount = 5;
    data_.settings.windowX = 120;
    data_.settings.windowY = 80;
    ASSERT_TRUE(WriteBytes(folder_.File(L"position.dat"),
                           "position00.desktop.width," + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
                               "\r\nposition00.desktop.height," + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
                               "\r\nposition00.positon.x,3000\r\nposition00.positon.y,-2000\r\n"));
    Open();
    NOTIFYICONDATAW probe = {DWORD(NOTIFYICONDATAW_V1_SIZE), window_, kTrayIconId, NIF_TIP};
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    WorkArea area = {};
    ASSERT_TRUE(ComputeWorkArea(&area));
    ASSERT_LT(area.bottom, GetSystemMetrics(SM_CYSCREEN) - 1) << "the test desktop's taskbar stands at the bottom";
    RECT rect = {};
    GetWindowRect(window_, &rect);
    EXPECT_EQ(std::make_pair(LONG(area.right + 1), -1L), std::make_pair(rect.right, rect.top));
    SetWindowPos(window_, nullptr, 300, area.bottom - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(window_, &rect);
    EXPECT_EQ(std::make_pair(300L, LONG(area.bottom + 1)), std::make_pair(rect.left, rect.bottom));
    Command(IDM_FIRST_GROUP + 2);
    DestroyWindow(window_);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    Close();
    const std::string positions = ReadBytes(folder_.File(L"position.dat"));
    EXPECT_NE(std::string::npos, positions.find("position00.positon.x,300\r\n")) << positions;
    EXPECT_NE(std::string::npos, positions.find("position00.positon.y," + std::to_string(rect.top))) << positions;
    const AppSettings s = Saved().value_or(DataImage()).settings;
    EXPECT_EQ((std::vector<int>{300, int(rect.top), 2}), (std::vector<int>{s.windowX, s.windowY, s.lastGroup}));
}

// The bar's first picture comes first; the hotkeys, the tray icon and the tips follow, and change nothing on it.
TEST_F(WindowLife, TheHotkeysTheTrayIconAndTheTipsFollowTheFirstPicture)
{
    data_.Button(0, 0, L"Editor", L"C:\\x.exe");
    shortcuts_ = ShortcutLines(0, 0, VK_F7, 2, 1) + ActiveLines(0, 0);
    waitReady_ = false;
    Open();
    NOTIFYICONDATAW probe = {DWORD(NOTIFYICONDATAW_V1_SIZE), window_, kTrayIconId, NIF_TIP};
    const Picture first = Picture::OfWindow(window_);
    EXPECT_FALSE(MainWindowReady(window_));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "no tray icon before the first picture";
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL, VK_F7)) << "no hotkey before the first picture";
    EXPECT_EQ(L"", Tip(B(0)));
    ASSERT_TRUE(WaitUntil([this] { return MainWindowReady(window_); }));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL, VK_F7));
    EXPECT_EQ(L"Editor <CTRL+F7>", Tip(B(0)));
    EXPECT_EQ(first, Picture::OfWindow(window_));
}

TEST_F(WindowLife, AScreenSizeChangeBackAndForthReturnsTheBarToItsPlaceAtThatSize)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    auto resize = [](int w, int h) {
        DEVMODEW mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = DWORD(w);
        mode.dmPelsHeight = DWORD(h);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        return ChangeDisplaySettingsW(&mode, 0) == DISP_CHANGE_SUCCESSFUL && GetSystemMetrics(SM_CXSCREEN) == w;
    };
    const Restore back{[=] { resize(width, height); }};
    auto at = [&](int x, int y) {
        return WaitUntil([&] {
            RECT rect = {};
            return GetWindowRect(window_, &rect) && rect.left == x && rect.top == y;
        });
    };
    Open();
    SetWindowPos(window_, nullptr, 500, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(resize(800, 600));
    SetWindowPos(window_, nullptr, 100, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(resize(width, height));
        EXPECT_TRUE(at(500, 200)) << round;
        ASSERT_TRUE(resize(800, 600));
        EXPECT_TRUE(at(100, 40)) << round;
    }
}

// Windows destroys a window whose WM_CREATE failed (Wine does not: the test does it); no file written, no quit.
TEST_F(WindowLife, ARefusedWindowWritesNothingAndPostsNoQuit)
{
    const std::wstring program = CopyInto(BuildFile(PORUN_EXE_PATH), folder_, L"porun.exe");
    for (const wchar_t* name : {L"porun.dat", L"position.dat", L"shortcut.dat"})
        ASSERT_TRUE(WriteBytes(folder_.File(name), "the user's " + Utf8(name)));
    const SeamGuard programPath = OverrideProgramPath(program.c_str());
    const std::unique_ptr<Launcher> launcher = Launcher::Create();
    ASSERT_TRUE(launcher);
    const SeamGuard refused = OverrideBarControlsRefused(true);
    DialogWaiter error(L"=(@.@)=", IDOK);
    EXPECT_EQ(nullptr, CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass, *launcher));
    EXPECT_EQ(L"Windowの作成に失敗したのら！", error.Message());
    HWND standIn = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MainWindowProc(standIn, WM_DESTROY, 0, 0);
    DestroyWindow(standIn);
    for (const wchar_t* name : {L"porun.dat", L"position.dat", L"shortcut.dat"})
        EXPECT_EQ("the user's " + Utf8(name), ReadBytes(folder_.File(name)));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A file the launcher cannot read at its start: told by name and left byte for byte; or read once let go.
struct HeldRow {
    const char* name;
    const wchar_t* file;
    bool held = true;       // open in the test without sharing while the launcher starts
    bool released = false;  // let go at the launcher's first retry
    std::string padding;    // after shortcut.dat's lines
};
class FileNotReadAtStart : public Table<HeldRow> {};

HANDLE g_held = INVALID_HANDLE_VALUE;
int g_retries = 0;
void LetGo(int)
{
    ++g_retries;
    CloseHandle(g_held);
    g_held = INVALID_HANDLE_VALUE;
}

TEST_P(FileNotReadAtStart, IsToldByNameAndNeverWritten)
{
    data_.Button(0, 0, L"memo", L"C:\\memo.exe");
    shortcuts_ = ShortcutLines(0, 0, 'A', 7, 0) + ActiveLines(0, 0) + row().padding;
    ASSERT_TRUE(WriteBytes(folder_.File(L"position.dat"), "position00.desktop.width,1\r\n"));
    const std::wstring path = folder_.File(row().file);
    const Restore undo{[] {
        LetGo(0);
        g_retries = 0;
    }};
    const SeamGuard retry = OverrideUserFileRetry({.attempts = 3, .delay = 0,
                                                   .onRetry = row().released ? LetGo : [](int) { ++g_retries; }});
    std::string before;
    beforeStart_ = [&] {
        before = ReadBytes(path);
        g_held = row().held ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : g_held;
    };
    const std::unique_ptr<DialogWaiter> box = Expect(row().released ? nullptr : L"=(@.@)=", IDOK);
    Open();
    const bool dataRead = row().released || std::wstring(row().file) != L"porun.dat";
    const bool keysRead = row().released || std::wstring(row().file) != L"shortcut.dat";
    EXPECT_EQ(Resource(dataRead ? IDI_NOT_FOUND : IDI_EMPTY_BUTTON), Shows(B(0)));
    EXPECT_EQ((dataRead ? L"memo" : L"") + std::wstring(keysRead ? L" (CTRL+SHIFT+ALT+A)" : L""), Tip(B(0)));
    EXPECT_EQ(row().held, g_retries > 0);  // before the LetGo below, which counts one more
    const std::wstring told = box ? box->Message() : L"";
    EXPECT_EQ(!row().released, told.find(row().file + std::wstring(L" が読めなかったのら！！")) == 0) << told;
    LetGo(0);
    Close();
    EXPECT_EQ(!row().released, before == ReadBytes(path));  // released: the launcher wrote it at its close
}

const HeldRow kHeld[] = {
    {.name = "DataFile", .file = L"porun.dat"},
    {.name = "DataFileLetGoDuringTheRetry", .file = L"porun.dat", .released = true},
    {.name = "Shortcuts", .file = L"shortcut.dat"},
    {.name = "ShortcutsOverTheSizeLimit", .file = L"shortcut.dat", .held = false, .padding = std::string(2 << 20, ' ')},
    {.name = "Positions", .file = L"position.dat"},
};
INSTANTIATE_TEST_SUITE_P(Rows, FileNotReadAtStart, ::testing::ValuesIn(kHeld), RowName);

}  // namespace
