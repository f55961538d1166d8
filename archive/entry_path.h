#pragma once
// Where an archive entry may be written: the checks that keep every file and
// folder of an extraction inside its destination folder. They work on the
// decoded name, whatever the archive stored it in.
#include <cstddef>

// True when the entry name can be written below a destination folder:
// relative, no "." or ".." component, no drive or stream ":", no UNC or
// device prefix, no reserved device name (CON, NUL.txt, COM1, COM¹,
// CONIN$ ...), no component ending in a dot or blank, no empty component
// (except the trailing separator of a folder entry), no wildcard or control
// character. "/" and "\" both separate components.
bool IsSafeEntryName(const wchar_t* name);

// Joins destination and a safe entry name into target (size characters),
// every "/" turned into "\", and checks that the full path of the result
// lies inside the full path of the destination and is shorter than
// MAX_PATH. False (target emptied) when the name is not safe, the result is
// too long, or it would lie outside.
bool BuildEntryTarget(const wchar_t* destination, const wchar_t* name, wchar_t* target, size_t size);

// True when name can name one item directly below a folder: one component,
// no separator, no character a name may not hold, not ending in a dot or a
// blank, no reserved device name.
bool IsSafeItemName(const wchar_t* name);

// A name taken from a dropped item, fit to name one new item directly below
// a folder (the folder an archive is extracted into, an archive's proposed
// name): its trailing dots and blanks dropped, and fallback in its place
// when what is left is empty, a reserved device name, holds a separator or
// a character no name may hold, or does not fit in size characters. The
// same component rules as for entry names.
void MakeSafeItemName(const wchar_t* name, const wchar_t* fallback, wchar_t* out, size_t size);
