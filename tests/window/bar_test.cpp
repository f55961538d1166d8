// Clicks, keys, drops and drags on the bar, and what the user sees after them.
#include "window/window_test.h"

#include "app/main_window.h"
#include "shortcuts/key_names.h"

#include <cstdlib>
#include <cstring>
#include <map>

using namespace window_test;

namespace {

class Bar : public Window {};

// Recorders 0 to 6 by (group, button) below; missing files on 1-2 and 2-4; F12 starts the witness that all was done.
class BarWithRecorders : public Window {
protected:
    void Arrange(bool collapseOnLaunch = true)
    {
        const int slots[][2] = {{0, 0}, {0, 9}, {1, 2}, {4, 0}, {0, 5}, {0, 2}, {2, 1}};
        for (int r = 0; r < 7; ++r) {
            recorders_.push_back(std::make_unique<Recorder>(folder_, L"r" + std::to_wstring(r) + L"\\rec.exe", true));
            data_.Button(slots[r][0], slots[r][1], r == 4 ? L"" : L"rec", recorders_[r]->Path());
        }
        data_.Button(0, 0, L"Recorder", L"%PORUN_DIR%\\r0\\rec.exe", L"-a \"two words\"", L"%PORUN_DIR%\\work place");
        data_.Button(0, 1, L"Gone", folder_.File(L"gone.exe")).Button(1, 3, L"gone", folder_.File(L"gone.exe"));
        data_.settings.groupCount = 5;
        data_.settings.collapseOnLaunch = collapseOnLaunch;
        shortcuts_ = ShortcutLines(1, 2, 'K', kCtrl, kPlainKey) + ShortcutLines(4, 0, 'K', kCtrl, kPlainKey) +
                     ShortcutLines(1, 3, 'K', kCtrl, kPlainKey) + ShortcutLines(0, 5, 'K', kShift | kCtrl, kPlainKey) +
                     ShortcutLines(0, 0, '3', kShift, kPlainKey) +
                     ShortcutLines(2, 1, VK_F12, kNoModifiers, kPlainKey) + ActiveLines(0, kNoModifiers);
        Open();
        EXPECT_EQ(Shows(B(2)), Shows(B(0))) << "the recorder's icon: found through %PORUN_DIR%";
        GetWindowRect(window_, &before_);
    }
    // Once the witness started: which of recorders 0 to 5 started; the bar has not moved.
    void ExpectStarted(const std::vector<int>& started)
    {
        RECT after = {};
        GetWindowRect(window_, &after);
        EXPECT_EQ(before_.left, after.left);
        EXPECT_EQ(before_.top, after.top);
        PumpPending();
        Key(VK_F12);
        ASSERT_TRUE(recorders_[6]->Started());
        for (int r = 0; r < 6; ++r) {
            const bool expected = std::find(started.begin(), started.end(), r) != started.end();
            EXPECT_EQ(expected, expected ? recorders_[r]->Started() : recorders_[r]->StartedYet()) << r;
        }
    }
    bool Unfolded() const { return IsDlgButtonChecked(window_, IDC_GROUP_BUTTON) == BST_CHECKED; }

    std::vector<std::unique_ptr<Recorder>> recorders_;
    RECT before_ = {};
};

struct ClickRow {
    const char* name;
    int control;
    std::vector<BYTE> held;
    const wchar_t* dialog;     // what opens (caption part), none when null
    int press;                 // its button
    const wchar_t* seen;       // its caption ("" unchecked)
    std::vector<int> started;  // of the recorders
    bool expanded;             // afterwards
    int group;                 // shown afterwards
    bool collapse = true;      // collapse on launch
    int clicks = 1;
};
class ClickOnTheBar : public BarWithRecorders, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(ClickOnTheBar, ShowsAndStartsWhatItMeans)
{
    const ClickRow& row = GetParam();
    Arrange(row.collapse);
    {
        const auto dialog = Expect(row.dialog, row.press);
        const HeldKeys keys(row.held);
        for (int click = 0; click < row.clicks; ++click)
            Click(row.control);
        EXPECT_TRUE(!dialog || dialog->Seen());
        EXPECT_EQ(0u, (dialog ? dialog->Caption() : L"").find(row.seen));
    }
    EXPECT_EQ(row.expanded, Expanded());
    EXPECT_EQ(row.expanded, Unfolded());
    EXPECT_EQ(GroupPicture(row.group), Shows(IDC_GROUP_BUTTON));
    ExpectStarted(row.started);
}

constexpr int kGroup = IDC_GROUP_BUTTON;
constexpr wchar_t kAboutBox[] = L"バージョン情報";
constexpr wchar_t kTenth[] = L"=(o.o)= 第10ボタンの設定、なのら。";
constexpr wchar_t kSeventh[] = L"=(o.o)= 第 7ボタンの設定、なのら。";
// clang-format off
const ClickRow kClicks[] = {
    {.name = "GroupButtonFoldsTheBar", .control = kGroup, .held = {}, .dialog = nullptr, .press = 0, .seen = L"",
     .started = {}, .expanded = false, .group = 0},
    {.name = "GroupButtonAgainUnfoldsIt", .control = kGroup, .held = {}, .dialog = nullptr, .press = 0, .seen = L"",
     .started = {}, .expanded = true, .group = 0, .clicks = 2},
    {.name = "CtrlGroupButtonStepsAndStaysUnfolded", .control = kGroup, .held = {VK_CONTROL}, .dialog = nullptr,
     .press = 0, .seen = L"", .started = {}, .expanded = true, .group = 1},
    {.name = "LeftShiftGroupButtonOpensTheGroupSettings", .control = kGroup, .held = {VK_LSHIFT},
     .dialog = kGroupDialog, .press = IDC_GROUP_CANCEL, .seen = L"", .started = {}, .expanded = true, .group = 0},
    {.name = "EscGroupButtonShowsTheAboutBox", .control = kGroup, .held = {VK_ESCAPE}, .dialog = kAboutBox,
     .press = IDOK, .seen = L"", .started = {}, .expanded = true, .group = 0},
    {.name = "ClickStartsAndFolds", .control = B(0), .held = {}, .dialog = nullptr, .press = 0, .seen = L"",
     .started = {0}, .expanded = false, .group = 0},
    {.name = "ClickWithoutCollapseStaysUnfolded", .control = B(0), .held = {}, .dialog = nullptr, .press = 0,
     .seen = L"", .started = {0}, .expanded = true, .group = 0, .collapse = false},
    {.name = "ShiftEscOpensTheSettingsAndStartsNothing", .control = B(9), .held = {VK_SHIFT, VK_ESCAPE},
     .dialog = kButtonDialog, .press = IDCANCEL, .seen = kTenth, .started = {},
     .expanded = true, .group = 0},
    {.name = "EscOnAnEmptyButtonOpensItsSettings", .control = B(6), .held = {VK_ESCAPE}, .dialog = kButtonDialog,
     .press = IDCANCEL, .seen = kSeventh, .started = {}, .expanded = true, .group = 0},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, ClickOnTheBar, ::testing::ValuesIn(kClicks), RowName);

struct KeyRow {
    const char* name;
    BYTE key;
    std::vector<BYTE> held;
    std::vector<int> started;  // of the recorders
    int group;                 // shown afterwards
    int on = kWindowItself;    // the control the key goes to
};
class KeyOnTheBar : public BarWithRecorders, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyOnTheBar, ShowsAndStartsWhatItMeans)
{
    Arrange();
    {
        const HeldKeys keys(GetParam().held);
        Key(GetParam().key, GetParam().on);
    }
    EXPECT_EQ(GroupPicture(GetParam().group), Shows(IDC_GROUP_BUTTON));
    ExpectStarted(GetParam().started);
}

// clang-format off
const KeyRow kKeys[] = {
    {.name = "CtrlDigitClicksThatButtonOfTheShownGroup", .key = '3', .held = {VK_CONTROL}, .started = {5}, .group = 0},
    {.name = "CtrlZeroClicksTheTenth", .key = '0', .held = {VK_CONTROL}, .started = {1}, .group = 0},
    {.name = "CtrlShiftKStartsOnlyItsOwn", .key = 'K', .held = {VK_CONTROL, VK_SHIFT}, .started = {4}, .group = 0},
    {.name = "ShiftDigitNeverReachesTheShortcutsNorTheGroups", .key = '3', .held = {VK_SHIFT}, .started = {},
     .group = 0},
    {.name = "DigitThreeShowsTheThirdGroup", .key = '3', .held = {}, .started = {}, .group = 2},
    {.name = "DigitOnALauncherButtonToo", .key = '3', .held = {}, .started = {}, .group = 2, .on = B(9)},
    {.name = "DigitOfAGroupNotInUseDoesNothing", .key = '7', .held = {}, .started = {}, .group = 0},
    {.name = "NumberPadDigitIsNoGroupKey", .key = VK_NUMPAD2, .held = {}, .started = {}, .group = 0},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, KeyOnTheBar, ::testing::ValuesIn(kKeys), RowName);

// Group 5's CTRL+K starts before group 2's missing file is told; the message names the path tried and why.
TEST_F(BarWithRecorders, CtrlKStartsEveryGroupsCtrlKButtonInOrderAndAFailureIsToldFirst)
{
    Arrange();
    bool laterFirst = false;
    {
        DialogWaiter notice(kNotice, IDOK, [&](HWND) { laterFirst = recorders_[3]->StartedYet(); });
        const HeldKeys keys({VK_CONTROL});
        Key('K');
        EXPECT_TRUE(notice.Seen());
    }
    EXPECT_FALSE(laterFirst);
    ExpectStarted({2, 3});
}

TEST_F(BarWithRecorders, AMissingFileIsToldWithThePathTriedAndTheBarStays)
{
    Arrange();
    DialogWaiter notice(kNotice, IDOK);
    Click(B(1));
    const std::wstring told = notice.Message();
    EXPECT_EQ(0u, told.find(String(IDS_MSG_LAUNCH_FAILED))) << Utf8(told);
    EXPECT_NE(std::wstring::npos, told.find(folder_.File(L"gone.exe"))) << Utf8(told);
    EXPECT_TRUE(Expanded());
    ExpectStarted({});
}

TEST_F(BarWithRecorders, AClickStartsTheFileWithItsOptionsInItsFolder)
{
    const std::wstring work = folder_.Folder(L"work place");
    Arrange();
    Click(B(0));
    ASSERT_TRUE(recorders_[0]->Started());
    const Received got = recorders_[0]->Got();
    EXPECT_NE(std::wstring::npos, got.commandLine.find(L" -a \"two words\"")) << Utf8(got.commandLine);
    EXPECT_EQ(work, got.folder);
}

// ESC+click asks; yes clears the button's picture and record, no keeps them.
struct ClearRow {
    const char* name;
    int control;
    const wchar_t* question;  // its text
    int answer;
    bool kept;
};
class ClearOnTheBar : public BarWithRecorders, public ::testing::WithParamInterface<ClearRow> {};

TEST_P(ClearOnTheBar, AsksFirst)
{
    Arrange();
    {
        DialogWaiter question(kQuestion, GetParam().answer);
        const HeldKeys keys({VK_ESCAPE});
        Click(GetParam().control);
        EXPECT_EQ(GetParam().question, question.Message());
    }
    EXPECT_EQ(GetParam().kept, Shows(GetParam().control) != Resource(IDI_EMPTY_BUTTON));
    ExpectStarted({});
    Close();
    EXPECT_EQ(GetParam().kept, !Saved()->File(0, GetParam().control - B(0)).empty());
}

// clang-format off
const ClearRow kClears[] = {
    {.name = "YesClears", .control = B(0), .question = L"Recorder の設定を削除しちゃうのら？",
     .answer = IDYES, .kept = false},
    {.name = "NoOnAnUntitledButtonKeeps", .control = B(5), .question = L" の設定を削除しちゃうのら？",
     .answer = IDNO, .kept = true},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, ClearOnTheBar, ::testing::ValuesIn(kClears), RowName);

struct StepRow {
    const char* name;
    int groupCount;
    int shown;     // before the step
    int control;   // the arrow clicked
    int expected;  // shown afterwards
};
class GroupSteps : public Table<StepRow> {};

TEST_P(GroupSteps, ShowTheGroupByItsPicture)
{
    data_.settings.groupCount = row().groupCount;
    data_.settings.lastGroup = row().shown;
    data_.settings.startWithLastGroup = 1;
    Open();
    Click(row().control);
    EXPECT_EQ(GroupPicture(row().expected), Shows(IDC_GROUP_BUTTON));
}

constexpr int kNext = IDC_NEXT_GROUP;
constexpr int kPrevious = IDC_PREVIOUS_GROUP;
// clang-format off
const StepRow kSteps[] = {
    {.name = "NextFromTheLastOfThreeWrapsToTheFirst", .groupCount = 3, .shown = 2, .control = kNext, .expected = 0},
    {.name = "PreviousFromTheFirstWrapsToTheLast", .groupCount = 3, .shown = 0, .control = kPrevious, .expected = 2},
    {.name = "NextWithOneGroupStays", .groupCount = 1, .shown = 0, .control = kNext, .expected = 0},
    {.name = "PreviousFromJustBeyondTheGroupsInUse", .groupCount = 3, .shown = 3, .control = kPrevious,
     .expected = 2},
    {.name = "ARememberedGroupBeyondTheTenStartsOnTheFirst", .groupCount = 10, .shown = 12, .control = kNext,
     .expected = 1},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, GroupSteps, ::testing::ValuesIn(kSteps), RowName);

// The group shown stays until the next step.
TEST_F(Bar, LoweringTheGroupCountKeepsTheShownGroupUntilTheNextStep)
{
    data_.settings.groupCount = 10;
    data_.settings.lastGroup = 5;
    data_.settings.startWithLastGroup = 1;
    Open();
    {
        DialogWaiter settings(kGroupDialog, IDOK, [&](HWND d) { SetDlgItemInt(d, IDC_GROUP_COUNT, 3, 0); });
        RightClick(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS);
    }
    EXPECT_EQ(GroupPicture(5), Shows(IDC_GROUP_BUTTON));
    Click(IDC_NEXT_GROUP);
    EXPECT_EQ(GroupPicture(0), Shows(IDC_GROUP_BUTTON));
}

std::vector<std::wstring> Arguments(const std::wstring& commandLine)  // as a program's C runtime splits it
{
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(commandLine.c_str(), &count);
    const std::vector<std::wstring> arguments(split, split + count);
    LocalFree(split);
    return arguments;
}

// Button 6 starts the recorder with options of its own; nothing is stored until the user confirms.
class DropOnTheBar : public Window {
protected:
    // A copy of the recorder dropped on control once the window is open.
    void OpenAndDrop(const std::wstring& dropped, int control, const std::wstring& copied = L"")
    {
        data_.Button(0, 5, L"Recorder", target_.Path(), L"--own-options", folder_.Path());
        ASSERT_TRUE(copied.empty() || !CopyInto(target_.Path(), folder_, copied).empty());
        Open();
        Drop({dropped}, control);
    }
    // The fields of the settings the drop opens, cancelled; a group's icon file is its second.
    std::vector<std::wstring> Proposed(const wchar_t* caption, int cancel, const std::wstring& dropped, int control,
                                       const std::wstring& copied)
    {
        std::vector<std::wstring> fields;
        DialogWaiter dialog(caption, cancel, [&](HWND d) {
            for (int id : {IDC_BUTTON_TITLE, IDC_BUTTON_FILE, IDC_BUTTON_WORK_DIR, IDC_BUTTON_PARAMS})
                fields.push_back(Text(d, id));
        });
        OpenAndDrop(dropped, control, copied);
        EXPECT_TRUE(dialog.Seen());
        return fields;
    }
    // The recorder started with the dropped item as its only parameter; the bar folded.
    void ExpectStartedWith(const std::wstring& dropped)
    {
        ASSERT_TRUE(target_.Started());
        const std::wstring commandLine = target_.Got().commandLine;
        const std::vector<std::wstring> arguments = Arguments(commandLine);
        ASSERT_EQ(2u, arguments.size()) << Utf8(commandLine);
        EXPECT_EQ(dropped, arguments[1]) << Utf8(commandLine);
        EXPECT_FALSE(Expanded());
    }
    void TearDown() override
    {
        EXPECT_EQ(data_.Bytes(), ReadBytes(folder_.File(L"porun.dat"))) << "nothing stored";
        Window::TearDown();
    }

    Recorder target_{folder_, L"target\\rec.exe", true};
};

struct ProposedRow {
    const char* name;
    const wchar_t* dropped;  // a copy of the recorder, relative to the program's folder
    const wchar_t* title;    // proposed
    const wchar_t* folder;   // proposed, relative to the program's folder
};
class DropOnAnEmptyButton : public DropOnTheBar, public ::testing::WithParamInterface<ProposedRow> {};

TEST_P(DropOnAnEmptyButton, ProposesTheTitleAndFolder)
{
    const std::wstring dropped = folder_.File(GetParam().dropped);
    const std::vector<std::wstring> fields = Proposed(kButtonDialog, IDCANCEL, dropped, B(0), GetParam().dropped);
    EXPECT_EQ((std::vector<std::wstring>{GetParam().title, dropped, folder_.File(GetParam().folder), L""}), fields);
}

// clang-format off
const ProposedRow kProposed[] = {
    {.name = "OnlyTheLastExtensionIsLeftOut", .dropped = L"表\\予定.表.exe", .title = L"予定.表",
     .folder = L"表"},
    {.name = "ANameStartingWithADotIsKept", .dropped = L"x\\.profile", .title = L".profile", .folder = L"x"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, DropOnAnEmptyButton, ::testing::ValuesIn(kProposed), RowName);

TEST_F(DropOnTheBar, AFileOnTheGroupButtonIsOfferedAsItsIcon)
{
    const std::wstring dropped = folder_.File(L"Tools\\editor.exe");
    const auto fields = Proposed(kGroupDialog, IDC_GROUP_CANCEL, dropped, IDC_GROUP_BUTTON, L"Tools\\editor.exe");
    EXPECT_EQ(dropped, fields.at(1));
}

TEST_F(DropOnTheBar, ABrokenLinkOnTheGroupButtonIsToldAndTheDefaultIconOffered)
{
    DialogWaiter box(L"ぽてまる", IDOK);
    const std::wstring dropped = folder_.File(L"broken.lnk");
    const auto fields = Proposed(kGroupDialog, IDC_GROUP_CANCEL, dropped, IDC_GROUP_BUTTON, L"broken.lnk");
    EXPECT_EQ(L"そのショートカットには、リンクできないのら！", box.Message());
    EXPECT_EQ(program_, fields.at(1));
}

TEST_F(DropOnTheBar, OnAnArrowIsRefused)
{
    DialogWaiter box(L"ぽてまる", IDOK);
    OpenAndDrop(folder_.File(L"a.exe"), IDC_PREVIOUS_GROUP, L"a.exe");
    EXPECT_EQ(L"ここには、登録できないろ！", box.Message());
}

TEST_F(DropOnTheBar, AVanishedItemIsIgnored)
{
    OpenAndDrop(folder_.File(L"gone.txt"), B(0));
    EXPECT_TRUE(Idle(window_));
}

TEST_F(DropOnTheBar, OnAFilledButtonItStartsItAsItsOnlyParameter)
{
    const std::wstring dropped = folder_.File(L"some folder\\my tool.exe");
    OpenAndDrop(dropped, B(5), L"some folder\\my tool.exe");
    ExpectStartedWith(dropped);
}

TEST_F(DropOnTheBar, ADriveRootReachesTheProgramWhole)
{
    OpenAndDrop(L"C:\\", B(5));
    ExpectStartedWith(L"C:\\");
}

// The key shortcut.dat holds for button of group 1; 0 when it holds none.
int StoredKey(const std::string& keys, int button)
{
    const std::string head = "ShortCut.00:00" + std::to_string(button) + ".key,";
    const size_t at = keys.find(head);
    return at == std::string::npos ? 0 : std::atoi(keys.c_str() + at + head.size());
}

// A button as the drag leaves it: its title ("" empty), its tip, and the key its shortcut lines hold (0: none).
struct ButtonAfter {
    std::wstring title;
    std::wstring tip;
    int key = 0;
};
struct DragRow {
    const char* name;
    std::vector<DragStep> steps;  // from button 3
    bool shift;
    int answer;              // to the overwrite question
    ButtonAfter buttons[3];  // 3, 6 and 8 afterwards
    bool saved;
};
class DragOnTheBar : public Table<DragRow> {};

// Button 3 "Two" (icon 2, CTRL+A), button 6 "Five" (icon 6, ALT+B system-wide); group 2 button 8 "Seven".
TEST_P(DragOnTheBar, MovesCopiesOrLeavesTheButtons)
{
    const std::wstring program = folder_.File(L"porun.exe");
    data_.settings.groupCount = 3;
    data_.Button(0, 2, L"Two", program, L"", L"", program, 2).Button(0, 5, L"Five", program, L"", L"", program, 6);
    data_.Button(1, 7, L"Seven", program, L"", L"", program, 4);
    shortcuts_ = ShortcutLines(0, 2, 'A', kCtrl, kPlainKey) + ShortcutLines(0, 5, 'B', kAlt, kSystemHotkey) +
                 ActiveLines(0, kNoModifiers);
    OpenInFront();
    const auto question = Expect(kQuestion, row().answer);
    row().shift ? Drag(B(2), row().steps, {VK_SHIFT}) : Drag(B(2), row().steps);
    EXPECT_TRUE(!question || question->Seen());
    const std::optional<DataImage> saved = Saved();
    const std::string keys = ReadBytes(folder_.File(L"shortcut.dat"));  // what a kill now would leave
    ASSERT_TRUE(saved);
    EXPECT_EQ(row().saved, saved->Bytes() != data_.Bytes());
    const std::map<std::wstring, Picture> pictures = {{L"", Resource(IDI_EMPTY_BUTTON)},
                                                      {L"Two", Picture::OfFileIcon(program, 2)},
                                                      {L"Five", Picture::OfFileIcon(program, 6)}};
    const int shown[] = {2, 5, 7};
    for (int k = 0; k < 3; ++k) {
        const ButtonAfter& after = row().buttons[k];
        EXPECT_EQ(pictures.at(after.title), Shows(B(shown[k]))) << k;
        EXPECT_EQ(after.tip, Tip(B(shown[k]))) << k;
        EXPECT_EQ(after.title, saved->Title(0, shown[k])) << k;
        EXPECT_EQ(after.key, StoredKey(keys, shown[k])) << k;
    }
    EXPECT_EQ(L"Seven", saved->Title(1, 7));
}

const ButtonAfter kTwo = {.title = L"Two", .tip = L"Two (CTRL+A)", .key = 'A'};
const ButtonAfter kFive = {.title = L"Five", .tip = L"Five <ALT+B>", .key = 'B'};
const ButtonAfter kEmpty = {.title = L"", .tip = L""};
// clang-format off
const DragRow kDrags[] = {
    {.name = "OntoAnotherButtonSwapsThemWithTheirShortcuts", .steps = {{B(5)}}, .shift = false, .answer = kNoneComes,
     .buttons = {kFive, kTwo, kEmpty}, .saved = true},
    {.name = "ReleasedOverAnArrowMovesNothing", .steps = {{B(5)}, {IDC_PREVIOUS_GROUP}}, .shift = false,
     .answer = kNoneComes, .buttons = {kTwo, kFive, kEmpty}, .saved = false},
    {.name = "ShiftOntoAFilledButtonAnsweredYesCopies", .steps = {{B(5)}}, .shift = true, .answer = IDYES,
     .buttons = {kTwo, {.title = L"Two", .tip = L"Two <ALT+B>", .key = 'B'}, kEmpty}, .saved = true},
    {.name = "ShiftOntoAFilledButtonAnsweredNoSwaps", .steps = {{B(5)}}, .shift = true, .answer = IDNO,
     .buttons = {kFive, kTwo, kEmpty}, .saved = true},
    {.name = "ShiftOntoAFilledButtonCancelledLeavesAll", .steps = {{B(5)}}, .shift = true, .answer = IDCANCEL,
     .buttons = {kTwo, kFive, kEmpty}, .saved = false},
    {.name = "ShiftOntoAnEmptyButtonCopiesWithoutAQuestionOrShortcut", .steps = {{B(7)}}, .shift = true,
     .answer = kNoneComes, .buttons = {kTwo, kFive, {.title = L"Two", .tip = L"Two"}}, .saved = true},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, DragOnTheBar, ::testing::ValuesIn(kDrags), RowName);

// Files dragged in from another program hold the mouse button over the folded group button, no capture of ours.
TEST_F(Bar, AShortPressIsAClickAStrayButtonUpNothingAndHoldingOverTheFoldedGroupButtonUnfolds)
{
    Recorder recorder(folder_, L"表示ソフト\\rec.exe");  // code page 932's bytes 0x5C in porun.dat
    data_.Button(0, 2, L"Recorder", recorder.Path());
    OpenInFront();
    HWND button = GetDlgItem(window_, B(2));
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    for (int x : {6, 7})
        SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
    PumpPending();
    EXPECT_TRUE(recorder.Started());
    EXPECT_EQ(recorder.Path(), recorder.Got().program);
    SendMessageW(GetDlgItem(window_, B(4)), WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
    ASSERT_FALSE(Expanded());
    const POINT at = Centre(GetDlgItem(window_, IDC_GROUP_BUTTON));
    const RECT over = {at.x, at.y, at.x + 1, at.y + 1};
    SetCursorPos(at.x, at.y);
    ClipCursor(&over);
    {
        const HeldKeys left({VK_LBUTTON});
        ReleaseCapture();
        for (int tick = 0; tick < 2; ++tick) {
            EXPECT_FALSE(Expanded()) << tick;
            SendMessageW(window_, WM_TIMER, kHoverTimerId, 0);
            PumpPending();
        }
    }
    ClipCursor(nullptr);
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window_, IDC_GROUP_BUTTON));
    Close();
    const StoredBlock& saved = Saved().value_or(DataImage()).groups[0];  // the group's shown icon is recorded too
    EXPECT_EQ(0, std::memcmp(data_.groups[0].buttons, saved.buttons, sizeof saved.buttons)) << "written back whole";
}

// The moved button takes its system hotkey along, the displaced one keeps its own; clearing frees only its own.
TEST_F(Bar, RestingOnTheNextArrowMovesAButtonIntoTheNextGroupWithItsHotkey)
{
    Recorder first(folder_, L"first\\rec.exe");
    Recorder second(folder_, L"second\\rec.exe");
    data_.settings.groupCount = 3;
    data_.Button(0, 0, L"first", first.Path()).Button(1, 7, L"second", second.Path());
    shortcuts_ = ShortcutLines(0, 0, VK_F11, kShift | kCtrl, kSystemHotkey) +
                 ShortcutLines(1, 7, VK_F9, kShift | kCtrl, kSystemHotkey) + ActiveLines(0, kNoModifiers);
    OpenInFront();
    Drag(B(0), {{IDC_NEXT_GROUP, 0, 2}, {B(7)}});
    ASSERT_EQ(GroupPicture(1), Shows(IDC_GROUP_BUTTON));
    EXPECT_EQ(L"first <CTRL+SHIFT+F11>", Tip(B(7)));
    ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F11));
    EXPECT_TRUE(first.Started());
    ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F9));
    EXPECT_TRUE(second.Started());
    EXPECT_TRUE(FromMenu(B(7), IDM_CLEAR_BUTTON, kQuestion, IDYES));
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11));
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9));
    Close();
    EXPECT_EQ(L"second", Saved()->Title(0, 0));
    EXPECT_EQ(L"", Saved()->Title(1, 7));
}

}  // namespace
