#pragma once
// minizip's file functions over a Win32 file that the caller has open and
// keeps: the name handed to minizip's open is the address of the HANDLE,
// and closing the archive leaves the handle open. Packing writes through
// the handle that holds its archive marked for deletion until it is whole.
#include <ioapi.h>

void FillKeptFileFunctions(zlib_filefunc64_def* files);
