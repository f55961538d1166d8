#pragma once
// One line of the names file (data/whole_names.h), UTF-8 without its CR LF:
//     group01.button03.file<TAB>FORM<TAB>WHOLE
//     group02.name<TAB>FORM<TAB>WHOLE
// Groups and buttons count from 01 as the user counts them; a group has
// "name" and "icon", a button "title", "file", "folder", "options" and
// "icon". FORM is the text the data file's field holds, WHOLE the whole
// text; in both a backslash, tab, CR and LF are written \\ \t \r \n.
#include "data/field_place.h"

#include <cstddef>
#include <string>

// The longest line the launcher writes is well below this; a longer one is
// not one of its lines.
constexpr size_t kNamesLineMaxSize = 4096;

struct NamesLine {
    FieldPlace place;
    wchar_t form[kFieldSize];
    wchar_t whole[kFieldSize];
};

// [text, text + length) as a names line; false for anything else: an
// unknown key, a missing or extra part, an unknown escape, invalid UTF-8, a
// NUL, a text past kFieldLength characters, a line past kNamesLineMaxSize.
bool ParseNamesLine(const char* text, size_t length, NamesLine* line);

// The line of form and whole at place, with its CR LF; empty when whole has
// no UTF-8 form (a lone surrogate).
std::string FormatNamesLine(const FieldPlace& place, const wchar_t* form, const wchar_t* whole);
