// Every id of the program's resources and of the windows and commands built
// on them: icons, cursors, the bitmap, menus and their commands, dialogs and
// their controls, the bar's controls, and the string table. Each id has one
// name and is written as a number here only. Plain macros, so that the
// resource scripts include this file as well as the code.
#pragma once

// ---- Icons (resources/art.rc) -----------------------------------------------
// The program file's icons by position are the program icon and, at 1..10,
// the ten default group icons: keep their ids in this order.
#define IDI_PROGRAM                     101   // the program; also the tray icon and the about box button
#define IDI_FACE                        103   // default icon of group 1; the group button at start
#define IDI_GROUP_2                     104
#define IDI_GROUP_3                     105
#define IDI_GROUP_4                     106
#define IDI_GROUP_5                     125
#define IDI_GROUP_6                     131
#define IDI_GROUP_7                     132
#define IDI_GROUP_8                     133
#define IDI_GROUP_9                     134
#define IDI_GROUP_10                    135
#define IDI_EMPTY_BUTTON                137   // a button with neither file nor icon file
#define IDI_NOT_FOUND                   138   // no icon from the source, or the file is gone
#define IDI_PREVIOUS_GROUP              139
#define IDI_NEXT_GROUP                  140
#define IDI_MENU_CHECK                  166   // check mark of the owner-drawn menus

// ---- Cursors of a button drag (resources/art.rc) ----------------------------
#define IDCUR_DRAG                      119   // over the dragged button itself
#define IDCUR_NO_DROP                   120   // off the launcher buttons
#define IDCUR_SWAP                      121
#define IDCUR_COPY                      124   // SHIFT held

// ---- Bitmap -------------------------------------------------------------------
#define IDB_ABOUT                       116   // picture of the about box, 320 x 240

// ---- Bar controls of the main window; a control's command id is its id -------
#define IDC_GROUP_BUTTON                1000
#define IDC_PREVIOUS_GROUP              1001
#define IDC_NEXT_GROUP                  1002
#define IDC_FIRST_LAUNCHER              1003  // launcher button i (0..9) has id IDC_FIRST_LAUNCHER + i

// ---- Menus (resources/menus.rc) and their commands ---------------------------
#define IDR_BUTTON_MENU                 163   // context menu of the group and launcher buttons
#define IDR_TRAY_MENU                   164   // menu of the tray icon
#define IDM_MENU_TITLE                  40010
#define IDM_BUTTON_SETTINGS             40011
#define IDM_BUTTON_SHORTCUTS            40012
#define IDM_MOVE_UP                     40013
#define IDM_MOVE_DOWN                   40014
#define IDM_CLEAR_BUTTON                40015
#define IDM_HELP                        40016
#define IDM_ABOUT                       40017
#define IDM_SEARCH_BUTTONS              40018  // in both menus: opens the search window
#define IDM_RUN_AS_ADMIN                40030  // button menu: the shell's "runas" on the button's file
#define IDM_OPEN_FILE_LOCATION          40031  // button menu: Explorer with the file (a shortcut's target) selected
#define IDM_FILE_PROPERTIES             40032  // button menu: the shell's properties sheet of the file
#define IDM_ALWAYS_ON_TOP               40020
#define IDM_CLOSE                       40021
#define IDM_RESTORE_GENERATION          40040  // tray menu: the restore dialog of the kept generations
#define IDM_SEARCH_START                40050  // search window's row menu: start it (ENTER)
#define IDM_SEARCH_OPEN_FOLDER          40051  // search window's row menu: its folder (CTRL+ENTER)
#define IDM_SEARCH_PUT_ON_BUTTON        40052  // search window's row menu: a program on a button of the current group
#define IDM_SEARCH_FIRST_GROUP          40060  // search window's row menu: a program on a button of group g (0..9)
// Items of a folder menu take the ids from here on, one each, as the menu is filled.
#define IDM_FIRST_FOLDER_ITEM           41000
#define IDM_LAST_FOLDER_ITEM            41999
#define IDM_GROUP_MENU_TITLE            30    // title item of the group-switch menu
#define IDM_FIRST_GROUP                 6000  // group-switch menu: group g (0..9) is IDM_FIRST_GROUP + g

// ---- System hotkeys of the main window ---------------------------------------
// Button hotkeys are registered under their button numbers 0..99.
#define IDHK_ACTIVATION                 1000  // brings the launcher to the front and back
#define IDHK_SEARCH                     1001  // opens the search window

// ---- Dialogs and their controls (resources/dialog_*.rc, about.rc) ------------
// IDC_STATIC marks labels no code refers to.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#define IDD_ABOUT                       115   // its one button is IDOK: Enter closes it, ESC does not
#define IDC_ABOUT_PICTURE               1040  // the picture over the whole about box

#define IDD_BUTTON_SETTINGS             114
#define IDD_GROUP_SETTINGS              118
// The icon part both settings dialogs show (dialogs/icon_source_part.h); the
// read-only edit with its source file has each dialog's own id:
// IDC_BUTTON_ICON_FILE, IDC_GROUP_ICON_FILE.
#define IDC_ICON_PREVIEW                1008  // button showing the chosen icon; a click opens the chooser
#define IDC_ICON_NUMBER                 1007  // "アイコン&No.%2d"
#define IDC_ICON_SLIDER                 1009
#define IDC_ICON_SOURCE_LIST            1014  // where the icon comes from
// Button settings dialog.
#define IDC_BUTTON_TITLE                1000
#define IDC_BUTTON_WORK_DIR             1003
#define IDC_BUTTON_FILE                 1004
#define IDC_BUTTON_BROWSE_FILE          1006
#define IDC_BUTTON_ICON_FILE            1011
#define IDC_BUTTON_BROWSE_ICON          1012
#define IDC_BUTTON_KEY                  1021  // opens the key capture
#define IDC_BUTTON_SYSTEM_HOTKEY        1022
#define IDC_BUTTON_SHORTCUT_TEXT        1023
#define IDC_BUTTON_PARAMS               1033
#define IDC_BUTTON_FOLDER_MENU          1034  // a folder opens as a menu of its contents
#define IDC_BUTTON_START_WITH_PORUN     1080  // started when the launcher starts
// Group and general settings dialog.
#define IDC_GROUP_NAME                  1000
#define IDC_GROUP_ICON_FILE             1004
#define IDC_GROUP_COUNT                 1005
#define IDC_GROUP_BROWSE_ICON           1006
#define IDC_GROUP_START_WITH_LAST       1010
#define IDC_GROUP_HOTKEY_TEXT           1023
#define IDC_GROUP_HOTKEY_KEY            1025  // opens the key capture
#define IDC_GROUP_ALWAYS_ON_TOP         1026
#define IDC_GROUP_COUNT_SPIN            1030
#define IDC_GROUP_CANCEL                1032  // its own cancel button: ESC (IDCANCEL) does nothing
#define IDC_GROUP_COLLAPSE              1101
#define IDC_GROUP_START_WITH_WINDOWS    1081  // a shortcut in the Startup folder starts the launcher with Windows

#define IDD_SHORTCUTS                   157
#define IDC_SHORTCUT_LIST               1016
#define IDC_SHORTCUT_ASSIGN             1017
#define IDC_SHORTCUT_CLEAR              1018
#define IDC_SHORTCUT_SYSTEM_HOTKEY      1028
#define IDC_SHORTCUT_SYSTEM_NOTE        1029

#define IDD_KEY_CAPTURE                 159
#define IDC_KEY_CAPTURE_PROMPT          1019

#define IDD_PROGRESS                    160
#define IDC_PROGRESS_BAR                1000
#define IDC_PROGRESS_TEXT               1001

#define IDD_ARCHIVE_NAME                161
#define IDC_ARCHIVE_NAME_EDIT           1024
#define IDC_ARCHIVE_NAME_PROMPT         1025
#define IDC_ARCHIVE_NAME_LABEL          1026

#define IDD_BUTTON_SEARCH               165
#define IDC_SEARCH_QUERY                1040
#define IDC_SEARCH_LIST                 1041
#define IDC_SEARCH_HINT                 1042  // the keys, or that nothing matches

#define IDD_RESTORE                     170   // the kept generations, newest first
#define IDC_RESTORE_LIST                1070
#define IDC_RESTORE_RUN                 1071  // restores the selected generation (asks first)
#define IDC_RESTORE_CLOSE               1072
#define IDC_GROUP_RESTORE               1073  // group settings: opens the restore dialog

#define IDD_ICON_CHOOSER                1015
#define IDC_ICON_CHOOSER_LIST           1015

// ---- String table (resources/strings.rc) -------------------------------------
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
#define IDS_SEARCH_ROW_TITLE            410   // shortcut list: the search window's row, its name
#define IDS_SEARCH_ROW_GROUP            411   // shortcut list: the search window's row, its group cell

// Search window
#define IDS_SEARCH_HINT                 450   // the keys of the search window
#define IDS_SEARCH_NO_MATCH             451   // nothing matches what is typed
#define IDS_SEARCH_COLUMN_NAME          452   // list column: a button's title, a program's name
#define IDS_SEARCH_COLUMN_PLACE         453   // list column: a button's group and number, a program's folder
#define IDS_SEARCH_COLUMN_FILE          454   // list column: the file started
#define IDS_SEARCH_PLACE_START_MENU     455   // place of a program of the Start menu
#define IDS_SEARCH_PLACE_APPS           456   // place of an application of the Apps folder
#define IDS_SEARCH_MENU_START           457   // row menu: start it
#define IDS_SEARCH_MENU_FOLDER          458   // row menu: open its folder
#define IDS_SEARCH_MENU_PUT             459   // row menu: a program on the first empty button of the current group
#define IDS_SEARCH_MENU_PUT_IN_GROUP    460   // row menu: the submenu of the groups a program can be put in

// System hotkeys the system refused
#define IDS_HOTKEY_REFUSED_MARK         430   // shortcut list, mark column: wanted as a system hotkey, refused
#define IDS_REFUSED_HOTKEYS_TITLE       431   // tray balloon title at start
#define IDS_REFUSED_HOTKEYS_TEXT        432   // tray balloon, first line
#define IDS_REFUSED_HOTKEY_LINE         433   // tray balloon, one hotkey: "%ls" combination, "%ls" what it starts
#define IDS_REFUSED_HOTKEYS_MORE        434   // tray balloon, last line: "%d" hotkeys that did not fit
#define IDS_ACTIVATION_HOTKEY_NAME      435   // tray balloon: what the activation hotkey starts

// Archives
#define IDS_EXTRACT_TITLE               500   // progress title while extracting
#define IDS_EXTRACT_PROGRESS_FORMAT     501   // progress text, "%lu / %lu" = entry / entries
#define IDS_PACK_COUNT_TITLE            550   // progress title of the counting pass
#define IDS_PACK_TITLE                  551   // progress title of the packing pass
#define IDS_ARCHIVE_NAME_TAKEN          552   // name dialog again: the name would overwrite a dropped item
#define IDS_ARCHIVE_FALLBACK_NAME       553   // folder or archive name when the dropped item's name is no usable name
#define IDS_ARCHIVE_NAME_UNUSABLE       554   // name dialog again: the typed name cannot name a file on the desktop

// Folder menus
#define IDS_FOLDER_MENU_EMPTY           130   // the one disabled item of an empty folder
#define IDS_FOLDER_MENU_UNREADABLE      131   // the one disabled item of a folder that cannot be read
#define IDS_FOLDER_MENU_MORE            132   // last item of a folder with more items than a menu holds: opens it

// Starting with the launcher and with Windows
#define IDS_STARTUP_LINK_NAME           620   // name of the shortcut in the Startup folder, without ".lnk"
#define IDS_START_FAILED_LINE           621   // one button that did not start with the launcher: group, title

// Names of the bar's controls for screen readers (their window texts, never painted)
#define IDS_BAR_NAME_BUTTON             640   // a filled launcher button: %1 its number, %2 title and shortcut
#define IDS_BAR_NAME_EMPTY              641   // an empty launcher button: %1 its number
#define IDS_BAR_NAME_GROUP              642   // the group button: %1 the group's name
#define IDS_BAR_NAME_PREVIOUS           643   // the arrow to the previous group
#define IDS_BAR_NAME_NEXT               644   // the arrow to the next group

// Error and notice messages
#define IDS_MSG_WINDOW_FAILED           1000  // main window or bar control not created
#define IDS_MSG_LINK_FAILED             1001  // .lnk cannot be resolved
#define IDS_MSG_DROP_REFUSED            1002  // drop outside the buttons
#define IDS_MSG_LAUNCH_FAILED           1003  // starting a button's file failed
#define IDS_MSG_MEMORY_FAILED           1004  // launcher data cannot be allocated
#define IDS_MSG_SAVE_FAILED             1005  // data file cannot be written
#define IDS_MSG_LOAD_FAILED             1006  // data file / porun.ini cannot be read
#define IDS_MSG_HELP_FAILED             1007  // help cannot be opened
#define IDS_MSG_NAME_NOT_KEPT           1008  // a dropped or chosen path is too long to keep (MAX_PATH)
#define IDS_MSG_FOLDER_FAILED           1009  // a button's folder cannot be opened
#define IDS_MSG_FILE_KEPT               1010  // %ls: a file of the launcher's that is there but cannot be read; not written this run
#define IDS_MSG_SHORTCUT_SAVE_FAILED    1011  // shortcut.dat cannot be written
#define IDS_MSG_HOTKEY_REFUSED          1020  // a combination made a system hotkey is refused: a plain shortcut
#define IDS_MSG_SEARCH_HOTKEY_REFUSED   1021  // the search window's new hotkey is refused; the one before stays
#define IDS_MSG_LAUNCH_FAILED_WHY       1022  // second paragraph of IDS_MSG_LAUNCH_FAILED: %1 the path tried, %2 the system's reason
#define IDS_MSG_PROPERTIES_FAILED       1023  // the properties sheet of a button's file cannot be shown
#define IDS_MSG_GROUP_FULL              1025  // a found program cannot be put on a button: %ls the group, full
#define IDS_MSG_START_WITH_FAILED       1080  // buttons started with the launcher that failed, one line each follows
#define IDS_MSG_STARTUP_LINK_FAILED     1081  // the shortcut in the Startup folder cannot be written or removed
#define IDS_MSG_ARCHIVE_CREATE_FAILED   1050  // the new archive file cannot be created
#define IDS_MSG_NO_DESKTOP              1051  // the desktop folder cannot be determined
#define IDS_MSG_DESKTOP_DROPPED         1052  // the desktop lies inside a dropped folder
#define IDS_MSG_ARCHIVE_DAMAGED         1053  // %1 archive refused as damaged, nothing extracted
#define IDS_MSG_EXTRACT_STOPPED         1054  // %1 archive, %2 entry it stopped at, %3 folder kept
#define IDS_MSG_EXTRACT_SKIPPED         1055  // %1 archive, %2 number of entries not written
#define IDS_MSG_PACK_FAILED             1056  // %1 archive, %2 item it failed at; nothing left behind
#define IDS_MSG_PACK_SKIPPED            1057  // %1 archive, %2 number of files left out
#define IDS_MSG_ARCHIVE_REPLACE         1058  // question: %1 archive already on the desktop, replace it?
#define IDS_MSG_EXTRACT_NO_ROOM         1059  // %1 archive, %2 its declared size, %3 the free space; nothing written
#define IDS_MSG_EXTRACT_NO_FOLDER       1060  // %1 archive, %2 the folder that could not be made; nothing written
#define IDS_MSG_PACK_LEFT_OUT           1061  // %1 archive, %2 number of links and unlisted folders left out
#define IDS_MSG_PACK_BOTH_LEFT_OUT      1062  // %1 archive, %2 files left out, %3 links and unlisted folders

// Generations
#define IDS_RESTORE_COLUMN_TIME         600   // restore dialog's list: when the generation was kept
#define IDS_RESTORE_COLUMN_BUTTONS      601   // restore dialog's list: filled buttons
#define IDS_RESTORE_COLUMN_GROUPS       602   // restore dialog's list: the names of the groups in use
#define IDS_RESTORE_DAMAGED             603   // restore dialog's list: its data file does not read
#define IDS_RESTORE_UNNAMED_GROUP       604   // restore dialog's list: a group without a name
#define IDS_MSG_OFFER_GENERATION        1070  // question at start, damaged data file: %ls the newest good generation's time
#define IDS_MSG_RESTORE_ASK             1071  // question: %ls the generation's time, restore it?
#define IDS_MSG_RESTORE_FAILED          1072  // the generation's files could not all be put in place
#define IDS_MSG_DAMAGED_SET_MOVED       1073  // under IDS_MSG_LOAD_FAILED: %ls the damaged files' new names
#define IDS_MSG_DAMAGED_SET_LEFT        1074  // under IDS_MSG_LOAD_FAILED: the damaged file stays as it is
#define IDS_MSG_GENERATION_NOT_KEPT     1075  // a generation could not be kept (told once a run)

// Progress dialog cancel question
#define IDS_CANCEL_TITLE                9800  // title of the cancel question
#define IDS_ASK_CANCEL                  9801  // text of the cancel question
