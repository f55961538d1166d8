#pragma once
// The pictures of the bar's controls. Each control keeps the icon it shows
// (as its user data) and the bar draws it over the control's face when the
// control paints (custom draw): a push button of the common controls copies
// every image it is given, which made switching groups cost twice the icon
// look-ups. BM_SETIMAGE and BM_GETIMAGE (IMAGE_ICON) sent to a bar control
// are answered from here.
#include <windows.h>

#include <commctrl.h>

// The icon control shows; null for none.
HICON BarPicture(HWND control);
// Makes icon the picture of control and repaints it; returns the one before.
HICON PutBarPicture(HWND control, HICON icon);
// The main window's answer to a bar control's NM_CUSTOMDRAW: the picture is
// drawn after the control has drawn its face.
LRESULT DrawBarPicture(const NMCUSTOMDRAW& draw);
