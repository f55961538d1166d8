#pragma once
// Resource ids of the archive dialogs (resources/dialog_archive.rc).
// Plain macros so that the resource script can use them too.

#define IDD_PROGRESS                    160
#define IDC_PROGRESS_BAR                1000
#define IDC_PROGRESS_TEXT               1001

#define IDD_ARCHIVE_NAME                161
#define IDC_ARCHIVE_NAME_EDIT           1024
#define IDC_ARCHIVE_NAME_PROMPT         1025
#define IDC_ARCHIVE_NAME_LABEL          1026
