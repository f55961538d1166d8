// A folder as its menu lists it: folders first, Explorer's order, hidden items, shortcuts, the cap.
#include "support/files.h"

#include "menus/folder_listing.h"

#include <gtest/gtest.h>

using namespace support;

namespace {

struct ListingRow {
    const char* name;
    ShownItems shown;
    std::size_t cap;
    std::vector<std::wstring> listed;  // names in order
    bool more;
};
class FolderListing : public ::testing::TestWithParam<ListingRow> {};

// Files 10, 2, ひらがな, Ελληνικά, hidden, system, a shortcut; folders z-last, a-first.
TEST_P(FolderListing, ListsFoldersFirstInExplorersOrder)
{
    const TempFolder folder;
    const wchar_t* const files[] = {L"10.txt",     L"2.txt",      L"ひらがな.txt", L"Ελληνικά.txt",
                                    L"hidden.txt", L"system.txt", L"リンク.lnk"};
    for (const wchar_t* name : files)
        ASSERT_TRUE(WriteBytes(folder.File(name), ""));
    SetFileAttributesW(folder.File(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(folder.File(L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    folder.Folder(L"z-last");
    folder.Folder(L"a-first");
    const FolderContents contents = ListFolder(folder.Path(), GetParam().shown, GetParam().cap);
    ASSERT_TRUE(contents.readable);
    std::vector<std::wstring> names;
    for (const FolderEntry& entry : contents.items)
        names.push_back(entry.name);
    EXPECT_EQ(GetParam().listed, names);
    EXPECT_EQ(GetParam().more, contents.more);
    EXPECT_EQ(folder.File(L"a-first"), contents.items.at(0).path);
    EXPECT_TRUE(contents.items.at(0).folder);
}

const ListingRow kListings[] = {
    {.name = "HiddenAndSystemLeftOut",
     .shown = {.hidden = false, .system = false},
     .cap = kFolderMenuCap,
     .listed = {L"a-first", L"z-last", L"2.txt", L"10.txt", L"Ελληνικά.txt", L"ひらがな.txt", L"リンク"},
     .more = false},
    {.name = "HiddenAndSystemShown",
     .shown = {.hidden = true, .system = true},
     .cap = kFolderMenuCap,
     .listed = {L"a-first", L"z-last", L"2.txt", L"10.txt", L"hidden.txt", L"system.txt", L"Ελληνικά.txt",
                L"ひらがな.txt", L"リンク"},
     .more = false},
    {.name = "TheCapKeepsTheFirstOnes",
     .shown = {.hidden = false, .system = false},
     .cap = 3,
     .listed = {L"a-first", L"z-last", L"2.txt"},
     .more = true},
    {.name = "AsManyAsTheCapLeaveNoneOut",
     .shown = {.hidden = false, .system = false},
     .cap = 7,
     .listed = {L"a-first", L"z-last", L"2.txt", L"10.txt", L"Ελληνικά.txt", L"ひらがな.txt", L"リンク"},
     .more = false},
};
INSTANTIATE_TEST_SUITE_P(Rows, FolderListing, ::testing::ValuesIn(kListings), RowName);

TEST(FolderListingOf, AnEmptyFolderIsReadableAndAMissingOneIsNot)
{
    const TempFolder folder;
    const FolderContents empty = ListFolder(folder.Folder(L"empty"), ShownItems{});
    EXPECT_TRUE(empty.readable);
    EXPECT_TRUE(empty.items.empty());
    EXPECT_FALSE(ListFolder(folder.File(L"gone"), ShownItems{}).readable);
}

}  // namespace
