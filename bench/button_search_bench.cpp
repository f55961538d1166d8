// Searching a hundred buttons: folding them when the search window opens,
// filtering them per keystroke, and a keystroke in the real window until its
// list is painted, against one frame (16 ms). Not a test: prints figures.
//   scripts/wine-run build/bench/porun_button_search_bench.exe
#include "app/main_window.h"
#include "data/button_search.h"
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
const char* const kTitles[] = {
    "メモ帳", "秀丸エディタ", "WinMerge", "Microsoft Word", "ﾍﾟｲﾝﾄ", "ファイル管理", "電卓", "ぺいんと",
    "Visual Studio Code", "ＴｅｒａＴｅｒｍ", "画像を見る", "Excel 2019", "サクラエディタ", "7-Zip", "ごみ箱",
    "コマンドプロンプト", "Firefox", "音楽プレーヤー", "家計簿.xlsx", "スクリーンショット",
};
// Words typed one character at a time: every prefix is one keystroke.
const char* const kTyped[] = {"winmerge", "えでぃた", "ＷＯＲＤ", "ふぁいる", "ﾌﾟﾚｰﾔｰ", "tool 5", "zip"};

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double part)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(part * static_cast<double>(values.size() - 1))];
}

// Every prefix of every typed word, whole characters only.
std::vector<std::string> Keystrokes()
{
    std::vector<std::string> prefixes;
    for (const char* word : kTyped) {
        for (const char* p = word; *p;) {
            p = CharNextA(p);
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
        ButtonRecord* button = ButtonAt(number / kButtonsPerGroup, number % kButtonsPerGroup);
        std::memset(button, 0, sizeof *button);
        const int base = number % 20;
        wsprintfA(button->title, "%s %d", kTitles[base], number / 20 + 1);
        wsprintfA(button->file, "C:\\Program Files\\Tool %02d\\tool%02d.exe", number, number);
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
    const std::vector<std::string> keystrokes = Keystrokes();
    std::vector<int> before;
    for (int round = 0; round < 21; ++round) {
        for (const std::string& text : keystrokes) {
            std::vector<int> found(kButtonCount);
            found.resize(static_cast<size_t>(FindButtons(g_index, text.c_str(), found.data())));
            const double start = Now();
            SetWindowTextA(field, text.c_str());  // EN_CHANGE: the list is filtered
            UpdateWindow(list);                   // and painted, icons of new rows included
            const double spent = Now() - start;
            if (round > 0)
                (found == before ? g_unchanged : g_changing).push_back(spent);
            before = found;
            if (round > 0) {
                InvalidateRect(list, nullptr, TRUE);
                const double again = Now();
                UpdateWindow(list);
                g_repaints.push_back(Now() - again);
            }
        }
    }
    // Keystrokes that always change the list, alternating between two
    // queries, in one stretch long enough for the coarse processor clock.
    const int changes = 400;
    const double cpu = ProcessorMs();
    for (int i = 0; i < changes; ++i) {
        SetWindowTextA(field, i % 2 ? "えでぃた" : "");
        UpdateWindow(list);
    }
    g_cpuPerChange = (ProcessorMs() - cpu) / changes;
    PostMessageA(search, WM_CLOSE, 0, 0);
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
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char folder[MAX_PATH];
    wsprintfA(folder, "%sporun-search-bench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);
    OverrideProgramPath((std::string(folder) + "\\porun.exe").c_str());  // its files go there
    if (!AllocateLauncherData())
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
    if (!window)
        return 1;
    FillButtons();

    SearchIndex& index = g_index;
    std::vector<double> builds;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        BuildSearchIndex(*LauncherImage(), kGroupCount, &index);
        builds.push_back(Now() - start);
    }
    const std::vector<std::string> keystrokes = Keystrokes();
    std::vector<double> filters;
    int found[kButtonCount];
    for (int round = 0; round < kRounds; ++round) {
        for (const std::string& text : keystrokes) {
            const double start = Now();
            FindButtons(index, text.c_str(), found);
            filters.push_back(Now() - start);
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
    for (const char* name : {"\\porun.dat", "\\position.dat", "\\shortcut.dat"})
        DeleteFileA((std::string(folder) + name).c_str());
    RemoveDirectoryA(folder);
    OverrideProgramPath(nullptr);
    return 0;
}
