#pragma once
// Waiting on a thread that has windows: while it waits, the messages other
// threads send to it are run, so that a thread which sends to its windows
// (a window of another thread it owns, an input state it shares) is never
// left hanging, and neither is the wait.
#include <windows.h>

// True when handle is signalled within ms milliseconds (INFINITE: no limit).
bool WaitServingSentMessages(HANDLE handle, DWORD ms = INFINITE);
