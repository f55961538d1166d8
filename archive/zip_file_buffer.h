#pragma once
// minizip reads an entry's header a byte or two at a time and writes it a
// field at a time, and seeks before every block: each of those would be a
// call into the system. These file functions put a buffer between minizip
// and the Win32 ones: reads come from a few cached blocks, writes gather in
// one window that a seek back into it (the sizes after an entry's data)
// changes in place.
#include <ioapi.h>

// Fills files with buffered functions over inner, which must outlive every
// file opened through them.
void FillBufferedFileFunctions(zlib_filefunc64_def* files, const zlib_filefunc64_def* inner);
