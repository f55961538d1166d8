#pragma once
// Window procedures answer through here: an exception a handler lets out
// (memory running short ...) stops at the procedure and never unwinds
// through the system's code that called it.
#include <windows.h>

// handler's answer; failed when it threw.
template <typename Handler>
LRESULT AnswerWithoutThrowing(Handler handler, LRESULT failed = 0) noexcept
{
    try {
        return handler();
    } catch (...) {
        return failed;
    }
}
