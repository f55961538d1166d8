#include "dialogs/restore_dialog.h"

#include "data/generation_summary.h"
#include "data/generations.h"
#include "resources/resource_ids.h"
#include "support/dialog_base.h"
#include "support/display_scale.h"
#include "support/messages.h"
#include "support/startup_link.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
enum RestoreColumn { kTimeColumn, kButtonsColumn, kGroupsColumn };

std::wstring Loaded(UINT id)
{
    wchar_t text[256] = L"";
    LoadText(id, text, 256);
    return text;
}

std::wstring GroupNamesText(const GenerationSummary& summary)
{
    std::wstring text;
    for (const std::wstring& name : summary.groupNames) {
        if (!text.empty())
            text += L"、";
        text += name.empty() ? Loaded(IDS_RESTORE_UNNAMED_GROUP) : name;
    }
    return text;
}

class RestoreDialog : public DialogBase {
public:
    RestoreDialog(ButtonBar& bar, ReloadFunction reload) : bar_(bar), reload_(reload) {}
    bool Run(HWND owner)
    {
        ShowModal(owner, IDD_RESTORE);
        return restored_;
    }
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND List() const { return GetDlgItem(dialog_, IDC_RESTORE_LIST); }
    void AddColumns();
    void AddRow(int row, const GenerationSummary& summary);
    void Fill();
    int Selected() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }
    void ShowRunState();
    void Restore();
    bool OnNotify(const NMHDR& header);

    ButtonBar& bar_;
    const ReloadFunction reload_;
    std::vector<GenerationSummary> generations_;
    bool restored_ = false;
};

void RestoreDialog::AddColumns()
{
    HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const int margin = ScaleForDpi(16, WindowDpi(list));
    RECT client;
    GetClientRect(list, &client);
    const int time = ListView_GetStringWidth(list, L"0000/00/00 00:00:00") + margin;
    const int buttons = ListView_GetStringWidth(list, Loaded(IDS_RESTORE_DAMAGED).c_str()) + margin;
    const int groups = std::max(buttons, static_cast<int>(client.right) - time - buttons - GetSystemMetrics(SM_CXVSCROLL));
    const UINT titles[] = {IDS_RESTORE_COLUMN_TIME, IDS_RESTORE_COLUMN_BUTTONS, IDS_RESTORE_COLUMN_GROUPS};
    const int widths[] = {time, buttons, groups};
    for (int column = kTimeColumn; column <= kGroupsColumn; ++column) {
        std::wstring title = Loaded(titles[column]);
        LVCOLUMNW item = {};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        item.fmt = column == kButtonsColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
        item.cx = widths[column];
        item.pszText = &title[0];
        ListView_InsertColumn(list, column, &item);
    }
}

void RestoreDialog::AddRow(int row, const GenerationSummary& summary)
{
    std::wstring time = GenerationTimeText(summary.time);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = &time[0];
    ListView_InsertItem(List(), &item);
    std::wstring buttons = summary.damaged ? Loaded(IDS_RESTORE_DAMAGED) : std::to_wstring(summary.filledButtons);
    std::wstring groups = GroupNamesText(summary);
    ListView_SetItemText(List(), row, kButtonsColumn, &buttons[0]);
    ListView_SetItemText(List(), row, kGroupsColumn, groups.empty() ? nullptr : &groups[0]);
}

void RestoreDialog::Fill()
{
    generations_ = SummariseGenerations();
    for (size_t row = 0; row < generations_.size(); ++row)
        AddRow(static_cast<int>(row), generations_[row]);
    if (!generations_.empty())
        ListView_SetItemState(List(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ShowRunState();
}

// Only a generation whose data file reads can be restored.
void RestoreDialog::ShowRunState()
{
    const int row = Selected();
    const bool usable = row >= 0 && row < static_cast<int>(generations_.size()) && !generations_[row].damaged;
    EnableWindow(GetDlgItem(dialog_, IDC_RESTORE_RUN), usable);
}

void RestoreDialog::Restore()
{
    const int row = Selected();
    if (row < 0 || row >= static_cast<int>(generations_.size()) || generations_[row].damaged)
        return;
    wchar_t text[600];
    FormatText(text, 600, IDS_MSG_RESTORE_ASK, GenerationTimeText(generations_[row].time).c_str());
    if (ShowMessage(dialog_, text, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Launcher& launcher = bar_.launcher;
    const bool withWindows = launcher.Options().startWithWindows != 0;
    const bool ok = launcher.History().Restore(generations_[row].name, launcher.Files());
    launcher.Usage().reset();  // the counts are read again from the file put in place
    reload_(bar_.window);
    if (!ok)
        ShowMessageId(dialog_, IDS_MSG_RESTORE_FAILED, MB_OK | MB_ICONERROR);
    if (!FollowStartWithWindows(withWindows, launcher.Options().startWithWindows != 0))
        ShowMessageId(dialog_, IDS_MSG_STARTUP_LINK_FAILED, MB_OK | MB_ICONEXCLAMATION);
    restored_ = true;
    EndDialog(dialog_, 1);
}

bool RestoreDialog::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_RESTORE_LIST)
        return false;
    if (header.code == LVN_ITEMCHANGED)
        ShowRunState();
    else if (header.code == NM_DBLCLK)
        Restore();
    return true;
}

INT_PTR RestoreDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        AddColumns();
        Fill();
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_RESTORE_RUN)
            Restore();
        else if (LOWORD(wParam) == IDC_RESTORE_CLOSE || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog_, 0);
        return TRUE;
    case WM_CANCEL_REQUEST:
        EndDialog(dialog_, 0);
        return AnswerCancelRequest(dialog_);
    default:
        return FALSE;
    }
}
}  // namespace

bool ShowRestoreDialog(HWND owner, ButtonBar& bar, ReloadFunction reload)
{
    RestoreDialog dialog(bar, reload);
    return dialog.Run(owner);
}
