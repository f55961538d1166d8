#pragma once
// The real main window with its bar, created in this process, and the helpers
// the bar's tests share: records, held keys, icon pictures, tool texts.
#include "app/main_window.h"
#include "app/program_path.h"
#include "bar/bar_geometry.h"
#include "data/launcher_data.h"
#include "shortcuts/shortcut_table.h"

#include "common/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Holds a key down for real (the asynchronous key state changes) and lets it
// go on every path out of the scope.
class HeldKey {
public:
    explicit HeldKey(BYTE key);
    ~HeldKey();
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    BYTE key_;
};

bool IsKeyDownNow(int key);

// 32 x 32 pixels of an icon drawn on white; empty for no icon.
std::vector<DWORD> IconPixels(HICON icon);
// The pixels of the image a bar control shows.
std::vector<DWORD> ControlPixels(HWND window, int controlId);
// The pixels of an icon resource, of icon index of a file (ExtractIconA).
std::vector<DWORD> ResourcePixels(int resourceId);
std::vector<DWORD> FileIconPixels(const std::string& path, int index);

// Text of the bar tooltip's tool for control id ("" also when there is none).
std::string ToolText(HWND window, int controlId);

// Fills a record of the current group (all text fields given).
void FillButton(int index, const std::string& title, const std::string& file,
                const std::string& params = "", const std::string& workDir = "",
                const std::string& iconFile = "", int iconIndex = 0);
void FillButtonAt(int group, int index, const std::string& title, const std::string& file,
                  const std::string& iconFile = "", int iconIndex = 0);

class BarWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Settings changed in memory (e.g. groupCount) before an action.
    void SetGroupCount(int count);
    void SetCollapseOnLaunch(bool on);
    bool Expanded() const;
    void Command(int id);  // sends WM_COMMAND id as a click would
    std::string ProgramCopy() const { return program_; }

    TempFolder folder_;
    std::string program_;
    HWND window_ = nullptr;
};
