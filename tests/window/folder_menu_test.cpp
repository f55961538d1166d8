// A button that opens its folder as a menu of the folder's contents.
#include "window/window_test.h"

using namespace window_test;

namespace {

struct FolderMenuRow {
    const char* name;
    std::vector<std::wstring> made;    // below the button's folder; a name ending in '\' is a folder
    int filler;                        // files more, "f1000.txt" …
    std::vector<std::wstring> listed;  // the first items
    size_t count;
    std::wstring last;
};

// Button 1 holds the folder "tree" and opens it as a menu.
class FolderMenuOfAButton : public Table<FolderMenuRow> {
protected:
    std::wstring Tree(const std::wstring& relative = L"") const { return folder_.File(L"tree\\" + relative); }
    void OpenWithTree(const std::vector<std::wstring>& made)
    {
        folder_.Folder(L"tree");
        for (const std::wstring& name : made)
            ASSERT_TRUE(name.back() == L'\\' ? !folder_.Folder(L"tree\\" + name).empty() : WriteBytes(Tree(name), ""));
        SetFileAttributesW(Tree(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        data_.Button(0, 0, L"tree", Tree());
        ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "folder_menu_0,1\r\n"));
        Open();
    }
    // The menu opened by a click; look runs while it is open.
    OpenMenu ClickedMenu(const std::function<void(HMENU)>& look = {})
    {
        return WhileMenuOpen(
            window_, [&] { Click(B(0)); }, 0,
            [&](const OpenMenu& open) {
                if (look)
                    look(reinterpret_cast<HMENU>(SendMessageW(open.window, MN_GETHMENU, 0, 0)));
            });
    }
};

std::vector<std::wstring> Captions(HMENU menu)
{
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[300] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 300, MF_BYPOSITION);
        captions.push_back(text);
    }
    return captions;
}

TEST_P(FolderMenuOfAButton, ListsTheFolderInExplorersOrderUpToTheCap)
{
    std::vector<std::wstring> made = row().made;
    for (int i = 0; i < row().filler; ++i)
        made.push_back(L"f" + std::to_wstring(1000 + i) + L".txt");
    OpenWithTree(made);
    const OpenMenu menu = ClickedMenu();
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.texts, menu.accessible);
    const size_t shown = std::min(menu.texts.size(), row().listed.size());
    EXPECT_EQ(row().listed, std::vector<std::wstring>(menu.texts.begin(), menu.texts.begin() + shown));
    EXPECT_EQ(row().count, menu.texts.size());
    EXPECT_EQ(row().last, menu.texts.back());
}

// clang-format off
const FolderMenuRow kFolderMenus[] = {
    {.name = "FoldersFirstHiddenLeftOutAShortcutByItsName",
     .made = {L"10.txt", L"2.txt", L"b\\", L"b\\x.txt", L"a\\", L"名前.txt", L"link.lnk", L"Ωμέγα.txt",
              L"hidden.txt", L"a&b.txt"},
     .filler = 0, .listed = {L"a", L"b", L"2.txt", L"10.txt", L"a&&b.txt", L"link", L"Ωμέγα.txt", L"名前.txt"},
     .count = 8, .last = L"名前.txt"},
    {.name = "AFolderOfExactlyTheCapIsWhole", .made = {}, .filler = 500, .listed = {L"f1000.txt"}, .count = 500,
     .last = L"f1499.txt"},
    {.name = "AFullFolderShowsTheFirstOnesAndOpensItself", .made = {}, .filler = 501, .listed = {L"f1000.txt"},
     .count = 501, .last = String(IDS_FOLDER_MENU_MORE)},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, FolderMenuOfAButton, ::testing::ValuesIn(kFolderMenus), RowName);

class FolderSubmenu : public FolderMenuOfAButton {
protected:
    // The captions of the tree's only folder's submenu before it opens and once open; before runs first.
    std::pair<std::vector<std::wstring>, std::vector<std::wstring>> Submenu(const std::function<void()>& before = {})
    {
        std::pair<std::vector<std::wstring>, std::vector<std::wstring>> captions;
        const OpenMenu menu = ClickedMenu([&](HMENU shown) {
            HMENU submenu = GetSubMenu(shown, 0);
            captions.first = Captions(submenu);
            if (before)
                before();
            SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), 0);
            captions.second = Captions(submenu);
        });
        EXPECT_TRUE(menu.opened);
        return captions;
    }
};

TEST_F(FolderSubmenu, IsFilledOnlyWhenItOpens)
{
    OpenWithTree({L"sub\\", L"sub\\x.txt"});
    const auto [before, inside] = Submenu();
    EXPECT_EQ(std::vector<std::wstring>{}, before);
    EXPECT_EQ(std::vector<std::wstring>{L"x.txt"}, inside);
}

TEST_F(FolderSubmenu, OfAnEmptyFolderSaysSo)
{
    OpenWithTree({L"empty\\"});
    EXPECT_EQ(std::vector<std::wstring>{String(IDS_FOLDER_MENU_EMPTY)}, Submenu().second);
}

TEST_F(FolderSubmenu, OfAFolderThatCannotBeReadSaysSo)
{
    OpenWithTree({L"gone\\", L"gone\\x.txt"});
    const auto gone = [&] { RemoveTree(Tree(L"gone")); };
    EXPECT_EQ(std::vector<std::wstring>{String(IDS_FOLDER_MENU_UNREADABLE)}, Submenu(gone).second);
}

class FolderMenuChoice : public FolderMenuOfAButton {};

// Keys queued before the click are the menu's: the first item is chosen.
TEST_F(FolderMenuChoice, StartsTheItemInItsOwnFolderAndTypingALetterSelectsTheNextItemWithIt)
{
    const Recorder recorder(folder_, L"tree\\sub\\rec.exe");
    ASSERT_TRUE(WriteBytes(Tree(L"sub\\readme.txt"), "") && WriteBytes(Tree(L"sub\\run.txt"), ""));
    data_.Button(0, 1, L"sub", Tree(L"sub"));
    ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "folder_menu_1,1\r\n"));
    Open();
    LRESULT typed = 0;
    WhileMenuOpen(
        window_, [&] { Click(B(1)); }, 0,
        [&](const OpenMenu& open) {
            HMENU shown = reinterpret_cast<HMENU>(SendMessageW(open.window, MN_GETHMENU, 0, 0));
            typed = SendMessageW(window_, WM_MENUCHAR, MAKEWPARAM(L'R', MF_POPUP), reinterpret_cast<LPARAM>(shown));
        });
    EXPECT_EQ(MAKELRESULT(0, MNC_SELECT), typed) << "readme.txt";
    for (BYTE key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageW(window_, WM_KEYDOWN, key, 0);
    Click(B(1));
    ASSERT_TRUE(recorder.Started());
    EXPECT_EQ(Tree(L"sub"), recorder.Got().folder);
}

}  // namespace
