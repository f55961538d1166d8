#pragma once
// The icon part shared by the two settings dialogs: the preview button, the
// icon number label and the slider over the icons of the current icon source
// (IDC_ICON_PREVIEW, IDC_ICON_NUMBER, IDC_ICON_SLIDER). The dialogs show the
// paths as stored; the icons come from the paths as they are used
// (support/stored_path).
#include <windows.h>

// Number of icons in path (0 for an empty path or a file without icons).
int IconCountOf(const char* path);

// The icon the system associates with path; the not-found icon when there is
// none or when it comes from another file (compared without regard to case).
HICON AssociatedIconOrNotFound(const char* path);
// Icon number index of path; the not-found icon when there is none.
HICON IconAtOrNotFound(const char* path, int index);

// Slider range 0 .. count - 1 (0 .. 0 without icons).
void SetIconSliderRange(HWND dialog, int count);
void SetIconSliderPosition(HWND dialog, int position);
int IconSliderPosition(HWND dialog);
// The number label := string IDS_ICON_NUMBER_FORMAT "アイコン&No.%2d" with index.
void SetIconNumberLabel(HWND dialog, int index);

// The icon chooser over the dialog on path, preselected at the slider
// position; a chosen icon becomes slider position, label and preview. False
// when path is empty or nothing was chosen (nothing changes then).
bool ChooseIconIntoPreview(HWND dialog, const char* path);
