// Clicks, keys, drops and drags on the bar, and what the user sees after them.
#include "window/window_test.h"

#include "app/main_window.h"

#include <cstring>

using namespace window_test;

namespace {

struct BarRow {
    const char* name;
    int control;  // clicked; 0: the key pressed on the window, or on control on
    BYTE key;
    std::vector<BYTE> held;
    const wchar_t* dialog;        // what opens (caption part), none when null
    int press;                 // its button
    const wchar_t* seen;          // its caption or a box's text ("" unchecked)
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
        recorders.push_back(std::make_unique<Recorder>(folder_, L"r" + std::to_wstring(r) + L"\\rec.exe", true));
        data_.Button(slots[r][0], slots[r][1], r == 4 ? L"" : L"rec", recorders[r]->Path());
    }
    const std::wstring work = folder_.Folder(L"work place");
    data_.Button(0, 0, L"Recorder", L"%PORUN_DIR%\\r0\\rec.exe", L"-a \"two words\"", L"%PORUN_DIR%\\work place");
    data_.Button(0, 1, L"Gone", folder_.File(L"gone.exe")).Button(1, 3, L"gone", folder_.File(L"gone.exe"));
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
        const std::wstring shown = dialog ? dialog->Message().empty() ? dialog->Caption() : dialog->Message() : L"";
        EXPECT_EQ(0u, shown.find(row().seen)) << "a failed start goes on with the path tried and why";
        if (row().control == B(1)) {  // as the string table has it, at any code page
            EXPECT_EQ(0u, shown.find(String(IDS_MSG_LAUNCH_FAILED)));
            EXPECT_NE(std::wstring::npos, shown.find(folder_.File(L"gone.exe"))) << shown;
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
    if (recorders[0]->StartedYet() && recorders[0]->Started()) {
        const Received got = recorders[0]->Got();
        EXPECT_NE(std::wstring::npos, got.commandLine.find(L" -a \"two words\"")) << got.commandLine;
        EXPECT_EQ(work, got.folder);
    }
    if (row().dialog == kQuestion) {  // answered yes, the button's picture and record go
        const bool kept = row().press == IDNO;
        EXPECT_EQ(kept, Shows(row().control) != Resource(IDI_EMPTY_BUTTON));
        Close();
        EXPECT_EQ(kept, !Saved()->File(0, row().control - B(0)).empty());
    }
}

constexpr int kGroup = IDC_GROUP_BUTTON;
const BarRow kBar[] = {
    {"GroupButtonFoldsTheBar", kGroup, 0, {}, nullptr, 0, L"", {}, 0, 0},
    {"GroupButtonAgainUnfoldsIt", kGroup, 0, {}, nullptr, 0, L"", {}, 1, 0, 1, 2},
    {"CtrlGroupButtonStepsAndStaysUnfolded", kGroup, 0, {VK_CONTROL}, nullptr, 0, L"", {}, 1, 1},
    {"LeftShiftGroupButtonOpensTheGroupSettings", kGroup, 0, {VK_LSHIFT}, kGroupDialog, IDC_GROUP_CANCEL, L"", {}, 1, 0},
    {"EscGroupButtonShowsTheAboutBox", kGroup, 0, {VK_ESCAPE}, L"バージョン情報", IDOK, L"", {}, -1, 0},
    {"ClickStartsWithOptionsInItsFolderAndFolds", B(0), 0, {}, nullptr, 0, L"", {0}, 0, 0},
    {"ClickWithoutCollapseStaysUnfolded", B(0), 0, {}, nullptr, 0, L"", {0}, 1, 0, 0},
    {"MissingFileIsToldAndTheBarStays", B(1), 0, {}, kNotice, IDOK, L"起動に失敗したのら！！", {}, 1, 0},
    {"ShiftEscOpensTheSettingsAndStartsNothing", B(9), 0, {VK_SHIFT, VK_ESCAPE}, kButtonDialog, IDCANCEL,
     L"=(o.o)= 第10ボタンの設定、なのら。", {}, 1, 0},
    {"EscAsksToClearAndYesClears", B(0), 0, {VK_ESCAPE}, kQuestion, IDYES, L"Recorder の設定を削除しちゃうのら？", {}, 1, 0},
    {"EscOnAnUntitledButtonAnsweredNoKeeps", B(5), 0, {VK_ESCAPE}, kQuestion, IDNO, L" の設定を削除しちゃうのら？", {}, 1, 0},
    {"EscOnAnEmptyButtonOpensItsSettings", B(6), 0, {VK_ESCAPE}, kButtonDialog, IDCANCEL,
     L"=(o.o)= 第 7ボタンの設定、なのら。", {}, 1, 0},
    {"CtrlDigitClicksThatButtonOfTheShownGroup", 0, '3', {VK_CONTROL}, nullptr, 0, L"", {5}, -1, 0},
    {"CtrlZeroClicksTheTenth", 0, '0', {VK_CONTROL}, nullptr, 0, L"", {1}, -1, 0},
    {"CtrlKStartsEveryGroupsCtrlKButtonInOrderAndAFailureIsToldFirst", 0, 'K', {VK_CONTROL}, kNotice, IDOK, L"",
     {2, 3}, -1, 0},
    {"CtrlShiftKStartsOnlyItsOwn", 0, 'K', {VK_CONTROL, VK_SHIFT}, nullptr, 0, L"", {4}, -1, 0},
    {"ShiftDigitNeverReachesTheShortcutsNorTheGroups", 0, '3', {VK_SHIFT}, nullptr, 0, L"", {}, -1, 0},
    {"DigitThreeShowsTheThirdGroup", 0, '3', {}, nullptr, 0, L"", {}, -1, 2},
    {"DigitOnALauncherButtonToo", 0, '3', {}, nullptr, 0, L"", {}, -1, 2, 1, 1, B(9)},
    {"DigitOfAGroupNotInUseDoesNothing", 0, '7', {}, nullptr, 0, L"", {}, -1, 0},
    {"NumberPadDigitIsNoGroupKey", 0, VK_NUMPAD2, {}, nullptr, 0, L"", {}, -1, 0},
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
    const wchar_t* dropped;  // a copy of the recorder, relative to the program's folder; "gone.txt" is none
    int control;
    const wchar_t *dialog, *message, *folder;  // the settings that open; a box's text or the title and folder proposed
    bool whole = false;                     // dropped is a whole path of the machine, no copy
};

std::vector<std::wstring> Arguments(const std::wstring& commandLine)  // as a program's C runtime splits it
{
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(commandLine.c_str(), &count);
    const std::vector<std::wstring> arguments(split, split + count);
    LocalFree(split);
    return arguments;
}
class DropOnTheBar : public Table<DropRow> {};

// Button 6 starts the recorder with options of its own; nothing is stored until the user confirms.
TEST_P(DropOnTheBar, ProposesRefusesOrStartsAndStoresNothing)
{
    Recorder target(folder_, L"target\\rec.exe", true);
    data_.Button(0, 5, L"Recorder", target.Path(), L"--own-options", folder_.Path());
    const std::wstring dropped = row().whole ? row().dropped : folder_.File(row().dropped);
    ASSERT_TRUE(row().whole || std::wstring(row().dropped) == L"gone.txt" ||
                !CopyInto(target.Path(), folder_, row().dropped).empty());
    Open();
    const bool group = row().control == IDC_GROUP_BUTTON;
    std::vector<std::wstring> fields;
    const auto box = Expect(row().dialog != kButtonDialog && *row().message ? L"ぽてまる" : nullptr, IDOK);
    const auto dialog = Expect(row().dialog, group ? IDC_GROUP_CANCEL : IDCANCEL, [&](HWND d) {
        for (int id : {IDC_BUTTON_TITLE, IDC_BUTTON_FILE, IDC_BUTTON_WORK_DIR, IDC_BUTTON_PARAMS})
            fields.push_back(Text(d, id));  // a group's icon file is its second
    });
    Drop({dropped}, row().control);
    EXPECT_EQ(box ? row().message : L"", box ? box->Message() : L"");
    EXPECT_TRUE(!dialog || dialog->Seen());
    if (dialog && group) {
        EXPECT_EQ(box ? program_ : dropped, fields.at(1)) << "the file offered as the icon, else the default one";
    } else if (dialog) {
        EXPECT_EQ((std::vector<std::wstring>{row().message, dropped, folder_.File(row().folder), L""}), fields);
    }
    if (row().control == B(5)) {  // started with the item as its only parameter
        ASSERT_TRUE(target.Started());
        const std::wstring commandLine = target.Got().commandLine;
        const std::vector<std::wstring> arguments = Arguments(commandLine);
        ASSERT_EQ(2u, arguments.size()) << commandLine;
        EXPECT_EQ(dropped, arguments[1]) << commandLine;
        EXPECT_FALSE(Expanded());
    }
    EXPECT_EQ(data_.Bytes(), ReadBytes(folder_.File(L"porun.dat")));
}

const DropRow kDrops[] = {
    {"OnlyTheLastExtensionIsLeftOut", L"表\\予定.表.exe", B(0), kButtonDialog, L"予定.表", L"表"},
    {"ANameStartingWithADotIsKept", L"x\\.profile", B(0), kButtonDialog, L".profile", L"x"},
    {"OnAnArrowIsRefused", L"a.exe", IDC_PREVIOUS_GROUP, nullptr, L"ここには、登録できないろ！", L""},
    {"AVanishedItemIsIgnored", L"gone.txt", B(0), nullptr, L"", L""},
    {"AFileOnTheGroupButtonIsOfferedAsItsIcon", L"Tools\\editor.exe", IDC_GROUP_BUTTON, kGroupDialog, L"", L""},
    {"ABrokenLinkOnTheGroupButtonIsToldAndTheDefaultIconOffered", L"broken.lnk", IDC_GROUP_BUTTON, kGroupDialog,
     L"そのショートカットには、リンクできないのら！", L""},
    {"OnAFilledButtonItStartsItAsItsOnlyParameter", L"some folder\\my tool.exe", B(5), nullptr, L"", L""},
    {.name = "ADriveRootReachesTheProgramWhole", .dropped = L"C:\\", .control = B(5), .dialog = nullptr, .message = L"",
     .folder = L"", .whole = true},
};
INSTANTIATE_TEST_SUITE_P(Rows, DropOnTheBar, ::testing::ValuesIn(kDrops), RowName);

class Bar : public Window {};

struct DragRow {
    const char* name;
    std::vector<DragStep> steps;  // from button 3
    bool shift;
    int answer;           // to the overwrite question; 0: none comes
    const wchar_t* tips[3];  // of buttons 3, 6, 8 afterwards: title and shortcut, "" empty
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
    shortcuts_ = ShortcutLines(0, 2, 'A', 2, 0) + ShortcutLines(0, 5, 'B', 4, 1) + ActiveLines(0, 0);
    OpenInFront();
    const auto question = Expect(kQuestion, row().answer);
    row().shift ? Drag(B(2), row().steps, {VK_SHIFT}) : Drag(B(2), row().steps);
    EXPECT_TRUE(!question || question->Seen());
    const std::optional<DataImage> saved = Saved();
    const std::string keys = ReadBytes(folder_.File(L"shortcut.dat"));  // what a kill now would leave
    ASSERT_TRUE(saved);
    EXPECT_EQ(row().saved, saved->Bytes() != data_.Bytes());
    for (int k = 0, shown[] = {2, 5, 7}; k < 3; ++k) {
        const std::wstring tip = row().tips[k], title = tip.substr(0, tip.find(' '));
        const int icon = title == L"Two" ? 2 : title == L"Five" ? 6 : 4;
        EXPECT_EQ(title.empty() ? Resource(IDI_EMPTY_BUTTON) : Picture::OfFileIcon(program, icon), Shows(B(shown[k])))
            << k;
        EXPECT_EQ(tip, Tip(B(shown[k]))) << k;
        EXPECT_EQ(title, saved->Title(0, shown[k])) << k;
        const size_t open = tip.find_first_of(L"(<");
        const std::string line = "ShortCut.00:00" + std::to_string(shown[k]) + ".key," +
                                 (tip.find(L"CTRL+A") != std::wstring::npos ? "65" : "66");
        EXPECT_EQ(open != std::wstring::npos, keys.find(line) != std::string::npos) << k;
    }
    EXPECT_EQ(L"Seven", saved->Title(1, 7));
}

const DragRow kDrags[] = {
    {"OntoAnotherButtonSwapsThemWithTheirShortcuts", {{B(5)}}, false, 0, {L"Five <ALT+B>", L"Two (CTRL+A)", L""}, true},
    {"ReleasedOverAnArrowMovesNothing", {{B(5)}, {IDC_PREVIOUS_GROUP}}, false, 0,
     {L"Two (CTRL+A)", L"Five <ALT+B>", L""}, false},
    {"ShiftOntoAFilledButtonAnsweredYesCopies", {{B(5)}}, true, IDYES, {L"Two (CTRL+A)", L"Two <ALT+B>", L""}, true},
    {"ShiftOntoAFilledButtonAnsweredNoSwaps", {{B(5)}}, true, IDNO, {L"Five <ALT+B>", L"Two (CTRL+A)", L""}, true},
    {"ShiftOntoAFilledButtonCancelledLeavesAll", {{B(5)}}, true, IDCANCEL, {L"Two (CTRL+A)", L"Five <ALT+B>", L""}, false},
    {"ShiftOntoAnEmptyButtonCopiesWithoutAQuestionOrShortcut", {{B(7)}}, true, 0,
     {L"Two (CTRL+A)", L"Five <ALT+B>", L"Two"}, true},
};
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
    EXPECT_TRUE(Expanded() && IsDlgButtonChecked(window_, IDC_GROUP_BUTTON) == BST_CHECKED);
    Close();
    const StoredBlock& saved = Saved().value_or(DataImage()).groups[0];  // the group's shown icon is recorded too
    EXPECT_EQ(0, std::memcmp(data_.groups[0].buttons, saved.buttons, sizeof saved.buttons)) << "written back byte for byte";
}

// The moved button takes its system hotkey along, the displaced one keeps its own; clearing frees only its own.
TEST_F(Bar, RestingOnTheNextArrowMovesAButtonIntoTheNextGroupWithItsHotkey)
{
    Recorder first(folder_, L"first\\rec.exe");
    Recorder second(folder_, L"second\\rec.exe");
    data_.settings.groupCount = 3;
    data_.Button(0, 0, L"first", first.Path()).Button(1, 7, L"second", second.Path());
    shortcuts_ = ShortcutLines(0, 0, VK_F11, 3, 1) + ShortcutLines(1, 7, VK_F9, 3, 1) + ActiveLines(0, 0);
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
