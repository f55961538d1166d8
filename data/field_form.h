#pragma once
// How one text field goes into the data file's code page 932 field and back.
#include "data/stored_layout.h"

// The field as the data file holds it: stored's text (up to its terminator,
// or the whole field) decoded from code page 932, cut as StoreField cuts it.
void FieldFromStored(const char* stored, wchar_t* field);

// The bytes text is stored as, zero-filled to the field's end: the text
// itself when code page 932 holds it exactly and it fits; for a path field
// its short path when there is one that does; otherwise the text with "?"
// for what the code page lacks, cut on a whole character. Whatever the bytes
// do not hold exactly is kept whole in the names file (data/whole_names.h).
void StoredFormOf(const wchar_t* text, bool pathField, char* stored);
