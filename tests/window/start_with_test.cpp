// What starts when the launcher starts: the marked buttons, and the shortcut in the Startup folder.
#include "window/window_test.h"

#include "app/main_window.h"
#include "bar/shell_calls.h"
#include "support/shell_link_file.h"
#include "support/startup_link.h"

using namespace window_test;

namespace {

std::vector<std::wstring> g_started;  // the files handed to the shell, in order
BOOL WINAPI StartedInOrder(SHELLEXECUTEINFOW* info)
{
    g_started.push_back(info->lpFile);
    return ShellExecuteExW(info);
}
const ShellCalls kStartedCalls = {StartedInOrder, SHOpenFolderAndSelectItems};

// The Startup folder is the test's "スタートアップ".
class StartWith : public Window {
protected:

    std::wstring Link() const { return startup_ + L"\\" + String(IDS_STARTUP_LINK_NAME) + L".lnk"; }
    std::wstring Target(wchar_t* workDir = nullptr) const  // of Link(); "" when none
    {
        ComRef<IShellLinkW> link;
        wchar_t target[MAX_PATH] = L"";
        const bool read = LoadShellLink(Link().c_str(), link) && ReadLinkTarget(link.Get(), target, MAX_PATH);
        return read && (!workDir || link->GetWorkingDirectory(workDir, MAX_PATH) == S_OK) ? target : L"";
    }
    const std::wstring startup_ = folder_.File(L"スタートアップ");
    const SeamGuard startupFolder_ = OverrideStartupFolder(startup_.c_str());
};

TEST_F(StartWith, TheMarkedButtonsStartInGroupAndButtonOrderAndTheFailedAreToldOnceTheBarUnfolded)
{
    const Recorder a(folder_, L"a\\a.exe"), b(folder_, L"b\\b.exe");
    data_.Group(0, L"一").Button(0, 3, L"A", a.Path(), L"-a", folder_.Folder(L"w")).Button(0, 5, L"Gone", L"C:\\no.exe");
    data_.Button(1, 0, L"B", b.Path(), L"-b").Button(0, 4, L"Unmarked", L"C:\\no.exe");
    std::string options;
    for (const char* number : {"3", "5", "7", "10"})  // 7 is empty
        options += "start_with_porun_" + std::string(number) + ",1\r\n";
    beforeStart_ = [&] { ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), options)); };
    Open();
    const SeamGuard calls = OverrideShellCalls(&kStartedCalls);
    DialogWaiter failed(kNotice, IDOK);
    SendMessageW(window_, WM_LAUNCHER_STARTED, 0, 0);  // as a first start posts it once the bar is shown
    EXPECT_EQ(String(IDS_MSG_START_WITH_FAILED) + L"\n一 の Gone", failed.Message()) << "once";
    EXPECT_EQ((std::vector<std::wstring>{a.Path(), L"C:\\no.exe", b.Path()}), g_started);
    ASSERT_TRUE(a.Started() && b.Started());
    EXPECT_EQ(folder_.File(L"w"), a.Got().folder) << "as a click starts it";
    EXPECT_NE(std::wstring::npos, b.Got().commandLine.find(L"-b"));
    EXPECT_TRUE(Expanded());
}

struct LinkRow {
    const char* name;
    bool on;      // porun.options holds start_with_windows
    bool stale;   // a shortcut of that name leads to a launcher elsewhere
    bool folder;  // the Startup folder is there
};
class StartupLinkAtStart : public StartWith, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(StartupLinkAtStart, IsWrittenOrRenewedOnlyWithTheOptionOnAndAFailureIsTold)
{
    const LinkRow& row = GetParam();
    const std::wstring elsewhere = folder_.File(L"old\\porun.exe");
    ASSERT_TRUE(!row.folder || !folder_.Folder(L"スタートアップ").empty());
    ASSERT_TRUE(!row.stale || MakeShellLink(Link(), elsewhere, L"", L""));
    const std::wstring options = folder_.File(L"porun.options");
    beforeStart_ = [&] { ASSERT_TRUE(!row.on || WriteBytes(options, "start_with_windows,1\r\n")); };
    Open();
    const auto told = Expect(row.on && !row.folder ? kNotice : nullptr, IDOK);
    SendMessageW(window_, WM_LAUNCHER_STARTED, 0, 0);  // as a first start posts it once the bar is shown
    EXPECT_TRUE(!told || told->Message() == String(IDS_MSG_STARTUP_LINK_FAILED));
    EXPECT_EQ(row.on && row.folder ? program_ : row.stale ? elsewhere : L"", Target());
    EXPECT_EQ(row.folder && (row.on || row.stale) ? 1u : 0u, ListTree(startup_).size()) << "no other file";
}

const LinkRow kLinks[] = {
    {.name = "WrittenWhenMissing", .on = true, .stale = false, .folder = true},
    {.name = "RenewedAfterAMove", .on = true, .stale = true, .folder = true},
    {.name = "AFailureToWriteItIsTold", .on = true, .stale = false, .folder = false},
    {.name = "OffLeavesOneThatLeadsElsewhere", .on = false, .stale = true, .folder = true},
    {.name = "OffMakesNone", .on = false, .stale = false, .folder = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartupLinkAtStart, ::testing::ValuesIn(kLinks), RowName);

TEST_F(StartWith, TheGeneralSettingsWriteTheShortcutToTheLauncherAndRemoveItWhenTurnedOff)
{
    folder_.Folder(L"スタートアップ");
    Open();
    const auto toggle = [](HWND d) { Toggle(d, IDC_GROUP_START_WITH_WINDOWS); };
    ASSERT_TRUE(FromMenu(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDOK, toggle));
    wchar_t workDir[MAX_PATH] = L"";
    EXPECT_EQ(program_, Target(workDir));
    EXPECT_EQ(folder_.Path(), workDir);
    EXPECT_EQ("start_with_windows,1\r\n", ReadBytes(folder_.File(L"porun.options")));
    ASSERT_TRUE(FromMenu(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDOK, toggle));
    EXPECT_FALSE(Exists(Link()));
    EXPECT_FALSE(Exists(folder_.File(L"porun.options"))) << "no option is on";
}

}  // namespace
