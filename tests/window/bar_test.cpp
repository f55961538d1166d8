// Clicks, keys, drops and drags on the bar, and what the user sees after them.
#include "window/window_test.h"

#include "app/main_window.h"

using namespace window_test;

namespace {

struct BarRow {
    const char* name;
    int control;  // clicked; 0: the key pressed on the window, or on control on
    BYTE key;
    std::vector<BYTE> held;
    const char* dialog;        // what opens (caption part), none when null
    int press;                 // its button
    const char* seen;          // its caption or a box's text ("" unchecked)
    std::vector<int> started;  // of the recorders below
    int expanded, group;       // afterwards: the bar unfolded (-1: either), the group shown
    int collapse = 1, clicks = 1, on = 0;  // collapse on launch
};
class OnTheBar : public Table<BarRow> {};

// Recorders 0 to 6 by (group, button) below; missing files on 1-2 and 2-4; F12 starts the witness that all was done.
TEST_P(OnTheBar, AClickOrAKeyShowsAndStartsWhatItMeans)
{
    const int slots[][2] = {{0, 0}, {0, 9}, {1, 2}, {4, 0}, {0, 5}, {0, 2}, {2, 1}};
    std::vector<std::unique_ptr<Recorder>> recorders;
    for (int r = 0; r < 7; ++r) {
        recorders.push_back(std::make_unique<Recorder>(folder_, "r" + std::to_string(r) + "\\rec.exe", true));
        data_.Button(slots[r][0], slots[r][1], r == 4 ? "" : "rec", recorders[r]->Path());
    }
    const std::string work = folder_.Folder("work place");
    data_.Button(0, 0, "Recorder", "%PORUN_DIR%\\r0\\rec.exe", "-a \"two words\"", "%PORUN_DIR%\\work place");
    data_.Button(0, 1, "Gone", folder_.File("gone.exe")).Button(1, 3, "gone", folder_.File("gone.exe"));
    data_.settings.groupCount = 5;
    data_.settings.collapseOnLaunch = row().collapse;
    shortcuts_ = ShortcutLines(1, 2, 'K', 2, 0) + ShortcutLines(4, 0, 'K', 2, 0) + ShortcutLines(1, 3, 'K', 2, 0) +
                 ShortcutLines(0, 5, 'K', 3, 0) + ShortcutLines(0, 0, '3', 1, 0) + ShortcutLines(2, 1, VK_F12, 0, 0) +
                 ActiveLines(0, 0);
    Open();
    EXPECT_EQ(Shows(B(2)), Shows(B(0))) << "the recorder's icon: found through %PORUN_DIR%";
    RECT before = {}, after = {};
    GetWindowRect(window_, &before);
    bool laterFirst = false;  // group 5's CTRL+K started before group 2's missing file was told
    {
        const auto dialog = Expect(row().dialog, row().press, [&](HWND) { laterFirst = recorders[3]->StartedYet(); });
        const HeldKeys keys(row().held);
        for (int click = 0; row().control && click < row().clicks; ++click)
            Click(row().control);
        if (!row().control)
            Key(row().key, row().on);
        EXPECT_TRUE(!dialog || dialog->Seen());
        if (dialog && *row().seen) {
            EXPECT_EQ(row().seen, dialog->Message().empty() ? dialog->Caption() : dialog->Message());
        }
    }
    EXPECT_FALSE(laterFirst);
    if (row().expanded >= 0) {
        EXPECT_EQ(row().expanded != 0, Expanded());
        EXPECT_EQ(row().expanded != 0, IsDlgButtonChecked(window_, IDC_GROUP_BUTTON) == BST_CHECKED);
    }
    GetWindowRect(window_, &after);
    EXPECT_EQ(std::make_pair(before.left, before.top), std::make_pair(after.left, after.top));
    EXPECT_EQ(GroupPicture(row().group), Shows(IDC_GROUP_BUTTON));
    PumpPending();
    Key(VK_F12);
    ASSERT_TRUE(recorders[6]->Started());
    for (int r = 0; r < 6; ++r) {
        const bool expected = std::find(row().started.begin(), row().started.end(), r) != row().started.end();
        EXPECT_EQ(expected, expected ? recorders[r]->Started() : recorders[r]->StartedYet()) << r;
    }
    std::string commandLine, currentFolder;
    if (recorders[0]->StartedYet() && recorders[0]->Started(&commandLine, &currentFolder)) {
        EXPECT_NE(std::string::npos, commandLine.find(" -a \"two words\"")) << commandLine;
        EXPECT_EQ(work, currentFolder);
    }
    if (row().dialog == kQuestion) {  // answered yes, the button's picture and record go
        const bool kept = row().press == IDNO;
        EXPECT_EQ(kept, Shows(row().control) != Resource(IDI_EMPTY_BUTTON));
        Close();
        EXPECT_EQ(kept, Saved()->At(0, row().control - B(0)).file[0] != '\0');
    }
}

constexpr int kGroup = IDC_GROUP_BUTTON;
const BarRow kBar[] = {
    {"GroupButtonFoldsTheBar", kGroup, 0, {}, nullptr, 0, "", {}, 0, 0},
    {"GroupButtonAgainUnfoldsIt", kGroup, 0, {}, nullptr, 0, "", {}, 1, 0, 1, 2},
    {"CtrlGroupButtonStepsAndStaysUnfolded", kGroup, 0, {VK_CONTROL}, nullptr, 0, "", {}, 1, 1},
    {"LeftShiftGroupButtonOpensTheGroupSettings", kGroup, 0, {VK_LSHIFT}, kGroupDialog, IDC_GROUP_CANCEL, "", {}, 1, 0},
    {"EscGroupButtonShowsTheAboutBox", kGroup, 0, {VK_ESCAPE}, "バージョン情報", IDOK, "", {}, -1, 0},
    {"ClickStartsWithOptionsInItsFolderAndFolds", B(0), 0, {}, nullptr, 0, "", {0}, 0, 0},
    {"ClickWithoutCollapseStaysUnfolded", B(0), 0, {}, nullptr, 0, "", {0}, 1, 0, 0},
    {"MissingFileIsToldAndTheBarStays", B(1), 0, {}, kNotice, IDOK, "起動に失敗したのら！！", {}, 1, 0},
    {"ShiftEscOpensTheSettingsAndStartsNothing", B(9), 0, {VK_SHIFT, VK_ESCAPE}, kButtonDialog, IDCANCEL,
     "=(o.o)= 第10ボタンの設定、なのら。", {}, 1, 0},
    {"EscAsksToClearAndYesClears", B(0), 0, {VK_ESCAPE}, kQuestion, IDYES, "Recorder の設定を削除しちゃうのら？", {}, 1, 0},
    {"EscOnAnUntitledButtonAnsweredNoKeeps", B(5), 0, {VK_ESCAPE}, kQuestion, IDNO, " の設定を削除しちゃうのら？", {}, 1, 0},
    {"EscOnAnEmptyButtonOpensItsSettings", B(6), 0, {VK_ESCAPE}, kButtonDialog, IDCANCEL,
     "=(o.o)= 第 7ボタンの設定、なのら。", {}, 1, 0},
    {"CtrlDigitClicksThatButtonOfTheShownGroup", 0, '3', {VK_CONTROL}, nullptr, 0, "", {5}, -1, 0},
    {"CtrlZeroClicksTheTenth", 0, '0', {VK_CONTROL}, nullptr, 0, "", {1}, -1, 0},
    {"CtrlKStartsEveryGroupsCtrlKButtonInOrderAndAFailureIsToldFirst", 0, 'K', {VK_CONTROL}, kNotice, IDOK, "",
     {2, 3}, -1, 0},
    {"CtrlShiftKStartsOnlyItsOwn", 0, 'K', {VK_CONTROL, VK_SHIFT}, nullptr, 0, "", {4}, -1, 0},
    {"ShiftDigitNeverReachesTheShortcutsNorTheGroups", 0, '3', {VK_SHIFT}, nullptr, 0, "", {}, -1, 0},
    {"DigitThreeShowsTheThirdGroup", 0, '3', {}, nullptr, 0, "", {}, -1, 2},
    {"DigitOnALauncherButtonToo", 0, '3', {}, nullptr, 0, "", {}, -1, 2, 1, 1, B(9)},
    {"DigitOfAGroupNotInUseDoesNothing", 0, '7', {}, nullptr, 0, "", {}, -1, 0},
    {"NumberPadDigitIsNoGroupKey", 0, VK_NUMPAD2, {}, nullptr, 0, "", {}, -1, 0},
};
INSTANTIATE_TEST_SUITE_P(Rows, OnTheBar, ::testing::ValuesIn(kBar), RowName);

struct StepRow {
    const char* name;
    int groupCount, shown, control, expected;  // control: the arrow clicked
    int lowered = 0;                           // the count set in the group settings first
};
class GroupSteps : public Table<StepRow> {};

TEST_P(GroupSteps, ShowTheGroupByItsPicture)
{
    data_.settings.groupCount = row().groupCount;
    data_.settings.lastGroup = row().shown;
    data_.settings.startWithLastGroup = 1;
    Open();
    if (row().lowered) {  // the group shown stays until the next step
        DialogWaiter settings(kGroupDialog, IDOK, [&](HWND d) { SetDlgItemInt(d, IDC_GROUP_COUNT, row().lowered, 0); });
        RightClick(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS);
        EXPECT_EQ(GroupPicture(row().shown), Shows(IDC_GROUP_BUTTON));
    }
    Click(row().control);
    EXPECT_EQ(GroupPicture(row().expected), Shows(IDC_GROUP_BUTTON));
}

constexpr int kNext = IDC_NEXT_GROUP, kPrevious = IDC_PREVIOUS_GROUP;
const StepRow kSteps[] = {
    {"NextFromTheLastOfThreeWrapsToTheFirst", 3, 2, kNext, 0},
    {"PreviousFromTheFirstWrapsToTheLast", 3, 0, kPrevious, 2},
    {"NextWithOneGroupStays", 1, 0, kNext, 0},
    {"PreviousFromJustBeyondTheGroupsInUse", 3, 3, kPrevious, 2},
    {"ARememberedGroupBeyondTheTenStartsOnTheFirst", 10, 12, kNext, 1},
    {"LoweringTheCountKeepsTheShownGroupUntilTheNextStep", 10, 5, kNext, 0, 3},
};
INSTANTIATE_TEST_SUITE_P(Rows, GroupSteps, ::testing::ValuesIn(kSteps), RowName);

struct DropRow {
    const char* name;
    const char* dropped;  // a copy of the recorder, relative to the program's folder; "gone.txt" is none
    int control;
    const char *dialog, *message, *folder;  // the settings that open; a box's text or the title and folder proposed
    bool whole = false;                     // dropped is a whole path of the machine, no copy
};

std::vector<std::wstring> Arguments(const std::string& commandLine)  // as a program's C runtime splits it
{
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(Wide(commandLine).c_str(), &count);
    const std::vector<std::wstring> arguments(split, split + count);
    LocalFree(split);
    return arguments;
}
class DropOnTheBar : public Table<DropRow> {};

// Button 6 starts the recorder with options of its own; nothing is stored until the user confirms.
TEST_P(DropOnTheBar, ProposesRefusesOrStartsAndStoresNothing)
{
    Recorder target(folder_, "target\\rec.exe", true);
    data_.Button(0, 5, "Recorder", target.Path(), "--own-options", folder_.Path());
    const std::string dropped = row().whole ? row().dropped : folder_.File(row().dropped);
    ASSERT_TRUE(row().whole || std::string(row().dropped) == "gone.txt" ||
                !CopyInto(target.Path(), folder_, row().dropped).empty());
    Open();
    const bool group = row().control == IDC_GROUP_BUTTON;
    std::vector<std::string> fields;
    const auto box = Expect(row().dialog != kButtonDialog && *row().message ? "ぽてまる" : nullptr, IDOK);
    const auto dialog = Expect(row().dialog, group ? IDC_GROUP_CANCEL : IDCANCEL, [&](HWND d) {
        for (int id : {IDC_BUTTON_TITLE, IDC_BUTTON_FILE, IDC_BUTTON_WORK_DIR, IDC_BUTTON_PARAMS})
            fields.push_back(Text(d, id));  // a group's icon file is its second
    });
    Drop({dropped}, row().control);
    EXPECT_EQ(box ? row().message : "", box ? box->Message() : "");
    EXPECT_TRUE(!dialog || dialog->Seen());
    if (dialog && group) {
        EXPECT_EQ(box ? program_ : dropped, fields.at(1)) << "the file offered as the icon, else the default one";
    } else if (dialog) {
        EXPECT_EQ((std::vector<std::string>{row().message, dropped, folder_.File(row().folder), ""}), fields);
    }
    if (row().control == B(5)) {  // started with the item as its only parameter
        std::string commandLine;
        ASSERT_TRUE(target.Started(&commandLine));
        const std::vector<std::wstring> arguments = Arguments(commandLine);
        ASSERT_EQ(2u, arguments.size()) << commandLine;
        EXPECT_EQ(Wide(dropped), arguments[1]) << commandLine;
        EXPECT_FALSE(Expanded());
    }
    EXPECT_EQ(data_.Bytes(), ReadBytes(folder_.File("porun.dat")));
}

const DropRow kDrops[] = {
    {"OnlyTheLastExtensionIsLeftOut", "表\\予定.表.exe", B(0), kButtonDialog, "予定.表", "表"},
    {"ANameStartingWithADotIsKept", "x\\.profile", B(0), kButtonDialog, ".profile", "x"},
    {"OnAnArrowIsRefused", "a.exe", IDC_PREVIOUS_GROUP, nullptr, "ここには、登録できないろ！", ""},
    {"AVanishedItemIsIgnored", "gone.txt", B(0), nullptr, "", ""},
    {"AFileOnTheGroupButtonIsOfferedAsItsIcon", "Tools\\editor.exe", IDC_GROUP_BUTTON, kGroupDialog, "", ""},
    {"ABrokenLinkOnTheGroupButtonIsToldAndTheDefaultIconOffered", "broken.lnk", IDC_GROUP_BUTTON, kGroupDialog,
     "そのショートカットには、リンクできないのら！", ""},
    {"OnAFilledButtonItStartsItAsItsOnlyParameter", "some folder\\my tool.exe", B(5), nullptr, "", ""},
    {.name = "ADriveRootReachesTheProgramWhole", .dropped = "C:\\", .control = B(5), .dialog = nullptr, .message = "",
     .folder = "", .whole = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, DropOnTheBar, ::testing::ValuesIn(kDrops), RowName);

class Bar : public Window {};

struct DragRow {
    const char* name;
    std::vector<DragStep> steps;  // from button 3
    bool shift;
    int answer;           // to the overwrite question; 0: none comes
    const char* tips[3];  // of buttons 3, 6, 8 afterwards: title and shortcut, "" empty
    bool saved;
};
class DragOnTheBar : public Table<DragRow> {};

// Button 3 "Two" (icon 2, CTRL+A), button 6 "Five" (icon 6, ALT+B system-wide); group 2 button 8 "Seven".
TEST_P(DragOnTheBar, MovesCopiesOrLeavesTheButtons)
{
    const std::string program = folder_.File("porun.exe");
    data_.settings.groupCount = 3;
    data_.Button(0, 2, "Two", program, "", "", program, 2).Button(0, 5, "Five", program, "", "", program, 6);
    data_.Button(1, 7, "Seven", program, "", "", program, 4);
    shortcuts_ = ShortcutLines(0, 2, 'A', 2, 0) + ShortcutLines(0, 5, 'B', 4, 1) + ActiveLines(0, 0);
    OpenInFront();
    const auto question = Expect(kQuestion, row().answer);
    row().shift ? Drag(B(2), row().steps, {VK_SHIFT}) : Drag(B(2), row().steps);
    EXPECT_TRUE(!question || question->Seen());
    const std::optional<DataImage> saved = Saved();
    const std::string keys = ReadBytes(folder_.File("shortcut.dat"));  // what a kill now would leave
    ASSERT_TRUE(saved);
    EXPECT_EQ(row().saved, saved->Bytes() != data_.Bytes());
    for (int k = 0, shown[] = {2, 5, 7}; k < 3; ++k) {
        const std::string tip = row().tips[k], title = tip.substr(0, tip.find(' '));
        const int icon = title == "Two" ? 2 : title == "Five" ? 6 : 4;
        EXPECT_EQ(title.empty() ? Resource(IDI_EMPTY_BUTTON) : Picture::OfFileIcon(program, icon), Shows(B(shown[k])))
            << k;
        EXPECT_EQ(tip, Tip(B(shown[k]))) << k;
        EXPECT_EQ(title, saved->At(0, shown[k]).title) << k;
        const size_t open = tip.find_first_of("(<");
        const std::string line = "ShortCut.00:00" + std::to_string(shown[k]) + ".key," +
                                 (tip.find("CTRL+A") != std::string::npos ? "65" : "66");
        EXPECT_EQ(open != std::string::npos, keys.find(line) != std::string::npos) << k;
    }
    EXPECT_STREQ("Seven", saved->At(1, 7).title);
}

const DragRow kDrags[] = {
    {"OntoAnotherButtonSwapsThemWithTheirShortcuts", {{B(5)}}, false, 0, {"Five <ALT+B>", "Two (CTRL+A)", ""}, true},
    {"ReleasedOverAnArrowMovesNothing", {{B(5)}, {IDC_PREVIOUS_GROUP}}, false, 0,
     {"Two (CTRL+A)", "Five <ALT+B>", ""}, false},
    {"ShiftOntoAFilledButtonAnsweredYesCopies", {{B(5)}}, true, IDYES, {"Two (CTRL+A)", "Two <ALT+B>", ""}, true},
    {"ShiftOntoAFilledButtonAnsweredNoSwaps", {{B(5)}}, true, IDNO, {"Five <ALT+B>", "Two (CTRL+A)", ""}, true},
    {"ShiftOntoAFilledButtonCancelledLeavesAll", {{B(5)}}, true, IDCANCEL, {"Two (CTRL+A)", "Five <ALT+B>", ""}, false},
    {"ShiftOntoAnEmptyButtonCopiesWithoutAQuestionOrShortcut", {{B(7)}}, true, 0,
     {"Two (CTRL+A)", "Five <ALT+B>", "Two"}, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, DragOnTheBar, ::testing::ValuesIn(kDrags), RowName);

// Files dragged in from another program hold the mouse button over the folded group button, no capture of ours.
TEST_F(Bar, AShortPressIsAClickAStrayButtonUpNothingAndHoldingOverTheFoldedGroupButtonUnfolds)
{
    Recorder recorder(folder_, "apps\\rec.exe");
    data_.Button(0, 2, "Recorder", recorder.Path());
    OpenInFront();
    HWND button = GetDlgItem(window_, B(2));
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    for (int x : {6, 7})
        SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
    PumpPending();
    EXPECT_TRUE(recorder.Started());
    SendMessageA(GetDlgItem(window_, B(4)), WM_LBUTTONUP, 0, MAKELPARAM(7, 5));
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
            SendMessageA(window_, WM_TIMER, kHoverTimerId, 0);
            PumpPending();
        }
    }
    ClipCursor(nullptr);
    EXPECT_TRUE(Expanded() && IsDlgButtonChecked(window_, IDC_GROUP_BUTTON) == BST_CHECKED);
    Close();
    EXPECT_STREQ("Recorder", Saved()->At(0, 2).title);
    EXPECT_STREQ("", Saved()->At(0, 4).title);
}

// The moved button takes its system hotkey along, the displaced one keeps its own; clearing frees only its own.
TEST_F(Bar, RestingOnTheNextArrowMovesAButtonIntoTheNextGroupWithItsHotkey)
{
    Recorder first(folder_, "first\\rec.exe");
    Recorder second(folder_, "second\\rec.exe");
    data_.settings.groupCount = 3;
    data_.Button(0, 0, "first", first.Path()).Button(1, 7, "second", second.Path());
    shortcuts_ = ShortcutLines(0, 0, VK_F11, 3, 1) + ShortcutLines(1, 7, VK_F9, 3, 1) + ActiveLines(0, 0);
    OpenInFront();
    Drag(B(0), {{IDC_NEXT_GROUP, 0, 2}, {B(7)}});
    ASSERT_EQ(GroupPicture(1), Shows(IDC_GROUP_BUTTON));
    EXPECT_EQ("first <CTRL+SHIFT+F11>", Tip(B(7)));
    ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F11));
    EXPECT_TRUE(first.Started());
    ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F9));
    EXPECT_TRUE(second.Started());
    EXPECT_TRUE(FromMenu(B(7), IDM_CLEAR_BUTTON, kQuestion, IDYES));
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11));
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9));
    Close();
    EXPECT_STREQ("second", Saved()->At(0, 0).title);
    EXPECT_STREQ("", Saved()->At(1, 7).title);
}

}  // namespace
