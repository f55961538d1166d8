// The settings dialogs of a button and of the groups, and the icon chooser they open.
#include "window/window_test.h"

#include "dialogs/file_browser.h"
#include "support/kept_path.h"

#include <commctrl.h>
#include <dlgs.h>

#include <filesystem>

using namespace window_test;

namespace {

constexpr char kChooser[] = "アイコンを選択するんら";

void Slide(HWND d, int position)
{
    HWND slider = GetDlgItem(d, IDC_ICON_SLIDER);
    SendMessageA(slider, TBM_SETPOS, TRUE, position);
    SendMessageA(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

LRESULT Item(HWND d, int id, UINT message) { return SendDlgItemMessageA(d, id, message, 0, 0); }

void ClickSpin(HWND d, bool up)  // a click on the spin's upper or lower arrow
{
    HWND spin = GetDlgItem(d, IDC_GROUP_COUNT_SPIN);
    RECT rect = {};
    GetClientRect(spin, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
}

void SwitchGroups(HWND d)  // d open: as the hover timer over an arrow, the group menu and a digit key would
{
    for (const auto& [message, id] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDC_NEXT_GROUP},
                                      {WM_COMMAND, IDM_FIRST_GROUP + 1}, {WM_KEYDOWN, '2'}})
        SendMessageA(GetWindow(d, GW_OWNER), message, id, 0);
}

std::string g_folder;    // the program's folder of the running row
std::wstring g_chosen;  // what the file browser returns; empty: cancelled
BOOL WINAPI Browser(LPOPENFILENAMEW open)
{
    lstrcpynW(open->lpstrFile, g_chosen.c_str(), static_cast<int>(open->nMaxFile));
    return !g_chosen.empty();
}

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
    std::string TipOnceRewritten(int id) { return Command(IDM_FIRST_GROUP), Tip(id); }  // showing a group rewrites tips
};

TEST_P(SettingsDialog, ShowsAndStoresWhatTheUserChose)
{
    Restore undo{[] { OverrideOpenFileDialog(nullptr), OverrideShortPathLookup(nullptr), g_chosen.clear(); }};
    OverrideOpenFileDialog(Browser);
    g_folder = folder_.Path();
    data_.settings.groupCount = 3;
    const std::string program = folder_.File("porun.exe");
    data_.Button(0, 2, "Porun", program, "-x", folder_.Path()).Button(0, 3, "Four", program);
    data_.Button(0, 4, "Five", program);
    shortcuts_ = ShortcutLines(0, 2, 'A', 7, 1) + ShortcutLines(0, 3, VK_F7, 0, 1) + ShortcutLines(0, 4, 'S', 2, 0) +
                 ActiveLines(VK_SPACE, 6);
    ASSERT_FALSE(CopyInto(BuildFile(PORUN_RECORDER_ICON_PATH), folder_, "five.exe").empty());  // five icons
    Open();
    const char* caption = row().opened == IDC_GROUP_BUTTON ? kGroupDialog : kButtonDialog;
    ASSERT_TRUE(FromMenu(row().opened, IDM_BUTTON_SETTINGS, caption, row().press, row().act));
    if (row().after)
        row().after(*this);
    else
        EXPECT_EQ(data_.Bytes(), ReadBytes(folder_.File("porun.dat")));
}

std::wstring Foreign() { return Wide(g_folder) + L"\\caf\u00e9\ud55c\uad6d.exe"; }  // outside code page 932

const DialogRow kDialogs[] = {
    {"EmptyButtonOffersNoIconChoiceRefusesANameWithoutShortNameAndATitleAloneStoresNothing", B(7), [](HWND d) {
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_BUTTON_BROWSE_ICON)));
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ICON_SOURCE_LIST)));
         OverrideShortPathLookup([](LPCWSTR path, LPWSTR shortPath, DWORD size) -> DWORD {
             lstrcpynW(shortPath, path, static_cast<int>(size));  // a volume without 8.3 names
             return static_cast<DWORD>(lstrlenW(path));
         });
         g_chosen = Foreign();
         CopyFileW(Wide(g_folder + "\\porun.exe").c_str(), g_chosen.c_str(), FALSE);
         DialogWaiter refusal(kNotice, IDOK, {}, GetCurrentProcessId(), d);
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_TRUE(refusal.Seen());
         EXPECT_EQ("", Text(d, IDC_BUTTON_FILE));
         SetDlgItemTextA(d, IDC_BUTTON_TITLE, "a title only");
     }, IDOK},
    {"ABrowsedIconFileStartsAtItsFirstIconTheSliderStoresThreeAndTheSystemMarkIsUnchecked", B(2), [](HWND d) {
         Slide(d, 3);
         g_chosen = Wide(g_folder + "\\five.exe");
         Press(d, IDC_BUTTON_BROWSE_ICON, true);
         EXPECT_EQ(g_folder + "\\five.exe", Text(d, IDC_BUTTON_ICON_FILE));
         EXPECT_EQ(4, Item(d, IDC_ICON_SLIDER, TBM_GETRANGEMAX));
         EXPECT_EQ(0, Item(d, IDC_ICON_SLIDER, TBM_GETPOS));
         Slide(d, 3);
         EXPECT_EQ("アイコン&No. 3", Text(d, IDC_ICON_NUMBER));
         EXPECT_EQ("CTRL+SHIFT+ALT+A", Text(d, IDC_BUTTON_SHORTCUT_TEXT));
         EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_BUTTON_SYSTEM_HOTKEY));
         Toggle(d, IDC_BUTTON_SYSTEM_HOTKEY);
         SwitchGroups(d);
     }, IDOK, [](SettingsDialog& t) {
         EXPECT_EQ(GroupPicture(0), t.Shows(IDC_GROUP_BUTTON));
         EXPECT_EQ(Picture::OfFileIcon(g_folder + "\\five.exe", 3), t.Shows(B(2)));
         EXPECT_EQ("Porun (CTRL+SHIFT+ALT+A)", t.Tip(B(2)));
         EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'A'));
         EXPECT_EQ(3, t.Saved()->At(0, 2).iconIndex);
         EXPECT_EQ(g_folder + "\\five.exe", t.Saved()->At(0, 2).iconFile);
         EXPECT_STREQ("-x", t.Saved()->At(0, 2).params);
     }},
    {"TheSystemsFileBrowserLeavesTheProgramInItsFolder", B(3), [](HWND d) {
         OverrideOpenFileDialog(nullptr);
         const std::filesystem::path before = std::filesystem::current_path();
         DialogWaiter browser("ボタンに関連付ける", IDOK,
                              [](HWND b) { SetDlgItemTextA(b, cmb13, (g_folder + "\\five.exe").c_str()); });
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_EQ(g_folder + "\\five.exe", Text(d, IDC_BUTTON_FILE));
         EXPECT_EQ(before, std::filesystem::current_path());
     }, IDCANCEL},
    {"CancelPutsTheCapturedShortcutBackOnItsButtonWhateverGroupIsAskedFor", B(4), [](HWND d) {
         CaptureBy(d, IDC_BUTTON_KEY, {{VK_CONTROL, 'T'}});
         SwitchGroups(d);
     }, IDCANCEL, [](SettingsDialog& t) { EXPECT_EQ("Five (CTRL+S)", t.TipOnceRewritten(B(4))); }},
    {"TheCloseBoxKeepsTheCapturedShortcut", B(4), [](HWND d) {
         CaptureBy(d, IDC_BUTTON_KEY, {{VK_CONTROL, 'T'}});
         PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
     }, 0, [](SettingsDialog& t) { EXPECT_EQ("Five (CTRL+T)", t.TipOnceRewritten(B(4))); }},
    {"ABrowsedLinkProposesItsTargetAndANameOutsideTheCodePageIsKeptByItsShortName", B(7), [](HWND d) {
         g_chosen = Wide(g_folder + "\\rec.lnk");
         ASSERT_TRUE(MakeShellLink(g_folder + "\\rec.lnk", g_folder + "\\porun.exe", "-n", g_folder));
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_EQ(g_folder + "\\porun.exe", Text(d, IDC_BUTTON_FILE));
         EXPECT_EQ("-n", Text(d, IDC_BUTTON_PARAMS));
         EXPECT_EQ(g_folder, Text(d, IDC_BUTTON_WORK_DIR));
         g_chosen = Foreign();
         CopyFileW(Wide(g_folder + "\\porun.exe").c_str(), g_chosen.c_str(), FALSE);
         Press(d, IDC_BUTTON_BROWSE_FILE, true);
         EXPECT_TRUE(Exists(Text(d, IDC_BUTTON_FILE))) << Text(d, IDC_BUTTON_FILE);
     }, IDOK, [](SettingsDialog& t) { EXPECT_EQ(Resource(IDI_PROGRAM), t.Shows(B(7))); }},
    {"SpinCountsDownwardsOnItsUpperArrowAndWrapsAndEscInTheNameFieldKeepsTheDialog", IDC_GROUP_BUTTON, [](HWND d) {
         SendDlgItemMessageA(d, IDC_GROUP_NAME, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
         Idle(d);
         EXPECT_TRUE(IsWindowVisible(d));
         EXPECT_EQ(" 3", Text(d, IDC_GROUP_COUNT));
         ClickSpin(d, true);
         EXPECT_EQ("2", Text(d, IDC_GROUP_COUNT));
         SendDlgItemMessageA(d, IDC_GROUP_COUNT_SPIN, UDM_SETPOS, 0, 10);
         ClickSpin(d, false);
         EXPECT_EQ(1, LOWORD(Item(d, IDC_GROUP_COUNT_SPIN, UDM_GETPOS)));
         ClickSpin(d, true);
         EXPECT_EQ(10, LOWORD(Item(d, IDC_GROUP_COUNT_SPIN, UDM_GETPOS)));
     }, IDC_GROUP_CANCEL},
    {"ACountTheSpinCannotTakeKeepsTheLastTheProgramAsSourceStartsAtZeroAndANameAndChosenIconAreSaved", IDC_GROUP_BUTTON,
     [](HWND d) {
         SetDlgItemTextA(d, IDC_GROUP_COUNT, "50");
         SetDlgItemTextA(d, IDC_GROUP_NAME, "ゲーム");
         Slide(d, 4);
         SendDlgItemMessageA(d, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, 1, 0);  // this program
         SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ICON_SOURCE_LIST, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ICON_SOURCE_LIST)));
         EXPECT_EQ(0, Item(d, IDC_ICON_SLIDER, TBM_GETPOS));
         Press(d, IDC_ICON_PREVIEW);
         HWND chooser = WaitForDialog(kChooser);
         HWND list = GetDlgItem(chooser, IDC_ICON_CHOOSER_LIST);
         SendMessageA(list, LB_SETCURSEL, 4, 0);
         SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_ICON_CHOOSER_LIST, LBN_DBLCLK), LPARAM(list));
         EXPECT_TRUE(WaitGone(chooser));
         SwitchGroups(d);
     }, IDOK, [](SettingsDialog& t) {
         EXPECT_EQ(3, t.Saved()->settings.groupCount);
         EXPECT_STREQ("ゲーム", t.Saved()->data.groups[0].group.name);
         EXPECT_EQ(t.program_, t.Saved()->data.groups[0].group.iconFile);
         EXPECT_EQ(4, t.Saved()->data.groups[0].group.iconIndex);
     }},
};
INSTANTIATE_TEST_SUITE_P(Rows, SettingsDialog, ::testing::ValuesIn(kDialogs), RowName);

}  // namespace
