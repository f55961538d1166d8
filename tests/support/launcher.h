#pragma once
// The launcher under test: its files, the programs it starts, its window in this process, the built program.
#include "support/files.h"
#include "support/ui.h"

#include "data/launcher_records.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <optional>

namespace support {

constexpr char kError[] = "ぽてまるエラー", kNotice[] = "ぽてまるのお知らせ", kQuestion[] = "ぽてまるの質問";  // boxes

// porun.dat as records: arranged before a start, read back after a save.
struct DataImage {
    LauncherData data{};
    AppSettings settings{1, 0, 3, 30, 30, 0, 0};  // what a first start chooses
    DataImage& Button(int group, int index, const std::string& title, const std::string& file,
                      const std::string& params = "", const std::string& workDir = "",
                      const std::string& iconFile = "", int iconIndex = 0);
    DataImage& Group(int group, const std::string& name, const std::string& iconFile = "", int iconIndex = 0);
    const ButtonRecord& At(int group, int index) const { return data.groups[group].buttons[index]; }
    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(this), sizeof *this); }
    static std::optional<DataImage> Read(const std::string& path);  // nullopt unless a whole image
    bool TextThenZeros() const;  // every text field is its text, ended inside the field, then zeros
};
static_assert(sizeof(DataImage) == kDataFileSize, "the records as the file holds them");

// shortcut.dat lines as the launcher writes them: one button's four (id: its number), the activation's two.
std::string ShortcutLines(int group, int button, int key, int flags, int system, int id = -1);
inline std::string ActiveLines(int key, int flags)
{
    return "ShortCut.Active.key," + std::to_string(key) + "\r\nShortCut.Active.flag," + std::to_string(flags) + "\r\n";
}
inline bool HotkeyTaken(UINT modifiers, UINT vk)  // another window holds the combination as a system hotkey
{
    const bool free = RegisterHotKey(nullptr, 0x2345, modifiers, vk);
    return UnregisterHotKey(nullptr, 0x2345), !free;
}
// A DROPFILES record followed by the names, as the shell hands a drop over; UTF-16 for wide names.
template <class Name>
std::string DropBlock(const std::vector<Name>& files, POINT point = {})
{
    const DROPFILES header = {sizeof header, point, FALSE, sizeof(typename Name::value_type) == 2};
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const Name& file : files)
        block.append(reinterpret_cast<const char*>(file.c_str()), (file.size() + 1) * sizeof file[0]);
    return block.append(sizeof(typename Name::value_type), '\0');
}
POINT Centre(HWND control, HWND clientOf = nullptr);  // of the control: on the screen, or in clientOf's client area
bool MakeShellLink(const std::string& link, const std::string& target, const std::string& args, const std::string& dir);

// The recorder copied to folder\relative; started, it writes its command line and folder into received.txt.
class Recorder {
public:
    Recorder(const TempFolder& folder, const std::string& relative, bool withIcon = false)
        : path_(CopyInto(BuildFile(withIcon ? PORUN_RECORDER_ICON_PATH : PORUN_RECORDER_PATH), folder, relative)) {}
    const std::string& Path() const { return path_; }
    bool Started(std::string* commandLine = nullptr, std::string* folder = nullptr) const;
    bool StartedYet() const { return Exists(FolderOf(path_) + "\\received.txt"); }  // after a positive barrier

private:
    std::string path_;
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
    void Command(UINT id) { SendMessageA(window_, WM_COMMAND, id, 0); }  // as a menu choice sends it
    void Key(BYTE vk, int controlId = 0);  // WM_KEYDOWN to the window or a bar control
    void Drop(const std::vector<std::string>& files, int controlId);  // at the control's centre
    OpenMenu RightClick(int controlId, UINT choose = 0,  // WM_CONTEXTMENU of a control (0: the bare window)
                        const std::function<void(const OpenMenu&)>& look = {});
    OpenMenu Tray(UINT mouseMessage, UINT choose = 0, UINT iconId = 1);
    void Drag(int from, const std::vector<DragStep>& steps, Keys held = {});  // released over the last step
    Picture Shows(int controlId) const  // the image a bar control shows
    {
        return Picture::OfIcon(reinterpret_cast<HICON>(SendDlgItemMessageA(window_, controlId, BM_GETIMAGE, IMAGE_ICON, 0)));
    }
    std::string Tip(int controlId) const;  // its tooltip text, "" when none
    bool Expanded() const;                 // every launcher button lies inside the client area
    std::optional<DataImage> Saved() const { return DataImage::Read(folder_.File("porun.dat")); }

    TempFolder folder_{"表ソ"};
    DataImage data_;
    std::string shortcuts_;  // shortcut.dat; none when empty
    std::function<void()> beforeStart_;  // run by Open once the files are written, before the window is made
    std::string program_;
    HWND window_ = nullptr;
};

// The built launcher started as a user starts it; killed at the end if still running.
class LauncherProcess {
public:
    explicit LauncherProcess(const std::string& exe);
    ~LauncherProcess() { Kill(), CloseHandle(process_.hProcess), CloseHandle(process_.hThread); }
    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    long WaitForExit() const;  // exit code, -1 on time-out
    void Kill() const { Running() && TerminateProcess(process_.hProcess, 99) && WaitForExit(); }
    HWND Window();  // its main window once visible; null when it ended
    HWND Dialog(const std::string& captionPart) const { return WaitForDialog(captionPart, process_.dwProcessId); }
    bool Drop(const std::vector<std::string>& files, int controlId) const;  // DROPFILES in its memory
    bool Close() const { return PostMessageA(window_, WM_CLOSE, 0, 0), WaitForExit() != -1; }  // true: it ended

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

}  // namespace support
