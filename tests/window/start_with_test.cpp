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

class StartWith : public Window {
protected:
    void TearDown() override
    {
        Window::TearDown();
        OverrideShellCalls(nullptr);
        OverrideStartupFolder(nullptr);
    }
    void Started() { SendMessageW(window_, WM_LAUNCHER_STARTED, 0, 0); }  // as a first start posts it
    std::wstring Link() const { return folder_.File(L"スタートアップ\\" + String(IDS_STARTUP_LINK_NAME) + L".lnk"); }
    std::wstring Target(std::wstring* workDir = nullptr) const  // of Link(); "" when none
    {
        ComRef<IShellLinkW> link;
        wchar_t target[MAX_PATH] = L"";
        wchar_t folder[MAX_PATH] = L"";
        const bool read = LoadShellLink(Link().c_str(), link) && ReadLinkTarget(link.Get(), target, MAX_PATH);
        if (read && workDir)
            link->GetWorkingDirectory(folder, MAX_PATH);
        if (workDir)
            *workDir = folder;
        return read ? target : L"";
    }
};

TEST_F(StartWith, TheMarkedButtonsStartInGroupAndButtonOrderAndTheFailedAreToldOnceTheBarUnfolded)
{
    const Recorder a(folder_, L"a\\a.exe"), b(folder_, L"b\\b.exe");
    data_.Group(0, L"一").Button(0, 3, L"A", a.Path(), L"-a", folder_.Folder(L"w")).Button(0, 5, L"Gone", L"C:\\no.exe");
    data_.Button(1, 0, L"B", b.Path(), L"-b").Button(0, 4, L"Unmarked", L"C:\\no.exe");
    const char options[] = "start_with_porun_3,1\r\nstart_with_porun_5,1\r\nstart_with_porun_7,1\r\nstart_with_porun_10,1\r\n";
    beforeStart_ = [&] { ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), options)); };
    Open();
    OverrideShellCalls(&kStartedCalls);
    DialogWaiter failed(kNotice, IDOK);
    Started();
    EXPECT_EQ(String(IDS_MSG_START_WITH_FAILED) + L"\n一 の Gone", failed.Message());
    EXPECT_EQ((std::vector<std::wstring>{a.Path(), L"C:\\no.exe", b.Path()}), g_started);
    ASSERT_TRUE(a.Started() && b.Started());
    EXPECT_EQ(folder_.File(L"w"), a.Got().folder) << "as a click starts it";
    EXPECT_NE(std::wstring::npos, b.Got().commandLine.find(L"-b"));
    EXPECT_TRUE(Expanded());
}

struct LinkRow {
    const char* name;
    std::string options;  // porun.options before the start
    bool stale;           // a shortcut of that name leads to a launcher elsewhere
    bool folder;          // the Startup folder is there
    bool leadsHere;       // after the start
    bool told;            // IDS_MSG_STARTUP_LINK_FAILED
};

class StartupLinkAtStart : public StartWith, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(StartupLinkAtStart, IsRenewedOnlyWithTheOptionOn)
{
    const LinkRow& row = GetParam();
    const std::wstring elsewhere = folder_.File(L"old\\porun.exe"), startup = folder_.File(L"スタートアップ");
    ASSERT_TRUE(!row.folder || !folder_.Folder(L"スタートアップ").empty());
    ASSERT_TRUE(!row.stale || MakeShellLink(Link(), elsewhere, L"", L""));
    beforeStart_ = [&] { ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), row.options)); };
    OverrideStartupFolder(startup.c_str());
    Open();
    {
        const auto told = Expect(row.told ? kNotice : nullptr, IDOK);
        Started();
        EXPECT_TRUE(!told || told->Message() == String(IDS_MSG_STARTUP_LINK_FAILED));
    }
    const std::wstring expected = row.leadsHere ? program_ : row.stale ? elsewhere : L"";
    EXPECT_EQ(expected, Target());
    EXPECT_EQ(row.folder && (row.leadsHere || row.stale) ? 1u : 0u, ListTree(startup).size());
}

const LinkRow kLinks[] = {
    {.name = "WrittenWhenMissing", .options = "start_with_windows,1\r\n", .stale = false, .folder = true,
     .leadsHere = true, .told = false},
    {.name = "RenewedAfterAMove", .options = "start_with_windows,1\r\n", .stale = true, .folder = true,
     .leadsHere = true, .told = false},
    {.name = "AFailureToWriteItIsTold", .options = "start_with_windows,1\r\n", .stale = false, .folder = false,
     .leadsHere = false, .told = true},
    {.name = "OffLeavesOneThatLeadsElsewhere", .options = "", .stale = true, .folder = true, .leadsHere = false,
     .told = false},
    {.name = "OffMakesNone", .options = "", .stale = false, .folder = true, .leadsHere = false, .told = false},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartupLinkAtStart, ::testing::ValuesIn(kLinks), RowName);

TEST_F(StartWith, TheGeneralSettingsWriteTheShortcutToTheLauncherAndRemoveItWhenTurnedOff)
{
    const std::wstring startup = folder_.Folder(L"スタートアップ");
    OverrideStartupFolder(startup.c_str());
    Open();
    const auto toggle = [](HWND d) { Toggle(d, IDC_GROUP_START_WITH_WINDOWS); };
    ASSERT_TRUE(FromMenu(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDOK, toggle));
    std::wstring workDir;
    EXPECT_EQ(program_, Target(&workDir));
    EXPECT_EQ(folder_.Path(), workDir);
    EXPECT_EQ("start_with_windows,1\r\n", ReadBytes(folder_.File(L"porun.options")));
    ASSERT_TRUE(FromMenu(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS, kGroupDialog, IDOK, toggle));
    EXPECT_FALSE(Exists(Link()));
    EXPECT_FALSE(Exists(folder_.File(L"porun.options"))) << "no option is on";
}

}  // namespace
