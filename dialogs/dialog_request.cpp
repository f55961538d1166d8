#include "dialogs/dialog_request.h"

#include "data/store_field.h"

namespace {
DialogRequest g_request = {};
}

void SetDialogRequest(int targetIndex, int presetFlag, const wchar_t* path)
{
    g_request.targetIndex = targetIndex;
    g_request.presetFlag = presetFlag;
    StoreField(g_request.presetPath, path ? path : L"");
}

DialogRequest& GetDialogRequest()
{
    return g_request;
}

void ResetDialogRequest()
{
    SetDialogRequest(0, 0, nullptr);
}
