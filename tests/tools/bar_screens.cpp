// Shows the bar with a filled group, then the button settings dialog empty and filled, each
// for a few seconds, so that scripts/bar_screenshots.sh can capture them.
#include "app/main_window.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "dialogs/button_settings_dialog.h"
#include "dialogs/dialog_request.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"

#include <cstring>
#include <string>
#include <thread>

namespace {
void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void Fill(int index, const char* title, const std::string& file, const std::string& iconFile, int iconIndex)
{
    ButtonRecord* button = CurrentButton(index);
    std::memset(button, 0, sizeof *button);
    lstrcpynA(button->title, title, kTextFieldSize);
    lstrcpynA(button->file, file.c_str(), kTextFieldSize);
    lstrcpynA(button->iconFile, iconFile.c_str(), kTextFieldSize);
    button->iconIndex = iconIndex;
    std::string folder = file.substr(0, file.rfind('\\'));
    lstrcpynA(button->workDir, folder.c_str(), kTextFieldSize);
    lstrcpynA(button->params, "/s \"new notes.txt\"", kTextFieldSize);
}

// Closes the settings dialog after ms from another thread.
void ShowDialogFor(HWND window, int index, DWORD ms)
{
    std::thread closer([ms] {
        Sleep(ms);
        for (int tries = 0; tries < 100; ++tries) {
            HWND dialog = FindWindowA("#32770", nullptr);
            if (dialog) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            Sleep(50);
        }
    });
    SetDialogRequest(index, 0, nullptr);
    ShowButtonSettingsDialog(window);
    closer.join();
}
}  // namespace

int main()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    const std::string folder = std::string(base) + "porun-screens";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string tools = folder + "\\ツール";
    CreateDirectoryA(tools.c_str(), nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string program = folder + "\\porun.exe";
    CopyFileA(self, program.c_str(), FALSE);
    OverrideProgramPath(program.c_str());
    const std::string editor = tools + "\\editor.exe";
    CopyFileA(self, editor.c_str(), FALSE);

    if (!AllocateLauncherData())
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), kMainWindowClass);
    if (!window)
        return 1;
    if (!GetShortcutTable())
        CreateShortcutTable();
    lstrcpyA(CurrentGroupRecord()->name, "ツール");
    Fill(0, "エディタ", editor, "", 0);
    Fill(1, "ポルン", program, program, 3);
    Fill(2, "お弁当", program, program, 6);
    Fill(3, "きのこ", program, program, 8);
    Fill(4, "消えたファイル", tools + "\\gone.exe", "", 0);
    Fill(5, "お絵かき", program, program, 10);
    *GetShortcutEntry(0, 1) = ShortcutEntry{1, 'E', 6, 1};
    ShowGroup(window, 0);
    SetWindowPos(window, HWND_TOPMOST, 120, 60, 0, 0, SWP_NOSIZE);
    ShowWindow(window, SW_SHOWNORMAL);
    Pump(4000);
    ShowDialogFor(window, 7, 4000);
    ShowDialogFor(window, 1, 4000);
    DestroyWindow(window);
    FreeLauncherData();
    return 0;
}
