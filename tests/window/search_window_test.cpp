// The search window opened as a user opens it, typed into, and left by ENTER, ESC or another window.
#include "window/window_test.h"

#include <atomic>

using namespace window_test;

namespace {

struct SearchRow {
    const char* name;
    int opened;  // the control whose menu opens it; 0: its hotkey, -1: the tray menu
    const wchar_t* typed;
    int downs;
    BYTE left;    // the key that leaves it; 0: another window takes the activation
    int started;  // 0 none, 1 the first recorder, 2 the second
};
class SearchWindow : public Table<SearchRow> {};

TEST_P(SearchWindow, StartsTheChosenButtonOfAnyGroupOrClosesWithoutStarting)
{
    Recorder first(folder_, L"a\\alpha.exe"), second(folder_, L"b\\beta.exe");
    data_.settings.groupCount = 4;
    data_.Button(0, 0, L"Alpha ツール", first.Path()).Button(3, 5, L"ベータ ツール", second.Path());
    shortcuts_ = ActiveLines(0, 0) + "ShortCut.Search.key,114\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F3
    Open();
    std::atomic<bool> gone{false};
    DialogWaiter search(kSearch, 0, [&](HWND dialog) {
        HWND field = GetDlgItem(dialog, IDC_SEARCH_QUERY);
        SetWindowTextW(field, row().typed);
        for (int i = 0; i < row().downs; ++i)
            PostMessageW(field, WM_KEYDOWN, VK_DOWN, 1);
        if (row().left) {
            PostMessageW(field, WM_KEYDOWN, row().left, 1);
        } else {
            EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
            HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                         nullptr, nullptr);
            SetForegroundWindow(other);
            WaitGone(dialog);
            DestroyWindow(other);
        }
        gone = WaitGone(dialog);
    });
    if (!row().opened)
        ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F3));
    else
        ASSERT_TRUE((row().opened < 0 ? Tray(WM_RBUTTONUP, IDM_SEARCH_BUTTONS)
                                      : RightClick(row().opened, IDM_SEARCH_BUTTONS)).opened);
    ASSERT_TRUE(WaitUntil([&] { return gone.load(); }));  // the search has returned: what was chosen is done
    EXPECT_TRUE(!row().started || (row().started == 1 ? first : second).Started());
    EXPECT_EQ(row().started == 1, first.StartedYet());
    EXPECT_EQ(row().started == 2, second.StartedYet());
}

const SearchRow kSearches[] = {
    {"ByItsHotkeyFindsAnotherGroupsButtonWithKanaFolded", 0, L"べーた", 0, VK_RETURN, 2},
    {"ByTheButtonMenuTheSecondOfTwoWordStarts", B(2), L"つーる", 1, VK_RETURN, 2},
    {"ByTheTrayMenu", -1, L"ALPHA", 0, VK_RETURN, 1},
    {"EscStartsNothing", 0, L"ALPHA", 0, VK_ESCAPE, 0},
    {"AnotherWindowTakingTheActivationClosesIt", -1, L"べーた", 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Rows, SearchWindow, ::testing::ValuesIn(kSearches), RowName);

}  // namespace
