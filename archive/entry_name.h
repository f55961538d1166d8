#pragma once
// Entry names between their stored bytes and UTF-16. A name flagged UTF-8
// (general purpose bit 11) is UTF-8; otherwise the Info-ZIP Unicode Path
// extra field (0x7075) gives the name when its CRC matches the stored bytes;
// otherwise the bytes are code page 932 (support/code_page_932.h). Names are
// stored in code page 932 when it holds them exactly (what Japanese tools
// expect) and as UTF-8 with bit 11 otherwise.
#include <cstddef>

constexpr unsigned kUtf8NameFlag = 0x800;  // general purpose bit 11

// Decodes a stored name of length bytes into name (size characters); extra
// is the entry's extra field. False when the name cannot be decoded: an
// invalid sequence, a NUL inside, or more than fits.
bool DecodeEntryName(const char* stored, size_t length, unsigned flag, const unsigned char* extra,
                     size_t extraLength, wchar_t* name, size_t size);

// Encodes name for storing into stored (size bytes, terminated); flag gets
// kUtf8NameFlag when the name went in as UTF-8, 0 otherwise. False when it
// does not fit.
bool EncodeEntryName(const wchar_t* name, char* stored, size_t size, unsigned* flag);
