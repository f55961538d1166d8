// Names code page 932 cannot hold: kept whole in porun.names beside porun.dat, which holds the short or "?" form.
#include "window/window_test.h"

#include "support/path_lookup.h"

using namespace window_test;

namespace {

struct NameRow {
    const char* name;
    const wchar_t *title, *questioned;  // the recorder copy's name without ".exe"; "?" for what 932 lacks
    bool shortNames;  // the volume gives it a short name (a copy, SHORT~1.EXE)
    bool browsed;     // chosen in the browser, not dropped
};

std::wstring g_short;  // the short form of the file browsed (g_chosen); none when empty
DWORD WINAPI ShortPath(LPCWSTR path, LPWSTR out, DWORD size)
{
    const std::wstring answer = path == g_chosen && !g_short.empty() ? g_short : path;
    lstrcpynW(out, answer.c_str(), static_cast<int>(size));
    return static_cast<DWORD>(answer.size());
}

class WholeNames : public Table<NameRow> {
protected:
    // Button 1 everywhere the user sees it: the record, the tip, the settings, the search window's row.
    void ShowsWhole(const std::wstring& title)
    {
        EXPECT_EQ(g_chosen, File());
        EXPECT_EQ(title, Tip(B(0)));
        EXPECT_TRUE(FromMenu(B(0), IDM_BUTTON_SETTINGS, kButtonDialog, IDCANCEL, [&](HWND d) {
            EXPECT_EQ(title, Text(d, IDC_BUTTON_TITLE));
            EXPECT_EQ(g_chosen, Text(d, IDC_BUTTON_FILE));
        }));
        EXPECT_TRUE(FromMenu(B(0), IDM_SEARCH_BUTTONS, kSearch, 0, [&](HWND d) {
            SetDlgItemTextW(d, IDC_SEARCH_QUERY, title.c_str());
            HWND list = GetDlgItem(d, IDC_SEARCH_LIST);
            EXPECT_EQ(std::make_pair(title, g_chosen), std::make_pair(ListCell(list, 0, 0), ListCell(list, 0, 2)));
            PostMessageW(GetDlgItem(d, IDC_SEARCH_QUERY), WM_KEYDOWN, VK_ESCAPE, 1);
            EXPECT_TRUE(WaitGone(d));
        }));
    }
    std::wstring Title() const { return launcher_->ButtonAt(0, 0)->title; }  // button 1's record
    std::wstring File() const { return launcher_->ButtonAt(0, 0)->file; }
};

TEST_P(WholeNames, AreKeptShownAndStartedWholeAndPorunDatHoldsTheShortOrQuestionedForm)
{
    const Restore undo{[] { g_chosen.clear(); }};
    const SeamGuard browser = OverrideOpenFileDialog(ChosenFile);
    const SeamGuard shortPaths = OverrideShortPathLookup(ShortPath);
    const std::wstring title = row().title;
    const Recorder whole(folder_, title + L".exe", true), shortOne(folder_, L"SHORT~1.EXE", true);
    g_chosen = whole.Path();
    g_short = row().shortNames ? shortOne.Path() : L"";
    const std::wstring form = row().shortNames ? g_short : folder_.File(row().questioned + std::wstring(L".exe"));
    Open();
    DialogWaiter settings(kButtonDialog, IDOK, [&](HWND d) {
        if (row().browsed) {
            Press(d, IDC_BUTTON_BROWSE_FILE, true);
            SetDlgItemTextW(d, IDC_BUTTON_TITLE, title.c_str());
        }
        EXPECT_EQ(std::make_pair(title, g_chosen), std::make_pair(Text(d, IDC_BUTTON_TITLE), Text(d, IDC_BUTTON_FILE)));
    });
    row().browsed ? void(RightClick(B(0), IDM_BUTTON_SETTINGS)) : Drop({g_chosen}, B(0));
    ASSERT_TRUE(settings.Seen());
    ShowsWhole(title);
    Click(B(0));
    ASSERT_TRUE(whole.Started());
    EXPECT_EQ(g_chosen, whole.Got().program) << "started by its whole name";
    Close();
    data_ = Saved().value_or(DataImage());  // the next start finds what this one left
    Open();
    ShowsWhole(title);
    EXPECT_EQ(form, Saved()->File(0, 0));
    EXPECT_EQ(row().questioned, Saved()->Title(0, 0));
    Close();
    data_ = Saved().value_or(DataImage()).Button(0, 0, row().questioned, L"C:\\older.exe");  // an older launcher's edit
    Open();
    EXPECT_EQ(title, Title()) << "the other field stays whole";
    EXPECT_EQ(L"C:\\older.exe", File()) << "the edit wins";
}

const NameRow kNames[] = {
    {.name = "AccentedLatinDroppedWithShortNames", .title = L"Café Ångström", .questioned = L"Caf? ?ngstr?m",
     .shortNames = true, .browsed = false},
    {.name = "AnEmojiOfTwoUnitsBrowsedWithoutShortNames", .title = L"\U0001F600 smile", .questioned = L"? smile",
     .shortNames = false, .browsed = true},
    {.name = "HangulDroppedWithoutShortNames", .title = L"한글 메모", .questioned = L"?? ??", .shortNames = false,
     .browsed = false},
    {.name = "HangulBrowsedWithShortNames", .title = L"한글", .questioned = L"??", .shortNames = true, .browsed = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, WholeNames, ::testing::ValuesIn(kNames), RowName);

// The run of the window tests under PORUN_LANG=en is on a system of code page 1252, the other on one of 932.
TEST(CodePage, IsTheOneTheRunAsksFor)
{
    wchar_t language[8] = L"";
    GetEnvironmentVariableW(L"PORUN_LANG", language, 8);
    EXPECT_EQ(std::wstring(language) == L"en" ? 1252u : 932u, GetACP());
}

}  // namespace
