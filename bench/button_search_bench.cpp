// Searching a hundred buttons: folding them when the search window opens,
// filtering them per keystroke, and a keystroke in the real window until its
// list is painted, against one frame (16 ms). Not a test: prints figures.
//   scripts/wine-run build/bench/porun_button_search_bench.exe
#include "bench/bench_time.h"

#include "app/main_window.h"
#include "data/button_place.h"
#include "data/search_index.h"
#include "data/launcher_data.h"
#include "dialogs/button_search_dialog.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kRounds = 200;
constexpr double kFrameMs = 16.0;

// Titles as users name their buttons: Japanese in every script, Latin, both widths.
const wchar_t* const kTitles[] = {
    L"メモ帳", L"秀丸エディタ", L"WinMerge", L"Microsoft Word", L"ﾍﾟｲﾝﾄ", L"ファイル管理", L"電卓", L"ぺいんと",
    L"Visual Studio Code", L"ＴｅｒａＴｅｒｍ", L"画像を見る", L"Excel 2019", L"サクラエディタ", L"7-Zip", L"ごみ箱",
    L"コマンドプロンプト", L"Firefox", L"音楽プレーヤー", L"家計簿.xlsx", L"スクリーンショット",
};
// Words typed one character at a time: every prefix is one keystroke.
const wchar_t* const kTyped[] = {L"winmerge", L"えでぃた", L"ＷＯＲＤ", L"ふぁいる", L"ﾌﾟﾚｰﾔｰ", L"tool 5", L"zip"};

double Percentile(std::vector<double> values, double part)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(part * static_cast<double>(values.size() - 1))];
}

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

void FillButtons()
{
    AppSettings settings = GetSettings();
    settings.groupCount = kGroupCount;
    SetSettings(settings);
    for (int number = 0; number < kButtonCount; ++number) {
        const ButtonPlace place = ButtonPlace::FromNumber(number);
        ButtonRecord* button = ButtonAt(place.group, place.button);
        std::memset(button, 0, sizeof *button);
        const int base = number % 20;
        wchar_t text[kFieldSize];
        wsprintfW(text, L"%ls %d", kTitles[base], number / 20 + 1);
        StoreField(button->title, text);
        wsprintfW(text, L"C:\\Program Files\\Tool %02d\\tool%02d.exe", number, number);
        StoreField(button->file, text);
    }
}

SearchIndex g_index;
std::vector<double> g_changing;   // keystrokes that change the list, until painted
std::vector<double> g_unchanged;  // keystrokes that leave the same buttons listed
std::vector<double> g_repaints;   // the same rows painted again: what the list view's drawing costs
double g_cpuPerChange = -1;       // this process's processor time per list-changing keystroke

// Processor time of this process so far (user and kernel), in ms. On a
// machine shared with other work, wall times above include the waits for a
// processor; this does not (the X server's share is not counted).
double ProcessorMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Runs inside the search window's message loop: types every keystroke into
// its field, timing each until the list has painted, then closes it. The
// first round draws every icon once and is not counted.
void CALLBACK TypeIntoWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND search = ButtonSearchWindow();
    if (!search)
        return;
    if (!IsWindowVisible(search)) {
        SetTimer(nullptr, 0, 0, TypeIntoWindow);  // again once the window is shown
        return;
    }
    HWND field = GetDlgItem(search, IDC_SEARCH_QUERY);
    HWND list = GetDlgItem(search, IDC_SEARCH_LIST);
    const std::vector<std::wstring> keystrokes = Keystrokes();
    std::vector<SearchItem> before;
    for (int round = 0; round < 21; ++round) {
        for (const std::wstring& text : keystrokes) {
            std::vector<SearchItem> found;
            FindItems(g_index, text.c_str(), &found);
            const double start = NowMs();
            SetWindowTextW(field, text.c_str());  // EN_CHANGE: the list is filtered
            UpdateWindow(list);                   // and painted, icons of new rows included
            const double spent = NowMs() - start;
            if (round > 0)
                (found == before ? g_unchanged : g_changing).push_back(spent);
            before = found;
            if (round > 0) {
                InvalidateRect(list, nullptr, TRUE);
                const double again = NowMs();
                UpdateWindow(list);
                g_repaints.push_back(NowMs() - again);
            }
        }
    }
    // Keystrokes that always change the list, alternating between two
    // queries, in one stretch long enough for the coarse processor clock.
    const int changes = 400;
    const double cpu = ProcessorMs();
    for (int i = 0; i < changes; ++i) {
        SetWindowTextW(field, i % 2 ? L"えでぃた" : L"");
        UpdateWindow(list);
    }
    g_cpuPerChange = (ProcessorMs() - cpu) / changes;
    PostMessageW(search, WM_CLOSE, 0, 0);
}

void PrintTimes(const char* what, const std::vector<double>& times)
{
    if (times.empty())
        return;
    std::printf("%-34s median %7.3f ms, 95th %7.3f ms, worst %7.3f ms (%d)\n", what, Percentile(times, 0.5),
                Percentile(times, 0.95), Percentile(times, 1.0), static_cast<int>(times.size()));
}
}  // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%lsporun-search-bench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    OverrideProgramPath((std::wstring(folder) + L"\\porun.exe").c_str());  // its files go there
    if (!AllocateLauncherData())
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass);
    if (!window)
        return 1;
    FillButtons();

    SearchIndex& index = g_index;
    std::vector<double> builds;
    for (int round = 0; round < kRounds; ++round) {
        const double start = NowMs();
        BuildSearchIndex(*LauncherImage(), kGroupCount, nullptr, nullptr, &index);
        builds.push_back(NowMs() - start);
    }
    const std::vector<std::wstring> keystrokes = Keystrokes();
    std::vector<double> filters;
    std::vector<SearchItem> found;
    for (int round = 0; round < kRounds; ++round) {
        for (const std::wstring& text : keystrokes) {
            const double start = NowMs();
            FindItems(index, text.c_str(), &found);
            filters.push_back(NowMs() - start);
        }
    }
    SetTimer(nullptr, 0, 0, TypeIntoWindow);
    ButtonSearchDialog search(window);
    search.Run();

    std::printf("100 buttons, %d groups; %d keystrokes (%d words typed)\n", kGroupCount,
                static_cast<int>(keystrokes.size()), static_cast<int>(sizeof kTyped / sizeof kTyped[0]));
    PrintTimes("folding all buttons (opening)", builds);
    PrintTimes("filtering per keystroke", filters);
    PrintTimes("keystroke changing the list", g_changing);
    PrintTimes("keystroke, the same buttons listed", g_unchanged);
    PrintTimes("the same rows painted again", g_repaints);
    if (g_cpuPerChange >= 0)
        std::printf("keystroke changing the list, processor time of this process: %.3f ms\n", g_cpuPerChange);
    std::printf("one frame: %.1f ms\n", kFrameMs);
    DestroyWindow(window);
    FreeLauncherData();
    for (const wchar_t* name : {L"\\porun.dat", L"\\position.dat", L"\\shortcut.dat"})
        DeleteFileW((std::wstring(folder) + name).c_str());
    RemoveDirectoryW(folder);
    OverrideProgramPath(nullptr);
    return 0;
}
