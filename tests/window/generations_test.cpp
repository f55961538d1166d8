// Generations: the files before a change are kept, restored (and the restore undone), offered for a damaged start;
// whatever else lies in their folder is left as it is.
#include "window_test.h"

#include "app/main_window.h"
#include "bar/start_count.h"
#include "data/atomic_file.h"
#include "data/generation_rule.h"
#include "data/generations.h"
#include "data/usage_file.h"
#include "shortcuts/saved_changes.h"
#include "support/scoped_handle.h"
#include "support/startup_link.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace {

using namespace window_test;

constexpr wchar_t kRestoreDialog[] = L"おもいでから戻す";

void NoonOfTheEighth(SYSTEMTIME* now)  // the tests' clock: 2026-12-08 12:00
{
    *now = {.wYear = 2026, .wMonth = 12, .wDayOfWeek = 2, .wDay = 8, .wHour = 12};
}

class Generations : public Window {
protected:
    const SeamGuard clock_ = OverrideGenerationClock(NoonOfTheEighth);  // put back after the close's saves
    std::wstring Kept() const { return folder_.File(kGenerationsFolderName); }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((Kept() + L"\\2*").c_str(), &found);
        for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
            names.push_back(found.cFileName);
        FindClose(find);
        return names;
    }
    void Retitle(const wchar_t* title)  // a change saved as the dialogs save it
    {
        lstrcpynW(launcher_->ButtonAt(0, 0)->title, title, kFieldSize);
        ASSERT_TRUE(SaveChanges(window_, *launcher_));
    }
    void RestoreNewest()  // from the tray menu's command, the newest row (selected first) restored, answered Yes
    {
        DialogWaiter dialog(kRestoreDialog, IDC_RESTORE_RUN, [](HWND restore) {
            if (ListView_GetItemCount(GetDlgItem(restore, IDC_RESTORE_LIST)) == 0)
                Press(restore, IDC_RESTORE_CLOSE);  // nothing kept: closed, so the test fails instead of waiting
        });
        DialogWaiter question(kQuestion, IDYES);
        Command(IDM_RESTORE_GENERATION);
        ASSERT_TRUE(dialog.Seen());
        ASSERT_TRUE(question.Seen());
    }
    void DamagedWithGeneration()  // porun.dat broken, one generation holding data_
    {
        const std::string good = data_.Bytes();
        beforeStart_ = [this, good] {
            WriteBytes(folder_.Folder(L"ポルンのおもいで\\20261201-100000-000") + L"\\porun.dat", good);
            WriteBytes(folder_.File(L"porun.dat"), "broken");
        };
    }
};

TEST_F(Generations, AKeepThatCannotBeWrittenStillSavesAndIsToldOnce)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    beforeStart_ = [this] { WriteBytes(Kept(), "a file where the folder would be"); };
    Open();
    DialogWaiter told(kNotice, IDOK);
    Retitle(L"B");
    PumpPending();  // the window tells it
    EXPECT_EQ(String(IDS_MSG_GENERATION_NOT_KEPT), told.Message());
    Retitle(L"C");
    PumpPending();  // a second notice would be a dialog no one waits for
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"C");
}

// A change saved after each: the set before it is kept once; one equal to the newest, or without porun.dat, never.
enum class Before { SameChangeSaved, FailedWrite, FirstStart, DataFileDeleted };
struct KeptRow {
    const char* name;
    Before before;
    size_t kept;  // generations afterwards
};
class KeptBySaves : public Generations, public ::testing::WithParamInterface<KeptRow> {};

TEST_P(KeptBySaves, OnceAndNeverWithoutADataFile)
{
    const KeptRow& row = GetParam();
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    const std::wstring dataFile = folder_.File(L"porun.dat");
    beforeStart_ = [&] { ASSERT_TRUE(row.before != Before::FirstStart || DeleteFileW(dataFile.c_str())); };
    Open();
    ASSERT_TRUE(row.before != Before::DataFileDeleted || DeleteFileW(dataFile.c_str()));
    if (row.before == Before::SameChangeSaved)
        Retitle(L"B");
    if (row.before == Before::FailedWrite) {  // the set before it is kept, and stays on disk
        FileCalls failing = CurrentFileCalls();
        failing.moveFileEx = [](LPCWSTR, LPCWSTR, DWORD) -> BOOL { return FALSE; };
        const SeamGuard calls = OverrideFileCalls(failing);
        DialogWaiter failed(kError, IDOK);
        lstrcpynW(launcher_->ButtonAt(0, 0)->title, L"B", kFieldSize);
        EXPECT_FALSE(SaveDataChanges(window_, *launcher_));
        ASSERT_TRUE(failed.Seen());
    }
    Retitle(L"B");
    ASSERT_EQ(row.kept, Names().size());
    EXPECT_TRUE(!row.kept || ReadBytes(Kept() + L"\\" + Names()[0] + L"\\porun.dat") == data_.Bytes()) << "as before";
}

const KeptRow kKeptBySaves[] = {
    {.name = "TheSameChangeSavedAgain", .before = Before::SameChangeSaved, .kept = 1},
    {.name = "TheSetOfTheNewestAfterAWriteThatFailed", .before = Before::FailedWrite, .kept = 1},
    {.name = "ASetWithoutDataFileAtAFirstStart", .before = Before::FirstStart, .kept = 0},
    {.name = "ASetWhoseDataFileWasDeleted", .before = Before::DataFileDeleted, .kept = 0},
};
INSTANTIATE_TEST_SUITE_P(Rows, KeptBySaves, ::testing::ValuesIn(kKeptBySaves), RowName);

// Planted among ten newer generations: a keep removes what a write left and prunes the eleventh.
enum class Planted { LinkedLeftover, LinkedGeneration, ForeignFile, LinkedFile, HeldDataFile };
struct PlantedRow {
    const char* name;
    Planted planted;
    bool listed;  // offered as a generation afterwards
};
class PlantedAmongGenerations : public Generations, public ::testing::WithParamInterface<PlantedRow> {};

TEST_P(PlantedAmongGenerations, IsLeftAsItIsAndNeverReachedThrough)
{
    const PlantedRow& row = GetParam();
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    const TempFolder outside;
    const bool leftover = row.planted == Planted::LinkedLeftover;
    const std::wstring name = leftover ? L"20261207-090000-000.tmp" : L"20261001-090000-000";  // long past
    std::map<std::wstring, std::string> stays = {{outside.File(L"porun.names"), "names"}};  // only files of a set
    std::unique_ptr<SymbolicLink> link;
    ScopedFile held;
    beforeStart_ = [&] {
        for (int i = 10; i < 10 + kGenerationsKeptNewest; ++i) {  // not the set now: it is kept
            const std::wstring kept = L"ポルンのおもいで\\20261207-1000" + std::to_wstring(i) + L"-000";
            ASSERT_TRUE(WriteBytes(folder_.Folder(kept) + L"\\porun.dat", DataImage().Bytes()));
        }
        const bool linked = row.planted == Planted::LinkedLeftover || row.planted == Planted::LinkedGeneration;
        const std::wstring folder = linked ? outside.Path() : folder_.Folder(L"ポルンのおもいで\\" + name);
        stays[folder + L"\\porun.dat"] = data_.Bytes();
        if (row.planted == Planted::ForeignFile)
            stays[folder + L"\\mine.txt"] = "mine";
        if (row.planted == Planted::HeldDataFile)
            stays[folder + L"\\porun.options"] = "folder_menu_0,1\r\n";
        for (const auto& [path, bytes] : stays)
            ASSERT_TRUE(WriteBytes(path, bytes));
        if (linked)
            link = std::make_unique<SymbolicLink>(Kept() + L"\\" + name, outside.Path());
        if (row.planted == Planted::LinkedFile)
            link = std::make_unique<SymbolicLink>(folder + L"\\porun.names", outside.File(L"porun.names"));
        if (row.planted == Planted::HeldDataFile)
            held.Reset(CreateFileW((folder + L"\\porun.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE((!link || link->Made()) && (row.planted != Planted::HeldDataFile || held)) << "nothing planted";
    };
    Open();
    Retitle(L"B");
    const std::vector<std::wstring> listed = ListGenerations();
    EXPECT_EQ(row.listed, std::find(listed.begin(), listed.end(), name) != listed.end());
    for (const auto& [path, bytes] : stays)
        EXPECT_TRUE(bytes == ReadBytes(path)) << Utf8(path);
}

const PlantedRow kPlanted[] = {
    {.name = "ALinkNamedLikeALeftover", .planted = Planted::LinkedLeftover, .listed = false},
    {.name = "ALinkNamedLikeAGeneration", .planted = Planted::LinkedGeneration, .listed = false},
    {.name = "AFolderHoldingAnotherFile", .planted = Planted::ForeignFile, .listed = false},
    {.name = "AFolderHoldingALinkedFile", .planted = Planted::LinkedFile, .listed = false},
    {.name = "AGenerationWhoseDataFileCannotBeRemovedStaysWhole", .planted = Planted::HeldDataFile, .listed = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, PlantedAmongGenerations, ::testing::ValuesIn(kPlanted), RowName);

TEST_F(Generations, ARestoreShowsTheKeptButtonsWithTheirHotkeysAndIsUndoneByRestoringAgain)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    shortcuts_ = ShortcutLines(0, 0, 'S', kCtrl, kSystemHotkey) + ActiveLines(0, kNoModifiers);
    Open();
    Retitle(L"B");
    RestoreNewest();
    EXPECT_EQ(Tip(B(0)).substr(0, 2), L"A ");
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"A");
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL, 'S'));
    RestoreNewest();
    EXPECT_EQ(Tip(B(0)).substr(0, 2), L"B ");
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"B");
}

TEST_F(Generations, ADamagedDataFileAtStartTakesTheNewestGoodGenerationOnYesKeepingTheNewerFilesFirst)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    shortcuts_ = ShortcutLines(0, 0, 'S', kCtrl, kPlainKey);  // newer than the generation, which has none
    DamagedWithGeneration();
    DialogWaiter question(kQuestion, IDYES);
    Open();
    ASSERT_TRUE(question.Seen());
    EXPECT_EQ(Tip(B(0)), L"A");
    EXPECT_EQ(ReadBytes(folder_.File(L"porun.dat.bad")), "broken");
    const std::wstring newest = Kept() + L"\\" + ListGenerations().at(0);  // the files before the generation came
    EXPECT_EQ(ReadBytes(newest + L"\\shortcut.dat"), shortcuts_);
    EXPECT_TRUE(ReadBytes(newest + L"\\porun.dat") == "broken");
}

TEST_F(Generations, ADamagedDataFileAtStartAnsweredNoGivesAnEmptyBarAndARestoreIsSavedAsRestored)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    DamagedWithGeneration();
    DialogWaiter question(kQuestion, IDNO);
    DialogWaiter failed(kError, IDOK);
    Open();
    ASSERT_TRUE(question.Seen());
    ASSERT_TRUE(failed.Seen());
    EXPECT_EQ(Tip(B(0)), L"");
    RestoreNewest();
    Close();
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"A");
    EXPECT_TRUE(ReadBytes(folder_.File(L"porun.dat.bad")) == "broken") << "the damaged file, not the restored one";
    EXPECT_FALSE(Exists(folder_.File(L"porun.dat.bad2")));
}

// The Startup folder's shortcut follows the option a restore brings back.
struct StartupRow {
    const char* name;
    bool restored;  // the option the generation holds; the other before
};
class StartupLinkAfterARestore : public Generations, public ::testing::WithParamInterface<StartupRow> {};

TEST_P(StartupLinkAfterARestore, FollowsTheRestoredOption)
{
    const StartupRow& row = GetParam();
    const std::wstring startup = folder_.Folder(L"スタートアップ");
    const SeamGuard folder = OverrideStartupFolder(startup.c_str());
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    beforeStart_ = [&] {
        const std::wstring kept = folder_.Folder(L"ポルンのおもいで\\20261201-100000-000");
        ASSERT_TRUE(WriteBytes(kept + L"\\porun.dat", data_.Bytes()));
        ASSERT_TRUE(!row.restored || WriteBytes(kept + L"\\porun.options", "start_with_windows,1\r\n"));
        ASSERT_TRUE(row.restored || WriteBytes(folder_.File(L"porun.options"), "start_with_windows,1\r\n"));
    };
    Open();
    SendMessageW(window_, WM_LAUNCHER_STARTED, 0, 0);  // as a first start posts it: the shortcut written while on
    RestoreNewest();
    EXPECT_EQ(row.restored, Exists(startup + L"\\" + String(IDS_STARTUP_LINK_NAME) + L".lnk"));
}

const StartupRow kStartup[] = {
    {.name = "RemovedWhenTheRestoreTurnsItOff", .restored = false},
    {.name = "WrittenWhenTheRestoreTurnsItOn", .restored = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartupLinkAfterARestore, ::testing::ValuesIn(kStartup), RowName);

// The score porun.usage holds for path now; 0 without the file.
double CountedIn(const TempFolder& folder, const wchar_t* path)
{
    const std::string text = ReadBytes(folder.File(L"porun.usage"));
    UsageLog usage;
    return usage.Parse(text.data(), text.size()) ? usage.Score(path, UsageNow()) : 0.0;
}

TEST_F(Generations, TheUsageFileGoesWithTheSetAloneKeepsNothingAndAnOlderSetWithoutItLeavesItAsItIs)
{
    data_.Button(0, 0, L"P", L"C:\\a.exe");
    const std::string before = data_.Bytes();
    beforeStart_ = [this, before] {  // kept before there were counts
        WriteBytes(folder_.Folder(L"ポルンのおもいで\\20261201-100000-000") + L"\\porun.dat", before);
    };
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    Open();
    CountStart(*launcher_, *launcher_->ButtonAt(0, 0));
    EXPECT_EQ(1u, Names().size()) << "a start alone keeps nothing";
    RestoreNewest();
    EXPECT_NEAR(1.0, CountedIn(folder_, L"C:\\a.exe"), 1e-3) << "the counts stay";
    const std::vector<std::wstring> names = Names();
    ASSERT_EQ(2u, names.size());
    const std::wstring kept = names[0] == L"20261201-100000-000" ? names[1] : names[0];
    EXPECT_TRUE(Exists(Kept() + L"\\" + kept + L"\\porun.usage"));
    CountStart(*launcher_, *launcher_->ButtonAt(0, 0));
    RestoreNewest();
    EXPECT_NEAR(1.0, CountedIn(folder_, L"C:\\a.exe"), 1e-3) << "the counts of that time";
    CountStart(*launcher_, *launcher_->ButtonAt(0, 0));
    EXPECT_NEAR(2.0, CountedIn(folder_, L"C:\\a.exe"), 1e-3) << "counted on from what was restored";
}

}  // namespace
