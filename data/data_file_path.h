#pragma once
// The data file: the program's path with its three-letter extension replaced
// by "dat". False for a program named otherwise.
#include <windows.h>

bool DataFilePath(wchar_t* buffer, DWORD size);
