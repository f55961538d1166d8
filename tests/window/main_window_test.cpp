// The real main window, created in this process and driven with messages.
#include "app/main_window.h"
#include "bar/bar_geometry.h"
#include "bar/button_bar.h"
#include "data/launcher_data.h"
#include "common/launcher_window_test.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

class MainWindowTest : public LauncherWindowTest {
protected:
    SIZE OuterSize() const
    {
        RECT rect;
        GetWindowRect(window_, &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
};

TEST_F(MainWindowTest, SystemMenuHoldsMoveAndCloseOnly)
{
    HMENU menu = GetSystemMenu(window_, FALSE);
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(2, GetMenuItemCount(menu));
    char text[64];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("移動するろ！(&M)", text);
    EXPECT_EQ(static_cast<UINT>(SC_MOVE), GetMenuItemID(menu, 0));
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("ばいばいら！(&C)", text);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), GetMenuItemID(menu, 1));
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), GetMenuDefaultItem(menu, FALSE, 0));
}

TEST_F(MainWindowTest, ToolWindowWithTheBarsExactOuterSize)
{
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const SIZE expected = BarWindowSize(true, kBaseDpi);
    const SIZE actual = OuterSize();
    EXPECT_EQ(expected.cx, actual.cx);
    EXPECT_EQ(expected.cy, actual.cy);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(kBarWidth, client.right);
    EXPECT_EQ(kBarExpandedHeight, client.bottom);
}

TEST_F(MainWindowTest, OuterSizeFollowsTheMetrics)
{
    const SIZE expanded = BarWindowSize(15, 3, 3, true);
    const SIZE collapsed = BarWindowSize(15, 3, 3, false);
    EXPECT_EQ(50, expanded.cx);
    EXPECT_EQ(455, expanded.cy);
    EXPECT_EQ(50, collapsed.cx);
    EXPECT_EQ(59, collapsed.cy);
}

TEST_F(MainWindowTest, SetBarExpandedChangesOnlyTheHeight)
{
    RECT before;
    GetWindowRect(window_, &before);
    SetBarExpanded(window_, false);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(kBarWidth, client.right);
    EXPECT_EQ(kBarCollapsedHeight, client.bottom);
    RECT after;
    GetWindowRect(window_, &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    SetBarExpanded(window_, true);
    GetClientRect(window_, &client);
    EXPECT_EQ(kBarExpandedHeight, client.bottom);
}

TEST_F(MainWindowTest, TopmostCommandTogglesSettingAndWindow)
{
    ASSERT_FALSE(GetAlwaysOnTop());
    SendMessageA(window_, WM_COMMAND, IDM_ALWAYS_ON_TOP, 0);
    EXPECT_TRUE(GetAlwaysOnTop());
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(window_, WM_COMMAND, IDM_ALWAYS_ON_TOP, 0);
    EXPECT_FALSE(GetAlwaysOnTop());
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, DestroyWritesTheDataFileWithThePlaceAndGroup)
{
    SetWindowPos(window_, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(SelectCurrentGroup(2));
    DestroyWindow(window_);
    const std::string bytes = ReadFileBytes(folder_.File("porun.dat"));
    ASSERT_EQ(kDataFileSize, bytes.size());
    AppSettings saved;
    memcpy(&saved, bytes.data() + sizeof(LauncherData), sizeof saved);
    EXPECT_EQ(123, saved.windowX);
    EXPECT_EQ(77, saved.windowY);
    EXPECT_EQ(2, saved.lastGroup);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, CloseCommandPostsWmClose)
{
    SendMessageA(window_, WM_COMMAND, IDM_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); }));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(folder_.File("porun.dat")));
}

TEST_F(MainWindowTest, AboutBoxIgnoresEscapeAndClosesWithItsButton)
{
    // Escape (command 2) must leave the box open; the icon button closes it.
    std::atomic<bool> survivedEscape{false};
    std::atomic<bool> found{false};
    std::thread presser([&] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && !box; ++i, Sleep(20))
            box = FindProcessDialog("バージョン情報らろ！");
        if (!box)
            return;
        found = true;
        Sleep(100);
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        Sleep(200);
        survivedEscape = IsWindow(box) && IsWindowVisible(box);
        PostMessageA(box, WM_COMMAND, 1, 0);
    });
    SendMessageA(window_, WM_COMMAND, IDM_ABOUT, 0);
    presser.join();
    EXPECT_TRUE(found);
    EXPECT_TRUE(survivedEscape);
    EXPECT_EQ(nullptr, FindProcessDialog("バージョン情報らろ！"));
}

}  // namespace

namespace {

// A data file whose remembered group is out of range still starts on a shown group 0.
TEST(MainWindowStart, RememberedGroupOutOfRangeShowsGroupZero)
{
    TempFolder folder;
    InstallProgramCopy(folder);
    std::string image(kDataFileSize, '\0');
    auto* settings = reinterpret_cast<AppSettings*>(&image[sizeof(LauncherData)]);
    *settings = AppSettings{1, 0, 3, 40, 40, 12, 1};
    ASSERT_TRUE(WriteFileBytes(folder.File("porun.dat"), image));

    ASSERT_TRUE(AllocateLauncherData());
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, CurrentGroupIndex());
    // Showing group 0 gave it its default icon source: the program file, icon 1.
    EXPECT_EQ(1, LauncherImage()->groups[0].group.iconIndex);
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(
        SendDlgItemMessageA(window, IDC_GROUP_BUTTON, BM_GETIMAGE, IMAGE_ICON, 0)));
    DestroyWindow(window);
    PumpMessages(20);
    FreeLauncherData();
    OverrideProgramPath(nullptr);
}

// The bar cannot be created: the window is refused, and the destruction that
// Windows sends after a refused WM_CREATE (Wine sends none; the test delivers
// it as Windows does) leaves every file of the user as it was and posts no
// quit that would close the start-up's message before it is read.
TEST(MainWindowStart, RefusedCreationWritesNothingAndPostsNoQuit)
{
    TempFolder folder;
    InstallProgramCopy(folder);
    const char* const files[] = {"porun.dat", "position.dat", "shortcut.dat"};
    for (const char* name : files)
        ASSERT_TRUE(WriteFileBytes(folder.File(name), std::string("the user's ") + name));
    ASSERT_TRUE(AllocateLauncherData());

    RefuseBarControlsForTests(true);
    DialogAnswerer answer("ぽてまるエラー", IDOK);
    EXPECT_EQ(nullptr, CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass));
    answer.Join();
    RefuseBarControlsForTests(false);
    EXPECT_EQ("Windowの作成に失敗したのら！", answer.Text());
    HWND standIn = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MainWindowProc(standIn, WM_DESTROY, 0, 0);
    DestroyWindow(standIn);

    for (const char* name : files)
        EXPECT_EQ(std::string("the user's ") + name, ReadFileBytes(folder.File(name)));
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    FreeLauncherData();
    OverrideProgramPath(nullptr);
}

}  // namespace
