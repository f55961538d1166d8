#include "support/modal_state.h"

bool DialogOrMenuOpen(HWND window)
{
    if (!IsWindowEnabled(window))
        return true;
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
           (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}
