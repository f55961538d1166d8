#pragma once
// The real main window with its bar, created in this process, and the helpers
// the bar's tests share: records, held keys, icon pictures, tool texts.
#include "app/main_window.h"
#include "bar/bar_geometry.h"
#include "common/launcher_window_test.h"
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "shortcuts/shortcut_table.h"
#include "support/program_files.h"
#include "window/dialog_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Waits on another thread for a dialog of this process whose caption contains
// captionPart, runs inspect on it (reading or changing its controls) and then,
// unless buttonId is 0, presses buttonId.
class DialogProbe {
public:
    DialogProbe(std::string captionPart, std::function<void(HWND)> inspect, int buttonId,
                DWORD timeoutMs = 10000);
    void Join() { driver_.Join(); }
    bool Found() const { return driver_.Ran(); }

private:
    drive::DialogDriver driver_;
};

std::string ItemText(HWND dialog, int id);

// Copies the recording test program into folder (a sub-folder is created when
// the name holds one) and returns its path; received.txt appears beside it.
std::string InstallRecorder(const TempFolder& folder, const std::string& relativePath);
// The command line and current folder the recorder beside program received;
// false when it did not run within the time-out.
bool WaitForRecord(const std::string& program, std::string* commandLine, std::string* folder,
                   DWORD timeoutMs = 10000);
std::string ReceivedPath(const std::string& program);

// A real drop handle of one file at point (client coordinates of window),
// its name in UTF-16 as the shell hands it over.
HDROP MakeDrop(const std::wstring& file, POINT point);
HDROP MakeDrop(const std::string& file, POINT point);
// The centre of a bar control in the main window's client coordinates.
POINT ControlCentre(HWND window, int controlId);

using drive::HeldKey;

bool IsKeyDownNow(int key);

// 32 x 32 pixels of an icon drawn on white; empty for no icon.
std::vector<DWORD> IconPixels(HICON icon);
// The pixels of the image a bar control shows.
std::vector<DWORD> ControlPixels(HWND window, int controlId);
// The pixels of an icon resource, of icon index of a file (ExtractIconA).
std::vector<DWORD> ResourcePixels(int resourceId);
std::vector<DWORD> FileIconPixels(const std::string& path, int index);

// The bar's tooltip: the one owned by the main window; null when there is none.
HWND BarTooltip(HWND window);
// Text of the bar tooltip's tool for control id ("" also when there is none).
std::string ToolText(HWND window, int controlId);

// Fills a record of the current group (all text fields given).
void FillButton(int index, const std::string& title, const std::string& file,
                const std::string& params = "", const std::string& workDir = "",
                const std::string& iconFile = "", int iconIndex = 0);
void FillButtonAt(int group, int index, const std::string& title, const std::string& file,
                  const std::string& iconFile = "", int iconIndex = 0);

class BarWindowTest : public LauncherWindowTest {
protected:
    void SetUp() override;

    // Settings changed in memory (e.g. groupCount) before an action.
    void SetGroupCount(int count);
    void SetCollapseOnLaunch(bool on);
    bool Expanded() const;
    void Command(int id);  // sends WM_COMMAND id as a click would
    std::string ProgramCopy() const { return program_; }
};
