#pragma once
// The icon part both settings dialogs share: the preview button
// (IDC_ICON_PREVIEW; a click opens the icon chooser), the icon number label
// (IDC_ICON_NUMBER), the slider over the icons of the source file
// (IDC_ICON_SLIDER), the list of where the icon comes from
// (IDC_ICON_SOURCE_LIST) and the read-only edit that shows the source file,
// whose id each dialog gives. The slider always stands on the icon the
// preview shows, so that what OK stores is what the user saw.
#include <windows.h>

// The entries of IDC_ICON_SOURCE_LIST, in their order.
enum class IconSourceChoice {
    None = -1,
    Browse,     // IDS_ICON_SOURCE_FREE: the dialog's file browser
    Program,    // IDS_ICON_SOURCE_SELF: the program's own executable
    FileToRun,  // IDS_ICON_SOURCE_TARGET: the button's file to run
};

class IconSourcePart {
public:
    explicit IconSourcePart(int sourceEditId) : sourceEditId_(sourceEditId) {}
    IconSourcePart(const IconSourcePart&) = delete;
    IconSourcePart& operator=(const IconSourcePart&) = delete;

    // Binds the part to the dialog, fills the list with its first entries
    // (up to last) when it is still empty, and selects the first.
    void Prepare(HWND dialog, IconSourceChoice last);

    // Shows source in the edit with the slider over its icons at index and
    // the label with index; the preview is icon index of the source, or its
    // associated icon for 0 and below (the slider then stands at 0).
    void ShowSource(const wchar_t* source, int index);
    // A preview without a source: icon, and nothing for the slider to move over.
    void ShowWithoutSource(HICON icon);

    // The source file as the edit shows it.
    void Source(wchar_t* buffer, int size) const;
    // The slider position: the icon index the preview shows.
    int Index() const;
    IconSourceChoice Choice() const;
    void Select(IconSourceChoice choice);

    // WM_HSCROLL from control: a moved slider shows the icon it stands on
    // (not while the source has no icons).
    void OnScroll(HWND control);
    // The icon chooser on the source, preselected at the slider; a chosen
    // icon becomes slider position, label and preview.
    void ChooseIcon();
    // The file browser for an icon file, starting at the source shown when
    // fromSource; a chosen file becomes the source, at its first icon, with
    // chosenAs selected in the list. Cancelled, nothing changes.
    void BrowseIconFile(bool fromSource, IconSourceChoice chosenAs);

    // The preview's icon, which the caller owns from now on; the preview is
    // left without one.
    HICON TakePreview();
    // Destroys the preview's icon.
    void ClearPreview();

private:
    void SetIconCount(int count);
    void SetNumberLabel(int index);
    void SetPreview(HICON icon);

    HWND dialog_ = nullptr;
    int sourceEditId_;
    int iconCount_ = 0;  // 0 makes the slider's notifications do nothing
};
