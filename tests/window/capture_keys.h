#pragma once
// Real key presses for the key capture dialog, in step with it: a witness on
// the dialog's prompt counts the key messages it has handled, and every key
// event waits for its message, so the presser never races ahead of the dialog.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

namespace capture_keys {

// Caption part of the capture dialog.
extern const char kCaptureCaption[];

// Starts watching the prompt of an open capture dialog.
void Watch(HWND dialog);
// One key event for real; waits until the watched dialog handled it or is gone.
void KeyEvent(BYTE key, bool down);
// Holds the modifiers, taps key, lets the modifiers go (last held, first released).
void Press(std::initializer_list<BYTE> held, BYTE key);

// Polls (on a helper thread) for a dialog of this process by caption part.
HWND WaitForDialog(const char* captionPart, DWORD timeoutMs);
bool WaitUntilGone(HWND dialog, DWORD timeoutMs);

// On a helper thread: waits for the capture dialog, reads its prompt, runs
// press, and closes the dialog if the keys did not end it (the test then fails).
class CaptureDriver {
public:
    explicit CaptureDriver(std::function<void()> press);
    ~CaptureDriver();
    CaptureDriver(const CaptureDriver&) = delete;
    CaptureDriver& operator=(const CaptureDriver&) = delete;
    void Join();
    std::string Prompt() const { return prompt_; }
    bool EndedByKeys() const { return endedByKeys_; }

private:
    std::string prompt_;
    bool endedByKeys_ = false;
    std::thread thread_;
};

// The same steps without a thread of their own (for a driver already on one):
// true when a capture dialog came and the keys ended it.
bool DriveCapture(const std::function<void()>& press, std::string* prompt = nullptr);

}  // namespace capture_keys
