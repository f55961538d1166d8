// The settings dialogs of a button and of the groups, and the icon chooser they open.
#include "window/window_test.h"

#include <dlgs.h>

#include <filesystem>

using namespace window_test;

namespace {

constexpr wchar_t kChooser[] = L"アイコンを選択するんら";

void Slide(HWND d, int position)
{
    HWND slider = GetDlgItem(d, IDC_ICON_SLIDER);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

LRESULT Item(HWND d, int id, UINT message) { return SendDlgItemMessageW(d, id, message, 0, 0); }

void ClickSpin(HWND d, bool up)  // a click on the spin's upper or lower arrow
{
    HWND spin = GetDlgItem(d, IDC_GROUP_COUNT_SPIN);
    RECT rect = {};
    GetClientRect(spin, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(spin, WM_LBUTTONUP, 0, at);
}

void SwitchGroups(HWND d)  // d open: as the hover timer over an arrow, the group menu and a digit key would
{
    for (const auto& [message, id] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDC_NEXT_GROUP},
                                      {WM_COMMAND, IDM_FIRST_GROUP + 1}, {WM_KEYDOWN, '2'}})
        SendMessageW(GetWindow(d, GW_OWNER), message, id, 0);
}

std::wstring g_folder;    // the program's folder of the running row

class SettingsDialog;
struct DialogRow {
    const char* name;
    int opened;                     // the control whose menu opens the settings
    std::function<void(HWND)> act;  // then the button pressed
    int press;
    std::function<void(SettingsDialog&)> after = {};  // none: porun.dat is as it was
};

// Buttons 3 "Porun" (-x, CTRL+SHIFT+ALT+A system-wide), 4 (F7), 5 (CTRL+S); the file browser answers g_chosen.
class SettingsDialog : public Table<DialogRow> {
public:
    using LauncherWindow::Tip, LauncherWindow::Shows, LauncherWindow::Saved, LauncherWindow::program_;
    std::wstring TipOnceRewritten(int id)  // showing a group rewrites tips
    {
        Command(IDM_FIRST_GROUP);
        return Tip(id);
    }
};

TEST_P(SettingsDialog, ShowsAndStoresWhatTheUserChose)
{
    const Restore undo{[] { g_chosen.clear(); }};
    const SeamGuard browser = OverrideOpenFileDialog(ChosenFile);
    g_folder = folder_.Path();
    data_.settings.groupCount = 3;
    const std::wstring program = folder_.File(L"porun.exe");
    data_.Button(0, 2, L"Porun", program, L"-x", folder_.Path()).Button(0, 3, L"Four", program);
    data_.Button(0, 4, L"Five", program);
    shortcuts_ = ShortcutLines(0, 2, 'A', 7, 1) + ShortcutLines(0, 3, VK_F7, 0, 1) + ShortcutLines(0, 4, 'S', 2, 0) +
                 ActiveLines(VK_SPACE, 6);
    ASSERT_FALSE(CopyInto(BuildFile(PORUN_RECORDER_ICON_PATH), folder_, L"five.exe").empty());  // five icons
    Open();
    const wchar_t* caption = row().opened == IDC_GROUP_BUTTON ? kGroupDialog : kButtonDialog;
    ASSERT_TRUE(FromMenu(row().opened, IDM_BUTTON_SETTINGS, caption, row().press, row().act));
    if (row().after)
        row().after(*this);
    else
        EXPECT_EQ(data_.Bytes(), ReadBytes(folder_.File(L"porun.dat")));
}

const DialogRow kDialogs[] = {
    {"EmptyButtonOffersNoIconChoiceRefusesAPathPastMaxPathAndATitleAloneStoresNothing", B(7), [](HWND d) {
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_BUTTON_BROWSE_ICON)));
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ICON_SOURCE_LIST)));
         g_chosen = g_folder + L"\\" + std::wstring(MAX_PATH, L'x') + L".exe";
         DialogWaiter refusal(kNotice, IDOK, {}, GetCurrentProcessId(), d);
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_EQ(String(IDS_MSG_NAME_NOT_KEPT), refusal.Message());
         EXPECT_EQ(L"", Text(d, IDC_BUTTON_FILE));
         SetDlgItemTextW(d, IDC_BUTTON_TITLE, L"a title only");
     }, IDOK},
    {"ABrowsedIconFileStartsAtItsFirstIconTheSliderStoresThreeAndTheSystemMarkIsUnchecked", B(2), [](HWND d) {
         Slide(d, 3);
         g_chosen = g_folder + L"\\five.exe";
         Press(d, IDC_BUTTON_BROWSE_ICON, true);
         EXPECT_EQ(g_folder + L"\\five.exe", Text(d, IDC_BUTTON_ICON_FILE));
         EXPECT_EQ(4, Item(d, IDC_ICON_SLIDER, TBM_GETRANGEMAX));
         EXPECT_EQ(0, Item(d, IDC_ICON_SLIDER, TBM_GETPOS));
         Slide(d, 3);
         EXPECT_EQ(L"アイコン&No. 3", Text(d, IDC_ICON_NUMBER));
         EXPECT_EQ(L"CTRL+SHIFT+ALT+A", Text(d, IDC_BUTTON_SHORTCUT_TEXT));
         EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_BUTTON_SYSTEM_HOTKEY));
         Toggle(d, IDC_BUTTON_SYSTEM_HOTKEY);
         SwitchGroups(d);
     }, IDOK, [](SettingsDialog& t) {
         EXPECT_EQ(GroupPicture(0), t.Shows(IDC_GROUP_BUTTON));
         EXPECT_EQ(Picture::OfFileIcon(g_folder + L"\\five.exe", 3), t.Shows(B(2)));
         EXPECT_EQ(L"Porun (CTRL+SHIFT+ALT+A)", t.Tip(B(2)));
         EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'A'));
         EXPECT_EQ(3, t.Saved()->At(0, 2).iconIndex);
         EXPECT_EQ(g_folder + L"\\five.exe", Decoded(t.Saved()->At(0, 2).iconFile));
         EXPECT_EQ(L"-x", Decoded(t.Saved()->At(0, 2).params));
     }},
    {"TheSystemsFileBrowserLeavesTheProgramInItsFolder", B(3), [](HWND d) {
         const SeamGuard system = OverrideOpenFileDialog(nullptr);
         const std::filesystem::path before = std::filesystem::current_path();
         DialogWaiter browser(L"ボタンに関連付ける", IDOK,
                              [](HWND b) { SetDlgItemTextW(b, cmb13, (g_folder + L"\\five.exe").c_str()); });
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_EQ(g_folder + L"\\five.exe", Text(d, IDC_BUTTON_FILE));
         EXPECT_EQ(before, std::filesystem::current_path());
     }, IDCANCEL},
    {"TheFolderMenuAndStartWithPorunOptionsAreStoredBesideTheDataFile", B(3), [](HWND d) {
         EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_BUTTON_FOLDER_MENU));
         EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_BUTTON_START_WITH_PORUN));
         Toggle(d, IDC_BUTTON_FOLDER_MENU);
         Toggle(d, IDC_BUTTON_START_WITH_PORUN);
     }, IDOK, [](SettingsDialog& t) {
         EXPECT_EQ("folder_menu_3,1\r\nstart_with_porun_3,1\r\n", ReadBytes(g_folder + L"\\porun.options"));
         EXPECT_EQ(L"Four", t.Saved()->Title(0, 3));
         EXPECT_EQ(t.program_, t.Saved()->File(0, 3));
     }},
    {"CancelPutsTheCapturedShortcutBackOnItsButtonWhateverGroupIsAskedFor", B(4), [](HWND d) {
         CaptureBy(d, IDC_BUTTON_KEY, {{VK_CONTROL, 'T'}});
         SwitchGroups(d);
     }, IDCANCEL, [](SettingsDialog& t) { EXPECT_EQ(L"Five (CTRL+S)", t.TipOnceRewritten(B(4))); }},
    {"TheCloseBoxKeepsTheCapturedShortcut", B(4), [](HWND d) {
         CaptureBy(d, IDC_BUTTON_KEY, {{VK_CONTROL, 'T'}});
         PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);
     }, 0, [](SettingsDialog& t) { EXPECT_EQ(L"Five (CTRL+T)", t.TipOnceRewritten(B(4))); }},
    {"ABrowsedLinkProposesItsTarget", B(7), [](HWND d) {
         g_chosen = g_folder + L"\\rec.lnk";
         ASSERT_TRUE(MakeShellLink(g_folder + L"\\rec.lnk", g_folder + L"\\porun.exe", L"-n", g_folder));
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_EQ(g_folder + L"\\porun.exe", Text(d, IDC_BUTTON_FILE));
         EXPECT_EQ(L"-n", Text(d, IDC_BUTTON_PARAMS));
         EXPECT_EQ(g_folder, Text(d, IDC_BUTTON_WORK_DIR));
     }, IDOK, [](SettingsDialog& t) { EXPECT_EQ(Resource(IDI_PROGRAM), t.Shows(B(7))); }},
    {"SpinCountsDownwardsOnItsUpperArrowAndWrapsAndEscInTheNameFieldKeepsTheDialog", IDC_GROUP_BUTTON, [](HWND d) {
         SendDlgItemMessageW(d, IDC_GROUP_NAME, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
         Idle(d);
         EXPECT_TRUE(IsWindowVisible(d));
         EXPECT_EQ(L" 3", Text(d, IDC_GROUP_COUNT));
         ClickSpin(d, true);
         EXPECT_EQ(L"2", Text(d, IDC_GROUP_COUNT));
         SendDlgItemMessageW(d, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, 10);
         ClickSpin(d, false);
         EXPECT_EQ(1, LOWORD(Item(d, IDC_GROUP_COUNT_SPIN, UDM_GETPOS)));
         ClickSpin(d, true);
         EXPECT_EQ(10, LOWORD(Item(d, IDC_GROUP_COUNT_SPIN, UDM_GETPOS)));
     }, IDC_GROUP_CANCEL},
    {"ACountTheSpinCannotTakeKeepsTheLastTheProgramAsSourceStartsAtZeroAndANameAndChosenIconAreSaved", IDC_GROUP_BUTTON,
     [](HWND d) {
         SetDlgItemTextW(d, IDC_GROUP_COUNT, L"50");
         SetDlgItemTextW(d, IDC_GROUP_NAME, L"ゲーム");
         Slide(d, 4);
         SendDlgItemMessageW(d, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 1, 0);  // this program
         SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_ICON_SOURCE_LIST, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ICON_SOURCE_LIST)));
         EXPECT_EQ(0, Item(d, IDC_ICON_SLIDER, TBM_GETPOS));
         Press(d, IDC_ICON_PREVIEW);
         HWND chooser = WaitForDialog(kChooser);
         HWND list = GetDlgItem(chooser, IDC_ICON_CHOOSER_LIST);
         SendMessageW(list, LB_SETCURSEL, 4, 0);
         SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_ICON_CHOOSER_LIST, LBN_DBLCLK), LPARAM(list));
         EXPECT_TRUE(WaitGone(chooser));
         SwitchGroups(d);
     }, IDOK, [](SettingsDialog& t) {
         EXPECT_EQ(3, t.Saved()->settings.groupCount);
         EXPECT_EQ(L"ゲーム", Decoded(t.Saved()->groups[0].group.name));
         EXPECT_EQ(t.program_, Decoded(t.Saved()->groups[0].group.iconFile));
         EXPECT_EQ(4, t.Saved()->groups[0].group.iconIndex);
     }},
};
INSTANTIATE_TEST_SUITE_P(Rows, SettingsDialog, ::testing::ValuesIn(kDialogs), RowName);

}  // namespace
