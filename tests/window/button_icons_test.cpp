// Which icon each bar control shows, group switching and clearing a button.
#include "bar/button_bar.h"
#include "app/commands.h"
#include "bar/button_icons.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "resources/resource_ids.h"
#include "window/bar_fixture.h"

#include <cstring>

namespace {

const int kGroupIcons[kGroupCount] = {IDI_FACE,    IDI_GROUP_2, IDI_GROUP_3, IDI_GROUP_4, IDI_GROUP_5,
                                      IDI_GROUP_6, IDI_GROUP_7, IDI_GROUP_8, IDI_GROUP_9, IDI_GROUP_10};

std::vector<DWORD> NotFound()
{
    return ResourcePixels(IDI_NOT_FOUND);
}

std::vector<DWORD> Empty()
{
    return ResourcePixels(IDI_EMPTY_BUTTON);
}

TEST_F(BarWindowTest, IconSourceRule)
{
    const std::string document = folder_.File("notes.txt");
    ASSERT_TRUE(WriteFileBytes(document, "hello"));
    const std::string folder = folder_.Path();
    const std::string program = ProgramCopy();

    FillButton(0, "empty", "");
    FillButton(1, "program", program);
    FillButton(2, "program icon 3", program, "", "", "", 3);
    FillButton(3, "document", document);
    FillButton(4, "document with program icon", document, "", "", program, 2);
    FillButton(5, "missing", folder_.File("gone.exe"));
    FillButton(6, "missing with icon", folder_.File("gone.exe"), "", "", program, 2);
    FillButton(7, "icon only", "", "", "", program, 4);
    FillButton(8, "folder", folder, "", "", program, 1);
    FillButton(9, "missing icon file", program, "", "", folder_.File("none.ico"), 1);
    ASSERT_TRUE(ShowGroup(window_, 0));

    EXPECT_EQ(Empty(), ControlPixels(window_, IDC_FIRST_LAUNCHER));
    EXPECT_EQ(FileIconPixels(program, 0), ControlPixels(window_, IDC_FIRST_LAUNCHER + 1));
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), ControlPixels(window_, IDC_FIRST_LAUNCHER + 1)) << "a program shows its own first icon";
    EXPECT_EQ(FileIconPixels(program, 3), ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ(ResourcePixels(IDI_GROUP_3), ControlPixels(window_, IDC_FIRST_LAUNCHER + 2)) << "icon 3 counted from 0 after the program icon";
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER + 3)) << "a document's icon comes from another file";
    EXPECT_EQ(ResourcePixels(IDI_GROUP_2), ControlPixels(window_, IDC_FIRST_LAUNCHER + 4));
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER + 5));
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER + 6)) << "a missing file wins over its icon file";
    EXPECT_EQ(ResourcePixels(IDI_GROUP_4), ControlPixels(window_, IDC_FIRST_LAUNCHER + 7)) << "an empty button with an icon file";
    EXPECT_EQ(ResourcePixels(IDI_FACE), ControlPixels(window_, IDC_FIRST_LAUNCHER + 8)) << "a folder counts as found";
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER + 9));
}

// A copy of source at a path of exactly length characters inside folder,
// made through the wide API, which knows no MAX_PATH.
std::string CopyAtPathLength(const std::string& folder, const std::string& source, size_t length)
{
    std::string path = folder;
    size_t remaining = length - path.size();
    for (; remaining > 105; remaining -= 100) {
        path += "\\" + std::string(99, 'd');
        CreateDirectoryW(LongForm(path).c_str(), nullptr);
    }
    path += "\\" + std::string(remaining - 5, 'p') + ".exe";
    CopyFileW(LongForm(source).c_str(), LongForm(path).c_str(), FALSE);
    return path;
}

struct PathLengthCase {
    size_t length;
    bool fits;
};

class StoredPathLengthTest : public BarWindowTest, public ::testing::WithParamInterface<PathLengthCase> {};

// The file is there, but a path the ANSI calls cannot take whole is shown,
// previewed and launched as a missing file.
TEST_P(StoredPathLengthTest, PathBeyondMaxPathCountsAsMissing)
{
    const PathLengthCase& c = GetParam();
    const std::string program = CopyAtPathLength(folder_.Path(), ProgramCopy(), c.length);
    ASSERT_EQ(c.length, program.size());
    lstrcpyA(CurrentGroupRecord()->iconFile, program.c_str());
    CurrentGroupRecord()->iconIndex = 2;
    FillButton(0, "file", program);
    FillButton(1, "icon file", "", "", "", program, 3);
    ASSERT_TRUE(ShowGroup(window_, 0));
    EXPECT_EQ(c.fits ? ResourcePixels(IDI_GROUP_2) : NotFound(), ControlPixels(window_, IDC_GROUP_BUTTON));
    EXPECT_EQ(c.fits ? ResourcePixels(IDI_PROGRAM) : NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER));
    EXPECT_EQ(c.fits ? ResourcePixels(IDI_GROUP_3) : NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER + 1));

    std::vector<DWORD> preview;
    DialogProbe probe("ボタンの設定", [&](HWND dialog) {
        preview = IconPixels(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0)));
    }, IDCANCEL);
    SetDialogRequest(0, 0, nullptr);
    ShowButtonSettingsDialog(window_);
    probe.Join();
    EXPECT_EQ(c.fits ? ResourcePixels(IDI_PROGRAM) : NotFound(), preview);
    if (c.fits)
        return;  // starting a program is the launch tests' part
    DialogAnswerer answer("ぽてまるのお知らせ", IDOK);
    Command(IDC_FIRST_LAUNCHER);
    answer.Join();
    EXPECT_EQ("起動に失敗したのら！！", answer.Text());
}

INSTANTIATE_TEST_SUITE_P(Lengths, StoredPathLengthTest,
                         ::testing::Values(PathLengthCase{259, true}, PathLengthCase{260, false},
                                           PathLengthCase{269, false}));

TEST_F(BarWindowTest, LoadButtonIconOnItsOwn)
{
    EXPECT_EQ(nullptr, LoadButtonIcon("", 0));
    EXPECT_EQ(nullptr, LoadButtonIcon(nullptr, 3));
    HICON icon = LoadButtonIcon(ProgramCopy().c_str(), 3);
    EXPECT_EQ(ResourcePixels(IDI_GROUP_3), IconPixels(icon));
    DestroyIcon(icon);
    // A file without icons at an index above 0: the not-found icon, never a bogus handle.
    const std::string document = folder_.File("plain.txt");
    ASSERT_TRUE(WriteFileBytes(document, "text"));
    icon = LoadButtonIcon(document.c_str(), 2);
    EXPECT_EQ(NotFound(), IconPixels(icon));
    DestroyIcon(icon);
    icon = LoadButtonIcon(ProgramCopy().c_str(), 400);
    EXPECT_EQ(NotFound(), IconPixels(icon));
    DestroyIcon(icon);
    // A negative index from a damaged file counts as 0: the file's own icon.
    for (int negative : {-1, -2, -105}) {
        icon = LoadButtonIcon(ProgramCopy().c_str(), negative);
        EXPECT_EQ(ResourcePixels(IDI_PROGRAM), IconPixels(icon)) << negative;
        DestroyIcon(icon);
    }
}

TEST_F(BarWindowTest, ButtonWhoseFileWasDeletedShowsNotFoundAfterTheNextSwitch)
{
    const std::string copy = folder_.File("tool.exe");
    ASSERT_TRUE(CopyFileA(ProgramCopy().c_str(), copy.c_str(), FALSE));
    FillButton(0, "tool", copy);
    ShowGroup(window_, 0);
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), ControlPixels(window_, IDC_FIRST_LAUNCHER));
    ASSERT_TRUE(DeleteFileA(copy.c_str()));
    EXPECT_EQ(ResourcePixels(IDI_PROGRAM), ControlPixels(window_, IDC_FIRST_LAUNCHER)) << "not at once";
    ShowGroup(window_, 0);
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_FIRST_LAUNCHER));
}

TEST_F(BarWindowTest, DefaultGroupIconsComeFromTheProgramFile)
{
    SetGroupCount(10);
    for (int g = 0; g < kGroupCount; ++g)
        EXPECT_EQ(ResourcePixels(kGroupIcons[g]), FileIconPixels(ProgramCopy(), g + 1)) << g;

    // The start group has been shown; groups 1 and 4 are visited, the others not.
    ASSERT_TRUE(ShowGroup(window_, 4));
    EXPECT_EQ(ResourcePixels(IDI_GROUP_5), ControlPixels(window_, IDC_GROUP_BUTTON));
    ASSERT_TRUE(ShowGroup(window_, 1));
    EXPECT_EQ(ResourcePixels(IDI_GROUP_2), ControlPixels(window_, IDC_GROUP_BUTTON));
    ASSERT_TRUE(SaveLauncherData(window_));

    const std::string data = ReadFileBytes(folder_.File("porun.dat"));
    ASSERT_EQ(141068u, data.size());
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupRecord& group = LauncherImage()->groups[g].group;
        const bool visited = g == 0 || g == 1 || g == 4;
        if (visited) {
            EXPECT_EQ(ProgramCopy(), group.iconFile) << g;
            EXPECT_EQ(g + 1, group.iconIndex) << g;
        } else {
            EXPECT_STREQ("", group.iconFile) << g;
        }
        const size_t offset = g * sizeof(GroupBlock);
        EXPECT_EQ(0, std::memcmp(data.data() + offset, &group, sizeof group)) << "saved group " << g;
    }
}

TEST_F(BarWindowTest, GroupIconFromItsOwnSource)
{
    GroupRecord& group = LauncherImage()->groups[2].group;
    lstrcpyA(group.iconFile, ProgramCopy().c_str());
    group.iconIndex = 9;
    ASSERT_TRUE(ShowGroup(window_, 2));
    EXPECT_EQ(ResourcePixels(IDI_GROUP_9), ControlPixels(window_, IDC_GROUP_BUTTON));
    lstrcpyA(group.iconFile, folder_.File("missing.ico").c_str());
    ASSERT_TRUE(ShowGroup(window_, 2));
    EXPECT_EQ(NotFound(), ControlPixels(window_, IDC_GROUP_BUTTON));
    EXPECT_EQ(folder_.File("missing.ico"), group.iconFile) << "a set icon file is kept";
}

TEST_F(BarWindowTest, ShowGroupOutsideTheGroupsChangesNothing)
{
    ShowGroup(window_, 3);
    const auto before = ControlPixels(window_, IDC_GROUP_BUTTON);
    EXPECT_FALSE(ShowGroup(window_, -1));
    EXPECT_FALSE(ShowGroup(window_, 10));
    EXPECT_EQ(3, CurrentGroupIndex());
    EXPECT_EQ(before, ControlPixels(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, ReplacingAnImageDestroysTheOldIcon)
{
    HICON old = reinterpret_cast<HICON>(SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER, BM_GETIMAGE, IMAGE_ICON, 0));
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(old, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    HICON fresh = LoadResourceIcon(IDI_NOT_FOUND);
    SetButtonImage(window_, IDC_FIRST_LAUNCHER, fresh);
    EXPECT_FALSE(GetIconInfo(old, &info));
    EXPECT_EQ(fresh, reinterpret_cast<HICON>(SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER, BM_GETIMAGE, IMAGE_ICON, 0)));
    SetButtonImage(window_, IDC_FIRST_LAUNCHER, nullptr);
    EXPECT_EQ(0, SendDlgItemMessageA(window_, IDC_FIRST_LAUNCHER, BM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_FALSE(GetIconInfo(fresh, &info));
}

struct StepCase {
    int groupCount;
    int current;
    bool forward;
    int expected;
};

class StepGroupTest : public BarWindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepGroupTest, WrapsWithinTheGroupsInUse)
{
    const StepCase& c = GetParam();
    SetGroupCount(c.groupCount);
    ASSERT_TRUE(ShowGroup(window_, c.current));
    Command(c.forward ? IDC_NEXT_GROUP : IDC_PREVIOUS_GROUP);
    EXPECT_EQ(c.expected, CurrentGroupIndex());
    EXPECT_EQ(ResourcePixels(kGroupIcons[c.expected]), ControlPixels(window_, IDC_GROUP_BUTTON));
}

INSTANTIATE_TEST_SUITE_P(Steps, StepGroupTest,
                         ::testing::Values(StepCase{3, 2, true, 0}, StepCase{3, 0, false, 2},
                                           StepCase{3, 1, true, 2}, StepCase{3, 1, false, 0},
                                           StepCase{1, 0, true, 0}, StepCase{1, 0, false, 0},
                                           StepCase{10, 9, true, 0}, StepCase{10, 0, false, 9},
                                           StepCase{3, 7, true, 0}, StepCase{3, 7, false, 0},
                                           StepCase{3, 3, false, 2}, StepCase{0, 0, false, 0}));

TEST_F(BarWindowTest, GroupMenuCommandsShowTheirGroup)
{
    Command(IDM_FIRST_GROUP + 7);
    EXPECT_EQ(7, CurrentGroupIndex());
    EXPECT_EQ(ResourcePixels(IDI_GROUP_8), ControlPixels(window_, IDC_GROUP_BUTTON));
}

TEST_F(BarWindowTest, CtrlClickOnTheGroupButtonStepsAndKeepsTheBarExpanded)
{
    SetGroupCount(2);
    {
        HeldKey ctrl(VK_CONTROL);
        SendDlgItemMessageA(window_, IDC_GROUP_BUTTON, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(1, CurrentGroupIndex());
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
}

class ClearButtonTest : public BarWindowTest {
protected:
    void Prepare(const char* title)
    {
        FillButton(2, title, ProgramCopy(), "-x", folder_.Path(), ProgramCopy(), 3);
        *GetShortcutEntry(0, 2) = ShortcutEntry{2, 'Q', 6, 1};
        ASSERT_TRUE(RegisterHotKey(window_, 2, MOD_CONTROL | MOD_ALT, 'Q'));
        ShowGroup(window_, 0);
    }
};

TEST_F(ClearButtonTest, YesEmptiesRecordImageShortcutAndTip)
{
    Prepare("Editor");
    EXPECT_EQ("Editor <CTRL+ALT+Q>", ToolText(window_, IDC_FIRST_LAUNCHER + 2));
    DialogAnswerer answer("ぽてまるの質問", IDYES);
    EXPECT_TRUE(ClearButton(window_, 2));
    answer.Join();
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("Editor の設定を削除しちゃうのら？", answer.Text());

    const ButtonRecord zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, CurrentButton(2), sizeof zero));
    EXPECT_EQ(ResourcePixels(IDI_EMPTY_BUTTON), ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    const ShortcutEntry* entry = GetShortcutEntry(0, 2);
    EXPECT_EQ(0, entry->id);
    EXPECT_EQ(0, entry->key);
    EXPECT_EQ(0, entry->flag);
    EXPECT_EQ(0, entry->usesystemshortcut);
    EXPECT_EQ("", ToolText(window_, IDC_FIRST_LAUNCHER + 2));
    // The system hotkey was given back at once.
    EXPECT_TRUE(RegisterHotKey(window_, 2, MOD_CONTROL | MOD_ALT, 'Q'));
    UnregisterHotKey(window_, 2);
}

TEST_F(ClearButtonTest, NoLeavesEverything)
{
    Prepare("");
    const ButtonRecord before = *CurrentButton(2);
    const auto image = ControlPixels(window_, IDC_FIRST_LAUNCHER + 2);
    DialogAnswerer answer("ぽてまるの質問", IDNO);
    EXPECT_FALSE(ClearButton(window_, 2));
    answer.Join();
    EXPECT_EQ(" の設定を削除しちゃうのら？", answer.Text());
    EXPECT_EQ(0, std::memcmp(&before, CurrentButton(2), sizeof before));
    EXPECT_EQ(image, ControlPixels(window_, IDC_FIRST_LAUNCHER + 2));
    EXPECT_EQ('Q', GetShortcutEntry(0, 2)->key);
    EXPECT_EQ(1, GetShortcutEntry(0, 2)->usesystemshortcut);
    EXPECT_FALSE(RegisterHotKey(window_, 2, MOD_CONTROL | MOD_ALT, 'Q')) << "still registered";
    UnregisterHotKey(window_, 2);
}

TEST_F(ClearButtonTest, InvalidIndexAsksNothing)
{
    EXPECT_FALSE(ClearButton(window_, -1));
    EXPECT_FALSE(ClearButton(window_, 10));
    EXPECT_EQ(nullptr, FindProcessDialog("ぽてまるの質問"));
}

TEST_F(ClearButtonTest, DeleteCommandClearsTheSelectedButton)
{
    Prepare("Editor");
    SetSelectedButton(2);
    DialogAnswerer answer("ぽてまるの質問", IDYES);
    Command(IDM_CLEAR_BUTTON);
    answer.Join();
    EXPECT_STREQ("", CurrentButton(2)->file);
}

}  // namespace
