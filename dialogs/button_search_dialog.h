#pragma once
// The search window: an edit field over the list of what matches what is
// typed, best first, the best one selected (data/search_index.h): the
// buttons of all groups in use and the programs of the Start menu and the
// Apps folder (data/program_catalog.h). Typing filters at once; UP/DOWN (and
// the page keys) move the selection while the focus stays in the field.
// ENTER chooses the selected row to be started, CTRL+ENTER its folder,
// SHIFT+ENTER a button's settings, CTRL+D a program to be put on the first
// empty button of the current group; the row's context menu does the same
// and puts a program in a group chosen from a submenu. ESC, or another
// window taking the activation, closes the window. What was chosen is done
// by the caller once the window has gone. When the catalog reads the
// programs anew while the window is open (WM_PROGRAMS_READ, forwarded by the
// main window to the dialog in front), the list follows.
#include "data/program_catalog.h"
#include "data/search_index.h"
#include "data/usage_file.h"
#include "support/dialog_base.h"
#include "support/scoped_handle.h"

#include <vector>


enum class SearchAction {
    Cancelled,  // ESC: the window that was active before may have the focus back
    Dismissed,  // another window took the activation
    Launch,
    OpenFolder,
    OpenSettings,
    PutOnButton,  // a program, on the first empty button of group
};

struct SearchChoice {
    SearchAction action = SearchAction::Cancelled;
    int buttonNumber = -1;  // ButtonPlace::Number of the chosen button; -1 for a program
    ProgramEntry program;   // the chosen program
    int group = -1;         // PutOnButton: the group that takes it
};

// What the search window works on, handed in when it opens.
struct SearchInputs {
    const LauncherData* data = nullptr;
    int groupCount = 1;
    int currentGroup = 0;
    ProgramCatalog* catalog = nullptr;  // null: the buttons alone
    const UsageLog* usage = nullptr;    // null: nothing counted
};

class ButtonSearchDialog : public DialogBase {
public:
    ButtonSearchDialog(HWND mainWindow, const SearchInputs& inputs) : mainWindow_(mainWindow), inputs_(inputs) {}

    // Runs the window modally over the main window.
    SearchChoice Run();

    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnInitDialog();
    void SetUpList();
    void TakePrograms();
    void Filter();
    void Select(int row);
    void MoveSelection(int rows);
    int SelectedRow() const;
    void Choose(bool ctrl, bool shift);
    void PutOnButton(int group);
    void Finish(SearchAction action);
    void ShowRowMenu(LPARAM place);
    bool OnRowCommand(int id);
    void FillCell(LVITEMW* item);
    void FillPlace(const SearchItem& item, LVITEMW* cell) const;
    int ImageOf(const SearchItem& item);
    INT_PTR OnNotify(const NMHDR* header);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw) const;
    HWND List() const;
    static LRESULT CALLBACK QueryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND mainWindow_;
    SearchInputs inputs_;
    SearchIndex index_;  // the buttons folded at opening, the programs as the catalog read them
    std::vector<SearchItem> found_;
    bool listed_ = false;  // the first filtering fills the list
    UINT hintId_ = 0;
    int iconSize_ = 0;
    std::vector<int> buttonImages_;   // image list index by button number; -1 until first drawn
    std::vector<int> programImages_;  // by program; -1 until first drawn
    ScopedImageList imageList_;
    SearchChoice choice_;
    bool finished_ = false;
};

