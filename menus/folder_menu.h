#pragma once
// A folder shown as a menu of its contents (menus/folder_listing.h): each
// subfolder a submenu filled only when it opens, each item with the system's
// small icon, painted with the skin as every launcher menu. Typing a letter
// selects the next item whose name starts with it. The owner window forwards
// WM_INITMENUPOPUP and WM_MENUCHAR (HandleFolderMenuInit, HandleFolderMenuChar)
// besides the painting messages.
#include "menus/folder_listing.h"
#include "menus/popup_menu.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class FolderMenu : public PopupMenu {
public:
    FolderMenu() = default;
    ~FolderMenu() override;

    // The top menu, listing folder.
    bool Open(HWND owner, const std::wstring& folder);
    // Shows the menu at screen point (x, y) until it closes: the path of the
    // item chosen (the folder itself for the last item of a full one), empty
    // when none was.
    std::wstring Choose(HWND owner, int x, int y);
    // A submenu of this menu about to open: filled the first time.
    void FillSubmenu(HWND owner, HMENU submenu);
    // The answer to WM_MENUCHAR for menu: the next item after the selected one
    // whose name starts with typed, MNC_IGNORE when none does.
    LRESULT SelectByLetter(HMENU menu, wchar_t typed) const;

protected:
    int ItemIcon(HMENU menu, int position) const override;

private:
    void Fill(HMENU menu, const std::wstring& folder);
    void AppendFolderItem(HMENU menu, const FolderEntry& item);
    void AppendNotice(HMENU menu, UINT textId, const std::wstring& openedPath);
    void Claim(HMENU menu);
    int IconOf(const FolderEntry& entry);

    ShownItems shown_;
    std::vector<std::wstring> chosenPaths_;        // by id - IDM_FIRST_FOLDER_ITEM
    std::map<HMENU, std::wstring> unfilled_;      // submenus not yet opened, and their folders
    std::map<HMENU, std::vector<int>> icons_;     // by menu, by position
    std::map<std::wstring, int> iconsByKind_;     // of files without icons of their own (IconKind)
};

// WM_INITMENUPOPUP of the owner: fills menu when it is a folder menu's
// submenu. False for any other menu.
bool HandleFolderMenuInit(HWND owner, HMENU menu);
// WM_MENUCHAR of the owner: handled is set for a folder menu's menu.
LRESULT HandleFolderMenuChar(WPARAM wParam, LPARAM lParam, bool* handled);
