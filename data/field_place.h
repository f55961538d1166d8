#pragma once
// Every text field of the launcher by one place: a group's name and icon
// file, a button's title, file, working folder, options and icon file. The
// data file's image and the records are walked alike through it.
#include "data/launcher_records.h"
#include "data/stored_layout.h"

enum class FieldKind { Name, Title, File, Folder, Options, Icon };

struct FieldPlace {
    int group = 0;
    int button = -1;  // -1: a field of the group itself
    FieldKind kind = FieldKind::Name;
};

constexpr int kGroupFieldCount = 2;
constexpr int kButtonFieldCount = 5;
constexpr int kFieldsPerGroup = kGroupFieldCount + kButtonsPerGroup * kButtonFieldCount;
constexpr int kFieldCount = kGroupCount * kFieldsPerGroup;

// The place of field 0 .. kFieldCount - 1, group by group, its own fields
// first; and back (-1 for a place that names no field).
FieldPlace FieldPlaceAt(int index);
int FieldIndexOf(const FieldPlace& place);

// Files, folders and icon files: fields a short path can stand in for.
bool IsPathField(FieldKind kind);

// The field at place (which FieldIndexOf takes) in the records, and in the
// data file's image.
wchar_t* RecordField(LauncherData& data, const FieldPlace& place);
const wchar_t* RecordField(const LauncherData& data, const FieldPlace& place);
char* StoredField(StoredData& data, const FieldPlace& place);
const char* StoredField(const StoredData& data, const FieldPlace& place);
