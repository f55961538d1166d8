// The search window opened as a user opens it, typed into, and left by ENTER,
// ESC or another window taking the activation.
#include "support/launcher.h"

#include "resources/resource_ids.h"

#include <atomic>

using namespace support;

namespace {

enum class Opened { ByHotkey, ByButtonMenu, ByTrayMenu };
enum class Left { ByEnter, ByEsc, ByAnotherWindow };

struct SearchRow {
    Opened opened;
    const char* typed;
    int downs;
    Left left;
    int started;  // 0 none, 1 the first recorder, 2 the second
};

class SearchWindow : public LauncherWindow, public ::testing::WithParamInterface<SearchRow> {
protected:
    Recorder first_{folder_, "a\\alpha.exe"};  // each writes received.txt beside itself
    Recorder second_{folder_, "b\\beta.exe"};
};

void Leave(HWND dialog, HWND field, Left left)
{
    if (left != Left::ByAnotherWindow) {
        PostMessageA(field, WM_KEYDOWN, left == Left::ByEnter ? VK_RETURN : VK_ESCAPE, 1);
        return;
    }
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    WaitGone(dialog);
    DestroyWindow(other);
}

TEST_P(SearchWindow, StartsTheChosenButtonOfAnyGroupOrClosesWithoutStarting)
{
    const SearchRow row = GetParam();
    data_.settings.groupCount = 4;
    data_.Button(0, 0, "Alpha ツール", first_.Path()).Button(3, 5, "ベータ ツール", second_.Path());
    shortcuts_ = ActiveLines(0, 0) + "ShortCut.Search.key,114\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F3
    Open();
    std::atomic<bool> gone{false};
    DialogWaiter search("ボタンをさがす", 0, [&](HWND dialog) {
        HWND field = GetDlgItem(dialog, IDC_SEARCH_QUERY);
        SetWindowTextA(field, row.typed);
        for (int i = 0; i < row.downs; ++i)
            PostMessageA(field, WM_KEYDOWN, VK_DOWN, 1);
        Leave(dialog, field, row.left);
        gone = WaitGone(dialog);
    });
    if (row.opened == Opened::ByHotkey)
        ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F3));
    else if (row.opened == Opened::ByButtonMenu)
        ASSERT_TRUE(RightClick(IDC_FIRST_LAUNCHER + 2, IDM_SEARCH_BUTTONS).opened);
    else
        ASSERT_TRUE(Tray(WM_RBUTTONUP, IDM_SEARCH_BUTTONS).opened);
    ASSERT_TRUE(WaitUntil([&] { return gone.load(); }));  // the search has returned: what was chosen is done
    if (row.started) {
        EXPECT_TRUE((row.started == 1 ? first_ : second_).Started());
    }
    EXPECT_EQ(row.started == 1, first_.StartedYet());
    EXPECT_EQ(row.started == 2, second_.StartedYet());
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchWindow, ::testing::Values(
    SearchRow{Opened::ByHotkey, "べーた", 0, Left::ByEnter, 2},       // another group's button, kana folded
    SearchRow{Opened::ByButtonMenu, "つーる", 1, Left::ByEnter, 2},   // the second of two word starts
    SearchRow{Opened::ByTrayMenu, "ALPHA", 0, Left::ByEnter, 1},
    SearchRow{Opened::ByHotkey, "ALPHA", 0, Left::ByEsc, 0},
    SearchRow{Opened::ByTrayMenu, "べーた", 0, Left::ByAnotherWindow, 0}));

}  // namespace
