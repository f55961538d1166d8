// The icon chooser and the reading of shell links.
#include "common/test_support.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/shell_link.h"
#include "resources/resource_ids.h"
#include "window/dialog_driver.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

namespace {

using namespace drive;

constexpr char kChooserCaption[] = "アイコンを選択するんら";

TEST(IconChooser, FiveIconsWithTheThirdPreselectedAndDoubleClickOnTheFifth)
{
    TempFolder folder;
    const std::string file = folder.File("five.exe");
    ASSERT_TRUE(MakeFileWithIcons(file, 5));

    int count = -1, selected = -1;
    int lightRedOnSelected = 0, lightRedOnOther = 0, redInsideSelected = 0, windowOnOther = 0;
    DialogDriver driver(kChooserCaption, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_ICON_CHOOSER_LIST);
        count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        // The outer frame of the selected cell is light red (the focus
        // rectangle inverts every other pixel of it), the inner one red.
        lightRedOnSelected = CountColour(ItemColumnColours(list, 2, 0), RGB(255, 128, 128));
        redInsideSelected = CountColour(ItemColumnColours(list, 2, 1), RGB(255, 0, 0));
        lightRedOnOther = CountColour(ItemColumnColours(list, 1, 0), RGB(255, 128, 128));
        windowOnOther = CountColour(ItemColumnColours(list, 1, 0), GetSysColor(COLOR_WINDOW));
        DoubleClickItem(list, 4);
    });
    const int result = ChooseIcon(nullptr, file.c_str(), 2);
    driver.Join();
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(5, count);
    EXPECT_EQ(2, selected);
    EXPECT_GE(lightRedOnSelected, kIconCellSize / 2 - 1);
    EXPECT_GE(redInsideSelected, kIconCellSize - 4);
    EXPECT_EQ(0, lightRedOnOther);
    EXPECT_EQ(kIconCellSize, windowOnOther);
    EXPECT_EQ(4, result);
}

TEST(IconChooser, CancelReturnsMinusOne)
{
    TempFolder folder;
    const std::string file = folder.File("five.exe");
    ASSERT_TRUE(MakeFileWithIcons(file, 5));
    DialogDriver driver(kChooserCaption, [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    EXPECT_EQ(-1, ChooseIcon(nullptr, file.c_str(), 3));
    driver.Join();
    EXPECT_TRUE(driver.Ran());
}

TEST(IconChooser, TheCloseBoxReturnsMinusOne)
{
    TempFolder folder;
    const std::string file = folder.File("five.exe");
    ASSERT_TRUE(MakeFileWithIcons(file, 5));
    DialogDriver driver(kChooserCaption, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(-1, ChooseIcon(nullptr, file.c_str(), 1));
    driver.Join();
    EXPECT_TRUE(driver.Ran());
}

TEST(IconChooser, OkTakesTheSelectionMovedByTheKeyboard)
{
    TempFolder folder;
    const std::string file = folder.File("five.exe");
    ASSERT_TRUE(MakeFileWithIcons(file, 5));
    DialogDriver driver(kChooserCaption, [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_ICON_CHOOSER_LIST, LB_SETCURSEL, 1, 0);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(1, ChooseIcon(nullptr, file.c_str(), 0));
    driver.Join();
}

TEST(IconChooser, AFileWithoutIconsGivesAnEmptyListAndOkReturnsMinusOne)
{
    TempFolder folder;
    const std::string file = folder.File("plain.txt");
    ASSERT_TRUE(WriteFileBytes(file, "no icons here"));
    int count = -1;
    DialogDriver driver(kChooserCaption, [&](HWND dialog) {
        count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_CHOOSER_LIST, LB_GETCOUNT, 0, 0));
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(-1, ChooseIcon(nullptr, file.c_str(), 0));
    driver.Join();
    EXPECT_EQ(0, count);
}

TEST(IconChooser, AnEmptyPathOpensNothing)
{
    EXPECT_EQ(-1, ChooseIcon(nullptr, "", 0));
    EXPECT_EQ(-1, ChooseIcon(nullptr, nullptr, 0));
    EXPECT_EQ(nullptr, FindProcessDialog(kChooserCaption));
}

// A window with the two edits a link fills.
class LinkTarget {
public:
    LinkTarget()
    {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        for (int id : {IDC_BUTTON_PARAMS, IDC_BUTTON_WORK_DIR})
            CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 90, 20, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
    ~LinkTarget() { DestroyWindow(window_); }
    HWND Window() const { return window_; }
    std::string Text(int id) const
    {
        char text[300] = "";
        GetDlgItemTextA(window_, id, text, sizeof text);
        return text;
    }

private:
    HWND window_;
};

TEST(ShellLink, ALinkResolvesToItsTargetArgumentsAndFolder)
{
    TempFolder folder;
    const std::string target = folder.File("tool.exe");
    ASSERT_TRUE(CopyFileA(BuiltProgramPath().c_str(), target.c_str(), FALSE));
    const std::string link = folder.File("tool.lnk");
    ASSERT_TRUE(MakeShellLink(link, target, "-n \"two words\"", folder.Path()));

    LinkTarget dialog;
    char path[270];
    lstrcpyA(path, link.c_str());
    ASSERT_TRUE(ResolveShellLink(dialog.Window(), path));
    EXPECT_EQ(0, lstrcmpiA(target.c_str(), path)) << path;
    EXPECT_EQ("-n \"two words\"", dialog.Text(IDC_BUTTON_PARAMS));
    EXPECT_EQ(0, lstrcmpiA(folder.Path().c_str(), dialog.Text(IDC_BUTTON_WORK_DIR).c_str()));
}

TEST(ShellLink, AFileThatIsNoLinkFailsAndKeepsThePath)
{
    TempFolder folder;
    const std::string link = folder.File("broken.lnk");
    ASSERT_TRUE(WriteFileBytes(link, std::string("L\0\0\0garbage that is no shell link", 36)));
    LinkTarget dialog;
    char path[270];
    lstrcpyA(path, link.c_str());
    EXPECT_FALSE(ResolveShellLink(dialog.Window(), path));
    EXPECT_EQ(link, std::string(path));
}

TEST(ShellLink, AMissingLinkFileFails)
{
    TempFolder folder;
    LinkTarget dialog;
    char path[270];
    lstrcpyA(path, folder.File("nothing.lnk").c_str());
    EXPECT_FALSE(ResolveShellLink(dialog.Window(), path));
}

TEST(ShellLink, LinkNamesAreToldByTheirLastThreeCharacters)
{
    EXPECT_TRUE(IsShellLinkPath("C:\\a.lnk"));
    EXPECT_TRUE(IsShellLinkPath("C:\\A.LNK"));
    EXPECT_TRUE(IsShellLinkPath("xlnk"));
    EXPECT_FALSE(IsShellLinkPath("lnk"));
    EXPECT_FALSE(IsShellLinkPath("C:\\a.lnk.exe"));
    EXPECT_FALSE(IsShellLinkPath(""));
    EXPECT_FALSE(IsShellLinkPath(nullptr));
}

}  // namespace
