// A button that opens its folder as a menu of the folder's contents.
#include "window/window_test.h"

using namespace window_test;

namespace {

struct FolderMenuRow {
    const char* name;
    std::vector<std::wstring> made;  // below the button's folder; a name ending in '\' is a folder
    int filler;                      // files more, "f0001.txt" …
    std::vector<std::wstring> listed;  // the first items
    size_t count;
    std::wstring last;
    int opened;                      // the submenu at this position opens; -1: none
    bool goneFirst;                  // its folder is removed before it opens
    std::vector<std::wstring> inside;  // the submenu's items once open
};

// Button 1 holds the folder "tree" and opens it as a menu.
class FolderMenuOfAButton : public Table<FolderMenuRow> {
protected:
    std::wstring Tree(const std::wstring& relative = L"") const { return folder_.File(L"tree\\" + relative); }
    void OpenWithTree()
    {
        folder_.Folder(L"tree");
        data_.Button(0, 0, L"tree", Tree());
        ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "folder_menu_0,1\r\n"));
        Open();
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

TEST_P(FolderMenuOfAButton, ListsTheFolderAndFillsASubmenuWhenItOpens)
{
    folder_.Folder(L"tree");
    for (const std::wstring& name : row().made)
        ASSERT_TRUE(name.back() == L'\\' ? !folder_.Folder(L"tree\\" + name).empty() : WriteBytes(Tree(name), ""));
    for (int i = 0; i < row().filler; ++i)
        ASSERT_TRUE(WriteBytes(Tree(L"f" + std::to_wstring(1000 + i) + L".txt"), ""));
    SetFileAttributesW(Tree(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    OpenWithTree();
    std::vector<std::wstring> before, inside;
    const OpenMenu menu = WhileMenuOpen(window_, [&] { Click(B(0)); }, 0, [&](const OpenMenu& open) {
        HMENU shown = reinterpret_cast<HMENU>(SendMessageW(open.window, 0x01E1, 0, 0));  // MN_GETHMENU
        HMENU submenu = GetSubMenu(shown, row().opened);
        before = Captions(submenu);
        if (row().goneFirst)
            RemoveTree(FolderOf(Tree(row().made.at(0))));
        SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), row().opened);
        inside = Captions(submenu);
    });
    ASSERT_TRUE(menu.opened);
    EXPECT_EQ(menu.texts, menu.accessible);
    const size_t shown = std::min(menu.texts.size(), row().listed.size());
    EXPECT_EQ(row().listed, std::vector<std::wstring>(menu.texts.begin(), menu.texts.begin() + shown));
    EXPECT_EQ(row().count, menu.texts.size());
    EXPECT_EQ(row().last, menu.texts.back());
    EXPECT_TRUE(row().opened < 0 || before.empty()) << "filled only when it opens";
    EXPECT_EQ(row().inside, inside);
}

const FolderMenuRow kFolderMenus[] = {
    {.name = "FoldersFirstInExplorersOrderHiddenLeftOutAShortcutByItsName",
     .made = {L"10.txt", L"2.txt", L"b\\", L"b\\x.txt", L"a\\", L"名前.txt", L"link.lnk", L"Ωμέγα.txt", L"hidden.txt",
              L"a&b.txt"},
     .filler = 0, .listed = {L"a", L"b", L"2.txt", L"10.txt", L"a&&b.txt", L"link", L"Ωμέγα.txt", L"名前.txt"},
     .count = 8, .last = L"名前.txt", .opened = 1, .goneFirst = false, .inside = {L"x.txt"}},
    {.name = "AnEmptySubfolderSaysSo", .made = {L"empty\\"}, .filler = 0, .listed = {L"empty"}, .count = 1,
     .last = L"empty", .opened = 0, .goneFirst = false, .inside = {String(IDS_FOLDER_MENU_EMPTY)}},
    {.name = "ASubfolderThatCannotBeReadSaysSo", .made = {L"gone\\", L"gone\\x.txt"}, .filler = 0,
     .listed = {L"gone"}, .count = 1, .last = L"gone", .opened = 0, .goneFirst = true,
     .inside = {String(IDS_FOLDER_MENU_UNREADABLE)}},
    {.name = "AFolderOneBelowTheCapIsWhole", .made = {}, .filler = 499, .listed = {L"f1000.txt"}, .count = 499,
     .last = L"f1498.txt", .opened = -1, .goneFirst = false, .inside = {}},
    {.name = "AFolderOfExactlyTheCapIsWhole", .made = {}, .filler = 500, .listed = {L"f1000.txt"}, .count = 500,
     .last = L"f1499.txt", .opened = -1, .goneFirst = false, .inside = {}},
    {.name = "AFullFolderShowsTheFirstOnesAndOpensItself", .made = {}, .filler = 501, .listed = {L"f1000.txt"},
     .count = 501, .last = String(IDS_FOLDER_MENU_MORE), .opened = -1, .goneFirst = false, .inside = {}},
};
INSTANTIATE_TEST_SUITE_P(Rows, FolderMenuOfAButton, ::testing::ValuesIn(kFolderMenus), RowName);

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
    WhileMenuOpen(window_, [&] { Click(B(1)); }, 0, [&](const OpenMenu& open) {
        HMENU shown = reinterpret_cast<HMENU>(SendMessageW(open.window, 0x01E1, 0, 0));  // MN_GETHMENU
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
