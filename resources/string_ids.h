// String-table ids of the launcher (resources/strings.rc).
// Plain macros so that both the C++ sources and the resource script can use them.
#pragma once

// Message box titles, chosen by the icon kind of the box
#define IDS_TITLE_APP                   1     // no icon; also the tray tip
#define IDS_TITLE_INFO                  6     // MB_ICONINFORMATION
#define IDS_TITLE_NOTICE                7     // MB_ICONEXCLAMATION
#define IDS_TITLE_QUESTION              8     // MB_ICONQUESTION
#define IDS_TITLE_ERROR                 9     // MB_ICONERROR

// Captions of dialogs and progress windows
#define IDS_CAPTION_BUTTON_SETTINGS     2     // button settings dialog, "%2d" = button number
#define IDS_BROWSE_TITLE_FILE           3     // open-file dialog: file to run
#define IDS_BROWSE_TITLE_ICON           4     // open-file dialog: icon file
#define IDS_PROGRESS_WAIT_TITLE         10    // progress title while the shortcut list is filled
#define IDS_PROGRESS_SORTING_TEXT       11    // progress text while the shortcut list is filled

// Questions
#define IDS_ASK_OVERWRITE_BUTTON        50    // SHIFT+drag onto a filled button (Yes/No/Cancel)
#define IDS_ASK_RELEASE_SYSTEM_HOTKEY   51    // new key for rows that hold system hotkeys
#define IDS_ASK_DUPLICATE_SHORTCUT      52    // captured key already used by another button

// Popup menus and system menu
#define IDS_MENU_TITLE_GROUP_BUTTON     102   // context menu title of the group button
#define IDS_MENU_TITLE_EMPTY_BUTTON     103   // context menu title of an empty button
#define IDS_MENU_TITLE_SUFFIX           104   // appended to every menu title
#define IDS_SYSMENU_MOVE                110   // system menu: move (SC_MOVE)
#define IDS_SYSMENU_CLOSE               111   // system menu: close (SC_CLOSE, default item)
#define IDS_MENU_TITLE_GROUP_SWITCH     112   // title of the group-switch menu
#define IDS_GROUP_NAME_FORMAT           113   // unnamed group, "%d" = group number from 1

// Settings dialogs
#define IDS_ICON_NUMBER_FORMAT          200   // icon number label, "%2d" = icon index
#define IDS_ASK_CLEAR_BUTTON            201   // clear question, "%s" = button title
#define IDS_FILTER_PROGRAM              202   // patterns of the file-to-run browser
#define IDS_FILTER_ICON                 203   // patterns of the icon file browsers
#define IDS_ICON_SOURCE_FREE            300   // icon source choice 0: browse
#define IDS_ICON_SOURCE_SELF            301   // icon source choice 1: the launcher itself
#define IDS_ICON_SOURCE_TARGET          302   // icon source choice 2: the file to run

// Shortcut list and key capture
#define IDS_COLUMN_BUTTON_NAME          400   // list column 1 header
#define IDS_COLUMN_KEY                  401   // list column 4 header
#define IDS_COLUMN_FILE                 402   // list column 5 header
#define IDS_SHORTCUT_NONE               403   // text of a button without shortcut
#define IDS_COLUMN_GROUP                404   // list column 2 header
#define IDS_UNTITLED_BUTTON_FORMAT      405   // untitled button, "%2d" = button index + 1
#define IDS_UNNAMED_GROUP_FORMAT        406   // unnamed group, "%2d" = group index + 1
#define IDS_COLUMN_ID                   407   // list column 0 header
#define IDS_COLUMN_SYSTEM_MARK          408   // list column 3 header
#define IDS_CAPTURE_PROMPT_FORMAT       409   // key capture prompt, "%s" = required modifiers

// Archives
#define IDS_EXTRACT_TITLE               500   // progress title while extracting
#define IDS_EXTRACT_PROGRESS_FORMAT     501   // progress text, "%lu / %lu" = entry / entries
#define IDS_PACK_COUNT_TITLE            550   // progress title of the counting pass
#define IDS_PACK_TITLE                  551   // progress title of the packing pass
#define IDS_ARCHIVE_NAME_TAKEN          552   // name dialog again: the name would overwrite a dropped item

// Error and notice messages
#define IDS_MSG_WINDOW_FAILED           1000  // main window or bar control not created
#define IDS_MSG_LINK_FAILED             1001  // .lnk cannot be resolved
#define IDS_MSG_DROP_REFUSED            1002  // drop outside the buttons
#define IDS_MSG_LAUNCH_FAILED           1003  // starting a button's file failed
#define IDS_MSG_MEMORY_FAILED           1004  // launcher data cannot be allocated
#define IDS_MSG_SAVE_FAILED             1005  // data file cannot be written
#define IDS_MSG_LOAD_FAILED             1006  // data file / porun.ini cannot be read
#define IDS_MSG_HELP_FAILED             1007  // help cannot be opened
#define IDS_MSG_NAME_NOT_KEPT           1008  // a file's name is outside the code page and has no short name
#define IDS_MSG_ARCHIVE_CREATE_FAILED   1050  // the new archive file cannot be created
#define IDS_MSG_NO_DESKTOP              1051  // the desktop folder cannot be determined
#define IDS_MSG_DESKTOP_DROPPED         1052  // the desktop lies inside a dropped folder
#define IDS_MSG_ARCHIVE_DAMAGED         1053  // %1 archive refused as damaged, nothing extracted
#define IDS_MSG_EXTRACT_STOPPED         1054  // %1 archive, %2 entry it stopped at, %3 folder kept
#define IDS_MSG_EXTRACT_SKIPPED         1055  // %1 archive, %2 number of entries not written
#define IDS_MSG_PACK_FAILED             1056  // %1 archive, %2 item it failed at; nothing left behind
#define IDS_MSG_PACK_SKIPPED            1057  // %1 archive, %2 number of files left out

// Progress dialog cancel question
#define IDS_CANCEL_TITLE                9800  // title of the cancel question
#define IDS_ASK_CANCEL                  9801  // text of the cancel question
