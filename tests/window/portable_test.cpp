// Buttons that travel with the launcher, and system hotkeys it cannot have.
#include "support/launcher.h"

#include "app/tray_icon.h"
#include "bar/bar_geometry.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

using namespace support;

namespace {

constexpr int kButton1 = IDC_FIRST_LAUNCHER;
constexpr char kNotice[] = "ぽてまるのお知らせ";
constexpr char kRefused[] = "このキーの組み合わせは、ほかのソフトが先に使ってるみたいで、ホットキーにできないのら！\n"
                            "ふつうのショートカットキーのままにしておくろ。";

// A stored file and working folder, where <R> is the launcher's folder without its drive.
struct LaunchCase {
    const char* file;
    const char* folder;
    bool starts;  // in <launcher's folder>\tools; otherwise the not-found picture and the failure message
};

class StoredPathLaunch : public LauncherWindow, public ::testing::WithParamInterface<LaunchCase> {
protected:
    std::string Filled(std::string text) const
    {
        const size_t at = text.find("<R>");
        return at == std::string::npos ? text : text.replace(at, 3, folder_.Path().substr(2));
    }
    Recorder recorder_{folder_, "tools\\rec.exe", true};
};

TEST_P(StoredPathLaunch, AClickStartsTheStoredPathAsItIsHere)
{
    data_.Button(0, 0, "rec", Filled(GetParam().file), "", Filled(GetParam().folder));
    Open();
    EXPECT_EQ(GetParam().starts, Shows(kButton1) != Picture::OfResourceIcon(IDI_NOT_FOUND));
    DialogWaiter failure(kNotice, IDOK, {}, GetCurrentProcessId(), nullptr, GetParam().starts ? 0 : 15000);
    Click(kButton1);
    std::string folder;
    if (!GetParam().starts) {
        EXPECT_EQ("起動に失敗したのら！！", failure.Message());
    } else {
        ASSERT_TRUE(recorder_.Started(nullptr, &folder));
        EXPECT_EQ(folder_.File("tools"), folder);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredPathLaunch,
                         ::testing::Values(LaunchCase{"Q:<R>\\tools\\rec.exe", "Q:<R>\\tools", true},
                                           LaunchCase{"%PORUN_DIR%\\tools\\rec.exe", "%PORUN_DIR%\\tools", true},
                                           LaunchCase{"%PORUN_NO_SUCH%\\tools\\rec.exe", "", false}));

// CTRL+SHIFT+F9 (button 3, a system hotkey) and CTRL+SHIFT+F10 (button 4, a plain shortcut) are held elsewhere.
TEST_F(LauncherWindow, AHotkeyHeldElsewhereIsToldOnceMarkedInTheListAndRefusedWhenChosen)
{
    static std::vector<std::string> balloons;
    balloons.clear();
    ASSERT_TRUE(RegisterHotKey(nullptr, 0xBFF1, MOD_CONTROL | MOD_SHIFT, VK_F9));
    ASSERT_TRUE(RegisterHotKey(nullptr, 0xBFF2, MOD_CONTROL | MOD_SHIFT, VK_F10));
    Restore undo{[] {
        UnregisterHotKey(nullptr, 0xBFF1);
        UnregisterHotKey(nullptr, 0xBFF2);
        OverrideNotifyIcon(nullptr);
    }};
    OverrideNotifyIcon([](DWORD message, PNOTIFYICONDATAA icon) -> BOOL {
        if (message == NIM_MODIFY && (icon->uFlags & NIF_INFO))
            balloons.push_back(std::string(icon->szInfoTitle) + "|" + icon->szInfo);
        return TRUE;
    });
    data_.Button(0, 2, "Editor", folder_.Path()).Button(0, 3, "Memo", folder_.Path());
    shortcuts_ = ShortcutLines(0, 2, VK_F9, 3, 1) + ShortcutLines(0, 3, VK_F10, 3, 0) + ActiveLines(0, 0);
    Open();
    ASSERT_EQ(1u, balloons.size());
    EXPECT_EQ(0u, balloons[0].find("=(+.+)= 使えないホットキーがあるのら！|"));
    EXPECT_NE(std::string::npos, balloons[0].find("\nCTRL+SHIFT+F9 → Editor"));
    EXPECT_EQ(std::string::npos, balloons[0].find("Memo"));  // a plain shortcut loses nothing

    // Checking the box of a combination held elsewhere says so, and the box goes off again.
    auto refused = [](HWND dialog, int box) {
        CheckDlgButton(dialog, box, BST_CHECKED);
        DialogWaiter told(kNotice, IDOK, {}, GetCurrentProcessId(), dialog);
        Press(dialog, box);
        EXPECT_EQ(kRefused, told.Message());
        Idle(dialog);
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, box));
    };
    DialogWaiter list("ショートカットキーの設定", IDCANCEL, [&](HWND dialog) {
        HWND rows = GetDlgItem(dialog, IDC_SHORTCUT_LIST);
        auto mark = [rows](int row) {
            char text[16] = "";
            ListView_GetItemText(rows, row, 3, text, sizeof text);
            return std::string(text);
        };
        EXPECT_EQ("×", mark(1));  // under the search window's row
        ListView_SetItemState(rows, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(rows, 2, LVIS_SELECTED, LVIS_SELECTED);
        refused(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        EXPECT_EQ("", mark(2));
    });
    RightClick(kButton1 + 2, IDM_BUTTON_SHORTCUTS);
    EXPECT_TRUE(list.Seen());
    DialogWaiter settings("第 4ボタンの設定", IDCANCEL, [&](HWND dialog) { refused(dialog, IDC_BUTTON_SYSTEM_HOTKEY); });
    RightClick(kButton1 + 3, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(settings.Seen());
}

}  // namespace
