// Finding by typing: romaji and kana against names, buttons and programs in order of use, the ranking rule, the
// usage file.
#include "support/launcher.h"

#include "data/button_place.h"
#include "data/program_catalog.h"
#include "data/start_menu_programs.h"
#include "data/search_index.h"
#include "data/store_field.h"
#include "data/usage_file.h"
#include "data/usage_rank.h"
#include "data/user_file.h"
#include "support/apps_folder.h"
#include "support/kanji_reading.h"
#include "support/program_files.h"

#include <map>
#include <memory>

using support::Restore;
using support::RowName;
using support::Utf8;
using support::WaitUntil;
using support::WriteBytes;

namespace {

struct SpellingRow {
    const char* name;
    std::wstring query;
    std::wstring text;
    MatchRank rank;
};
using Spelling = ::testing::TestWithParam<SpellingRow>;

TEST_P(Spelling, FindsKanaByRomajiAsWrittenOrTyped)
{
    FoldedText text;
    FoldSearchText(GetParam().text.c_str(), kFieldSize, &text);
    SearchQuery query;
    FoldQuery(GetParam().query.c_str(), kFieldSize, &query);
    EXPECT_EQ(GetParam().rank, RankMatch(text, query)) << Utf8(GetParam().query) << " in " << Utf8(GetParam().text);
}

constexpr MatchRank kStart = kMatchAtStart, kWord = kMatchAtWordStart, kInside = kMatchInside, kNone = kNoMatch;

INSTANTIATE_TEST_SUITE_P(Rows, Spelling, ::testing::ValuesIn(std::vector<SpellingRow>{
    {.name = "KatakanaBeforeKanji", .query = L"memo", .text = L"メモ帳", .rank = kStart},
    {.name = "EndingInsideASyllable", .query = L"kam", .text = L"カメラ", .rank = kStart},
    {.name = "WrongVowel", .query = L"kamero", .text = L"カメラ", .rank = kNone},
    {.name = "LongerThanTheName", .query = L"kameraman", .text = L"カメラ", .rank = kNone},
    {.name = "HiraganaHepburn", .query = L"shinbun", .text = L"しんぶん", .rank = kStart},
    {.name = "HepburnMBeforeB", .query = L"shimbun", .text = L"しんぶん", .rank = kStart},
    {.name = "KunreiAndDoubledN", .query = L"sinnbunn", .text = L"シンブン", .rank = kStart},
    {.name = "NWithApostrophe", .query = L"kan'i", .text = L"かんい", .rank = kStart},
    {.name = "TsuAndTu", .query = L"tukue", .text = L"ツクエ", .rank = kStart},
    {.name = "ChiAndTi", .query = L"tizu", .text = L"ちず", .rank = kStart},
    {.name = "FuAndHuOfHalfWidthVoiced", .query = L"huzi", .text = L"ﾌｼﾞ", .rank = kStart},
    {.name = "JiAndZi", .query = L"zisyo", .text = L"じしょ", .rank = kStart},
    {.name = "Youon", .query = L"jisho", .text = L"ジショ", .rank = kStart},
    {.name = "SmallTsuDoubled", .query = L"kappa", .text = L"カッパ", .rank = kStart},
    {.name = "SmallTsuTyped", .query = L"kaxtupa", .text = L"カッパ", .rank = kStart},
    {.name = "SmallTsuBeforeCh", .query = L"matcha", .text = L"マッチャ", .rank = kStart},
    {.name = "LongVowelDash", .query = L"ra-men", .text = L"ラーメン", .rank = kStart},
    {.name = "LongVowelDoubled", .query = L"raamen", .text = L"ラーメン", .rank = kStart},
    {.name = "LongVowelLeftOut", .query = L"ramen", .text = L"ラーメン", .rank = kStart},
    {.name = "LongOAsOu", .query = L"kouhii", .text = L"コーヒー", .rank = kStart},
    {.name = "HepburnWithoutTheU", .query = L"tokyo", .text = L"とうきょう", .rank = kStart},
    {.name = "ForeignSound", .query = L"vaiorin", .text = L"ヴァイオリン", .rank = kStart},
    {.name = "WordAfterKanji", .query = L"edita", .text = L"秀丸エディタ", .rank = kWord},
    {.name = "InsideAWord", .query = L"dita", .text = L"エディタ", .rank = kInside},
    {.name = "RomajiAcrossLatinAndKana", .query = L"zipno", .text = L"7-Zipのツール", .rank = kWord},
    {.name = "KanaAfterLatinWord", .query = L"tsu", .text = L"Zipツール", .rank = kWord},
    {.name = "FullWidthLatin", .query = L"ｋａｍｅ", .text = L"カメラ", .rank = kStart},
    {.name = "KanjiAloneHasNoRomaji", .query = L"chou", .text = L"帳", .rank = kNone},
    {.name = "AtTheLimitOfTheQuery", .query = std::wstring(63, L'a'), .text = std::wstring(63, L'あ'), .rank = kStart},
    {.name = "PastTheLimitOfTheQuery", .query = std::wstring(64, L'a'), .text = std::wstring(64, L'あ'),
     .rank = kNone},
    {.name = "ManyWaysThroughLongVowels", .query = std::wstring(47, L'a') + L"b",
     .text = support::Repeated(std::wstring(L"アー"), 100), .rank = kNone},
}), RowName);

// Buttons 0 (WinMerge) and 3 (カメラ) of group 0, and programs with the uses given.
struct OrderRow {
    const char* name;
    const wchar_t* query;
    std::vector<double> buttonUse;   // of the two buttons
    std::vector<double> programUse;  // of the programs in name order: Merge Tool, カメラ, 家計簿, 見積
    std::wstring listed;             // "b<number>" for a button, the name for a program
};
using SearchOrder = ::testing::TestWithParam<OrderRow>;

TEST_P(SearchOrder, ListsButtonsAndProgramsBestFirstThenTheMostUsed)
{
    const auto data = std::make_unique<LauncherData>();
    StoreField(data->groups[0].buttons[0].title, L"WinMerge");
    StoreField(data->groups[0].buttons[0].file, L"C:\\Tools\\WinMerge.exe");
    StoreField(data->groups[0].buttons[3].title, L"カメラ");
    StoreField(data->groups[0].buttons[3].file, L"C:\\camera.exe");
    const std::map<std::wstring, std::wstring> readings = {{L"家計簿", L"かけいぼ"}};
    const ReadingLookup reading = [&](const std::wstring& text) {
        const auto found = readings.find(text);
        return found == readings.end() ? std::wstring() : found->second;
    };
    std::vector<ProgramEntry> programs;
    for (const wchar_t* name : {L"Merge Tool", L"見積", L"家計簿", L"カメラ"})
        programs.push_back({.kind = ProgramKind::StartMenu, .name = name, .path = std::wstring(L"C:\\") + name});
    SearchIndex index;
    BuildSearchIndex(*data, 1, reading, MakeProgramIndex(programs, reading), &index);
    index.buttonUse = GetParam().buttonUse;
    index.programUse = GetParam().programUse;
    std::vector<SearchItem> found;
    FindItems(index, GetParam().query, &found);
    std::wstring listed;
    for (const SearchItem& item : found) {
        listed += listed.empty() ? L"" : L",";
        listed += item.button >= 0 ? L"b" + std::to_wstring(item.button) : index.programs->programs[item.program].name;
    }
    EXPECT_EQ(GetParam().listed, listed);
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchOrder, ::testing::ValuesIn(std::vector<OrderRow>{
    {.name = "ProgramsByNameAfterButtons", .query = L"", .buttonUse = {0, 0}, .programUse = {0, 0, 0, 0},
     .listed = L"b0,b3,Merge Tool,カメラ,家計簿,見積"},
    {.name = "EmptyQueryTheMostUsedFirst", .query = L" ", .buttonUse = {0, 1.5}, .programUse = {0, 3, 0, 0.25},
     .listed = L"カメラ,b3,見積,b0,Merge Tool,家計簿"},
    {.name = "AButtonBeforeAProgramMatchingAsWell", .query = L"kamera", .buttonUse = {0, 0}, .programUse = {},
     .listed = L"b3,カメラ"},
    {.name = "AmongEqualsTheMoreUsed", .query = L"カメ", .buttonUse = {0, 1}, .programUse = {0, 2, 0, 0},
     .listed = L"カメラ,b3"},
    {.name = "AWordStartBeforeTheMoreUsedInside", .query = L"merge", .buttonUse = {9, 0}, .programUse = {0, 0, 0, 0},
     .listed = L"Merge Tool,b0"},
    {.name = "KanjiByTheirReading", .query = L"kakeibo", .buttonUse = {}, .programUse = {}, .listed = L"家計簿"},
    {.name = "ReadingAsKana", .query = L"かけい", .buttonUse = {}, .programUse = {}, .listed = L"家計簿"},
    {.name = "KanjiWithoutAReading", .query = L"mitsumori", .buttonUse = {}, .programUse = {}, .listed = L""},
}), RowName);

constexpr std::int64_t kDay = 24 * 60 * 60, kNow = 1800000000;

// Starts at the times given (seconds before now), then the score now.
struct RankRow {
    const char* name;
    std::vector<std::int64_t> startsBefore;
    std::int64_t lookedAt;  // seconds after now
    double score;
};
using UsageRanking = ::testing::TestWithParam<RankRow>;

TEST_P(UsageRanking, CountsEveryStartHalvedEveryTwoWeeks)
{
    UsageRecord record;
    for (std::int64_t before : GetParam().startsBefore)
        record = CountStart(record, kNow - before);
    EXPECT_NEAR(GetParam().score, UsageScore(record, kNow + GetParam().lookedAt), 1e-9);
    EXPECT_EQ(GetParam().startsBefore.size(), record.starts);
}

INSTANTIATE_TEST_SUITE_P(Rows, UsageRanking, ::testing::ValuesIn(std::vector<RankRow>{
    {.name = "NeverStarted", .startsBefore = {}, .lookedAt = 0, .score = 0},
    {.name = "OnceNow", .startsBefore = {0}, .lookedAt = 0, .score = 1},
    {.name = "OnceTwoWeeksAgo", .startsBefore = {14 * kDay}, .lookedAt = 0, .score = 0.5},
    {.name = "AMonthAgoAndNow", .startsBefore = {28 * kDay, 0}, .lookedAt = 0, .score = 1.25},
    {.name = "FiveStartsTenWeeksAgo", .startsBefore = {70 * kDay, 70 * kDay, 70 * kDay, 70 * kDay, 70 * kDay},
     .lookedAt = 0, .score = 0.15625},
    {.name = "ClockSetBackKeepsTheScore", .startsBefore = {0}, .lookedAt = -7 * kDay, .score = 1},
    {.name = "AStartBeforeTheLastCountsAtTheLast", .startsBefore = {0, 14 * kDay}, .lookedAt = 0, .score = 2},
}), RowName);

const std::string kHead = "; comment\r\nversion\t1\r\n";

// A usage file's text as read: what it gives for the paths asked.
struct UsageTextRow {
    const char* name;
    std::string text;
    bool parsed;
    std::vector<std::pair<std::wstring, double>> scores;  // at kNow
};
using UsageText = ::testing::TestWithParam<UsageTextRow>;

TEST_P(UsageText, ReadsSoundLinesAndWritesThemBack)
{
    UsageLog log;
    ASSERT_EQ(GetParam().parsed, log.Parse(GetParam().text.data(), GetParam().text.size()));
    for (const auto& [path, score] : GetParam().scores)
        EXPECT_NEAR(score, log.Score(path, kNow), 1e-6) << Utf8(path);
    UsageLog again;
    const std::string written = log.Format();
    ASSERT_TRUE(again.Parse(written.data(), written.size()));
    EXPECT_EQ(written, again.Format());
}

const std::string kNowText = std::to_string(kNow);
std::string Line(const std::string& last, const std::string& score, const std::string& starts, const std::string& path)
{
    return last + "\t" + score + "\t" + starts + "\t" + path + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(Rows, UsageText, ::testing::ValuesIn(std::vector<UsageTextRow>{
    {.name = "Lines", .text = kHead + Line(kNowText, "2.5", "3", "C:\\a.exe") + kNowText + "\t1\t1\tshell:x!App\n",
     .parsed = true, .scores = {{L"c:\\A.EXE", 2.5}, {L"shell:x!App", 1}, {L"C:\\b.exe", 0}}},
    {.name = "ByteOrderMark", .text = "\xEF\xBB\xBF" + kHead + Line(kNowText, "1", "1", "C:\\メモ.exe"),
     .parsed = true,
     .scores = {{L"C:\\メモ.exe", 1}}},
    {.name = "NoVersionLine", .text = Line(kNowText, "1", "1", "C:\\a.exe"), .parsed = false, .scores = {}},
    {.name = "AnotherVersion", .text = "version\t2\r\n" + Line(kNowText, "1", "1", "C:\\a.exe"), .parsed = false},
    {.name = "DamagedLinesLeftOut",
     .text = kHead + Line("x", "1", "1", "C:\\a.exe") + Line(kNowText, "nan", "1", "C:\\b.exe") +
             Line(kNowText, "1e99", "1", "C:\\c.exe") + Line(kNowText, "-1", "1", "C:\\d.exe") +
             Line(kNowText, "1", "1", "C:\\\xFF.exe") + Line(kNowText, "1", "1", std::string(261, 'x')) +
             kNowText + "\t1\t1\r\n" + kNowText + "\t4\t1\tC:\\e.exe",
     .parsed = true,
     .scores = {{L"C:\\a.exe", 0}, {L"C:\\b.exe", 0}, {L"C:\\c.exe", 0}, {L"C:\\d.exe", 0}, {L"C:\\e.exe", 4}}},
    {.name = "TheSamePathTwiceJoined",
     .text = kHead + Line(kNowText, "1", "1", "C:\\a.exe") + Line(kNowText, "2", "1", "c:\\A.exe"), .parsed = true,
     .scores = {{L"C:\\a.exe", 3}}},
}), RowName);

TEST(UsageLog, KeepsTheMostUsedWhenTooManyAndCarriesAProgramsUseToItsButton)
{
    std::string text = kHead;
    for (size_t i = 0; i < kUsageLimit + 100; ++i)
        text += kNowText + "\t" + std::to_string(i + 1) + "\t1\tC:\\p" + std::to_string(i) + ".exe\r\n";
    for (int i = 0; i < 20000; ++i)  // repetitive: one target counted over and over
        text += kNowText + "\t1000\t1\tC:\\same.exe\r\n";
    UsageLog log;
    ASSERT_TRUE(log.Parse(text.data(), text.size()));
    EXPECT_EQ(kUsageLimit, log.Size());
    EXPECT_EQ(0, log.Score(L"C:\\p100.exe", kNow));  // the 499 used most of 600 stay, with the repeated one
    EXPECT_EQ(102, log.Score(L"C:\\p101.exe", kNow));
    EXPECT_GT(log.Score(L"C:\\same.exe", kNow), 1e6);
    log.Count(L"C:\\new.exe", kNow);  // used the least, but just started
    EXPECT_EQ(kUsageLimit, log.Size());
    EXPECT_EQ(1, log.Score(L"C:\\new.exe", kNow));
    EXPECT_EQ(0, log.Score(L"C:\\p101.exe", kNow));
    log.Carry(L"C:\\new.exe", L"C:\\target.exe");
    EXPECT_EQ(0, log.Score(L"C:\\new.exe", kNow));
    EXPECT_EQ(1, log.Score(L"C:\\target.exe", kNow));
}

// The file beside the program: a damaged or huge one is rebuilt, one another program holds is left alone.
struct UsageFileRow {
    const char* name;
    std::string before;  // "" none
    bool held;
    double scoreAfterAStart;
};
using UsageFile = ::testing::TestWithParam<UsageFileRow>;

TEST_P(UsageFile, IsReadAndWrittenWholeBesideTheDataFile)
{
    support::TempFolder folder;
    const std::wstring path = folder.File(L"porun.usage");
    wchar_t named[MAX_PATH];
    ASSERT_TRUE(UsageFilePath(folder.File(L"porun.dat").c_str(), named, MAX_PATH));
    EXPECT_EQ(path, named);
    if (!GetParam().before.empty()) {
        ASSERT_TRUE(support::WriteBytes(path, GetParam().before));
    }
    ScopedFile holder(GetParam().held ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                      : INVALID_HANDLE_VALUE);
    const SeamGuard retry = OverrideUserFileRetry({.attempts = 1, .delay = 0, .onRetry = nullptr});
    UserFiles files;
    UsageLog log;
    ReadUsageFile(files, path.c_str(), &log);
    log.Count(L"C:\\a.exe", kNow);
    EXPECT_TRUE(WriteUsageFile(files, path.c_str(), log));
    holder.Reset();
    UsageLog after;
    ReadUsageFile(files, path.c_str(), &after);
    EXPECT_NEAR(GetParam().scoreAfterAStart, after.Score(L"C:\\a.exe", kNow), 1e-6);
    EXPECT_EQ(GetParam().held, support::ReadBytes(path) == GetParam().before);
}

INSTANTIATE_TEST_SUITE_P(Rows, UsageFile, ::testing::ValuesIn(std::vector<UsageFileRow>{
    {.name = "None", .before = "", .held = false, .scoreAfterAStart = 1},
    {.name = "Counted", .before = kHead + kNowText + "\t2\t2\tC:\\a.exe\r\n", .held = false, .scoreAfterAStart = 3},
    {.name = "Damaged", .before = std::string(5000, '\x01'), .held = false, .scoreAfterAStart = 1},
    {.name = "Huge", .before = kHead + std::string(kUsageFileReadLimit, 'x'), .held = false, .scoreAfterAStart = 1},
    {.name = "HeldByAnotherProgram", .before = kHead + kNowText + "\t2\t2\tC:\\a.exe\r\n", .held = true,
     .scoreAfterAStart = 2},
}), RowName);

// Two Programs folders: the user's and all users', with what the Start menu shows and what it leaves out.
class StartMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* file : {L"user\\メモ帳.lnk", L"user\\Accessories\\Paint.lnk",
                                    L"user\\Accessories\\readme.txt", L"user\\Tools\\tool.exe", L"user\\hidden.lnk",
                                    L"outside\\outside.exe", L"common\\メモ帳.lnk", L"common\\Games\\game.url",
                                    L"user\\1\\2\\3\\4\\5\\6\\7\\seven.lnk",
                                    L"user\\1\\2\\3\\4\\5\\6\\7\\8\\eight.lnk"}) {
            folder_.Folder(support::FolderOf(file));
            WriteBytes(folder_.File(file), "");
        }
        const std::wstring names = L"\uFEFF[LocalizedFileNames]\r\nPaint.lnk=ペイント\r\n";
        WriteBytes(folder_.File(L"user\\Accessories\\desktop.ini"),
                   std::string(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t)));
        SetFileAttributesW(folder_.File(L"user\\hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    // Name, the folder it is listed in, where it lies below the test's folder; sorted by name.
    std::wstring Listed(const ProgramIndex& index) const
    {
        std::wstring listed;
        for (const ProgramEntry& program : index.programs) {
            const std::wstring place = program.path.substr(0, folder_.Path().size()) == folder_.Path()
                                           ? program.path.substr(folder_.Path().size() + 1)
                                           : program.path;
            listed += program.name + L"|" + program.folder + L"|" + place + L"\n";
        }
        return listed;
    }

    support::TempFolder folder_;
    const std::wstring kListed = L"game|Games|common\\Games\\game.url\n"
                                 L"seven|1\\2\\3\\4\\5\\6\\7|user\\1\\2\\3\\4\\5\\6\\7\\seven.lnk\n"
                                 L"tool|Tools|user\\Tools\\tool.exe\n"
                                 L"ペイント|Accessories|user\\Accessories\\Paint.lnk\n"
                                 L"メモ帳||user\\メモ帳.lnk\n";
};

TEST_F(StartMenu, ListsTheProgramsByTheirShownNamesAndFollowsNoLink)
{
    const support::SymbolicLink link(folder_.File(L"user\\Linked"), folder_.File(L"outside"));
    ASSERT_TRUE(link.Made());
    std::vector<ProgramEntry> programs;
    const std::atomic<bool> stop{false};
    ASSERT_TRUE(ListStartMenuPrograms({folder_.File(L"user"), folder_.File(L"common")}, stop, &programs));
    EXPECT_EQ(kListed, Listed(*MakeProgramIndex(programs, nullptr)));
}

// Counts the catalog's messages.
struct CatalogWindow {
    static constexpr UINT kRead = WM_APP + 7;
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    int readings = 0;
    CatalogWindow()
    {
        SetWindowSubclass(window, Count, 1, reinterpret_cast<DWORD_PTR>(&readings));
    }
    ~CatalogWindow() { DestroyWindow(window); }
    static LRESULT CALLBACK Count(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR counter)
    {
        *reinterpret_cast<int*>(counter) += message == kRead;
        return DefSubclassProc(hwnd, message, w, l);
    }
};

TEST_F(StartMenu, CatalogReadsTheFoldersAndTheAppsFolderAndAgainWhenAFolderChanges)
{
    const SeamGuard folders = OverrideProgramsFolders({folder_.File(L"user"), folder_.File(L"common")});
    const SeamGuard apps = OverrideStoreApps([](const std::atomic<bool>&, std::vector<StoreApp>* found) {
        found->push_back({L"電卓", L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App"});
        return true;
    });
    const SeamGuard readings = OverrideKanjiReading([](const std::wstring& text) {
        return text == L"電卓" ? L"でんたく" : text == L"見積書" ? L"みつもりしょ" : L"";
    });
    CatalogWindow window;
    ProgramCatalog catalog(window.window, CatalogWindow::kRead);
    ASSERT_TRUE(WaitUntil([&] { return window.readings == 1; }));
    EXPECT_EQ(kListed + L"電卓||shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App\n",
              Listed(*catalog.Programs()));
    SearchIndex index;
    BuildSearchIndex(*std::make_unique<LauncherData>(), 1, nullptr, catalog.Programs(), &index);
    std::vector<SearchItem> found;
    FindItems(index, L"dentaku", &found);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ(L"電卓", index.programs->programs[found[0].program].name);

    WriteBytes(folder_.File(L"common\\Games\\chess.lnk"), "");
    ASSERT_TRUE(WaitUntil([&] { return window.readings == 2; }));
    EXPECT_EQ(7u, catalog.Programs()->programs.size());
    EXPECT_EQ(L"", catalog.ReadingOf(L"見積書"));
    catalog.Refresh({L"見積書", L"メモ"});
    ASSERT_TRUE(WaitUntil([&] { return window.readings == 3; }));
    EXPECT_EQ(L"みつもりしょ", catalog.ReadingOf(L"見積書"));
}

}  // namespace
