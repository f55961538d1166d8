#pragma once
// A program the search window found, put on a button: the first empty button
// of a group takes it as a drop of its file would fill the button. A shortcut
// gives its target, options and working folder (the target's folder when it
// names none); one whose target is no file (an installer's advertised
// shortcut) or too long for a field stays the shortcut itself. A program or
// document is started in its folder. A Store application is started by
// Explorer with its "shell:AppsFolder\<application id>". The title is the
// name the Start menu shows, the icon the file's own.
#include "bar/bar.h"
#include "data/program_entry.h"

#include <windows.h>

struct ButtonRecord;

// The record the search window starts the program by: its own path (a
// shortcut starts as the shell starts it, with its own options and folder),
// a program or document in its folder.
void ProgramStartRecord(const ProgramEntry& program, ButtonRecord* record);

// The record the program makes on a button.
void ProgramButtonRecord(const ProgramEntry& program, ButtonRecord* record);

// The icon the search window shows for the program: a Store application's
// own, or the icon the button it makes would show (a shortcut's target's).
HICON LoadProgramIcon(const ProgramEntry& program, int size);

// Puts the program on the first empty button of group (0..9), saves the data
// file at once, shows the group with the button's icon, tooltip and name, and
// moves what was counted for the program to the button's path. False, after
// saying so (IDS_MSG_GROUP_FULL), when the group has no empty button.
bool PutProgramOnButton(ButtonBar& bar, const ProgramEntry& program, int group);
