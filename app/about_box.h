#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The about box, modal over owner.
void ShowAboutBox(HWND owner);
