// The window's life: where it stands, what it starts with and what it leaves.
#include "window/window_test.h"

#include "app/main_window.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "bar/button_bar.h"
#include "data/launcher_data.h"
#include "support/program_files.h"

#include <climits>

using namespace window_test;

namespace {

constexpr int kAny = INT_MIN;

class WindowLife : public LauncherWindow {
protected:
    void SetUp() override { ClearPositions(WindowPositions()); }  // places are kept for the process's life
    RECT Rect() const
    {
        RECT rect = {};
        GetWindowRect(window_, &rect);
        return rect;
    }
    static WorkArea Area()
    {
        WorkArea area = {};
        EXPECT_TRUE(ComputeWorkArea(&area));
        EXPECT_LT(area.bottom, GetSystemMetrics(SM_CYSCREEN) - 1) << "the test desktop's taskbar stands at the bottom";
        return area;
    }
};

struct PlaceRow {
    const char* name;
    int x;  // stored in porun.dat
    int y;
    bool remembered;  // position.dat holds (3000, -2000) for this screen size
    int left;         // where the window stands (kAny: anywhere)
    int top;
    bool onTheRight;   // its right edge on the work area's
    bool onTheBottom;  // its bottom edge on the work area's (on the taskbar)
};

class StartPlace : public WindowLife, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(StartPlace, KeepsTheWindowInsideTheWorkArea)
{
    const PlaceRow& row = GetParam();
    data_.settings.windowX = row.x;
    data_.settings.windowY = row.y;
    if (row.remembered) {
        const std::string size = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "\r\nposition00.desktop.height," +
                                 std::to_string(GetSystemMetrics(SM_CYSCREEN));
        ASSERT_TRUE(WriteBytes(folder_.File("position.dat"), "position00.desktop.width," + size +
                                                                 "\r\nposition00.positon.x,3000\r\n"
                                                                 "position00.positon.y,-2000\r\n"));
    }
    Open();
    const WorkArea area = Area();
    const RECT rect = Rect();
    if (row.left != kAny) {
        EXPECT_EQ(row.left, rect.left);
    }
    if (row.top != kAny) {
        EXPECT_EQ(row.top, rect.top);
    }
    if (row.onTheRight) {
        EXPECT_EQ(area.right + 1, rect.right);
    }
    if (row.onTheBottom) {
        EXPECT_EQ(area.bottom + 1, rect.bottom);
    }
}

const PlaceRow kPlaces[] = {
    {"FarOffTheScreenIsBroughtInside", 5000, 4000, false, kAny, kAny, true, true},
    {"InsideIsKept", 120, 80, false, 120, 80, false, false},
    {"RememberedForThisScreenWinsAndStaysInside", 120, 80, true, kAny, -1, true, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartPlace, ::testing::ValuesIn(kPlaces), RowName());

TEST_F(WindowLife, MovedUnderTheTaskbarSnapsBackAndIsRememberedForThisScreenSize)
{
    Open();
    const WorkArea area = Area();
    SetWindowPos(window_, nullptr, 300, area.bottom - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT rect = Rect();
    EXPECT_EQ(300, rect.left);
    EXPECT_EQ(area.bottom + 1, rect.bottom);
    Close();
    const std::string positions = ReadBytes(folder_.File("position.dat"));
    EXPECT_NE(std::string::npos, positions.find("position00.positon.x,300\r\n")) << positions;
    EXPECT_NE(std::string::npos, positions.find("position00.positon.y," + std::to_string(rect.top))) << positions;
}

TEST_F(WindowLife, ClosingSavesThePlaceTheGroupAndTheOtherFilesAndQuits)
{
    data_.settings.groupCount = 5;
    Open();
    SetWindowPos(window_, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(IDM_FIRST_GROUP + 2);
    DestroyWindow(window_);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    Close();
    const std::optional<DataImage> saved = Saved();
    ASSERT_TRUE(saved);
    EXPECT_EQ(123, saved->settings.windowX);
    EXPECT_EQ(77, saved->settings.windowY);
    EXPECT_EQ(2, saved->settings.lastGroup);
    EXPECT_TRUE(Exists(folder_.File("position.dat")));
    EXPECT_TRUE(Exists(folder_.File("shortcut.dat")));
}

TEST_F(WindowLife, ARememberedGroupBeyondTheTenStartsOnTheFirstWithItsPicture)
{
    data_.settings.lastGroup = 12;
    data_.settings.startWithLastGroup = 1;
    Open();
    EXPECT_EQ(GroupPicture(0), Shows(IDC_GROUP_BUTTON));
    Close();
    EXPECT_EQ(program_, Saved()->data.groups[0].group.iconFile);
    EXPECT_EQ(1, Saved()->data.groups[0].group.iconIndex);
}

TEST_F(WindowLife, TheTrayIconIsThereWhileTheWindowLives)
{
    Open();
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window_;
    probe.uID = kTrayIconId;
    probe.uFlags = NIF_TIP;
    lstrcpyA(probe.szTip, "probe");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe));
    Close();
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe));
}

// Windows destroys a window whose WM_CREATE failed (Wine does not: the test
// delivers that destruction); the user's files stay as they were and no quit
// is posted that would end the start-up's message box.
TEST_F(WindowLife, ARefusedWindowWritesNothingAndPostsNoQuit)
{
    const std::string program = CopyInto(BuildFile(PORUN_EXE_PATH), folder_, "porun.exe");
    for (const char* name : {"porun.dat", "position.dat", "shortcut.dat"}) {
        ASSERT_TRUE(WriteBytes(folder_.File(name), std::string("the user's ") + name));
    }
    OverrideProgramPath(program.c_str());
    Restore undo{[] {
        RefuseBarControlsForTests(false);
        FreeLauncherData();
        OverrideProgramPath(nullptr);
    }};
    ASSERT_TRUE(AllocateLauncherData());
    RefuseBarControlsForTests(true);
    DialogWaiter error("=(@.@)=", IDOK);
    EXPECT_EQ(nullptr, CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass));
    EXPECT_EQ("Windowの作成に失敗したのら！", error.Message());
    HWND standIn = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MainWindowProc(standIn, WM_DESTROY, 0, 0);
    DestroyWindow(standIn);
    for (const char* name : {"porun.dat", "position.dat", "shortcut.dat"}) {
        EXPECT_EQ(std::string("the user's ") + name, ReadBytes(folder_.File(name)));
    }
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
