#include "dialogs/icon_source_part.h"

#include "bar/button_icons.h"
#include "data/launcher_records.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/icon_preview.h"
#include "resources/resource_ids.h"
#include "support/messages.h"

#include <commctrl.h>

void IconSourcePart::Prepare(HWND dialog, IconSourceChoice last)
{
    dialog_ = dialog;
    if (SendDlgItemMessageA(dialog_, IDC_ICON_SOURCE_LIST, CB_GETCOUNT, 0, 0) == 0) {
        for (int i = 0; i <= static_cast<int>(last); ++i) {
            char text[128];
            LoadText(IDS_ICON_SOURCE_FREE + i, text, sizeof text);
            SendDlgItemMessageA(dialog_, IDC_ICON_SOURCE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    Select(IconSourceChoice::Browse);
}

void IconSourcePart::ShowSource(const char* source, int index)
{
    SetDlgItemTextA(dialog_, sourceEditId_, source);
    SetIconCount(IconCountOf(source));
    SendDlgItemMessageA(dialog_, IDC_ICON_SLIDER, TBM_SETPOS, TRUE, index > 0 ? index : 0);
    SetNumberLabel(index);
    SetPreview(index > 0 ? IconAtOrNotFound(source, index) : AssociatedIconOrNotFound(source));
}

void IconSourcePart::ShowWithoutSource(HICON icon)
{
    SetPreview(icon);
    SetIconCount(0);
}

void IconSourcePart::Source(char* buffer, int size) const
{
    GetDlgItemTextA(dialog_, sourceEditId_, buffer, size);
}

int IconSourcePart::Index() const
{
    return static_cast<int>(SendDlgItemMessageA(dialog_, IDC_ICON_SLIDER, TBM_GETPOS, 0, 0));
}

IconSourceChoice IconSourcePart::Choice() const
{
    const LRESULT entry = SendDlgItemMessageA(dialog_, IDC_ICON_SOURCE_LIST, CB_GETCURSEL, 0, 0);
    const bool listed = entry >= 0 && entry <= static_cast<LRESULT>(IconSourceChoice::FileToRun);
    return listed ? static_cast<IconSourceChoice>(entry) : IconSourceChoice::None;
}

void IconSourcePart::Select(IconSourceChoice choice)
{
    SendDlgItemMessageA(dialog_, IDC_ICON_SOURCE_LIST, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
}

void IconSourcePart::OnScroll(HWND control)
{
    if (control != GetDlgItem(dialog_, IDC_ICON_SLIDER) || iconCount_ == 0)
        return;
    const int index = Index();
    SetNumberLabel(index);
    char source[kTextFieldSize];
    Source(source, sizeof source);
    SetPreview(IconAtOrNotFound(source, index));
}

void IconSourcePart::ChooseIcon()
{
    char source[kTextFieldSize] = "";
    Source(source, sizeof source);
    if (!source[0])
        return;
    const int chosen = ::ChooseIcon(dialog_, source, Index());
    if (chosen < 0)
        return;
    SendDlgItemMessageA(dialog_, IDC_ICON_SLIDER, TBM_SETPOS, TRUE, chosen);
    SetNumberLabel(chosen);
    SetPreview(IconAtOrNotFound(source, chosen));
}

HICON IconSourcePart::TakePreview()
{
    return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog_, IDC_ICON_PREVIEW, BM_SETIMAGE, IMAGE_ICON, 0));
}

void IconSourcePart::ClearPreview()
{
    SetPreview(nullptr);
}

void IconSourcePart::SetIconCount(int count)
{
    iconCount_ = count;
    SendDlgItemMessageA(dialog_, IDC_ICON_SLIDER, TBM_SETRANGE, TRUE, MAKELONG(0, count > 0 ? count - 1 : 0));
}

// The label := IDS_ICON_NUMBER_FORMAT "アイコン&No.%2d" with index.
void IconSourcePart::SetNumberLabel(int index)
{
    char format[64];
    char text[96];
    if (LoadText(IDS_ICON_NUMBER_FORMAT, format, sizeof format) == 0)
        return;
    wsprintfA(text, format, index);
    SetDlgItemTextA(dialog_, IDC_ICON_NUMBER, text);
}

void IconSourcePart::SetPreview(HICON icon)
{
    SetButtonImage(dialog_, IDC_ICON_PREVIEW, icon);
}
