// Writes the pictures of the README and the help from the real window opened
// in this process, each window or menu once it is shown and painted:
//   porun_screens.exe FOLDER [--gtest_filter=Screens.Bar*]   writes FOLDER\<picture>.bmp
// On a screen at another scale than 100 % each name ends in the scale
// (bar_150.bmp at 144 DPI).
// Each case below makes one set of pictures; the screenshot scripts choose
// theirs with the filter and turn the BMP files into docs/screenshots/*.png.
#include "support/launcher.h"

#include "app/main_window.h"
#include "bar/bar_geometry.h"
#include "dialogs/icon_preview.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/shortcut_settings_dialog.h"
#include "menus/launcher_menus.h"
#include "archive/archive_messages.h"
#include "archive/archive_name_dialog.h"
#include "archive/progress_dialog.h"
#include "resources/resource_ids.h"
#include "support/display_scale.h"
#include "support/messages.h"

#include <commctrl.h>

using namespace support;

namespace {

std::string g_folder;

// A 32-bit canvas that pixels are copied onto and that is written as a BMP file.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    void Copy(HDC source, int sourceX, int sourceY, int x, int y, int width, int height)
    {
        BitBlt(dc_, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
        GdiFlush();
    }
    void Save(const char* name) const
    {
        std::string file = g_folder + "\\" + name;
        if (SystemDpi() != kBaseDpi)
            file += "_" + std::to_string(ScaleForDpi(100, SystemDpi()));
        const bool ok = WriteBmp(file + ".bmp", width_, height_, [this](int x, int y) {
            const DWORD v = bits_[y * width_ + x];
            return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        });
        EXPECT_TRUE(ok) << name;
    }

private:
    int width_;
    int height_;
    DWORD* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// The window with its frame as it paints itself now and, around it, margin
// pixels (left, top, right, bottom) of what the screen shows there.
void SaveWindow(HWND window, const char* name, RECT margin = {})
{
    ASSERT_TRUE(window) << name;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Canvas canvas(margin.left + width + margin.right, margin.top + height + margin.bottom);
    HDC screen = GetDC(nullptr);
    canvas.Copy(screen, rect.left - margin.left, rect.top - margin.top, 0, 0, margin.left + width + margin.right,
                margin.top + height + margin.bottom);
    ReleaseDC(nullptr, screen);
    HDC own = GetWindowDC(window);
    canvas.Copy(own, 0, 0, margin.left, margin.top, width, height);
    ReleaseDC(window, own);
    canvas.Save(name);
}

// A button dialog as pictured so far: with a pixel of the desktop left of and below it.
void SaveDialog(HWND dialog, const char* name)
{
    SaveWindow(dialog, name, {1, 0, 0, 1});
}

// A menu's window with its frame, while it is open.
std::function<void(const OpenMenu&)> MenuPicture(const char* name)
{
    return [name](const OpenMenu& menu) { SaveWindow(menu.window, name); };
}

class Screens : public LauncherWindow {
protected:
    // Right-clicks a bar control and saves the menu that opens.
    void SaveMenu(int controlId, const char* name)
    {
        HWND control = GetDlgItem(window_, controlId);
        EXPECT_TRUE(WhileMenuOpen(
                        window_, [&] { SendMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0); },
                        0, MenuPicture(name))
                        .opened)
            << name;
    }
    void SaveTrayMenu(const char* name, UINT choose = 0)
    {
        EXPECT_TRUE(WhileMenuOpen(
                        window_, [&] { SendMessageA(window_, WM_TRAYNOTIFY, 1, WM_RBUTTONUP); }, choose,
                        MenuPicture(name))
                        .opened)
            << name;
    }
};

TEST_F(Screens, BarAndButtonDialogs)
{
    // The pictured files live in a folder of a plain name, shown in the dialog.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string place = std::string(temp) + "porun-screens";
    const std::string program = place + "\\porun.exe";
    const std::string tools = place + "\\ツール";
    CreateDirectoryA(place.c_str(), nullptr);
    CreateDirectoryA(tools.c_str(), nullptr);
    const Restore cleanup{[place] { RemoveTree(place); }};
    ASSERT_TRUE(CopyFileA(BuildFile(PORUN_EXE_PATH).c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(program.c_str(), (tools + "\\editor.exe").c_str(), FALSE));
    auto button = [&](int index, const char* title, const std::string& file, const std::string& icon, int iconIndex) {
        data_.Button(0, index, title, file, "/s \"new notes.txt\"", FolderOf(file), icon, iconIndex);
    };
    data_.Group(0, "ツール");
    button(0, "エディタ", tools + "\\editor.exe", "", 0);
    button(1, "ポルン", program, program, 3);
    button(2, "お弁当", program, program, 6);
    button(3, "きのこ", program, program, 8);
    button(4, "消えたファイル", tools + "\\gone.exe", "", 0);
    button(5, "お絵かき", program, program, 10);
    data_.settings.windowX = 120;
    data_.settings.windowY = 60;
    data_.settings.alwaysOnTop = 1;
    shortcuts_ = ShortcutLines(0, 1, 'E', 6, 1);
    Open(SW_SHOWNORMAL);
    RECT bar = {};
    GetWindowRect(window_, &bar);  // pictured as 60 x 470 pixels of the screen at 100 %
    const int dpi = SystemDpi();
    SaveWindow(window_, "bar",
               {ScaleForDpi(7, dpi), ScaleForDpi(4, dpi), ScaleForDpi(53, dpi) - (bar.right - bar.left),
                ScaleForDpi(466, dpi) - (bar.bottom - bar.top)});

    DialogWaiter empty("ボタンの設定", IDCANCEL, [](HWND dialog) { SaveDialog(dialog, "button_dialog_empty"); });
    Click(IDC_FIRST_LAUNCHER + 7);
    EXPECT_TRUE(empty.Seen());
    DialogWaiter filled("ボタンの設定", IDCANCEL, [](HWND dialog) { SaveDialog(dialog, "button_dialog_filled"); });
    RightClick(IDC_FIRST_LAUNCHER + 1, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(filled.Seen());
}

TEST_F(Screens, GroupSettings)
{
    shortcuts_ = ActiveLines(VK_F5, 2);
    Open(SW_SHOWNORMAL);
    DialogWaiter dialog("基本設定", IDC_GROUP_CANCEL, [](HWND d) { SaveWindow(d, "group_settings"); });
    RightClick(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(dialog.Seen());
}

TEST_F(Screens, IconChooser)
{
    const std::string icons = CopyInto(BuildFile(PORUN_RECORDER_ICON_PATH), folder_, "icons.exe");  // five icons
    ASSERT_FALSE(icons.empty());
    data_.Button(0, 0, "icons", icons, "", "", icons, 2);
    Open(SW_SHOWNORMAL);
    DialogWaiter dialog("ボタンの設定", IDCANCEL, [](HWND settings) {
        Press(settings, IDC_ICON_PREVIEW);
        HWND chooser = WaitForDialog("アイコンを選択");
        SaveWindow(chooser, "icon_chooser");
        Press(chooser, IDCANCEL);
        WaitGone(chooser);
    });
    RightClick(IDC_FIRST_LAUNCHER, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(dialog.Seen());
}

TEST_F(Screens, Menus)
{
    data_.Group(0, "いつもの").Button(0, 0, "メモ帳", "C:\\windows\\notepad.exe").Button(0, 9, "最後", "C:\\x.exe");
    data_.settings.groupCount = 4;
    data_.settings.alwaysOnTop = 1;
    Open(SW_SHOWNORMAL);
    SaveMenu(IDC_FIRST_LAUNCHER, "menu_button_menu");
    SaveMenu(kLastLauncherId, "menu_button_menu_last");
    SaveMenu(IDC_FIRST_LAUNCHER + 3, "menu_button_menu_empty");
    SaveMenu(IDC_GROUP_BUTTON, "menu_group_button_menu");
    SaveMenu(IDC_PREVIOUS_GROUP, "menu_group_menu");
    SaveMenu(IDC_NEXT_GROUP, "menu_group_menu_next");
    SaveTrayMenu("menu_tray_menu", IDM_ALWAYS_ON_TOP);
    SaveTrayMenu("menu_tray_menu_off");
}

TEST_F(Screens, SkinnedMenus)
{
    for (const char* name : {"menuforeground.bmp", "menubackground.bmp", "menutitle.bmp"})
        ASSERT_FALSE(CopyInto(SourceFile((std::string("docs/skin/") + name).c_str()), folder_, name).empty());
    data_.Button(0, 1, "ブラウザ", "C:\\x.exe");
    data_.settings.alwaysOnTop = 1;
    Open(SW_SHOWNORMAL);
    SaveMenu(IDC_FIRST_LAUNCHER + 1, "menu_button_menu_skin");
    SaveTrayMenu("menu_tray_menu_skin");
    SaveMenu(IDC_PREVIOUS_GROUP, "menu_group_menu_skin");
}

// The dialogs no other case opens, to look at them at every scale.
TEST_F(Screens, AboutAndArchiveDialogs)
{
    Open(SW_SHOWNORMAL);
    DialogWaiter about("バージョン情報", IDOK, [](HWND d) { SaveWindow(d, "about"); });
    Command(IDM_ABOUT);
    EXPECT_TRUE(about.Seen());
    DialogWaiter name("ZIP書庫の作成", IDCANCEL, [](HWND d) { SaveWindow(d, "archive_name_dialog"); });
    ArchiveNameDialog asked;
    asked.SetName(L"お弁当のレシピ.zip");
    asked.Run(window_);
    EXPECT_TRUE(name.Seen());
    DialogWaiter replace("ぽてまるの質問", IDNO, [](HWND d) { SaveWindow(d, "archive_replace_question"); });
    ShowArchiveMessage(window_, IDS_MSG_ARCHIVE_REPLACE, MB_YESNO | MB_ICONQUESTION, L"お弁当のレシピ.zip");
    EXPECT_TRUE(replace.Seen());
    DialogWaiter room("ぽてまるエラー", IDOK, [](HWND d) { SaveWindow(d, "archive_no_room"); });
    ShowArchiveMessage(window_, IDS_MSG_EXTRACT_NO_ROOM, MB_OK | MB_ICONERROR, L"写真.zip", L"12.3 GB", L"4.0 GB");
    EXPECT_TRUE(room.Seen());
    ProgressDialog progress;
    HWND shown = progress.Show(window_);
    char title[128];
    LoadText(IDS_PACK_TITLE, title, sizeof title);
    progress.SetTitle(title);
    progress.SetText("きのこの炊き込みごはん（お弁当用）のレシピ.txt");
    progress.SetProgress(40);
    Idle(shown);
    SaveWindow(shown, "progress_dialog");
}

TEST_F(Screens, ShortcutListAndKeyCapture)
{
    const std::string program = BuildFile(PORUN_EXE_PATH);
    data_.Button(0, 0, "", program).Button(0, 1, "", program).Button(2, 5, "", program).Button(4, 4, "", program);
    Open(SW_SHOWNORMAL);
    DialogWaiter list("ショートカットキーの設定", IDCANCEL, [](HWND dialog) {
        HWND rows = GetDlgItem(dialog, IDC_SHORTCUT_LIST);
        for (int row = 0; row < ListView_GetItemCount(rows); ++row)
            ListView_SetItemState(rows, row, row >= 1 && row < 4 ? LVIS_SELECTED : 0, LVIS_SELECTED);
        Press(dialog, IDC_SHORTCUT_ASSIGN);
        HWND capture = WaitForDialog("ショートカットキーの登録");
        SaveWindow(capture, "key_capture");
        PostKeys(GetDlgItem(capture, IDC_KEY_CAPTURE_PROMPT), {VK_CONTROL}, VK_F5);
        EXPECT_TRUE(WaitGone(capture));
        Idle(dialog);
        SaveWindow(dialog, "shortcut_settings");
    });
    RightClick(IDC_FIRST_LAUNCHER, IDM_BUTTON_SHORTCUTS);
    EXPECT_TRUE(list.Seen());
}

TEST_F(Screens, Search)
{
    // Programs with icons in a folder of a plain name, shown in the file column.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string place = std::string(temp) + "porun-search";
    CreateDirectoryA(place.c_str(), nullptr);
    const Restore cleanup{[place] { RemoveTree(place); }};
    const std::string program = BuildFile(PORUN_EXE_PATH);
    auto button = [&](int group, int index, const char* title, const char* file, int icon) {
        const std::string path = place + "\\" + file;
        ASSERT_TRUE(CopyFileA(program.c_str(), path.c_str(), FALSE));
        data_.Button(group, index, title, path, "", "", path, icon);
    };
    data_.Group(0, "いつもの").Group(1, "エディタ").Group(2, "おえかき");
    button(0, 0, "メモ帳", "notepad.exe", 1);
    button(1, 0, "秀丸エディタ", "Hidemaru.exe", 3);
    button(1, 2, "サクラエディタ", "sakura.exe", 6);
    button(1, 5, "ﾃｷｽﾄ ｴﾃﾞｨﾀ", "TextEditor.exe", 8);
    button(2, 1, "おえかきエディタ", "paint.exe", 10);
    data_.settings.groupCount = 3;
    Open(SW_SHOWNORMAL);
    DialogWaiter search("ボタンをさがす", IDCANCEL, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SEARCH_QUERY, "えでぃた");
        Idle(dialog);
        SaveWindow(dialog, "search");
    });
    Command(IDM_SEARCH_BUTTONS);
    EXPECT_TRUE(search.Seen());
}

// The balloon at start and the marked list, with CTRL+SHIFT+F9 and F10 held by this
// thread (not the launcher's window) as another program would hold it.
TEST_F(Screens, RefusedHotkeys)
{
    ASSERT_TRUE(RegisterHotKey(nullptr, 0xBFF1, MOD_CONTROL | MOD_SHIFT, VK_F9));
    ASSERT_TRUE(RegisterHotKey(nullptr, 0xBFF2, MOD_CONTROL | MOD_SHIFT, VK_F10));
    const Restore release{[] {
        UnregisterHotKey(nullptr, 0xBFF1);
        UnregisterHotKey(nullptr, 0xBFF2);
    }};
    // Stored beside the launcher, as a stick keeps them.
    ASSERT_FALSE(CopyInto(BuildFile(PORUN_EXE_PATH), folder_, "ツール\\editor.exe").empty());
    const std::string program = "%PORUN_DIR%\\ツール\\editor.exe";
    data_.Button(0, 0, "エディタ", program).Button(0, 1, "メモ帳", program).Button(1, 2, "", program);
    shortcuts_ = ShortcutLines(0, 0, VK_F9, 3, 1) + ShortcutLines(0, 1, 'M', 6, 1) + ShortcutLines(1, 2, VK_F5, 2, 0) +
                 "ShortCut.Search.key,121\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F10
    Open(SW_SHOWNORMAL);
    // The shell's balloon: a visible balloon tooltip of another process.
    HWND balloon = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        balloon = nullptr;
        EnumWindows([](HWND window, LPARAM found) -> BOOL {
            char name[32] = "";
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            GetClassNameA(window, name, sizeof name);
            if (pid == GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 ||
                !(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&balloon));
        return balloon != nullptr;
    }));
    if (balloon)
        SaveWindow(balloon, "hotkey_balloon", {8, 8, 8, 8});
    DialogWaiter list("ショートカットキーの設定", IDCANCEL, [](HWND dialog) { SaveWindow(dialog, "shortcut_settings_refused"); });
    RightClick(IDC_FIRST_LAUNCHER, IDM_BUTTON_SHORTCUTS);
    EXPECT_TRUE(list.Seen());
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: porun_screens FOLDER [--gtest_filter=...]\n");
        return 2;
    }
    g_folder = argv[1];
    return RUN_ALL_TESTS();
}
