#pragma once
// The search window: an edit field over the list of the buttons of all groups
// in use that match what is typed, best first, the best one selected. Typing
// filters at once; UP/DOWN (and the page keys) move the selection while the
// focus stays in the field. ENTER chooses the selected button to be started,
// CTRL+ENTER its folder, SHIFT+ENTER its settings; ESC, or another window
// taking the activation, closes the window. What was chosen is done by the
// caller once the window has gone.
#include "data/search_index.h"
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

enum class SearchAction {
    Cancelled,  // ESC: the window that was active before may have the focus back
    Dismissed,  // another window took the activation
    Launch,
    OpenFolder,
    OpenSettings,
};

struct SearchChoice {
    SearchAction action;
    int buttonNumber;  // ButtonPlace::Number of the chosen button
};

class ButtonSearchDialog : public DialogBase {
public:
    explicit ButtonSearchDialog(HWND mainWindow) : mainWindow_(mainWindow) {}

    // Runs the window modally over the main window.
    SearchChoice Run();

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnInitDialog();
    void SetUpList();
    void Filter();
    void Select(int row);
    void MoveSelection(int rows);
    void Choose(bool ctrl, bool shift);
    void Finish(SearchAction action);
    void FillCell(LVITEMW* item);
    int ImageOf(int buttonNumber);
    INT_PTR OnNotify(const NMHDR* header);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw) const;
    HWND List() const;
    static LRESULT CALLBACK QueryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND mainWindow_;
    SearchIndex index_;  // folded at opening
    std::vector<SearchItem> found_;
    int foundCount_ = -1;  // none listed yet: the first filtering fills the list
    UINT hintId_ = 0;
    int iconSize_ = 0;
    int images_[kButtonCount] = {};  // image list index by button number; -1 until first drawn
    ScopedImageList imageList_;
    SearchChoice choice_ = {SearchAction::Cancelled, -1};
    bool finished_ = false;
};

// The open search window, null when there is none.
HWND ButtonSearchWindow();
