#pragma once
// Helpers for driving modal dialogs of this process from a second thread,
// and for making the files the dialogs are tried on.
#include "support/launcher.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace drive {

// Waits on its own thread for a visible dialog of this process whose caption
// contains captionPart, then runs action with it (once). The thread ends
// after the action or after timeoutMs.
class DialogDriver {
public:
    DialogDriver(std::string captionPart, std::function<void(HWND)> action, DWORD timeoutMs = 15000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    void Join();
    bool Ran() const { return ran_; }

private:
    std::string captionPart_;
    std::function<void(HWND)> action_;
    DWORD timeoutMs_;
    std::atomic<bool> ran_{false};
    std::thread thread_;
};

// Waits until a dialog whose caption contains captionPart is visible; null after timeoutMs.
HWND WaitForDialog(const std::string& captionPart, DWORD timeoutMs = 15000);

// Posts a click of button id (BN_CLICKED) to the dialog.
void ClickButton(HWND dialog, int id);
// Posts a left double click in the middle of list box item index.
void DoubleClickItem(HWND list, int index);
// The colours of column dx of list box item index, top to bottom, after a repaint.
std::vector<COLORREF> ItemColumnColours(HWND list, int index, int dx);
int CountColour(const std::vector<COLORREF>& colours, COLORREF colour);

using support::MakeFileWithIcons;
using support::MakeShellLink;

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

}  // namespace drive
