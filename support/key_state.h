#pragma once
// Whether a key or mouse button is down right now, whatever window has the
// focus (the physical state, not the state of the message being handled).
#include <windows.h>

inline bool KeyHeld(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}
