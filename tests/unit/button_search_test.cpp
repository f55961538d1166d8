// Finding buttons by typing: what a query lists, best first, and the search
// window's hotkey in shortcut.dat.
#include "support/launcher.h"

#include "data/button_search.h"
#include "shortcuts/shortcut_file.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"

#include <memory>

using namespace support;

namespace {

struct QueryRow {
    const char* query;
    const char* listed;  // titles, best first
};

class ButtonSearch : public ::testing::TestWithParam<QueryRow> {};

// Two groups in use; the third holds a button that is never searched.
std::string Listed(const char* query)
{
    static const auto image = [] {
        auto data = std::make_unique<DataImage>();
        data->Button(0, 0, "メモ帳", "C:\\Windows\\notepad.exe").Button(0, 1, "サクラエディタ", "C:\\sakura.exe");
        data->Button(0, 2, "WinMerge", "C:\\Tools\\WinMerge.exe").Button(0, 3, "空のエディタ", "");
        data->Button(1, 0, "秀丸エディタ", "C:\\Tools\\Hidemaru.exe").Button(1, 1, "Ｗｏｒｄ", "C:\\winword.exe");
        data->Button(1, 2, "merge tool", "C:\\mt.exe").Button(1, 3, "Emerge", "C:\\em.exe");
        data->Button(1, 4, "ぺいんと", "C:\\mspaint.exe").Button(2, 0, "外のエディタ", "C:\\out.exe");
        return data;
    }();
    auto index = std::make_unique<SearchIndex>();
    BuildSearchIndex(image->data, 2, index.get());
    int found[kButtonCount];
    std::string titles;
    for (int i = 0, count = FindButtons(*index, query, found); i < count; ++i)
        titles += std::string(i ? "," : "") + image->At(found[i] / 10, found[i] % 10).title;
    return titles;
}

TEST_P(ButtonSearch, ListsTheMatchingButtonsBestFirst)
{
    EXPECT_EQ(GetParam().listed, Listed(GetParam().query)) << GetParam().query;
}

INSTANTIATE_TEST_SUITE_P(Rows, ButtonSearch, ::testing::Values(
    QueryRow{"めも", "メモ帳"},                       // hiragana finds katakana
    QueryRow{"ﾒﾓ", "メモ帳"},                         // half width
    QueryRow{"ペイント", "ぺいんと"},                 // katakana finds hiragana
    QueryRow{"WORD", "Ｗｏｒｄ"},                     // case and full width
    QueryRow{"ｗｉｎ", "WinMerge,Ｗｏｒｄ"},          // title start, then file name start (winword)
    QueryRow{"えでぃた", "秀丸エディタ,サクラエディタ"},  // a word after kanji before one inside katakana
    QueryRow{"merge", "merge tool,WinMerge,Emerge"},  // start, capital after a small letter, inside
    QueryRow{"hidemaru", "秀丸エディタ"},             // the file's name
    QueryRow{"tools", ""},                            // never its folder
    QueryRow{"exe", ""},                              // nor its extension
    QueryRow{"外", ""},                               // nor a group not in use
    QueryRow{" ", "メモ帳,サクラエディタ,WinMerge,秀丸エディタ,Ｗｏｒｄ,merge tool,Emerge,ぺいんと"}));

struct FileRow {
    const char* lines;  // after a button's entry and the activation's
    int key, flags;     // the search hotkey then
    bool rewritten;     // saved again as it was
};

class SearchHotkeyFile : public ::testing::TestWithParam<FileRow> {};

TEST_P(SearchHotkeyFile, LoadsWhatMayBeUsedAndSavesItBack)
{
    TempFolder folder;
    const std::string lines = ShortcutLines(0, 1, 'E', 2, 0) + ActiveLines('P', 2) + GetParam().lines;
    ASSERT_TRUE(WriteBytes(folder.File("shortcut.dat"), lines));
    Restore program{[] { OverrideProgramPath(nullptr); DestroyShortcutTable(); }};
    OverrideProgramPath(folder.File("porun.exe").c_str());
    ASSERT_TRUE(LoadShortcutTable());
    int key = -1, flags = -1;
    GetSearchShortcut(&key, &flags);
    EXPECT_EQ(GetParam().key, key);
    EXPECT_EQ(GetParam().flags, flags);
    ASSERT_TRUE(SaveShortcutTable());
    EXPECT_EQ(GetParam().rewritten, lines == ReadBytes(folder.File("shortcut.dat")));
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchHotkeyFile, ::testing::Values(
    FileRow{"", 0, 0, true},  // a file of older versions stays as it was
    FileRow{"ShortCut.Search.key,70\r\nShortCut.Search.flag,6\r\n", 'F', 6, true},
    FileRow{"ShortCut.Search.key,70\r\nShortCut.Search.flag,4\r\n", 0, 0, false},  // CTRL missing
    FileRow{"ShortCut.Search.key,80\r\nShortCut.Search.flag,2\r\n", 0, 0, false},  // the activation's
    FileRow{"ShortCut.Search.key,abc\r\nShortCut.Search.flag,6\r\n", 0, 0, false}));

}  // namespace
