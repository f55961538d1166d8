#pragma once
// Shared helpers of the test programs: temporary folders, files, the built
// program's path, message pumping and a thread that answers modal dialogs.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing
void RemoveTree(const std::string& path);  // also names outside the code page, paths beyond MAX_PATH
// Text between the program's ANSI code page and UTF-16.
std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);  // "?" for what the code page lacks
// An absolute ANSI path in the wide API's long form ("\\?\"), which knows no MAX_PATH.
std::wstring LongForm(const std::string& path);

// Windows path of a file of the build (CMake hands Unix paths to the tests).
std::string HostPath(const char* unixPath);
std::string BuiltProgramPath();  // porun.exe of this build
std::string SourcePath(const char* relative);

// Copies the built program into folder under name and points the program
// path seam at the copy; returns the copy's path.
std::string InstallProgramCopy(const TempFolder& folder, const char* name = "porun.exe");

// Dispatches this thread's messages for ms milliseconds.
void PumpMessages(DWORD ms);
// Dispatches messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Waits on another thread for a dialog (class #32770) of this process whose
// caption contains captionPart, remembers its message text and presses
// buttonId. One dialog per answerer.
class DialogAnswerer {
public:
    DialogAnswerer(std::string captionPart, int buttonId, DWORD timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for the thread (the dialog answered or the time-out passed).
    void Join();
    bool Answered() const { return answered_; }
    std::string Caption() const { return caption_; }
    std::string Text() const { return text_; }  // static 0xFFFF of a message box

private:
    void Run();
    std::string captionPart_;
    int buttonId_;
    DWORD timeoutMs_;
    std::atomic<bool> answered_{false};
    std::string caption_;
    std::string text_;
    std::thread thread_;
};

// Finds a visible dialog of this process whose caption contains captionPart.
HWND FindProcessDialog(const std::string& captionPart);
