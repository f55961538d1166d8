#pragma once
// What the window tables share: the bar's ids, the pictures a user tells groups and buttons by, the captions.
#include "support/launcher.h"

#include "dialogs/file_browser.h"
#include "resources/resource_ids.h"

#include <memory>

namespace window_test {

using namespace support;

constexpr wchar_t kButtonDialog[] = L"ボタンの設定";
constexpr wchar_t kGroupDialog[] = L"基本設定";
constexpr wchar_t kCapture[] = L"ショートカットキーの登録";
constexpr wchar_t kSearch[] = L"ボタンをさがす";

constexpr int B(int index)
{
    return IDC_FIRST_LAUNCHER + index;
}  // launcher button index (0..9)
constexpr int kNoneComes = 0;     // the button pressed on a dialog that no row expects
constexpr int kWindowItself = 0;  // a key or a right click that goes to the window, not to one of its controls

inline Picture Resource(int id)
{
    return Picture::OfResourceIcon(id);
}
inline Picture GroupPicture(int group)  // a group's default icon
{
    static const int ids[] = {IDI_FACE,    IDI_GROUP_2, IDI_GROUP_3, IDI_GROUP_4, IDI_GROUP_5,
                              IDI_GROUP_6, IDI_GROUP_7, IDI_GROUP_8, IDI_GROUP_9, IDI_GROUP_10};
    return Resource(ids[group]);
}

using Keystroke = std::vector<BYTE>;  // up to two modifiers, then the key
constexpr BYTE kLeave = 0xFF;         // ends a keystroke whose first key goes down before the user goes elsewhere
constexpr BYTE kCloseBox = 0xFE;      // alone: the capture's close box, after the keys before it were handled

// Opened by owner's button (posted), the key capture gets the keystrokes on its prompt and ends.
inline void CaptureBy(HWND owner, int button, const std::vector<Keystroke>& keys)
{
    Press(owner, button);
    HWND capture = WaitForDialog(kCapture), prompt = GetDlgItem(capture, IDC_KEY_CAPTURE_PROMPT);
    for (const Keystroke& k : keys) {
        if (k.back() == kCloseBox) {
            PostMessageW(capture, WM_CLOSE, 0, 0);
        } else if (k.back() == kLeave) {
            // on the dialog, whose key-up never comes: another window takes the activation
            PostKeys(capture, {}, k[0]);
            PostMessageW(capture, WM_ACTIVATE, WA_INACTIVE, 0);
        } else {
            PostKeys(prompt, k.size() < 2 ? Keys{} : k.size() == 2 ? Keys{k[0]} : Keys{k[0], k[1]}, k.back());
        }
    }
    if (!WaitGone(capture)) {  // a failure, not a hang of the dialogs waiting on it
        ADD_FAILURE() << "the keys did not end the capture";
        PostMessageW(capture, WM_CLOSE, 0, 0);
    }
    Idle(owner);
}

// A waiter for the dialog a row expects (act on it, then press); none for a null caption or press 0.
inline std::unique_ptr<DialogWaiter> Expect(const wchar_t* caption, int press, std::function<void(HWND)> act = {},
                                            HWND skip = nullptr)
{
    return caption && press ? std::make_unique<DialogWaiter>(caption, press, act, GetCurrentProcessId(), skip)
                            : nullptr;
}

// The file browser's stand-in (OverrideOpenFileDialog) answers g_chosen; empty: cancelled.
inline std::wstring g_chosen;
inline BOOL WINAPI ChosenFile(LPOPENFILENAMEW open)
{
    lstrcpynW(open->lpstrFile, g_chosen.c_str(), static_cast<int>(open->nMaxFile));
    return !g_chosen.empty();
}

// Drags open the window in front: a press then moves no focus, which under Wine can drop the cursor's clip.
class Window : public LauncherWindow {
protected:
    void OpenInFront()
    {
        Open(SW_SHOWNORMAL);
        SetForegroundWindow(window_);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
    }
    // Choosing command on control's menu opens the dialog captioned caption: act runs on it, then press ends it.
    bool FromMenu(int control, UINT command, const wchar_t* caption, int press, std::function<void(HWND)> act = {})
    {
        DialogWaiter dialog(caption, press, act);
        RightClick(control, command);
        return dialog.Seen();
    }
};

// The window fixture with one row of a table; rows carry their name.
template <class Row>
class Table : public Window, public ::testing::WithParamInterface<Row> {
protected:
    const Row& row() const { return this->GetParam(); }
};

}  // namespace window_test
