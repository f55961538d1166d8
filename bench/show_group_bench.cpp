// Showing a group against the bare system calls it needs, and the objects the
// process holds before and after many group switches. Not a test: prints figures.
//   scripts/wine-run build/bench/porun_show_group_bench.exe [--rounds N]
// A first showing (nothing kept) and a return to a group with unchanged files
// are timed apart; both against the same floor, measured in between.
#include "bench/bench_time.h"

#include "app/main_window.h"
#include "app/window_state.h"
#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/button_operations.h"
#include "bar/icon_cache.h"
#include "data/launcher.h"
#include "data/store_field.h"
#include "resources/resource_ids.h"
#include "support/program_files.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {
constexpr int kSwitches = 200;

std::wstring TempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%lsporun-bench-%lu", base, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    return folder;
}

// The eleven extractions and ten look-ups ShowGroup makes, made directly.
void BareCalls(const std::wstring& program, const std::vector<std::wstring>& files, int group)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = ExtractIconW(instance, program.c_str(), group + 1);
    if (icon)
        DestroyIcon(icon);
    for (const std::wstring& file : files) {
        wchar_t work[kFieldSize];
        lstrcpynW(work, file.c_str(), kFieldSize);
        WORD index = 0;
        icon = ExtractAssociatedIconW(instance, work, &index);
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(file.c_str(), &found);
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
        if (icon)
            DestroyIcon(icon);
    }
}

void PrintObjects(const char* when)
{
    std::printf("%-28s GDI objects %4lu, USER objects %4lu\n", when,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
}
}  // namespace

int main(int argc, char** argv)
{
    int rounds = 31;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::atoi(argv[i + 1]);
    if (rounds < 1)
        rounds = 1;
    const std::wstring folder = TempFolder();
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program = folder + L"\\porun.exe";
    CopyFileW(self, program.c_str(), FALSE);
    std::optional<SeamGuard> copy(OverrideProgramPath(program.c_str()));

    std::vector<std::wstring> files;
    for (int i = 0; i < kButtonsPerGroup; ++i) {
        wchar_t name[MAX_PATH];
        wsprintfW(name, L"%ls\\tool%d.exe", folder.c_str(), i);
        CopyFileW(self, name, FALSE);
        files.push_back(name);
    }
    const std::unique_ptr<Launcher> launcher = Launcher::Create();
    if (!launcher)
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr), kMainWindowClass, *launcher);
    if (!window)
        return 1;
    launcher->Settings().groupCount = 2;
    for (int group = 0; group < 2; ++group) {
        for (int i = 0; i < kButtonsPerGroup; ++i) {
            ButtonRecord* button = launcher->ButtonAt(group, i);
            std::memset(button, 0, sizeof *button);
            StoreField(button->file, files[i].c_str());
            StoreField(button->title, L"tool");
        }
    }
    ButtonBar& bar = WindowState(window)->bar;
    ShowWindow(window, SW_SHOWNOACTIVATE);  // the bar as the user sees it
    ShowGroup(bar, 0);
    ShowGroup(bar, 1);

    // first: every icon extracted (nothing kept); again: a return to the group.
    std::vector<double> first, again, bare, tips, cursor, images, releases, copies, paints;
    for (int round = 0; round < rounds; ++round) {
        const int group = round % 2;
        // The icons shown now are kept when replaced; the group's own are not.
        bar.icons.Clear();
        ShowGroup(bar, 1 - group);
        double start = NowMs();
        ShowGroup(bar, group);
        first.push_back(NowMs() - start);
        ShowGroup(bar, 1 - group);
        start = NowMs();
        ShowGroup(bar, group);
        again.push_back(NowMs() - start);
        start = NowMs();
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        paints.push_back(NowMs() - start);
        start = NowMs();
        BareCalls(program, files, group);
        bare.push_back(NowMs() - start);

        // The parts, in the same round so that the load falls on all alike.
        start = NowMs();
        UpdateBarTooltips(bar, TooltipMode::Update);
        tips.push_back(NowMs() - start);
        start = NowMs();
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        cursor.push_back(NowMs() - start);
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        HICON icons[kLauncherButtonCount];
        for (HICON& icon : icons)
            icon = LoadResourceIcon(IDI_EMPTY_BUTTON);
        HICON olds[kLauncherButtonCount];
        start = NowMs();
        for (int id = IDC_FIRST_LAUNCHER; id <= kLastLauncherId; ++id)
            olds[id - IDC_FIRST_LAUNCHER] = reinterpret_cast<HICON>(SendDlgItemMessageW(
                window, id, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons[id - IDC_FIRST_LAUNCHER])));
        images.push_back(NowMs() - start);
        start = NowMs();
        for (HICON old : olds)
            bar.icons.Release(old);
        releases.push_back(NowMs() - start);
        // What the common controls 6 button would do with every image handed to
        // it by its own BM_SETIMAGE (Wine 8): keep a copy, made with CopyImage.
        start = NowMs();
        for (int i = 0; i < kLauncherButtonCount; ++i)
            olds[i] = static_cast<HICON>(CopyImage(icons[i], IMAGE_ICON, 0, 0, 0));
        copies.push_back(NowMs() - start);
        for (HICON copy : olds)
            DestroyIcon(copy);
    }
    const double medianFirst = Median(first);
    const double medianAgain = Median(again);
    const double medianBare = Median(bare);
    std::printf("medians of %d rounds\n", rounds);
    std::printf("floor: bare calls (11 icons, 10 finds)     %8.3f ms\n", medianBare);
    std::printf("ShowGroup, 10 filled buttons, first time  %8.3f ms  ratio %.2f (target 1.30 or less)\n",
                medianFirst, medianFirst / medianBare);
    std::printf("ShowGroup, return to an unchanged group   %8.3f ms  ratio %.2f (target below 1)\n", medianAgain,
                medianAgain / medianBare);
    std::printf("  parts: ten pictures put on their buttons %.3f ms, the ten replaced ones released %.3f ms\n",
                Median(images), Median(releases));
    std::printf("         the eleven tool texts %.3f ms, the wait cursor %.3f ms\n", Median(tips), Median(cursor));
    std::printf("  not timed above: the bar painted after a return %.3f ms; ten copies with CopyImage, as the\n"
                "         button's own image would make them, %.3f ms (the bar draws its pictures itself)\n",
                Median(paints), Median(copies));

    // Leaks: the handles the bar shows now must all be gone after the switches.
    // (the arrows keep their images: only the group and launcher buttons count)
    std::vector<HICON> shown;
    for (int id = IDC_GROUP_BUTTON; id <= kLastLauncherId; ++id)
        if (id != IDC_PREVIOUS_GROUP && id != IDC_NEXT_GROUP)
            shown.push_back(reinterpret_cast<HICON>(SendDlgItemMessageW(window, id, BM_GETIMAGE, IMAGE_ICON, 0)));
    PrintObjects("before 200 switches:");
    for (int i = 0; i < kSwitches; ++i)
        ShowGroup(bar, i % 2);
    PrintObjects("after 200 switches:");
    bar.icons.Clear();  // what the bar keeps for a return goes with it
    int alive = 0;
    for (HICON icon : shown) {
        ICONINFO info;
        if (icon && GetIconInfo(icon, &info)) {
            ++alive;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
    }
    std::printf("replaced icons still alive:     %d of %d\n", alive, static_cast<int>(shown.size()));

    DestroyWindow(window);
    copy.reset();
    for (const std::wstring& file : files)
        DeleteFileW(file.c_str());
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != L'.')
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
    return 0;
}
