#include "dialogs/key_capture_dialog.h"

#include "resources/resource_ids.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/messages.h"

#include <commctrl.h>

#include <cwchar>

namespace {
// "CTRL+ALT+SHIFT" for the required flags, in that order.
void RequiredKeyNames(int flags, wchar_t* buffer, size_t size)
{
    buffer[0] = L'\0';
    const struct {
        int flag;
        const wchar_t* name;
    } kNames[] = {{kModifierCtrl, L"CTRL"}, {kModifierAlt, L"ALT"}, {kModifierShift, L"SHIFT"}};
    for (const auto& entry : kNames) {
        if (!(flags & entry.flag))
            continue;
        if (buffer[0])
            std::wcsncat(buffer, L"+", size - std::wcslen(buffer) - 1);
        std::wcsncat(buffer, entry.name, size - std::wcslen(buffer) - 1);
    }
}
// The modifiers held when the key message being handled was sent. Reading
// the state at the time of the key, not when the dialog gets round to it,
// keeps a quickly released CTRL from turning CTRL+A into a plain A.
int ModifiersOfCurrentMessage()
{
    int flags = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        flags |= kModifierShift;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        flags |= kModifierCtrl;
    if (GetKeyState(VK_MENU) & 0x8000)
        flags |= kModifierAlt;
    return flags;
}
}  // namespace

int KeyCaptureDialog::Run(HWND owner)
{
    key_ = 0;
    modifiers_ = 0;
    for (bool& pressed : pressedHere_)
        pressed = false;
    const INT_PTR result = ShowModal(owner, IDD_KEY_CAPTURE);
    if (result <= 0)
        key_ = 0;
    return key_;
}

// The modifiers whose key-down this dialog has seen and whose key-up it has
// not: the thread's key state can lag behind under a busy display server.
int KeyCaptureDialog::ModifiersPressedHere() const
{
    int flags = 0;
    if (pressedHere_[VK_SHIFT] || pressedHere_[VK_LSHIFT] || pressedHere_[VK_RSHIFT])
        flags |= kModifierShift;
    if (pressedHere_[VK_CONTROL] || pressedHere_[VK_LCONTROL] || pressedHere_[VK_RCONTROL])
        flags |= kModifierCtrl;
    if (pressedHere_[VK_MENU] || pressedHere_[VK_LMENU] || pressedHere_[VK_RMENU])
        flags |= kModifierAlt;
    return flags;
}

bool KeyCaptureDialog::OnKeyMessage(UINT message, int key)
{
    if (key < 0 || key > 255)
        return false;
    if (message == WM_KEYDOWN) {
        pressedHere_[key] = true;
    } else if (message == WM_KEYUP) {
        if (!pressedHere_[key])
            return false;
        pressedHere_[key] = false;
    } else {
        return false;
    }
    OnKey(key);
    return true;
}

void KeyCaptureDialog::OnKey(int key)
{
    if (!*GetKeyName(key))
        return;
    key_ = 0;
    modifiers_ = 0;
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
        return;
    if (key == VK_DELETE) {
        key_ = VK_DELETE;
        PostMessageW(DialogWindow(), WM_CLOSE, 0, 0);
    } else if (key == VK_ESCAPE) {
        PostMessageW(DialogWindow(), WM_CLOSE, 0, 0);
    }
    modifiers_ = ModifiersOfCurrentMessage() | ModifiersPressedHere();
    if (IsShortcutRefused(table_, key, modifiers_))
        return;
    if ((modifiers_ & required_) != required_)
        return;
    PostMessageW(DialogWindow(), WM_CLOSE, 0, 0);
    key_ = key;
}

LRESULT CALLBACK KeyCaptureDialog::PromptProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self)
{
    reinterpret_cast<KeyCaptureDialog*>(self)->OnKeyMessage(message, static_cast<int>(wParam));
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    // Every key, ESC, ENTER and TAB included, is for the prompt, not for
    // the dialog's keyboard navigation.
    if (message == WM_GETDLGCODE)
        return result | DLGC_WANTALLKEYS;
    return result;
}

void KeyCaptureDialog::OnInitDialog(HWND dialog)
{
    HWND prompt = GetDlgItem(dialog, IDC_KEY_CAPTURE_PROMPT);
    if (prompt)
        SetWindowSubclass(prompt, PromptProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (required_ != 0) {
        wchar_t names[32];
        RequiredKeyNames(required_, names, 32);
        wchar_t text[160];
        FormatText(text, 160, IDS_CAPTURE_PROMPT_FORMAT, names);
        SetDlgItemTextW(dialog, IDC_KEY_CAPTURE_PROMPT, text);
    }
    SetFocus(prompt ? prompt : dialog);
}

void KeyCaptureDialog::Finish(HWND dialog)
{
    if (HWND prompt = GetDlgItem(dialog, IDC_KEY_CAPTURE_PROMPT))
        RemoveWindowSubclass(prompt, PromptProc, 0);
    EndDialog(dialog, key_);
}

INT_PTR KeyCaptureDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;  // the focus is set
    case WM_KEYDOWN:
        OnKeyMessage(message, static_cast<int>(wParam));
        return TRUE;
    case WM_ACTIVATE:
        // Keys let go in another window never send their key-up here.
        if (LOWORD(wParam) == WA_INACTIVE) {
            for (bool& pressed : pressedHere_)
                pressed = false;
        }
        return FALSE;
    case WM_COMMAND:
        // The dialog manager's own cancel (no control of this dialog sends commands).
        if (LOWORD(wParam) == IDCANCEL) {
            key_ = 0;
            Finish(dialog);
        }
        return TRUE;
    case WM_CLOSE:
    case WM_ENDSESSION:
        Finish(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

bool CaptureButtonShortcut(HWND owner, ShortcutTable& table, int group, int button)
{
    ShortcutEntry* entry = GetShortcutEntry(table, group, button);
    if (!entry)
        return false;
    KeyCaptureDialog capture(table);
    const int key = capture.Run(owner);
    if (key == 0)
        return false;
    if (key == VK_DELETE) {
        *entry = ShortcutEntry{};
        return true;
    }
    const int flags = capture.GetModifiers();
    if (IsDuplicateShortcut(table, key, flags, group, button) &&
        ShowMessageId(owner, IDS_ASK_DUPLICATE_SHORTCUT, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return false;
    entry->key = key;
    entry->flag = flags;
    return true;
}

bool CaptureActiveShortcut(HWND owner, ShortcutTable& table)
{
    KeyCaptureDialog capture(table);
    capture.SetRequiredModifiers(kModifierCtrl);
    const int key = capture.Run(owner);
    if (key == 0)
        return false;
    table.Active.key = key == VK_DELETE ? 0 : key;
    table.Active.flag = key == VK_DELETE ? 0 : capture.GetModifiers();
    return true;
}
