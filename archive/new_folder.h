#pragma once
// A folder made new for one job, named as Windows names copies: "pics",
// else "pics (2)", "pics (3)", … The first name nobody holds is taken by
// creating it, so no other program can slip in between a look and the
// creation, and nothing that was there before is ever used.
#include <cstddef>

// Creates the folder wanted, or the first free numbered one beside it, and
// copies its path into made (size characters). False when no folder could be
// created (a missing parent, no right to write, a path too long, every
// number taken).
bool MakeNewFolder(const wchar_t* wanted, wchar_t* made, size_t size);
