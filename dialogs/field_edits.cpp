#include "dialogs/field_edits.h"

#include "data/store_field.h"

void LimitToField(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, EM_SETLIMITTEXT, kFieldLength, 0);
}

void StoreEditText(HWND dialog, int id, wchar_t* field)
{
    // One character more than the field holds, so that StoreField sees a
    // pair that would be split at its end.
    wchar_t text[kFieldSize + 1] = L"";
    GetDlgItemTextW(dialog, id, text, kFieldSize + 1);
    StoreField(field, text);
}
