#pragma once
// The icon part shared by the settings dialogs 114 and 118: the preview
// button 1008, the icon number label 1007 and the slider 1009 over the icons
// of the current icon source.
#include <windows.h>

constexpr int kPreviewButtonId = 1008;
constexpr int kIconNumberLabelId = 1007;
constexpr int kIconSliderId = 1009;

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
// Label 1007 := string 200 "アイコン&No.%2d" with index.
void SetIconNumberLabel(HWND dialog, int index);

// The icon chooser over the dialog on path, preselected at the slider
// position; a chosen icon becomes slider position, label and preview. False
// when path is empty or nothing was chosen (nothing changes then).
bool ChooseIconIntoPreview(HWND dialog, const char* path);
