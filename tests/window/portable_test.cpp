// System hotkeys the launcher cannot have: told once, marked in the list, refused when chosen.
#include "window/window_test.h"

#include "app/tray_icon.h"

#include <commctrl.h>

using namespace window_test;

namespace {

// CTRL+SHIFT+F9 (button 3, a system hotkey) and CTRL+SHIFT+F10 (button 4, a plain shortcut) are held elsewhere.
class HeldElsewhere : public Window {};

TEST_F(HeldElsewhere, AHotkeyHeldElsewhereIsToldOnceMarkedInTheListAndRefusedWhenChosen)
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
        EXPECT_EQ("このキーの組み合わせは、ほかのソフトが先に使ってるみたいで、ホットキーにできないのら！\n"
                  "ふつうのショートカットキーのままにしておくろ。", told.Message());
        Idle(dialog);
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, box));
    };
    DialogWaiter list("ショートカットキーの設定", IDCANCEL, [&](HWND dialog) {
        HWND rows = GetDlgItem(dialog, IDC_SHORTCUT_LIST);
        auto mark = [rows](int number) {  // of button number's row
            LVFINDINFOA find = {LVFI_PARAM, nullptr, number};
            char text[16] = "";
            ListView_GetItemText(rows, ListView_FindItem(rows, -1, &find), 3, text, sizeof text);
            return std::string(text);
        };
        EXPECT_EQ("×", mark(2));
        ListView_SetItemState(rows, -1, 0, LVIS_SELECTED);
        LVFINDINFOA memo = {LVFI_PARAM, nullptr, 3};
        ListView_SetItemState(rows, ListView_FindItem(rows, -1, &memo), LVIS_SELECTED, LVIS_SELECTED);
        refused(dialog, IDC_SHORTCUT_SYSTEM_HOTKEY);
        EXPECT_EQ("", mark(3));
    });
    RightClick(B(2), IDM_BUTTON_SHORTCUTS);
    EXPECT_TRUE(list.Seen());
    DialogWaiter settings("第 4ボタンの設定", IDCANCEL, [&](HWND dialog) { refused(dialog, IDC_BUTTON_SYSTEM_HOTKEY); });
    RightClick(B(3), IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(settings.Seen());
}

}  // namespace
