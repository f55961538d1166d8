// The main window kept on the screen, and its tray icon.
#include "app/main_window.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "data/window_positions.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Writes a data file whose settings put the window at (x, y).
void WriteDataFileWithOrigin(int x, int y)
{
    ASSERT_TRUE(AllocateLauncherData());
    AppSettings settings = GetSettings();
    settings.groupCount = 3;
    settings.windowX = x;
    settings.windowY = y;
    SetSettings(settings);
    ASSERT_TRUE(SaveLauncherData(nullptr));
    FreeLauncherData();
}

class PlacedWindowTest : public ::testing::Test {
protected:
    void SetUp() override { InstallProgramCopy(folder_); }
    void TearDown() override
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
        PumpMessages(20);
        FreeLauncherData();
        OverrideProgramPath(nullptr);
    }
    void Create()
    {
        ASSERT_TRUE(AllocateLauncherData());
        window_ = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
        ASSERT_NE(nullptr, window_);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        PumpMessages(50);
    }
    RECT Rect() const
    {
        RECT rect{};
        GetWindowRect(window_, &rect);
        return rect;
    }
    static WorkArea Area()
    {
        WorkArea area{};
        EXPECT_TRUE(ComputeWorkArea(&area));
        return area;
    }

    TempFolder folder_;
    HWND window_ = nullptr;
};

TEST_F(PlacedWindowTest, TheTaskbarOfTheTestDesktopIsFound)
{
    const WorkArea area = Area();
    EXPECT_EQ(0, area.left);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 1, area.right);
    EXPECT_LT(area.bottom, GetSystemMetrics(SM_CYSCREEN) - 1);  // the taskbar stands at the bottom
}

TEST_F(PlacedWindowTest, AStoredPlaceOffTheScreenIsBroughtInside)
{
    WriteDataFileWithOrigin(5000, 4000);
    Create();
    const WorkArea area = Area();
    const RECT rect = Rect();
    EXPECT_EQ(area.right + 1, rect.right);
    EXPECT_EQ(area.bottom + 1, rect.bottom);
}

TEST_F(PlacedWindowTest, AStoredPlaceInsideIsKept)
{
    WriteDataFileWithOrigin(120, 80);
    Create();
    const RECT rect = Rect();
    EXPECT_EQ(120, rect.left);
    EXPECT_EQ(80, rect.top);
}

TEST_F(PlacedWindowTest, MovingUnderTheTaskbarSnapsBackAndIsRecorded)
{
    WriteDataFileWithOrigin(120, 80);
    Create();
    const WorkArea area = Area();
    SetWindowPos(window_, nullptr, 300, area.bottom - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(20);
    const RECT rect = Rect();
    EXPECT_EQ(300, rect.left);
    EXPECT_EQ(area.bottom + 1, rect.bottom);
    PositionQuery query{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, 0};
    ASSERT_TRUE(FindPosition(WindowPositions(), &query));
    EXPECT_EQ(300, query.x);
    EXPECT_EQ(rect.top, query.y);
}

TEST_F(PlacedWindowTest, PastTheTopEdgeEndsAtMinusOne)
{
    WriteDataFileWithOrigin(120, 80);
    Create();
    SetWindowPos(window_, nullptr, 200, -50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(20);
    EXPECT_EQ(-1, Rect().top);
    EXPECT_EQ(200, Rect().left);
}

TEST_F(PlacedWindowTest, TheTrayIconIsThereWhileTheWindowLives)
{
    Create();
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window_;
    probe.uID = kTrayIconId;
    probe.uFlags = NIF_TIP;
    lstrcpyA(probe.szTip, "probe");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe));
    DestroyWindow(window_);
    PumpMessages(20);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe));
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override
    {
        RemoveTrayIcon(&record_);
        DestroyWindow(window_);
    }
    HWND window_ = nullptr;
    NOTIFYICONDATAA record_ = {};
};

TEST_F(TrayIconTest, AddFillsTheRecordWithTheTipAndCallback)
{
    ASSERT_TRUE(AddTrayIcon(&record_, window_, IDI_PROGRAM, IDS_TITLE_APP, WM_TRAYNOTIFY));
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), record_.cbSize);
    EXPECT_EQ(kTrayIconId, record_.uID);
    EXPECT_EQ(window_, record_.hWnd);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record_.uFlags);
    EXPECT_EQ(static_cast<UINT>(WM_APP + 100), record_.uCallbackMessage);
    EXPECT_NE(nullptr, record_.hIcon);
    EXPECT_STREQ("=(o.o)=  ぽてまるポルン", record_.szTip);
    RemoveTrayIcon(&record_);
    EXPECT_EQ(0u, record_.cbSize);
}

TEST_F(TrayIconTest, RefusedWithoutWindowOrIcon)
{
    record_.cbSize = 123;
    EXPECT_FALSE(AddTrayIcon(&record_, nullptr, IDI_PROGRAM, IDS_TITLE_APP, WM_TRAYNOTIFY));
    EXPECT_EQ(0u, record_.cbSize);
    EXPECT_FALSE(AddTrayIcon(&record_, window_, 59999, 1, WM_APP + 100));
    EXPECT_EQ(0u, record_.cbSize);
    EXPECT_FALSE(AddTrayIcon(nullptr, window_, IDI_PROGRAM, IDS_TITLE_APP, WM_TRAYNOTIFY));
}

}  // namespace
