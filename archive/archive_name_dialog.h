#pragma once
// Modal dialog that asks for the name of a new archive before packing.
#include "dialogs/dialog_base.h"

class ArchiveNameDialog : public DialogBase {
public:
    static constexpr int kNameSize = 270;
    static constexpr int kTypedLimit = 50;  // characters the user can type

    ArchiveNameDialog() = default;

    // Proposes a name (copied, cut to the buffer); nothing for a missing text.
    void SetName(const char* text);
    // A text shown in place of the usual prompt (why the name is asked again).
    void SetNotice(const char* text) { notice_ = text; }
    // 1 when the user confirmed, 0 otherwise.
    int Run(HWND parent);
    // The name as entered.
    const char* GetName() const { return name_; }

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    char name_[kNameSize] = {};
    const char* notice_ = nullptr;
};
