#pragma once
// A count of bytes as people read it in a message: "512 B", "12.3 GB".
#include <cstddef>

// bytes in the largest binary unit (KB = 1024 B, up to EB) that it reaches,
// with one decimal cut, not rounded (so it never claims more than there
// is); into out (size characters).
void FormatByteSize(unsigned long long bytes, wchar_t* out, size_t size);
