// The first rows of the window tables, written on tests/support: each drives
// the real window as a user does and watches what the user sees.
#include "support/launcher.h"

#include "bar/bar_geometry.h"
#include "dialogs/file_browser.h"
#include "dialogs/key_capture_dialog.h"
#include "menus/launcher_menus.h"
#include "resources/resource_ids.h"

using namespace support;

namespace {

constexpr int kButton1 = IDC_FIRST_LAUNCHER;
constexpr char kSettingsCaption[] = "ボタンの設定";
constexpr int kTitleEdit = 1000;  // of the button settings dialog
constexpr int kFolderEdit = 1003;
constexpr int kFileEdit = 1004;
constexpr int kBrowseButton = 1006;
constexpr int kKeyButton = 1021;
constexpr int kKeyText = 1023;
constexpr int kOptionsEdit = 1033;

class SupportedWindow : public LauncherWindow {
protected:
    Recorder recorder_{folder_, "tools\\rec.exe", true};
};

TEST_F(SupportedWindow, RightClickAndSettingsOpenTheDialogOfThatButton)
{
    Open();
    DialogWaiter dialog(kSettingsCaption, IDCANCEL);
    RightClick(kButton1 + 3, IDM_BUTTON_SETTINGS);
    EXPECT_EQ("=(o.o)= 第 4ボタンの設定、なのら。", dialog.Caption());
}

TEST_F(SupportedWindow, ClearAnsweredYesEmptiesTheButtonAndItsRecord)
{
    data_.Button(0, 2, "Editor", recorder_.Path());
    Open();
    DialogWaiter question("ぽてまるの質問", IDYES);
    RightClick(kButton1 + 2, IDM_CLEAR_BUTTON);
    EXPECT_EQ("Editor の設定を削除しちゃうのら？", question.Message());
    EXPECT_EQ(Picture::OfResourceIcon(IDI_EMPTY_BUTTON), Shows(kButton1 + 2));
    Close();
    EXPECT_STREQ("", Saved()->At(0, 2).file);
}

TEST_F(SupportedWindow, ShiftClickOpensTheSettingsOfAFilledButtonWithoutStartingIt)
{
    data_.Button(0, 1, "Editor", recorder_.Path());
    Open();
    DialogWaiter dialog(kSettingsCaption, IDCANCEL, [](HWND d) { EXPECT_EQ("Editor", Text(d, kTitleEdit)); });
    Click(kButton1 + 1, {VK_SHIFT});
    EXPECT_EQ("=(o.o)= 第 2ボタンの設定、なのら。", dialog.Caption());
    EXPECT_FALSE(recorder_.StartedYet());
}

TEST_F(SupportedWindow, KeysPostedToTheCapturePromptBecomeTheButtonsShortcut)
{
    Open();
    std::string shown;
    DialogWaiter dialog(kSettingsCaption, IDCANCEL, [&](HWND settings) {
        Press(settings, kKeyButton);
        HWND capture = WaitForDialog("ショートカットキーの登録");
        HWND prompt = GetDlgItem(capture, IDC_KEY_CAPTURE_PROMPT);
        PostKeys(prompt, {}, VK_RETURN);  // refused: the capture goes on
        PostKeys(prompt, {VK_CONTROL, VK_MENU}, 'K');
        EXPECT_TRUE(WaitGone(capture));
        Idle(settings);
        shown = Text(settings, kKeyText);
    });
    Click(kButton1);
    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ("CTRL+ALT+K", shown);
}

TEST_F(SupportedWindow, AClickStartsTheProgramWithItsOptionsInItsFolderAndFoldsTheBar)
{
    data_.Button(0, 0, "rec", recorder_.Path(), "-a \"two words\"", folder_.Path());
    Open();
    ASSERT_TRUE(Expanded());
    Click(kButton1);
    std::string commandLine, currentFolder;
    ASSERT_TRUE(recorder_.Started(&commandLine, &currentFolder));
    EXPECT_EQ(" -a \"two words\"", commandLine.substr(commandLine.size() - 15));
    EXPECT_EQ(folder_.Path(), currentFolder);
    EXPECT_FALSE(Expanded());
}

TEST_F(SupportedWindow, CtrlAndAPlainShortcutKeyStartTheButton)
{
    data_.Button(2, 7, "rec", recorder_.Path());
    shortcuts_ = ShortcutLines(2, 7, VK_F8, 2, 0) + ActiveLines(0, 0);
    Open();
    Key(VK_F8, {VK_CONTROL});
    EXPECT_TRUE(recorder_.Started());
}

TEST_F(SupportedWindow, ASystemHotkeyIsHeldWhileTheWindowLivesAndStartsItsButton)
{
    data_.Button(3, 4, "rec", recorder_.Path());
    shortcuts_ = ShortcutLines(3, 4, VK_F11, 3, 1) + ActiveLines(0, 0);
    Open();
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11));
    ASSERT_TRUE(PressChord({VK_CONTROL, VK_SHIFT}, VK_F11));
    EXPECT_TRUE(recorder_.Started());
    Close();
    EXPECT_FALSE(HotkeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11));
}

TEST_F(SupportedWindow, TheTipNamesTheButtonAndItsShortcut)
{
    data_.Button(0, 0, "Editor", recorder_.Path());
    shortcuts_ = ShortcutLines(0, 0, 'E', 3, 0) + ActiveLines(0, 0);
    Open();
    EXPECT_EQ("Editor (CTRL+SHIFT+E)", Tip(kButton1));
}

TEST_F(SupportedWindow, AButtonShowsTheIconItsRecordNames)
{
    const std::string icons = folder_.File("icons.exe");
    ASSERT_TRUE(MakeFileWithIcons(icons, 3));
    data_.Button(0, 0, "icons", icons, "", "", icons, 2);
    Open();
    EXPECT_EQ(Picture::OfFileIcon(icons, 2), Shows(kButton1));
    EXPECT_NE(Picture::OfFileIcon(icons, 1), Shows(kButton1));
}

TEST_F(SupportedWindow, ADroppedProgramIsProposedOnAnEmptyButton)
{
    Open();
    DialogWaiter dialog(kSettingsCaption, IDCANCEL, [](HWND d) { EXPECT_EQ("rec", Text(d, kTitleEdit)); });
    Drop({recorder_.Path()}, kButton1 + 5);
    EXPECT_EQ("=(o.o)= 第 6ボタンの設定、なのら。", dialog.Caption());
}

TEST_F(SupportedWindow, AShortcutFileChosenByBrowsingFillsInItsTargetItsOptionsAndTheTargetsFolder)
{
    static std::string chosen;
    chosen = folder_.File("rec.lnk");
    ASSERT_TRUE(MakeShellLink(chosen, recorder_.Path(), "-n", folder_.Path()));
    Restore browse{[] { OverrideOpenFileDialog(nullptr); }};
    OverrideOpenFileDialog([](LPOPENFILENAMEW open) {
        const int written = MultiByteToWideChar(CP_ACP, 0, chosen.c_str(), -1, open->lpstrFile,
                                                static_cast<int>(open->nMaxFile));
        return BOOL(written > 0);
    });
    Open();
    std::vector<std::string> fields;
    DialogWaiter dialog(kSettingsCaption, IDCANCEL, [&](HWND d) {
        Press(d, kBrowseButton, true);
        fields = {Text(d, kFileEdit), Text(d, kOptionsEdit), Text(d, kFolderEdit)};
    });
    Click(kButton1);
    EXPECT_EQ(std::vector<std::string>({recorder_.Path(), "-n", FolderOf(recorder_.Path())}), fields);
}

TEST_F(SupportedWindow, DraggedOverTheNextArrowAButtonMovesIntoTheNextGroup)
{
    data_.Button(0, 0, "rec", recorder_.Path());
    Open();
    Drag(kButton1, {{IDC_NEXT_GROUP, 0, 2}, {kButton1 + 5}});
    const std::optional<DataImage> saved = Saved();
    ASSERT_TRUE(saved);
    EXPECT_STREQ("rec", saved->At(1, 5).title);
    EXPECT_STREQ("", saved->At(0, 0).title);
}

TEST_F(SupportedWindow, TheTrayMenuIsSkinnedChecksAlwaysOnTopAndChoosingItLetsGo)
{
    ASSERT_TRUE(WriteBmp(folder_.File("menuforeground.bmp"), 4, 4, [](int, int) { return RGB(10, 200, 30); }));
    data_.settings.alwaysOnTop = 1;
    Open();
    ASSERT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const OpenMenu menu = Tray(WM_RBUTTONUP, IDM_ALWAYS_ON_TOP);
    ASSERT_TRUE(menu.opened);
    ASSERT_EQ(2u, menu.states.size());
    EXPECT_TRUE(menu.states[0] & MF_CHECKED);
    const RECT& item = menu.rects[1];
    EXPECT_EQ(RGB(10, 200, 30), menu.picture.At(item.right - 3, (item.top + item.bottom) / 2));
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
