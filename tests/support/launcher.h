#pragma once
// The launcher under test: its files, the programs it starts, its window in this process, the built program.
#include "support/files.h"
#include "support/ui.h"

#include "data/launcher.h"
#include "data/launcher_records.h"
#include "data/stored_layout.h"
#include "shortcuts/key_names.h"
#include "support/apps_folder.h"
#include "support/seam_guard.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>
#include <optional>

namespace support {

constexpr wchar_t kError[] = L"ぽてまるエラー";
constexpr wchar_t kNotice[] = L"ぽてまるのお知らせ";
constexpr wchar_t kQuestion[] = L"ぽてまるの質問";

// porun.dat byte for byte as every launcher, old and new, reads it (data/stored_layout.h).
std::wstring Decoded(const char* field);  // a field's text from code page 932

// porun.dat as records: arranged before a start, read back after a save.
struct DataImage {
    StoredBlock groups[kGroupCount]{};
    AppSettings settings{1, 0, 3, 30, 30, 0, 0};  // what a first start chooses
    DataImage& Button(int group, int index, const std::wstring& title, const std::wstring& file,
                      const std::wstring& params = L"", const std::wstring& workDir = L"",
                      const std::wstring& iconFile = L"", int iconIndex = 0);
    DataImage& Group(int group, const std::wstring& name, const std::wstring& iconFile = L"", int iconIndex = 0);
    const StoredButton& At(int group, int index) const { return groups[group].buttons[index]; }
    std::wstring Title(int group, int index) const { return Decoded(At(group, index).title); }
    std::wstring File(int group, int index) const { return Decoded(At(group, index).file); }
    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(this), sizeof *this); }
    static std::optional<DataImage> Read(const std::wstring& path);  // nullopt unless a whole image
};
static_assert(sizeof(DataImage) == kDataFileSize, "as the file");

// shortcut.dat's modifier flags and its mark of a system-wide hotkey, by name.
constexpr int kNoModifiers = 0;
constexpr int kShift = kModifierShift;
constexpr int kCtrl = kModifierCtrl;
constexpr int kAlt = kModifierAlt;
constexpr int kPlainKey = 0;      // a shortcut of the launcher's window alone
constexpr int kSystemHotkey = 1;  // also registered system-wide

// shortcut.dat lines as the launcher writes them: one button's four (id: its number), the activation's two.
std::string ShortcutLines(int group, int button, int key, int flags, int system, int id = -1);
inline std::string ActiveLines(int key, int flags)
{
    return "ShortCut.Active.key," + std::to_string(key) + "\r\nShortCut.Active.flag," + std::to_string(flags) + "\r\n";
}
inline bool HotkeyTaken(UINT modifiers, UINT vk)  // another window holds the combination as a system hotkey
{
    const bool free = RegisterHotKey(nullptr, 0x2345, modifiers, vk);
    UnregisterHotKey(nullptr, 0x2345);
    return !free;
}
// A DROPFILES record followed by the names in UTF-16, as the shell hands a drop over.
inline std::string DropBlock(const std::vector<std::wstring>& files, POINT point = {})
{
    const DROPFILES header = {sizeof header, point, FALSE, TRUE};
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::wstring& file : files)
        block.append(reinterpret_cast<const char*>(file.c_str()), (file.size() + 1) * sizeof(wchar_t));
    return block.append(sizeof(wchar_t), '\0');
}
POINT Centre(HWND control, HWND clientOf = nullptr);  // of the control: on the screen, or in clientOf's client area
bool MakeShellLink(const std::wstring& link, const std::wstring& target, const std::wstring& args,
                   const std::wstring& dir);

// What a started recorder wrote into received.txt (UTF-8): its command line, current folder and own path.
struct Received {
    std::wstring commandLine, folder, program;
};
// The recorder copied to folder\relative; started, it writes what it received beside itself.
class Recorder {
public:
    Recorder(const TempFolder& folder, const std::wstring& relative, bool withIcon = false)
        : path_(CopyInto(BuildFile(withIcon ? PORUN_RECORDER_ICON_PATH : PORUN_RECORDER_PATH), folder, relative))
    {
    }
    const std::wstring& Path() const { return path_; }
    bool Started() const
    {
        return WaitUntil([this] { return StartedYet(); });
    }                      // it renames the file into place whole
    Received Got() const;  // once Started()
    bool StartedYet() const { return Exists(FolderOf(path_) + L"\\received.txt"); }  // after a positive barrier

private:
    std::wstring path_;
};

// A drag's stop: the cursor over control over (+dx), mouse moves, then ticks of the hover timer.
struct DragStep {
    int over, dx = 0, ticks = 0;
};

// The main window in this process, the program's copy in "表ソ" (0x5C trail bytes); drags tick its hover timer.
class LauncherWindow : public ::testing::Test {
protected:
    void TearDown() override { Close(); }
    void Open(int show = SW_SHOWNOACTIVATE);  // writes data_ and shortcuts_ (when set) beside the copy first
    void Close();                             // DestroyWindow: the launcher writes its files
    void Click(int id);                       // BN_CLICKED (the group button's check toggles first)
    void Command(UINT id) { SendMessageW(window_, WM_COMMAND, id, 0); }  // as a menu choice sends it
    void Key(BYTE vk, int controlId = 0);                                // WM_KEYDOWN to the window or a bar control
    void Drop(const std::vector<std::wstring>& files, int controlId);    // at the control's centre
    OpenMenu RightClick(int controlId, UINT choose = 0,  // WM_CONTEXTMENU of a control (0: the bare window)
                        const std::function<void(const OpenMenu&)>& look = {});
    OpenMenu Tray(UINT mouseMessage, UINT choose = 0, UINT iconId = 1);
    void Drag(int from, const std::vector<DragStep>& steps, Keys held = {});  // released over the last step
    Picture Shows(int controlId) const                                        // the image a bar control shows
    {
        const LRESULT image = SendDlgItemMessageW(window_, controlId, BM_GETIMAGE, IMAGE_ICON, 0);
        return Picture::OfIcon(reinterpret_cast<HICON>(image));
    }
    std::wstring Tip(int controlId) const;  // its tooltip text, "" when none
    bool Expanded() const;                  // every launcher button lies inside the client area
    std::optional<DataImage> Saved() const { return DataImage::Read(folder_.File(L"porun.dat")); }

    TempFolder folder_{L"表ソ"};
    // The Programs folder the launcher's catalog reads (in the test's folder, empty unless a test fills it),
    // and the Apps folder's applications it lists.
    std::wstring programs_ = folder_.Folder(L"Programs");
    std::vector<StoreApp> storeApps_;
    std::optional<SeamGuard> programsSeam_, storeAppsSeam_;
    DataImage data_;
    std::string shortcuts_;              // shortcut.dat; none when empty
    std::function<void()> beforeStart_;  // run by Open once the files are written, before the window is made
    bool waitReady_ = true;              // Open waits for the start's second half (MainWindowReady)
    std::wstring program_;
    std::optional<SeamGuard> programPath_;  // the copy's, from Open to Close
    std::unique_ptr<Launcher> launcher_;    // what the window shows, made by Open
    HWND window_ = nullptr;
};

// The desktop of every program started meanwhile (the user's shell folder "Desktop") is folder; the one
// before comes back at the end, so that what a started launcher packs or extracts stays in the test's folder.
class DesktopRedirect {
public:
    explicit DesktopRedirect(const std::wstring& folder);
    ~DesktopRedirect();
    DesktopRedirect(const DesktopRedirect&) = delete;
    DesktopRedirect& operator=(const DesktopRedirect&) = delete;

private:
    std::wstring before_;  // the value as it was; empty when there was none
};

// The built launcher started as a user starts it; killed at the end if still running.
class LauncherProcess {
public:
    explicit LauncherProcess(const std::wstring& exe);
    ~LauncherProcess();
    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    long WaitForExit() const;  // exit code, -1 on time-out
    void Kill() const { Running() && TerminateProcess(process_.hProcess, 99) && WaitForExit(); }
    HWND Window();  // its main window once visible with its tray icon (its start's last step); null when it ended
    HWND Dialog(const std::wstring& captionPart) const { return WaitForDialog(captionPart, process_.dwProcessId); }
    bool Drop(const std::vector<std::wstring>& files, int controlId) const;  // DROPFILES in its memory
    bool Close() const;                                                      // true: it ended

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

}  // namespace support
