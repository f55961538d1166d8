#include "menus/folder_menu.h"

#include "resources/resource_ids.h"
#include "support/messages.h"

#include <shellapi.h>

namespace {
// The folder menu a menu belongs to: every menu of one carries it as its data.
FolderMenu* FolderMenuOf(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    if (!menu || !GetMenuInfo(menu, &info))
        return nullptr;
    return reinterpret_cast<FolderMenu*>(info.dwMenuData);
}

// "&" stands for itself in a listed name, not for a mnemonic.
std::wstring MenuText(const std::wstring& name)
{
    std::wstring text;
    for (wchar_t c : name) {
        text += c;
        if (c == L'&')
            text += L'&';
    }
    return text;
}

// The system's icon for path; by attributes alone when byKind (only the
// name's extension and whether it is a folder then count).
int SystemIconIndex(const std::wstring& path, DWORD attributes, bool byKind)
{
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (byKind ? SHGFI_USEFILEATTRIBUTES : 0);
    if (!SHGetFileInfoW(path.c_str(), attributes, &info, sizeof info, flags))
        return -1;
    return info.iIcon;
}

// Files that carry their own icons: each is asked about. Any other file
// has the icon of its kind.
bool HasOwnIcon(const std::wstring& name)
{
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos)
        return false;
    const wchar_t* extension = name.c_str() + dot;
    for (const wchar_t* own : {L".exe", L".lnk", L".ico", L".url", L".scr", L".cpl", L".msc"})
        if (lstrcmpiW(extension, own) == 0)
            return true;
    return false;
}

// What files of the same icon share: the extension, or being a folder.
std::wstring IconKind(const FolderEntry& entry)
{
    if (entry.folder)
        return L"\\";
    const size_t dot = entry.path.find_last_of(L'.');
    const size_t slash = entry.path.find_last_of(L'\\');
    return dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash) ? L"" : entry.path.substr(dot);
}

// The letter an item's caption starts with, as typed: "&&" stands for "&".
wchar_t FirstLetter(const TextBuffer& caption)
{
    const wchar_t* text = caption.GetText();
    if (!text)
        return L'\0';
    return text[0] == L'&' ? text[1] : text[0];
}

bool SameLetter(wchar_t a, wchar_t b)
{
    return CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}

int HighlightedPosition(HMENU menu, int count)
{
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

const MenuItemRecord* RecordAt(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return nullptr;
    return reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
}
}  // namespace

FolderMenu::~FolderMenu() = default;

bool FolderMenu::Open(HWND owner, const std::wstring& folder)
{
    HMENU menu = CreateEmpty();
    if (!menu)
        return false;
    shown_ = ExplorerShownItems();
    Fill(menu, folder);
    return MakeOwnerDraw(owner, menu);
}

void FolderMenu::Claim(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(menu, &info);
}

void FolderMenu::Fill(HMENU menu, const std::wstring& folder)
{
    Claim(menu);
    const FolderContents contents = ListFolder(folder, shown_);
    if (!contents.readable)
        AppendNotice(menu, IDS_FOLDER_MENU_UNREADABLE, L"");
    else if (contents.items.empty())
        AppendNotice(menu, IDS_FOLDER_MENU_EMPTY, L"");
    for (const FolderEntry& item : contents.items)
        AppendFolderItem(menu, item);
    if (contents.more)
        AppendNotice(menu, IDS_FOLDER_MENU_MORE, folder);
}

// An item that opens openedPath, or a disabled one when there is none.
void FolderMenu::AppendNotice(HMENU menu, UINT textId, const std::wstring& openedPath)
{
    wchar_t text[kMenuCaptionSize] = L"";
    LoadText(textId, text, kMenuCaptionSize);
    const UINT id = IDM_FIRST_FOLDER_ITEM + static_cast<UINT>(chosenPaths_.size());
    const bool opens = !openedPath.empty() && id <= IDM_LAST_FOLDER_ITEM;
    if (opens)
        chosenPaths_.push_back(openedPath);
    AppendMenuW(menu, opens ? MF_STRING : MF_STRING | MF_GRAYED, opens ? id : 0, text);
    icons_[menu].push_back(-1);
}

// A subfolder is an empty submenu until it opens; a file an item of its own
// id while ids last, after that one that cannot be chosen.
void FolderMenu::AppendFolderItem(HMENU menu, const FolderEntry& item)
{
    const std::wstring text = MenuText(item.name);
    icons_[menu].push_back(IconOf(item));
    if (item.folder) {
        HMENU submenu = CreatePopupMenu();
        if (submenu && AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str())) {
            Claim(submenu);
            unfilled_[submenu] = item.path;
            return;
        }
        if (submenu)
            DestroyMenu(submenu);
    }
    const UINT id = IDM_FIRST_FOLDER_ITEM + static_cast<UINT>(chosenPaths_.size());
    if (id > IDM_LAST_FOLDER_ITEM) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, text.c_str());
        return;
    }
    chosenPaths_.push_back(item.path);
    AppendMenuW(menu, MF_STRING, id, text.c_str());
}

void FolderMenu::FillSubmenu(HWND owner, HMENU submenu)
{
    const auto pending = unfilled_.find(submenu);
    if (pending == unfilled_.end())
        return;
    const std::wstring folder = pending->second;
    unfilled_.erase(pending);
    Fill(submenu, folder);
    AddOwnerDraw(owner, submenu);
}

std::wstring FolderMenu::Choose(HWND owner, int x, int y)
{
    HMENU menu = GetPopup();
    if (!menu)
        return L"";
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    ClearItemRecords();
    const size_t at = id - IDM_FIRST_FOLDER_ITEM;
    return id >= IDM_FIRST_FOLDER_ITEM && at < chosenPaths_.size() ? chosenPaths_[at] : L"";
}

int FolderMenu::IconOf(const FolderEntry& entry)
{
    if (!entry.folder && HasOwnIcon(entry.path))
        return SystemIconIndex(entry.path, 0, false);
    const std::wstring kind = IconKind(entry);
    const auto known = iconsByKind_.find(kind);
    if (known != iconsByKind_.end())
        return known->second;
    const DWORD attributes = entry.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    return iconsByKind_[kind] = SystemIconIndex(entry.path, attributes, true);
}

int FolderMenu::ItemIcon(HMENU menu, int position) const
{
    const auto icons = icons_.find(menu);
    if (icons == icons_.end() || position < 0 || static_cast<size_t>(position) >= icons->second.size())
        return -1;
    return icons->second[static_cast<size_t>(position)];
}

LRESULT FolderMenu::SelectByLetter(HMENU menu, wchar_t typed) const
{
    const int count = GetMenuItemCount(menu);
    const int selected = HighlightedPosition(menu, count);
    for (int step = 1; step <= count; ++step) {
        const int position = (selected + step + count) % count;
        const MenuItemRecord* record = RecordAt(menu, position);
        if (record && SameLetter(FirstLetter(record->caption), typed))
            return MAKELRESULT(position, MNC_SELECT);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

bool HandleFolderMenuInit(HWND owner, HMENU menu)
{
    FolderMenu* folderMenu = FolderMenuOf(menu);
    if (!folderMenu)
        return false;
    folderMenu->FillSubmenu(owner, menu);
    return true;
}

LRESULT HandleFolderMenuChar(WPARAM wParam, LPARAM lParam, bool* handled)
{
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    const FolderMenu* folderMenu = FolderMenuOf(menu);
    *handled = folderMenu != nullptr;
    return folderMenu ? folderMenu->SelectByLetter(menu, static_cast<wchar_t>(LOWORD(wParam))) : 0;
}
