#pragma once
// Modal dialog that asks for the name of a new archive before packing. It
// runs as a Unicode window, so a name outside code page 932 is shown and
// typed as it is.
#include "support/dialog_base.h"

class ArchiveJob;

class ArchiveNameDialog : public DialogBase {
public:
    static constexpr int kNameSize = 270;
    static constexpr int kTypedLimit = 50;  // characters the user can type

    // job, when given, is told of the dialog while it is open: its stop ends it.
    explicit ArchiveNameDialog(ArchiveJob* job = nullptr) : job_(job) {}

    // Proposes a name (copied, cut to the buffer); nothing for a missing text.
    void SetName(const wchar_t* text);
    // A text of the string table shown in place of the usual prompt (why the
    // name is asked again).
    void SetNotice(UINT textId) { noticeId_ = textId; }
    // 1 when the user confirmed, 0 otherwise.
    int Run(HWND parent);
    // The name as entered.
    const wchar_t* GetName() const { return name_; }

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ArchiveJob* job_;
    wchar_t name_[kNameSize] = {};
    UINT noticeId_ = 0;
};
