#pragma once
// Every test program watches the screen for dialogs nobody waits for: a box a
// regression opened would otherwise hold the test until CTest's time limit.
// A visible dialog of any process that no FindDialog has found, and that no
// running wait is looking for, fails the running test once it has stood so for
// kUnclaimedLimit, naming its caption and text, and is then answered with
// Cancel (No, OK) so the suite goes on. The progress window asks nothing and is
// left alone.
#include <windows.h>

#include <string>

namespace support {

constexpr DWORD kUnclaimedLimit = 5000;  // ms; every wait claims a dialog within its 10-ms round

void ClaimDialog(HWND dialog);  // a test found it: it is the test's to answer

// While it lives, a dialog whose caption holds captionPart is expected.
class ExpectedDialog {
public:
    explicit ExpectedDialog(const std::string& captionPart);
    ~ExpectedDialog();
    ExpectedDialog(const ExpectedDialog&) = delete;
    ExpectedDialog& operator=(const ExpectedDialog&) = delete;

private:
    std::string captionPart_;
};

}  // namespace support
