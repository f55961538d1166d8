// Clicks, keys and drops on the bar start what the buttons hold.
#include "bar/launch.h"
#include "app/commands.h"
#include "dialogs/dialog_request.h"
#include "resources/resource_ids.h"
#include "window/bar_fixture.h"

#include <cstring>

namespace {

constexpr char kNotice[] = "ぽてまるのお知らせ";
constexpr char kQuestion[] = "ぽてまるの質問";
constexpr char kButtonDialog[] = "ボタンの設定";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(BarWindowTest, ClickStartsTheProgramWithItsOptionsAndFolderAndCollapses)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    const std::string work = folder_.File("work place");
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    FillButton(0, "Recorder", program, "-a \"two words\"", work);
    SetCollapseOnLaunch(true);

    Command(IDC_FIRST_LAUNCHER);
    std::string commandLine, folder;
    ASSERT_TRUE(WaitForRecord(program, &commandLine, &folder));
    EXPECT_TRUE(EndsWith(commandLine, " -a \"two words\"")) << commandLine;
    EXPECT_EQ(0, lstrcmpiA(work.c_str(), folder.c_str())) << folder;
    EXPECT_FALSE(Expanded());
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, ClickWithoutCollapseKeepsTheBar)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(9, "Recorder", program);
    SetCollapseOnLaunch(false);
    Command(IDC_FIRST_LAUNCHER + 9);
    std::string commandLine;
    ASSERT_TRUE(WaitForRecord(program, &commandLine, nullptr));
    EXPECT_TRUE(Expanded());
}

TEST_F(BarWindowTest, FailedLaunchShowsMessage1003AndDoesNotCollapse)
{
    FillButton(1, "Gone", folder_.File("gone.exe"));
    SetCollapseOnLaunch(true);
    DialogAnswerer answer(kNotice, IDOK);
    Command(IDC_FIRST_LAUNCHER + 1);
    answer.Join();
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("起動に失敗したのら！！", answer.Text());
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, ShiftClickOpensTheSettingsWithTheRecord)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(3, "Recorder", program, "-q", folder_.Path());
    std::string title, file, params, caption;
    DialogProbe probe(kButtonDialog, [&](HWND dialog) {
        char text[256];
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        title = ItemText(dialog, IDC_BUTTON_TITLE);
        file = ItemText(dialog, IDC_BUTTON_FILE);
        params = ItemText(dialog, IDC_BUTTON_PARAMS);
    }, IDCANCEL);
    {
        HeldKey shift(VK_SHIFT);
        HeldKey escape(VK_ESCAPE);  // SHIFT wins over ESC
        Command(IDC_FIRST_LAUNCHER + 3);
    }
    probe.Join();
    ASSERT_TRUE(probe.Found());
    EXPECT_EQ("=(o.o)= 第 4ボタンの設定、なのら。", caption);
    EXPECT_EQ("Recorder", title);
    EXPECT_EQ(program, file);
    EXPECT_EQ("-q", params);
    EXPECT_FALSE(FileExists(ReceivedPath(program))) << "nothing was started";
    EXPECT_STREQ(program.c_str(), CurrentButton(3)->file);
}

TEST_F(BarWindowTest, EscapeClickAsksAndClears)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(4, "Recorder", program);
    DialogAnswerer answer(kQuestion, IDYES);
    {
        HeldKey escape(VK_ESCAPE);
        Command(IDC_FIRST_LAUNCHER + 4);
    }
    answer.Join();
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("Recorder の設定を削除しちゃうのら？", answer.Text());
    EXPECT_STREQ("", CurrentButton(4)->file);
    EXPECT_FALSE(FileExists(ReceivedPath(program)));
}

TEST_F(BarWindowTest, ClickOnAnEmptyButtonOpensTheSettingsWhateverIsHeld)
{
    DialogProbe probe(kButtonDialog, nullptr, IDCANCEL);
    {
        HeldKey escape(VK_ESCAPE);
        Command(IDC_FIRST_LAUNCHER);
    }
    probe.Join();
    EXPECT_TRUE(probe.Found());
    EXPECT_EQ(nullptr, FindProcessDialog(kQuestion));
}

TEST_F(BarWindowTest, CtrlDigitClicksTheButtonOfTheCurrentGroup)
{
    const std::string third = InstallRecorder(folder_, "third\\rec.exe");
    const std::string tenth = InstallRecorder(folder_, "tenth\\rec.exe");
    FillButton(2, "third", third);
    FillButton(9, "tenth", tenth);
    {
        HeldKey control(VK_CONTROL);
        HandleShortcutKey(window_, '3');
        HandleShortcutKey(window_, '0');
    }
    EXPECT_TRUE(WaitForRecord(third, nullptr, nullptr));
    EXPECT_TRUE(WaitForRecord(tenth, nullptr, nullptr));
}

TEST_F(BarWindowTest, PlainDigitsSwitchOnlyToGroupsInUse)
{
    SetGroupCount(3);
    HandleShortcutKey(window_, '3');
    EXPECT_EQ(2, CurrentGroupIndex());
    HandleShortcutKey(window_, '1');
    EXPECT_EQ(0, CurrentGroupIndex());
    HandleShortcutKey(window_, '2');
    EXPECT_EQ(1, CurrentGroupIndex());
    HandleShortcutKey(window_, '4');
    EXPECT_EQ(1, CurrentGroupIndex());
    HandleShortcutKey(window_, '0');
    EXPECT_EQ(1, CurrentGroupIndex());
    // Keypad digits are ordinary keys.
    HandleShortcutKey(window_, VK_NUMPAD1);
    EXPECT_EQ(1, CurrentGroupIndex());
    {
        HeldKey shift(VK_SHIFT);
        HandleShortcutKey(window_, '3');
    }
    EXPECT_EQ(1, CurrentGroupIndex());
}

TEST_F(BarWindowTest, ShiftDigitNeverReachesTheShortcuts)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(0, "Recorder", program);
    *GetShortcutEntry(0, 0) = ShortcutEntry{0, '3', 1, 0};
    {
        HeldKey shift(VK_SHIFT);
        HandleShortcutKey(window_, '3');
    }
    // The recorder of another matching key proves the key handling ran.
    *GetShortcutEntry(0, 0) = ShortcutEntry{0, 'Z', 0, 0};
    HandleShortcutKey(window_, 'Z');
    std::string commandLine;
    ASSERT_TRUE(WaitForRecord(program, &commandLine, nullptr));
    EXPECT_FALSE(EndsWith(commandLine, "3"));
}

TEST_F(BarWindowTest, EveryMatchingShortcutStartsInAnyGroupWithExactModifiers)
{
    const std::string first = InstallRecorder(folder_, "first\\rec.exe");
    const std::string second = InstallRecorder(folder_, "second\\rec.exe");
    const std::string other = InstallRecorder(folder_, "other\\rec.exe");
    FillButtonAt(1, 2, "first", first);
    FillButtonAt(4, 0, "second", second);
    FillButtonAt(0, 5, "other", other);
    *GetShortcutEntry(1, 2) = ShortcutEntry{12, 'K', 2, 1};
    *GetShortcutEntry(4, 0) = ShortcutEntry{40, 'K', 2, 0};
    *GetShortcutEntry(0, 5) = ShortcutEntry{5, 'K', 3, 0};  // CTRL+SHIFT: no match
    {
        HeldKey control(VK_CONTROL);
        HandleShortcutKey(window_, 'K');
    }
    EXPECT_TRUE(WaitForRecord(first, nullptr, nullptr));
    EXPECT_TRUE(WaitForRecord(second, nullptr, nullptr));
    EXPECT_FALSE(FileExists(ReceivedPath(other)));
    EXPECT_EQ(0, CurrentGroupIndex()) << "no group switch";
    EXPECT_TRUE(Expanded());
}

TEST_F(BarWindowTest, MatchesStartLowerGroupFirst)
{
    const std::string second = InstallRecorder(folder_, "second\\rec.exe");
    FillButtonAt(1, 2, "first", folder_.File("missing.exe"));
    FillButtonAt(4, 0, "second", second);
    *GetShortcutEntry(1, 2) = ShortcutEntry{12, VK_F5, 0, 0};
    *GetShortcutEntry(4, 0) = ShortcutEntry{40, VK_F5, 0, 0};
    bool laterStartedBeforeMessage = true;
    std::string text;
    DialogProbe probe(kNotice, [&](HWND dialog) {
        text = ItemText(dialog, 0xFFFF);
        laterStartedBeforeMessage = FileExists(ReceivedPath(second));
    }, IDOK);
    HandleShortcutKey(window_, VK_F5);
    probe.Join();
    EXPECT_EQ("起動に失敗したのら！！", text);
    EXPECT_FALSE(laterStartedBeforeMessage) << "group 1 is tried before group 4";
    EXPECT_TRUE(WaitForRecord(second, nullptr, nullptr));
}

class DropTest : public BarWindowTest {
protected:
    void Drop(const std::string& file, int controlId)
    {
        SendMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(file, ControlCentre(window_, controlId))), 0);
    }
};

TEST_F(DropTest, FileOnAFilledButtonArrivesQuotedAsTheOnlyParameter)
{
    const std::string program = InstallRecorder(folder_, "apps\\rec.exe");
    FillButton(5, "Recorder", program, "--own-options", folder_.Path());
    // An item the system has an icon for (a program), with blanks in its path.
    CreateDirectoryA(folder_.File("some folder").c_str(), nullptr);
    const std::string dropped = folder_.File("some folder\\my tool.exe");
    ASSERT_TRUE(CopyFileA(ProgramCopy().c_str(), dropped.c_str(), FALSE));
    SetCollapseOnLaunch(true);
    Drop(dropped, IDC_FIRST_LAUNCHER + 5);
    std::string commandLine;
    ASSERT_TRUE(WaitForRecord(program, &commandLine, nullptr));
    EXPECT_TRUE(EndsWith(commandLine, " \"" + dropped + "\"")) << commandLine;
    EXPECT_EQ(std::string::npos, commandLine.find("--own-options"));
    EXPECT_FALSE(Expanded());
    EXPECT_STREQ("--own-options", CurrentButton(5)->params) << "nothing is stored";
}

TEST_F(DropTest, DropOnAnArrowOrTheBackgroundIsRefused)
{
    const std::string dropped = folder_.File("a.txt");
    ASSERT_TRUE(WriteFileBytes(dropped, "x"));
    for (int id : {IDC_PREVIOUS_GROUP, IDC_NEXT_GROUP}) {
        DialogAnswerer answer(kNotice, IDOK);
        Drop(dropped, id);
        answer.Join();
        EXPECT_EQ("ここには、登録できないろ！", answer.Text()) << id;
    }
}

TEST_F(DropTest, MissingItemOnAButtonIsIgnored)
{
    Drop(folder_.File("not here.txt"), IDC_FIRST_LAUNCHER);
    EXPECT_EQ(nullptr, FindProcessDialog(kButtonDialog));
    EXPECT_STREQ("", CurrentButton(0)->file);
}

TEST_F(DropTest, FileOnAnEmptyButtonOpensTheSettingsWithThePreset)
{
    const std::string tools = folder_.File("Tools");
    CreateDirectoryA(tools.c_str(), nullptr);
    const std::string editor = tools + "\\editor.exe";
    ASSERT_TRUE(CopyFileA(ProgramCopy().c_str(), editor.c_str(), FALSE));
    std::string title, file, work;
    DialogProbe probe(kButtonDialog, [&](HWND dialog) {
        title = ItemText(dialog, IDC_BUTTON_TITLE);
        file = ItemText(dialog, IDC_BUTTON_FILE);
        work = ItemText(dialog, IDC_BUTTON_WORK_DIR);
    }, IDCANCEL);
    Drop(editor, IDC_FIRST_LAUNCHER + 2);
    probe.Join();
    EXPECT_EQ("editor", title);
    EXPECT_EQ(editor, file);
    EXPECT_EQ(tools, work);
    EXPECT_STREQ("", CurrentButton(2)->file) << "nothing stored on cancel";
    EXPECT_STREQ("", GetDialogRequest().presetPath);
}

TEST_F(DropTest, OrdinaryFileOnTheGroupButtonIsProposedAsTheGroupIcon)
{
    const std::string tools = folder_.File("Tools");
    CreateDirectoryA(tools.c_str(), nullptr);
    const std::string editor = tools + "\\editor.exe";
    ASSERT_TRUE(CopyFileA(ProgramCopy().c_str(), editor.c_str(), FALSE));
    std::string iconFile;
    DialogProbe probe("基本設定", [&](HWND dialog) { iconFile = ItemText(dialog, IDC_GROUP_ICON_FILE); }, IDC_GROUP_CANCEL);
    Drop(editor, IDC_GROUP_BUTTON);
    probe.Join();
    ASSERT_TRUE(probe.Found());
    EXPECT_EQ(editor, iconFile);
}

}  // namespace
