// Opening a folder's menu against listing the folder alone. Not a test:
// prints figures.
//   scripts/wine-run build/bench/porun_folder_menu_bench.exe [--rounds N]
// A folder of 2,000 files: the time from the click's call until the menu is
// on the screen (its loop first idles), against FindFirstFileW and
// FindNextFileW over the same folder, in the same rounds.
#include "bench/bench_time.h"

#include "menus/folder_menu.h"
#include "menus/menu_paint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kFiles = 2000;

double g_shownAt = 0;  // when the menu's loop first idled
double g_filledIn = 0;  // how long the menu took to be filled, of the last opening

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        return HandleMenuMeasureItem(window, wParam, lParam);
    case WM_DRAWITEM:
        return HandleMenuDrawItem(window, wParam, lParam);
    case WM_INITMENUPOPUP:
        HandleFolderMenuInit(window, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && g_shownAt == 0) {
            g_shownAt = NowMs();
            EndMenu();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring MakeFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t folder[MAX_PATH];
    wsprintfW(folder, L"%lsporun-folder-bench-%lu", base, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[MAX_PATH];
        wsprintfW(name, L"%ls\\file %d.txt", folder, i);
        HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return folder;
}

void RemoveFolder(const std::wstring& folder)
{
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[MAX_PATH];
        wsprintfW(name, L"%ls\\file %d.txt", folder.c_str(), i);
        DeleteFileW(name);
    }
    RemoveDirectoryW(folder.c_str());
}

// The floor: every name of the folder, as the system hands them over.
int BareListing(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int count = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

double MenuShown(HWND owner, const std::wstring& folder)
{
    g_shownAt = 0;
    const double start = NowMs();
    FolderMenu menu;
    menu.LoadSkin();
    menu.Open(owner, folder);
    g_filledIn = NowMs() - start;
    menu.Choose(owner, 100, 100);
    return g_shownAt - start;
}
}  // namespace

int main(int argc, char** argv)
{
    int rounds = 9;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::atoi(argv[i + 1]);
    rounds = std::max(rounds, 1);
    WNDCLASSW type = {};
    type.lpfnWndProc = OwnerProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"PorunFolderMenuBench";
    RegisterClassW(&type);
    HWND owner = CreateWindowW(type.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, type.hInstance, nullptr);
    if (!owner)
        return 1;
    const std::wstring folder = MakeFolder();
    MenuShown(owner, folder);  // the system's icons and the skin loaded once
    std::vector<double> menus, bare, filled;
    for (int round = 0; round < rounds; ++round) {
        menus.push_back(MenuShown(owner, folder));
        filled.push_back(g_filledIn);
        const double start = NowMs();
        BareListing(folder);
        bare.push_back(NowMs() - start);
    }
    RemoveFolder(folder);
    const double medianMenu = Median(menus);
    const double medianBare = Median(bare);
    std::printf("medians of %d rounds, a folder of %d files (the menu lists the first %u)\n", rounds, kFiles,
                static_cast<unsigned>(kFolderMenuCap));
    std::printf("floor: FindFirstFileW over the folder     %9.3f ms\n", medianBare);
    std::printf("folder menu, until it is shown            %9.3f ms  ratio %.1f\n", medianMenu,
                medianMenu / medianBare);
    std::printf("  of which listed, sorted and filled in      %9.3f ms\n", Median(filled));
    return 0;
}
