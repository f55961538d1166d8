// Searching a hundred buttons and 2,000 programs of the Start menu: folding
// them, filtering them per keystroke, a keystroke in the real window until its
// list is painted against painting the same rows alone, and opening the
// window with the programs read against the window with the buttons alone.
// Not a test: prints figures.
//   scripts/wine-run build/bench/porun_button_search_bench.exe
#include "bench/bench_time.h"

#include "app/main_window.h"
#include "app/window_state.h"
#include "data/button_place.h"
#include "data/launcher.h"
#include "data/program_catalog.h"
#include "data/search_index.h"
#include "data/start_menu_programs.h"
#include "data/store_field.h"
#include "dialogs/button_search_dialog.h"
#include "resources/resource_ids.h"
#include "support/apps_folder.h"
#include "support/program_files.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr int kRounds = 200;
constexpr int kOpenings = 15;
constexpr int kPrograms = 2000;
constexpr double kFrameMs = 16.0;

// Titles as users name their buttons: Japanese in every script, Latin, both widths.
const wchar_t* const kTitles[] = {
    L"メモ帳", L"秀丸エディタ", L"WinMerge", L"Microsoft Word", L"ﾍﾟｲﾝﾄ", L"ファイル管理", L"電卓", L"ぺいんと",
    L"Visual Studio Code", L"ＴｅｒａＴｅｒｍ", L"画像を見る", L"Excel 2019", L"サクラエディタ", L"7-Zip", L"ごみ箱",
    L"コマンドプロンプト", L"Firefox", L"音楽プレーヤー", L"家計簿.xlsx", L"スクリーンショット",
};
// Words the programs' names are made of, as installers name their shortcuts.
const wchar_t* const kFirstWords[] = {
    L"カメラ", L"Adobe", L"フォト", L"Microsoft", L"ゲーム", L"設定", L"Visual", L"メディア", L"ツール", L"Google",
    L"サウンド", L"ネットワーク", L"Python", L"ドキュメント", L"LibreOffice", L"会計", L"Java", L"スキャナー",
    L"ペイント", L"Steam", L"マネージャー", L"ブラウザー", L"Windows", L"ヘルプ", L"年賀状",
};
const wchar_t* const kSecondWords[] = {
    L"Studio", L"ビューアー", L"エディター", L"Reader", L"アンインストール", L"Player", L"ヘルパー", L"Center",
    L"ランチャー", L"Update", L"マニュアル", L"Console", L"コンバーター", L"Tools", L"ウィザード", L"Service",
    L"モニター", L"Designer", L"プロファイル", L"Client",
};
// Words typed one character at a time: every prefix is one keystroke.
const wchar_t* const kTyped[] = {L"kamera", L"winmerge", L"えでぃた", L"ＷＯＲＤ", L"manejaa", L"tool 5",
                                  L"zip", L"burauzaa", L"ﾌﾟﾚｰﾔｰ"};

// Every prefix of every typed word, whole characters only.
std::vector<std::wstring> Keystrokes()
{
    std::vector<std::wstring> prefixes;
    for (const wchar_t* word : kTyped) {
        for (const wchar_t* p = word; *p;) {
            p += IS_SURROGATE_PAIR(p[0], p[1]) ? 2 : 1;
            prefixes.emplace_back(word, p);
        }
    }
    return prefixes;
}

void FillButtons(Launcher& launcher)
{
    launcher.Settings().groupCount = kGroupCount;
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        ButtonRecord* button = launcher.ButtonAt(place.group, place.button);
        *button = ButtonRecord{};
        const int base = number % 20;
        wchar_t text[kFieldSize];
        wsprintfW(text, L"%ls %d", kTitles[base], number / 20 + 1);
        StoreField(button->title, text);
        wsprintfW(text, L"C:\\Program Files\\Tool %02d\\tool%02d.exe", number, number);
        StoreField(button->file, text);
    }
}

// 2,000 shortcuts in folders of ten, as the Start menu holds them.
void MakePrograms(const std::wstring& folder)
{
    const size_t firsts = sizeof kFirstWords / sizeof kFirstWords[0];
    const size_t seconds = sizeof kSecondWords / sizeof kSecondWords[0];
    for (int i = 0; i < kPrograms; ++i) {
        const std::wstring sub = folder + L"\\" + kFirstWords[(i / 10) % firsts] + L" " + std::to_wstring(i / 10);
        CreateDirectoryW(sub.c_str(), nullptr);
        const std::wstring name = std::wstring(kFirstWords[i % firsts]) + L" " + kSecondWords[(i / firsts) % seconds] +
                                  L" " + std::to_wstring(i);
        const HANDLE file = CreateFileW((sub + L"\\" + name + L".lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
}

std::vector<double> g_changing;   // keystrokes that change the list, until painted
std::vector<double> g_unchanged;  // keystrokes that leave the same rows listed
std::vector<double> g_listing;    // the same rows listed anew without searching: merely listing them
double g_openedAt = 0;            // when the window being opened had painted its list

// The search window of this thread: the dialog with the search field.
HWND SearchWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM result) -> BOOL {
        if (!GetDlgItem(window, IDC_SEARCH_QUERY))
            return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs inside the search window's message loop once it is shown and has
// painted: types every keystroke into its field, timing each until the
// list has painted and then painting the same rows again alone. The first
// round draws every icon once and is not counted.
void CALLBACK TypeIntoWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND search = SearchWindow();
    if (!search)
        return;
    if (!IsWindowVisible(search)) {
        SetTimer(nullptr, 0, 0, TypeIntoWindow);  // again once the window is shown
        return;
    }
    HWND field = GetDlgItem(search, IDC_SEARCH_QUERY);
    HWND list = GetDlgItem(search, IDC_SEARCH_LIST);
    const std::vector<std::wstring> keystrokes = Keystrokes();
    int before = -1;
    for (int round = 0; round < 11; ++round) {
        for (const std::wstring& text : keystrokes) {
            const int top = ListView_GetTopIndex(list);
            const double start = NowMs();
            SetWindowTextW(field, text.c_str());  // EN_CHANGE: the list is filtered
            UpdateWindow(list);                   // and painted, icons of new rows included
            const double spent = NowMs() - start;
            const int rows = ListView_GetItemCount(list);
            if (round > 0)
                (rows == before && top == ListView_GetTopIndex(list) ? g_unchanged : g_changing).push_back(spent);
            before = rows;
            if (round > 0 && rows > 0) {  // the same rows listed anew, without the search
                ListView_SetItemCountEx(list, 0, 0);
                UpdateWindow(list);
                const double again = NowMs();
                ListView_SetItemCountEx(list, rows, 0);
                ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                ListView_EnsureVisible(list, 0, FALSE);
                InvalidateRect(list, nullptr, TRUE);
                UpdateWindow(list);
                g_listing.push_back(NowMs() - again);
            }
        }
    }
    PostMessageW(search, WM_CLOSE, 0, 0);
}

// Notes when the window has painted its list, then closes it.
void CALLBACK NoteOpened(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND search = SearchWindow();
    if (!search)
        return;
    if (!IsWindowVisible(search)) {
        SetTimer(nullptr, 0, 0, NoteOpened);
        return;
    }
    UpdateWindow(GetDlgItem(search, IDC_SEARCH_LIST));
    g_openedAt = NowMs();
    PostMessageW(search, WM_CLOSE, 0, 0);
}

// From the command until the window's list is on the screen.
double TimeOpening(HWND window, SearchInputs inputs)
{
    SetTimer(nullptr, 0, 0, NoteOpened);
    const double start = NowMs();
    ButtonSearchDialog search(window, inputs);
    search.Run();
    return g_openedAt - start;
}

void PrintTimes(const char* what, const std::vector<double>& times)
{
    if (times.empty())
        return;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%-40s median %7.3f ms, 95th %7.3f ms, worst %7.3f ms (%d)\n", what, Median(times),
                sorted[static_cast<size_t>(0.95 * static_cast<double>(sorted.size() - 1))], sorted.back(),
                static_cast<int>(times.size()));
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

SearchInputs Inputs(const Launcher& launcher, ProgramCatalog* catalog)
{
    SearchInputs inputs;
    inputs.data = &launcher.Data();
    inputs.groupCount = kGroupCount;
    inputs.catalog = catalog;
    return inputs;
}
}  // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%lsporun-search-bench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    const std::wstring programs = std::wstring(folder) + L"\\Programs";
    CreateDirectoryW(programs.c_str(), nullptr);
    MakePrograms(programs);
    std::optional<SeamGuard> copy(OverrideProgramPath((std::wstring(folder) + L"\\porun.exe").c_str()));  // its files
    const SeamGuard folders = OverrideProgramsFolders({programs});
    const SeamGuard apps = OverrideStoreApps([](const std::atomic<bool>&, std::vector<StoreApp>*) { return true; });
    const std::unique_ptr<Launcher> launcher = Launcher::Create();
    if (!launcher)
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass, *launcher);
    if (!window)
        return 1;
    FillButtons(*launcher);
    // The window's own catalog, made once its bar is up, reads the programs.
    const double readStart = NowMs();
    MSG message;
    const auto read = [window] {
        const MainWindowState* state = WindowState(window);
        return state && state->catalog && state->catalog->Programs();
    };
    while (!read() && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    const double readMs = NowMs() - readStart;
    ProgramCatalog& catalog = *WindowState(window)->catalog;
    const size_t listed = catalog.Programs() ? catalog.Programs()->programs.size() : 0;

    std::vector<double> buttonFolds;
    std::vector<double> filters;
    SearchIndex index;
    for (int round = 0; round < kRounds / 10; ++round) {
        const double start = NowMs();
        BuildSearchIndex(launcher->Data(), kGroupCount, nullptr, catalog.Programs(), &index);
        buttonFolds.push_back(NowMs() - start);
    }
    const std::vector<std::wstring> keystrokes = Keystrokes();
    std::vector<SearchItem> found;
    for (int round = 0; round < kRounds / 10; ++round) {
        for (const std::wstring& text : keystrokes) {
            const double start = NowMs();
            FindItems(index, text.c_str(), &found);
            filters.push_back(NowMs() - start);
        }
    }

    std::vector<double> buttonsOnly;
    std::vector<double> withPrograms;
    for (int round = 0; round < kOpenings + 1; ++round) {  // the first of each draws the icons: not counted
        const double alone = TimeOpening(window, Inputs(*launcher, nullptr));
        const double both = TimeOpening(window, Inputs(*launcher, &catalog));
        if (round > 0) {
            buttonsOnly.push_back(alone);
            withPrograms.push_back(both);
        }
    }
    SetTimer(nullptr, 0, 0, TypeIntoWindow);
    ButtonSearchDialog search(window, Inputs(*launcher, &catalog));
    search.Run();

    std::printf("100 buttons in %d groups, %d programs listed (read in %.0f ms off the window's thread); "
                "%d keystrokes (%d words typed)\n",
                kGroupCount, static_cast<int>(listed), readMs, static_cast<int>(keystrokes.size()),
                static_cast<int>(sizeof kTyped / sizeof kTyped[0]));
    for (const wchar_t* query : {L"kamera", L"manejaa", L"burauzaa"}) {
        FindItems(index, query, &found);
        std::printf("  \"%ls\" lists %d rows\n", query, static_cast<int>(found.size()));
    }
    PrintTimes("folding the buttons (each opening)", buttonFolds);
    PrintTimes("filtering per keystroke (2,100 items)", filters);
    PrintTimes("keystroke changing the list", g_changing);
    PrintTimes("keystroke, the same rows listed", g_unchanged);
    PrintTimes("merely listing the same rows", g_listing);
    const double keystroke = Median(g_changing);
    const double listing = Median(g_listing);
    std::printf("keystroke changing the list beyond listing its rows: %.3f ms (target 2 ms; one frame %.1f ms)\n",
                keystroke - listing, kFrameMs);
    PrintTimes("opening, the buttons alone", buttonsOnly);
    PrintTimes("opening, with the programs read", withPrograms);
    std::printf("opening with the programs against the buttons alone: %.2f (target 1.3)\n",
                Median(withPrograms) / Median(buttonsOnly));
    DestroyWindow(window);
    RemoveTree(folder);
    copy.reset();
    return 0;
}
