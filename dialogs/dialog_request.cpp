#include "dialogs/dialog_request.h"

#include <cstring>

namespace {
constexpr int kPresetPathLimit = 260;
DialogRequest g_request = {};
}

void SetDialogRequest(int targetIndex, int presetFlag, const char* path)
{
    std::memset(g_request.presetPath, 0, sizeof g_request.presetPath);
    g_request.targetIndex = targetIndex;
    g_request.presetFlag = presetFlag;
    if (path) {
        int length = 0;
        while (length < kPresetPathLimit && path[length])
            ++length;
        std::memcpy(g_request.presetPath, path, length);
    }
}

DialogRequest& GetDialogRequest()
{
    return g_request;
}

void ResetDialogRequest()
{
    SetDialogRequest(0, 0, nullptr);
}
