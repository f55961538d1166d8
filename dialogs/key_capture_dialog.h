#pragma once
// The key capture dialog: waits for the key combination to assign. A named, allowed key
// ends it with that key and the modifiers held; ESC cancels (key 0); DEL ends
// it with 0x2E, the request to clear; refused or nameless keys are ignored.
#include "data/shortcut_records.h"
#include "resources/resource_ids.h"
#include "support/dialog_base.h"

class KeyCaptureDialog : public DialogBase {
public:
    // Keys table refuses (shortcuts/shortcut_table.h IsShortcutRefused) are not taken.
    explicit KeyCaptureDialog(const ShortcutTable& table) : table_(table) {}

    // Modifier flags that must all be held for a key to be taken (0: none).
    void SetRequiredModifiers(int flags) { required_ = flags; }
    // Runs the dialog modally; the captured key, 0 when cancelled.
    int Run(HWND owner);
    int GetModifiers() const { return modifiers_; }

    // One examined key message: a key-down, or the key-up of a key whose
    // key-down this dialog saw (a key still held from before it opened is no
    // answer). The keys seen going down are forgotten whenever the dialog
    // loses activation. Returns whether OnKey ran.
    bool OnKeyMessage(UINT message, int key);
    // Takes, refuses or ignores key with the modifiers held now.
    void OnKey(int key);

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInitDialog(HWND dialog);
    void Finish(HWND dialog);
    int ModifiersPressedHere() const;
    static LRESULT CALLBACK PromptProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);

    const ShortcutTable& table_;
    int key_ = 0;
    int modifiers_ = 0;
    int required_ = 0;
    bool pressedHere_[256] = {};
};

// Captures a key for button (group, button): DEL clears its entry; a
// combination another button already uses as a plain shortcut is stored only
// after the user agrees (IDS_ASK_DUPLICATE_SHORTCUT). Key and flag change, id and the system
// flag stay. True when the entry was changed.
bool CaptureButtonShortcut(HWND owner, ShortcutTable& table, int group, int button);

// Captures the activation shortcut, CTRL required; DEL clears it. True when
// it was changed.
bool CaptureActiveShortcut(HWND owner, ShortcutTable& table);
