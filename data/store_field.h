#pragma once
// The one way text goes into a record's text field.
#include "data/launcher_records.h"

// Puts text into a record's text field (kFieldSize characters): as many
// characters as fit with the terminator, never half a surrogate pair, then
// zeros to the field's end.
void StoreField(wchar_t* field, const wchar_t* text);
