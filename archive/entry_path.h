#pragma once
// Where an archive entry may be written: the checks that keep every file and
// folder of an extraction inside its destination folder. Names are walked by
// whole characters of the system code page (a second byte 0x5C of a
// double-byte character is not a separator).
#include <cstddef>

// True when the stored entry name can be written below a destination folder:
// relative, no "." or ".." component, no drive or stream ":", no UNC or
// device prefix, no reserved device name (CON, NUL.txt, COM1, CONIN$ ...),
// no component ending in a dot or blank, no empty component (except the
// trailing separator of a folder entry), no wildcard or control character,
// no cut double-byte character. "/" and "\" both separate components.
bool IsSafeEntryName(const char* name);

// Joins destination and a safe entry name into target (size bytes), every
// "/" turned into "\", and checks that the full path of the result lies
// inside the full path of the destination. False (target emptied) when the
// name is not safe, the result does not fit, or it would lie outside.
bool BuildEntryTarget(const char* destination, const char* name, char* target, size_t size);
