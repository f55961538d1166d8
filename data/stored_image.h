#pragma once
// The data file's image (data/stored_layout.h) and the records: decoding
// what was loaded, and encoding what is saved so that a field nobody changed
// goes back with the very bytes it was loaded from (code page 932 has
// duplicate codes, and bytes it does not define do not come back).
#include "data/launcher_records.h"
#include "data/stored_layout.h"

#include <windows.h>

// The file's bytes of either layout as an image and settings; false for a
// file of neither layout's size. The older layout's buttons take their icon
// file from their file.
bool TakeStoredImage(const char* bytes, DWORD size, StoredData* stored, AppSettings* settings);

// Every field becomes its text, ended inside the field, and zeros after it.
void TerminateStoredFields(StoredData* stored);

// Every field and icon index of stored into data.
void DecodeStoredData(const StoredData& stored, LauncherData* data);

// data into stored, which holds the image loaded for loaded: a field still
// as loaded keeps its bytes, any other gets its stored form
// (data/field_form.h). Icon indexes come from data; padding stays.
void EncodeStoredData(const LauncherData& data, const LauncherData& loaded, StoredData* stored);
