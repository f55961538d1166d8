// Writes the pictures of the README and the help from the real window opened
// in this process, each window or menu once it is shown and painted:
//   porun_screens.exe FOLDER [--gtest_filter=Screens.Bar*]   writes FOLDER\<picture>.bmp
// On a screen at another scale than 100 % each name ends in the scale
// (bar_150.bmp at 144 DPI).
// Each case below makes one set of pictures; the screenshot scripts choose
// theirs with the filter and turn the BMP files into docs/screenshots/*.png.
#include "support/launcher.h"

#include "app/main_window.h"
#include "app/window_state.h"
#include "data/generations.h"
#include "data/launcher.h"
#include "shortcuts/saved_changes.h"
#include "bar/bar_geometry.h"
#include "dialogs/icon_preview.h"
#include "dialogs/key_capture_dialog.h"
#include "dialogs/shortcut_settings_dialog.h"
#include "menus/launcher_menus.h"
#include "archive/archive_messages.h"
#include "archive/archive_name_dialog.h"
#include "support/progress_window.h"
#include "resources/resource_ids.h"
#include "support/display_scale.h"
#include "support/messages.h"

#include <commctrl.h>

using namespace support;

namespace {

std::wstring g_folder;

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
    void Save(const wchar_t* name) const
    {
        std::wstring file = g_folder + L"\\" + name;
        if (SystemDpi() != kBaseDpi)
            file += L"_" + std::to_wstring(ScaleForDpi(100, SystemDpi()));
        const bool ok = WriteBmp(file + L".bmp", width_, height_, [this](int x, int y) {
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
void SaveWindow(HWND window, const wchar_t* name, RECT margin = {})
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
void SaveDialog(HWND dialog, const wchar_t* name)
{
    SaveWindow(dialog, name, {1, 0, 0, 1});
}

// A menu's window with its frame, while it is open.
std::function<void(const OpenMenu&)> MenuPicture(const wchar_t* name)
{
    return [name](const OpenMenu& menu) { SaveWindow(menu.window, name); };
}

class Screens : public LauncherWindow {
protected:
    // Right-clicks a bar control and saves the menu that opens.
    void SaveMenu(int controlId, const wchar_t* name)
    {
        HWND control = GetDlgItem(window_, controlId);
        EXPECT_TRUE(WhileMenuOpen(
                        window_, [&] { SendMessageW(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0); },
                        0, MenuPicture(name))
                        .opened)
            << name;
    }
    void SaveTrayMenu(const wchar_t* name, UINT choose = 0)
    {
        EXPECT_TRUE(WhileMenuOpen(
                        window_, [&] { SendMessageW(window_, WM_TRAYNOTIFY, 1, WM_RBUTTONUP); }, choose,
                        MenuPicture(name))
                        .opened)
            << name;
    }
};

TEST_F(Screens, BarAndButtonDialogs)
{
    // The pictured files live in a folder of a plain name, shown in the dialog.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring place = std::wstring(temp) + L"porun-screens";
    const std::wstring program = place + L"\\porun.exe";
    const std::wstring tools = place + L"\\ツール";
    CreateDirectoryW(place.c_str(), nullptr);
    CreateDirectoryW(tools.c_str(), nullptr);
    const Restore cleanup{[place] { RemoveTree(place); }};
    ASSERT_TRUE(CopyFileW(BuildFile(PORUN_EXE_PATH).c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(program.c_str(), (tools + L"\\editor.exe").c_str(), FALSE));
    auto button = [&](int index, const wchar_t* title, const std::wstring& file, const std::wstring& icon, int iconIndex) {
        data_.Button(0, index, title, file, L"/s \"new notes.txt\"", FolderOf(file), icon, iconIndex);
    };
    data_.Group(0, L"ツール");
    button(0, L"エディタ", tools + L"\\editor.exe", L"", 0);
    button(1, L"ポルン", program, program, 3);
    button(2, L"お弁当", program, program, 6);
    button(3, L"きのこ", program, program, 8);
    button(4, L"消えたファイル", tools + L"\\gone.exe", L"", 0);
    button(5, L"お絵かき", program, program, 10);
    data_.settings.windowX = 120;
    data_.settings.windowY = 60;
    data_.settings.alwaysOnTop = 1;
    shortcuts_ = ShortcutLines(0, 1, 'E', 6, 1);
    ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "start_with_porun_1,1\r\n"));  // not started: no first start
    Open(SW_SHOWNORMAL);
    RECT bar = {};
    GetWindowRect(window_, &bar);  // pictured as 60 x 470 pixels of the screen at 100 %
    const int dpi = SystemDpi();
    SaveWindow(window_, L"bar",
               {ScaleForDpi(7, dpi), ScaleForDpi(4, dpi), ScaleForDpi(53, dpi) - (bar.right - bar.left),
                ScaleForDpi(466, dpi) - (bar.bottom - bar.top)});

    DialogWaiter empty(L"ボタンの設定", IDCANCEL, [](HWND dialog) { SaveDialog(dialog, L"button_dialog_empty"); });
    Click(IDC_FIRST_LAUNCHER + 7);
    EXPECT_TRUE(empty.Seen());
    DialogWaiter filled(L"ボタンの設定", IDCANCEL, [](HWND dialog) { SaveDialog(dialog, L"button_dialog_filled"); });
    RightClick(IDC_FIRST_LAUNCHER + 1, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(filled.Seen());
}

TEST_F(Screens, GroupSettings)
{
    shortcuts_ = ActiveLines(VK_F5, 2);
    ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "start_with_windows,1\r\n"));  // cancelled: no shortcut made
    Open(SW_SHOWNORMAL);
    DialogWaiter dialog(L"基本設定", IDC_GROUP_CANCEL, [](HWND d) { SaveWindow(d, L"group_settings"); });
    RightClick(IDC_GROUP_BUTTON, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(dialog.Seen());
}

// Three earlier versions of the buttons, kept a day apart.
void ThreeDaysApart(SYSTEMTIME* now)
{
    static WORD day = 5;
    *now = {2026, 12, 0, day++, 9, 41, 7, 0};
}

TEST_F(Screens, RestoreDialog)
{
    data_.Group(0, L"いつもの").Group(1, L"お仕事").Button(0, 0, L"メモ帳", L"C:\\windows\\notepad.exe");
    data_.settings.groupCount = 2;
    Open(SW_SHOWNORMAL);
    const SeamGuard clock = OverrideGenerationClock(ThreeDaysApart);
    const wchar_t* titles[] = {L"メモ", L"めも", L"メモ帳"};
    for (const wchar_t* title : titles) {
        lstrcpynW(launcher_->ButtonAt(0, 1)->title, title, kFieldSize);
        lstrcpynW(launcher_->ButtonAt(0, 1)->file, L"C:\\windows\\regedit.exe", kFieldSize);
        ASSERT_TRUE(SaveChanges(window_, *launcher_));
    }
    DialogWaiter dialog(L"おもいでから戻す", IDC_RESTORE_CLOSE, [](HWND d) { SaveWindow(d, L"restore_dialog"); });
    Command(IDM_RESTORE_GENERATION);
    EXPECT_TRUE(dialog.Seen());
}

TEST_F(Screens, IconChooser)
{
    const std::wstring icons = CopyInto(BuildFile(PORUN_RECORDER_ICON_PATH), folder_, L"icons.exe");  // five icons
    ASSERT_FALSE(icons.empty());
    data_.Button(0, 0, L"icons", icons, L"", L"", icons, 2);
    Open(SW_SHOWNORMAL);
    DialogWaiter dialog(L"ボタンの設定", IDCANCEL, [](HWND settings) {
        Press(settings, IDC_ICON_PREVIEW);
        HWND chooser = WaitForDialog(L"アイコンを選択");
        SaveWindow(chooser, L"icon_chooser");
        Press(chooser, IDCANCEL);
        WaitGone(chooser);
    });
    RightClick(IDC_FIRST_LAUNCHER, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(dialog.Seen());
}

TEST_F(Screens, Menus)
{
    data_.Group(0, L"いつもの").Button(0, 0, L"メモ帳", L"C:\\windows\\notepad.exe").Button(0, 9, L"最後", L"C:\\x.exe");
    data_.settings.groupCount = 4;
    data_.settings.alwaysOnTop = 1;
    Open(SW_SHOWNORMAL);
    SaveMenu(IDC_FIRST_LAUNCHER, L"menu_button_menu");
    SaveMenu(kLastLauncherId, L"menu_button_menu_last");
    SaveMenu(IDC_FIRST_LAUNCHER + 3, L"menu_button_menu_empty");
    SaveMenu(IDC_GROUP_BUTTON, L"menu_group_button_menu");
    SaveMenu(IDC_PREVIOUS_GROUP, L"menu_group_menu");
    SaveMenu(IDC_NEXT_GROUP, L"menu_group_menu_next");
    SaveTrayMenu(L"menu_tray_menu", IDM_ALWAYS_ON_TOP);
    SaveTrayMenu(L"menu_tray_menu_off");
}

TEST_F(Screens, SkinnedMenus)
{
    for (const wchar_t* name : {L"menuforeground.bmp", L"menubackground.bmp", L"menutitle.bmp"})
        ASSERT_FALSE(CopyInto(SourceFile((std::wstring(L"docs/skin/") + name).c_str()), folder_, name).empty());
    data_.Button(0, 1, L"ブラウザ", L"C:\\windows\\notepad.exe");  // a file that is there: every item enabled
    data_.settings.alwaysOnTop = 1;
    Open(SW_SHOWNORMAL);
    SaveMenu(IDC_FIRST_LAUNCHER + 1, L"menu_button_menu_skin");
    SaveTrayMenu(L"menu_tray_menu_skin");
    SaveMenu(IDC_PREVIOUS_GROUP, L"menu_group_menu_skin");
}

// Every menu window open now (a menu and its open submenu) in one picture.
void SaveOpenMenus(const wchar_t* name)
{
    RECT all = {};
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));) {
        RECT rect = {};
        if (IsWindowVisible(menu) && GetWindowRect(menu, &rect))
            UnionRect(&all, &all, &rect);
    }
    Canvas canvas(all.right - all.left, all.bottom - all.top);
    HDC screen = GetDC(nullptr);
    canvas.Copy(screen, all.left, all.top, 0, 0, all.right - all.left, all.bottom - all.top);
    ReleaseDC(nullptr, screen);
    canvas.Save(name);
}

// A button's folder as a menu, its second item's submenu opened by the keys
// queued before the click.
void SaveFolderMenu(HWND window, const wchar_t* name)
{
    for (BYTE key : {VK_DOWN, VK_DOWN, VK_RIGHT})
        PostMessageW(window, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(WhileMenuOpen(window, [&] { SendMessageW(window, WM_COMMAND, IDC_FIRST_LAUNCHER, 0); }, 0,
                              [name](const OpenMenu&) { SaveOpenMenus(name); })
                    .opened)
        << name;
}

TEST_F(Screens, FolderMenus)
{
    const std::wstring tree = folder_.Folder(L"ツール");
    for (const wchar_t* name : {L"画像\\", L"書類\\", L"書類\\メモ.txt", L"書類\\予定 2.txt", L"書類\\予定 10.txt",
                                L"書類\\古い\\", L"エディタ.exe", L"readme.txt", L"notes 2.txt", L"notes 10.txt"}) {
        const std::wstring path = tree + L"\\" + name;
        path.back() == L'\\' ? void(folder_.Folder(L"ツール\\" + std::wstring(name))) : void(WriteBytes(path, ""));
    }
    data_.Button(0, 0, L"ツール", tree);
    ASSERT_TRUE(WriteBytes(folder_.File(L"porun.options"), "folder_menu_0,1\r\n"));
    Open(SW_SHOWNORMAL);
    SaveFolderMenu(window_, L"menu_folder_menu");
    Close();
    for (const wchar_t* name : {L"menuforeground.bmp", L"menubackground.bmp", L"menutitle.bmp"})
        ASSERT_FALSE(CopyInto(SourceFile((std::wstring(L"docs/skin/") + name).c_str()), folder_, name).empty());
    Open(SW_SHOWNORMAL);
    SaveFolderMenu(window_, L"menu_folder_menu_skin");
}

// The dialogs no other case opens, to look at them at every scale.
TEST_F(Screens, AboutAndArchiveDialogs)
{
    Open(SW_SHOWNORMAL);
    DialogWaiter about(L"バージョン情報", IDOK, [](HWND d) { SaveWindow(d, L"about"); });
    Command(IDM_ABOUT);
    EXPECT_TRUE(about.Seen());
    DialogWaiter name(L"ZIP書庫の作成", IDCANCEL, [](HWND d) { SaveWindow(d, L"archive_name_dialog"); });
    ArchiveNameDialog asked;
    asked.SetName(L"お弁当のレシピ.zip");
    asked.Run(window_);
    EXPECT_TRUE(name.Seen());
    DialogWaiter replace(L"ぽてまるの質問", IDNO, [](HWND d) { SaveWindow(d, L"archive_replace_question"); });
    ShowArchiveMessage(window_, IDS_MSG_ARCHIVE_REPLACE, MB_YESNO | MB_ICONQUESTION, L"お弁当のレシピ.zip");
    EXPECT_TRUE(replace.Seen());
    DialogWaiter room(L"ぽてまるエラー", IDOK, [](HWND d) { SaveWindow(d, L"archive_no_room"); });
    ShowArchiveMessage(window_, IDS_MSG_EXTRACT_NO_ROOM, MB_OK | MB_ICONERROR, L"写真.zip", L"12.3 GB", L"4.0 GB");
    EXPECT_TRUE(room.Seen());
    ProgressDialog progress;
    HWND shown = progress.Show(window_);
    wchar_t title[128];
    LoadText(IDS_PACK_TITLE, title, 128);
    progress.SetTitle(title);
    progress.SetText(L"きのこの炊き込みごはん（お弁当用）のレシピ.txt");
    progress.SetProgress(40);
    // The window's own thread shows the text and the bar at its display interval.
    WaitUntil([shown] { return SendDlgItemMessageW(shown, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0) == 40; });
    WaitUntil([shown] { return GetWindowTextLengthW(GetDlgItem(shown, IDC_PROGRESS_TEXT)) > 0; });
    Idle(shown);
    SaveWindow(shown, L"progress_dialog");
}

TEST_F(Screens, ShortcutListAndKeyCapture)
{
    const std::wstring program = BuildFile(PORUN_EXE_PATH);
    data_.Button(0, 0, L"", program).Button(0, 1, L"", program).Button(2, 5, L"", program).Button(4, 4, L"", program);
    Open(SW_SHOWNORMAL);
    DialogWaiter list(L"ショートカットキーの設定", IDCANCEL, [](HWND dialog) {
        HWND rows = GetDlgItem(dialog, IDC_SHORTCUT_LIST);
        for (int row = 0; row < ListView_GetItemCount(rows); ++row)
            ListView_SetItemState(rows, row, row >= 1 && row < 4 ? LVIS_SELECTED : 0, LVIS_SELECTED);
        Press(dialog, IDC_SHORTCUT_ASSIGN);
        HWND capture = WaitForDialog(L"ショートカットキーの登録");
        SaveWindow(capture, L"key_capture");
        PostKeys(GetDlgItem(capture, IDC_KEY_CAPTURE_PROMPT), {VK_CONTROL}, VK_F5);
        EXPECT_TRUE(WaitGone(capture));
        Idle(dialog);
        SaveWindow(dialog, L"shortcut_settings");
    });
    RightClick(IDC_FIRST_LAUNCHER, IDM_BUTTON_SHORTCUTS);
    EXPECT_TRUE(list.Seen());
}

TEST_F(Screens, Search)
{
    // Programs with icons in a folder of a plain name, shown in the file column.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring place = std::wstring(temp) + L"porun-search";
    CreateDirectoryW(place.c_str(), nullptr);
    const Restore cleanup{[place] { RemoveTree(place); }};
    const std::wstring program = BuildFile(PORUN_EXE_PATH);
    auto button = [&](int group, int index, const wchar_t* title, const wchar_t* file, int icon) {
        const std::wstring path = place + L"\\" + file;
        ASSERT_TRUE(CopyFileW(program.c_str(), path.c_str(), FALSE));
        data_.Button(group, index, title, path, L"", L"", path, icon);
    };
    data_.Group(0, L"いつもの").Group(1, L"エディタ").Group(2, L"おえかき");
    button(0, 0, L"メモ帳", L"notepad.exe", 1);
    button(1, 0, L"秀丸エディタ", L"Hidemaru.exe", 3);
    button(1, 2, L"サクラエディタ", L"sakura.exe", 6);
    button(1, 5, L"ﾃｷｽﾄ ｴﾃﾞｨﾀ", L"TextEditor.exe", 8);
    button(2, 1, L"おえかきエディタ", L"paint.exe", 10);
    data_.settings.groupCount = 3;
    Open(SW_SHOWNORMAL);
    DialogWaiter search(L"ボタンをさがす", IDCANCEL, [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SEARCH_QUERY, L"えでぃた");
        Idle(dialog);
        SaveWindow(dialog, L"search");
    });
    Command(IDM_SEARCH_BUTTONS);
    EXPECT_TRUE(search.Seen());
}

// A romaji query finding programs of the Start menu named in kana, after a button that matches as well; then the
// row's menu.
TEST_F(Screens, SearchPrograms)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring place = std::wstring(temp) + L"porun-search-programs";
    CreateDirectoryW(place.c_str(), nullptr);
    const Restore cleanup{[place] { RemoveTree(place); }};
    const std::wstring program = BuildFile(PORUN_EXE_PATH);
    const std::wstring camera = place + L"\\camera.exe";
    ASSERT_TRUE(CopyFileW(program.c_str(), camera.c_str(), FALSE));
    data_.Group(0, L"いつもの").Button(0, 0, L"カメラ", camera, L"", L"", camera, 1);
    CreateDirectoryW((programs_ + L"\\アクセサリ").c_str(), nullptr);
    const struct {
        const wchar_t* link;
        int icon;
    } links[] = {{L"カメラ ロール", 4}, {L"アクセサリ\\かんたんカメラ", 7}, {L"Kamera Studio", 9}, {L"フォト", 5}};
    for (const auto& link : links) {
        const std::wstring copy = place + L"\\" + std::to_wstring(link.icon) + L".exe";
        ASSERT_TRUE(CopyFileW(program.c_str(), copy.c_str(), FALSE));
        ASSERT_TRUE(MakeShellLink(programs_ + L"\\" + link.link + L".lnk", copy, L"", place));
    }
    Open(SW_SHOWNORMAL);
    ASSERT_TRUE(WaitUntil([this] {
        const MainWindowState* state = WindowState(window_);
        return state && state->catalog && state->catalog->Programs();
    }));
    DialogWaiter search(L"ボタンをさがす", IDCANCEL, [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SEARCH_QUERY, L"kamera");
        Idle(dialog);
        SaveWindow(dialog, L"search_romaji");
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
    ASSERT_FALSE(CopyInto(BuildFile(PORUN_EXE_PATH), folder_, L"ツール\\editor.exe").empty());
    const std::wstring program = L"%PORUN_DIR%\\ツール\\editor.exe";
    data_.Button(0, 0, L"エディタ", program).Button(0, 1, L"メモ帳", program).Button(1, 2, L"", program);
    shortcuts_ = ShortcutLines(0, 0, VK_F9, 3, 1) + ShortcutLines(0, 1, 'M', 6, 1) + ShortcutLines(1, 2, VK_F5, 2, 0) +
                 "ShortCut.Search.key,121\r\nShortCut.Search.flag,3\r\n";  // CTRL+SHIFT+F10
    Open(SW_SHOWNORMAL);
    // The shell's balloon: a visible balloon tooltip of another process.
    HWND balloon = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        balloon = nullptr;
        EnumWindows([](HWND window, LPARAM found) -> BOOL {
            wchar_t name[32] = L"";
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            GetClassNameW(window, name, 32);
            if (pid == GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 ||
                !(GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&balloon));
        return balloon != nullptr;
    }));
    if (balloon)
        SaveWindow(balloon, L"hotkey_balloon", {8, 8, 8, 8});
    DialogWaiter list(L"ショートカットキーの設定", IDCANCEL, [](HWND dialog) { SaveWindow(dialog, L"shortcut_settings_refused"); });
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
    int count = 0;  // the folder as the shell passed it, in UTF-16
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    g_folder = count > 1 ? wide[1] : L"";
    return RUN_ALL_TESTS();
}
