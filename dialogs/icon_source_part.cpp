#include "dialogs/icon_source_part.h"

#include "bar/button_icons.h"
#include "data/launcher_records.h"
#include "dialogs/file_browser.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/icon_preview.h"
#include "resources/resource_ids.h"
#include "support/messages.h"

#include <commctrl.h>

#include <cwchar>

void IconSourcePart::Prepare(HWND dialog, IconSourceChoice last)
{
    dialog_ = dialog;
    if (SendDlgItemMessageW(dialog_, IDC_ICON_SOURCE_LIST, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i <= static_cast<int>(last); ++i) {
            wchar_t text[128];
            LoadText(IDS_ICON_SOURCE_FREE + i, text, 128);
            SendDlgItemMessageW(dialog_, IDC_ICON_SOURCE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    Select(IconSourceChoice::Browse);
}

void IconSourcePart::ShowSource(const wchar_t* source, int index)
{
    SetDlgItemTextW(dialog_, sourceEditId_, source);
    SetIconCount(IconCountOf(source));
    SendDlgItemMessageW(dialog_, IDC_ICON_SLIDER, TBM_SETPOS, TRUE, index > 0 ? index : 0);
    SetNumberLabel(index);
    SetPreview(index > 0 ? IconAtOrNotFound(source, index) : AssociatedIconOrNotFound(source));
}

void IconSourcePart::ShowWithoutSource(HICON icon)
{
    SetPreview(icon);
    SetIconCount(0);
}

void IconSourcePart::Source(wchar_t* buffer, int size) const
{
    GetDlgItemTextW(dialog_, sourceEditId_, buffer, size);
}

int IconSourcePart::Index() const
{
    return static_cast<int>(SendDlgItemMessageW(dialog_, IDC_ICON_SLIDER, TBM_GETPOS, 0, 0));
}

IconSourceChoice IconSourcePart::Choice() const
{
    const LRESULT entry = SendDlgItemMessageW(dialog_, IDC_ICON_SOURCE_LIST, CB_GETCURSEL, 0, 0);
    const bool listed = entry >= 0 && entry <= static_cast<LRESULT>(IconSourceChoice::FileToRun);
    return listed ? static_cast<IconSourceChoice>(entry) : IconSourceChoice::None;
}

void IconSourcePart::Select(IconSourceChoice choice)
{
    SendDlgItemMessageW(dialog_, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
}

void IconSourcePart::OnScroll(HWND control)
{
    if (control != GetDlgItem(dialog_, IDC_ICON_SLIDER) || iconCount_ == 0)
        return;
    const int index = Index();
    SetNumberLabel(index);
    wchar_t source[kFieldSize];
    Source(source, kFieldSize);
    SetPreview(IconAtOrNotFound(source, index));
}

void IconSourcePart::ChooseIcon()
{
    wchar_t source[kFieldSize] = L"";
    Source(source, kFieldSize);
    if (!source[0])
        return;
    const int chosen = ::ChooseIcon(dialog_, source, Index());
    if (chosen < 0)
        return;
    SendDlgItemMessageW(dialog_, IDC_ICON_SLIDER, TBM_SETPOS, TRUE, chosen);
    SetNumberLabel(chosen);
    SetPreview(IconAtOrNotFound(source, chosen));
}

HICON IconSourcePart::TakePreview()
{
    return reinterpret_cast<HICON>(SendDlgItemMessageW(dialog_, IDC_ICON_PREVIEW, BM_SETIMAGE, IMAGE_ICON, 0));
}

void IconSourcePart::ClearPreview()
{
    SetPreview(nullptr);
}

void IconSourcePart::SetIconCount(int count)
{
    iconCount_ = count;
    SendDlgItemMessageW(dialog_, IDC_ICON_SLIDER, TBM_SETRANGE, TRUE, MAKELONG(0, count > 0 ? count - 1 : 0));
}

// The label := IDS_ICON_NUMBER_FORMAT "アイコン&No.%2d" with index.
void IconSourcePart::SetNumberLabel(int index)
{
    wchar_t text[96];
    if (FormatText(text, 96, IDS_ICON_NUMBER_FORMAT, index))
        SetDlgItemTextW(dialog_, IDC_ICON_NUMBER, text);
}

void IconSourcePart::SetPreview(HICON icon)
{
    SetDialogButtonImage(dialog_, IDC_ICON_PREVIEW, icon);
}

void IconSourcePart::BrowseIconFile(bool fromSource, IconSourceChoice chosenAs)
{
    wchar_t initial[kFieldSize] = L"";
    if (fromSource)
        Source(initial, kFieldSize);
    wchar_t file[kFieldSize];
    if (!BrowseForFile(dialog_, BrowseKind::IconFile, initial, file, kFieldSize))
        return;
    Select(chosenAs);
    ShowSource(file, 0);
}
