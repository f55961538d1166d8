#include "support/message_wait.h"

bool WaitServingSentMessages(HANDLE handle, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (ms != INFINITE && spent >= ms)
            return false;
        const DWORD left = ms == INFINITE ? INFINITE : ms - spent;
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &handle, left, QS_SENDMESSAGE, 0);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;  // the time is up, or the handle is no handle
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
