// Start-up benchmark: how long the launcher takes, with all 100 buttons
// filled, until its bar is shown with its icons, against a minimal Win32
// program that only opens a window, both started the same way in the same
// run; and the launcher's private memory once it has started.
//
//   porun_startup_bench [--runs N]
//
// Each start is timed from CreateProcess until its window is visible and
// painted (no update region left, its own nor, for the launcher, any bar
// control's) and, for the launcher, every bar control holds its picture. All
// of it is read without a message to the started program: what the launcher
// does after its first picture (the hotkeys, the tray icon, the tooltips,
// writing its icon file) is not part of the start and is not waited for. The
// programs are started alternately, after one warm-up start each (which also
// writes the launcher's icon file, as a user's first start does); the medians
// are reported. A third program, the minimal one with the launcher's manifest
// (common controls 6), shows what the platform's themed controls cost by
// themselves. Targets: launcher within 1.3 times the minimal program with the
// common controls 6, under 8 MiB private. Then the steps of the launcher's
// window creation are timed in this process (TimeSteps).
#include "bench/bench_time.h"

#include "app/main_window.h"
#include "app/window_state.h"
#include "app/tray_icon.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/button_operations.h"
#include "bar/icon_cache.h"
#include "bar/icon_cache_file.h"
#include "data/button_place.h"
#include "app/launcher_load.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "support/program_files.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMinimalClass[] = L"porun bench minimal window";
constexpr DWORD kStartLimitMs = 30000;
constexpr double kTimeTarget = 1.3;
constexpr double kMemoryTargetMiB = 8.0;

// A build path as CMake gives it (UTF-8, a Unix path in a cross build) as Windows sees it.
std::wstring HostPath(const char* unixPath)
{
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, wide, MAX_PATH);
    std::wstring path = wide;
    if (!path.empty() && path[0] == L'/') {
        path = L"Z:" + path;
        std::replace(path.begin(), path.end(), L'/', L'\\');
    }
    return path;
}

std::wstring MakeWorkFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%lsporun-bench-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    return folder;
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// Real program files of the system: its folder's and the Windows folder's
// executables, repeated when there are fewer than 100.
std::vector<std::wstring> ProgramFiles()
{
    std::vector<std::wstring> files;
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::wstring& folder : {std::wstring(system), std::wstring(windows)}) {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((folder + L"\\*.exe").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            files.push_back(folder + L"\\" + found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    if (files.empty())
        return files;
    for (size_t i = 0; files.size() < 100; ++i)
        files.push_back(files[i]);
    files.resize(100);
    return files;
}

// Writes the launcher's data file beside programPath with all 100 buttons
// filled and all 10 groups in use, through the launcher's own save.
bool WriteFullDataFile(const std::wstring& programPath)
{
    const std::vector<std::wstring> files = ProgramFiles();
    const std::unique_ptr<Launcher> launcher = Launcher::Create();
    if (files.size() != kButtonCount || !launcher)
        return false;
    for (int n = 0; n < kButtonCount; ++n) {
        const ButtonPlace place = ButtonPlace::FromNumber(n);
        ButtonRecord* button = launcher->ButtonAt(place.group, place.button);
        const std::wstring& file = files[n];
        const size_t slash = file.rfind(L'\\');
        StoreField(button->file, file.c_str());
        StoreField(button->workDir, file.substr(0, slash).c_str());
        const std::wstring title = file.substr(slash + 1);
        StoreField(button->title, title.substr(0, title.rfind(L'.')).c_str());
    }
    AppSettings& settings = launcher->Settings();
    settings.collapseOnLaunch = 1;
    settings.groupCount = 10;
    settings.windowX = 200;
    settings.windowY = 40;
    const SeamGuard beside = OverrideProgramPath(programPath.c_str());
    return SaveLauncherData(*launcher, nullptr);
}

// Visible, with nothing left to paint: its first picture is on the screen.
bool Painted(HWND window)
{
    return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
}

// Every bar control painted with its picture (the icon the bar keeps as the
// control's user data, bar/bar_pictures.h, read without a message).
bool BarShowsItsIcons(HWND window)
{
    for (int i = -1; i < 10; ++i) {  // the group button, then the ten launcher buttons
        HWND control = GetDlgItem(window, i < 0 ? IDC_GROUP_BUTTON : IDC_FIRST_LAUNCHER + i);
        if (!control || !GetWindowLongPtrW(control, GWLP_USERDATA) || !Painted(control))
            return false;
    }
    return true;
}

// Committed private memory of a process, summed over its address space: the
// figure Windows reports as private bytes. Wine leaves PrivateUsage of other
// processes at 0, so the walk is the measure the benchmark reports.
double PrivateCommittedMiB(HANDLE process)
{
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &info, sizeof info) == sizeof info;
         address = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (info.RegionSize == 0)
            break;
    }
    return static_cast<double>(total) / (1024.0 * 1024.0);
}

struct StartResult {
    bool ok = false;
    double ms = 0;
    double privateMiB = 0;     // PrivateUsage as the system reports it
    double walkedMiB = 0;      // committed private regions, summed
    double workingSetMiB = 0;
};

// Starts program, waits until its window of className is shown (with the
// bar's icons when checkIcons), measures, then closes it and waits for its end.
StartResult StartOnce(const std::wstring& program, const std::wstring& folder, const wchar_t* className,
                      bool checkIcons)
{
    StartResult result;
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = NowMs();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return result;
    HWND window = nullptr;
    while (NowMs() - start < kStartLimitMs) {
        window = FindWindowW(className, nullptr);
        if (window && Painted(window) && (!checkIcons || BarShowsItsIcons(window)))
            break;
        window = nullptr;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    result.ms = NowMs() - start;
    if (window) {
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters))
            result.privateMiB = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
        result.walkedMiB = PrivateCommittedMiB(process.hProcess);
        result.workingSetMiB = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
        result.ok = true;
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        result.ok = false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// Where the launcher's own time goes: its window made in this process over
// the same files (after a first, unmeasured one: libraries and classes are
// loaded by then, as the process start has loaded them), then the steps of
// its creation that can be repeated, timed alone. Medians, in ms.
struct Steps {
    std::vector<double> create, show, data, fileIcons, extracted, tooltips, tray, hotkeys, bar;
};

double Timed(const std::function<void()>& step)
{
    const double start = NowMs();
    step();
    return NowMs() - start;
}

void TimeSteps(const std::wstring& program, int runs, Steps* steps)
{
    const SeamGuard copy = OverrideProgramPath(program.c_str());
    for (int i = -1; i < runs; ++i) {
        const std::unique_ptr<Launcher> launcher = Launcher::Create();
        if (!launcher)
            break;
        HWND window = nullptr;
        const double create =
            Timed([&] { window = CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass, *launcher); });
        if (!window)
            break;
        const double show = Timed([&] {
            ShowWindow(window, SW_SHOWNOACTIVATE);
            UpdateWindow(window);
        });
        ButtonBar& bar = WindowState(window)->bar;
        const double data = Timed([&] { LoadDataFile(window, *launcher); });
        bar.icons.Clear();  // the start group's icons as a start takes them from the icon file
        const double fileIcons = Timed([&] {
            bar.iconFile.Read();
            ShowGroup(bar, launcher->CurrentGroup());
        });
        bar.icons.Clear();  // and as a start without the file extracts them
        bar.iconFile.Forget();
        const double extracted = Timed([&] { ShowGroup(bar, launcher->CurrentGroup()); });
        bar.iconFile.Forget();  // the file stays as it is
        ReleaseBarTooltips(bar);
        const double tooltips = Timed([&] { CreateBarTooltips(bar); });
        NOTIFYICONDATAW tray{};
        const double trayIcon = Timed([&] { AddTrayIcon(&tray, window, IDI_PROGRAM, IDS_TITLE_APP, WM_TRAYNOTIFY); });
        RemoveTrayIcon(&tray);
        UnregisterAllHotkeys(window, *launcher);
        const double hotkeys = Timed([&] { RegisterAllHotkeys(window, *launcher); });
        // The thirteen controls, made again on a window of their own.
        HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ButtonBar otherBar(other, *launcher);
        const double barControls = Timed([&] { CreateButtonBar(otherBar); });
        ReleaseButtonBar(otherBar);
        DestroyWindow(other);
        DestroyWindow(window);
        if (i < 0)
            continue;
        for (auto [list, value] : {std::pair{&steps->create, create}, {&steps->show, show}, {&steps->data, data},
                                   {&steps->fileIcons, fileIcons}, {&steps->extracted, extracted},
                                   {&steps->tooltips, tooltips}, {&steps->tray, trayIcon},
                                   {&steps->hotkeys, hotkeys}, {&steps->bar, barControls}})
            list->push_back(value);
    }
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's end posts one
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));

    const std::wstring folder = MakeWorkFolder();
    const std::wstring launcher = folder + L"\\porun.exe";
    const std::wstring minimal = HostPath(PORUN_BENCH_MINIMAL_PATH);
    const std::wstring minimalCc6 = HostPath(PORUN_BENCH_MINIMAL_CC6_PATH);
    if (!CopyFileW(HostPath(PORUN_EXE_PATH).c_str(), launcher.c_str(), FALSE) || !WriteFullDataFile(launcher)) {
        std::fprintf(stderr, "cannot prepare the launcher in %ls\n", folder.c_str());
        RemoveFolder(folder);
        return 2;
    }

    std::vector<StartResult> launcherRuns, minimalRuns, minimalCc6Runs;
    bool ok = true;
    for (int i = -1; i < runs && ok; ++i) {  // run -1 warms up
        const StartResult small = StartOnce(minimal, folder, kMinimalClass, false);
        const StartResult small6 = StartOnce(minimalCc6, folder, kMinimalClass, false);
        const StartResult bar = StartOnce(launcher, folder, kMainWindowClass, true);
        ok = small.ok && small6.ok && bar.ok;
        if (!ok || i < 0)
            continue;
        minimalRuns.push_back(small);
        minimalCc6Runs.push_back(small6);
        launcherRuns.push_back(bar);
        std::printf("run %d: minimal window %.1f ms, launcher %.1f ms, launcher private %.2f MiB\n", i + 1, small.ms,
                    bar.ms, bar.privateMiB > 0 ? bar.privateMiB : bar.walkedMiB);
    }
    Steps steps;
    if (ok)
        TimeSteps(launcher, runs, &steps);
    const long long dataSize = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return GetFileAttributesExW((folder + L"\\porun.dat").c_str(), GetFileExInfoStandard, &data)
                   ? static_cast<long long>(data.nFileSizeLow)
                   : -1LL;
    }();
    RemoveFolder(folder);
    if (!ok) {
        std::fprintf(stderr, "a program did not show its window (with the bar's icons) in time\n");
        return 2;
    }

    auto median = [](const std::vector<StartResult>& results, double StartResult::*field) {
        std::vector<double> values;
        for (const StartResult& result : results)
            values.push_back(result.*field);
        return Median(values);
    };
    const double minimalMedian = median(minimalRuns, &StartResult::ms);
    const double launcherMedian = median(launcherRuns, &StartResult::ms);
    const double minimalCc6Median = median(minimalCc6Runs, &StartResult::ms);
    const double ratio = launcherMedian / minimalCc6Median;
    // PrivateUsage where the system reports it; the walk of the address space otherwise.
    const double reported = median(launcherRuns, &StartResult::privateMiB);
    const double walked = median(launcherRuns, &StartResult::walkedMiB);
    const double memory = reported > 0 ? reported : walked;
    const bool timeMet = ratio <= kTimeTarget;
    const bool memoryMet = memory < kMemoryTargetMiB;
    std::printf("\nmedian of %d starts each (data file %lld bytes, 100 buttons filled):\n", runs, dataSize);
    std::printf("  minimal window shown:        %7.1f ms   private %.2f MiB (reported %.2f), working set %.2f MiB\n",
                minimalMedian, median(minimalRuns, &StartResult::walkedMiB), median(minimalRuns, &StartResult::privateMiB),
                median(minimalRuns, &StartResult::workingSetMiB));
    std::printf("  minimal window, comctl 6:    %7.1f ms   private %.2f MiB (the launcher's manifest, no launcher code)\n",
                median(minimalCc6Runs, &StartResult::ms), median(minimalCc6Runs, &StartResult::walkedMiB));
    std::printf("  launcher shown with icons:   %7.1f ms   private %.2f MiB (reported %.2f), working set %.2f MiB\n",
                launcherMedian, walked, reported, median(launcherRuns, &StartResult::workingSetMiB));
    auto fastest = [](const std::vector<StartResult>& results) {
        double best = results.front().ms;
        for (const StartResult& result : results)
            best = std::min(best, result.ms);
        return best;
    };
    // On a shared machine other work only ever adds time: the fastest starts
    // are the steadier comparison.
    std::printf("  fastest starts: minimal %.1f ms, comctl 6 %.1f ms, launcher %.1f ms, ratio %.2f\n",
                fastest(minimalRuns), fastest(minimalCc6Runs), fastest(launcherRuns),
                fastest(launcherRuns) / fastest(minimalRuns));
    std::printf("  start-up ratio against the comctl 6 window %.2f (target <= %.1f): %s; against the plain one %.2f\n",
                ratio, kTimeTarget, timeMet ? "met" : "MISSED", launcherMedian / minimalMedian);
    if (!steps.create.empty()) {
        const double create = Median(steps.create);
        const double parts = Median(steps.data) + Median(steps.fileIcons) + Median(steps.bar);
        std::printf("  the launcher's own steps, in this process (medians of %zu):\n", steps.create.size());
        std::printf("    the launcher's start less the comctl 6 window's (its libraries, its window and bar) %7.1f ms\n",
                    launcherMedian - minimalCc6Median);
        std::printf("    before the first picture: WM_CREATE as a whole %.1f ms (the thirteen bar controls %.1f,\n"
                    "      data file %.1f, start group's icons from the icon file %.1f, the rest %.1f);"
                    " first paint %.1f ms\n",
                    create, Median(steps.bar), Median(steps.data), Median(steps.fileIcons), create - parts,
                    Median(steps.show));
        std::printf("    the start group's icons extracted, without the icon file: %.1f ms\n", Median(steps.extracted));
        std::printf("    after the first picture: hotkeys %.1f ms, tray icon %.1f ms, tooltips %.1f ms\n",
                    Median(steps.hotkeys), Median(steps.tray), Median(steps.tooltips));
    }
    std::printf("  launcher private memory %.2f MiB (target < %.0f MiB): %s\n", memory, kMemoryTargetMiB,
                memoryMet ? "met" : "MISSED");
    return timeMet && memoryMet ? 0 : 1;
}
