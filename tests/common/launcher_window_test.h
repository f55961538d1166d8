#pragma once
// Fixture of the window tests: the real main window, created in this process
// over a copy of the built program in a fresh folder, destroyed afterwards.
#include "common/test_support.h"

#include <gtest/gtest.h>

#include <string>

class LauncherWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenLauncherWindow(); }
    void TearDown() override { CloseLauncherWindow(); }

    // Files the window should load are written into folder_ before this.
    void OpenLauncherWindow(int showCommand = SW_SHOWNORMAL);
    // Destroys the window (which saves its files) and frees the launcher data.
    void CloseLauncherWindow();

    TempFolder folder_;
    std::string program_;
    HWND window_ = nullptr;
};
