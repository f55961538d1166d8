#pragma once
// Code page 932 (Shift-JIS), the code page of the stored files: the data
// file's fields, position.dat, shortcut.dat, the older porun.ini and the
// names in ZIP archives without a UTF-8 flag. Named here, never taken from
// the system, so the same file reads the same on every system.
#include <cstddef>
#include <string>

constexpr unsigned kCodePage932 = 932;

// True when code page 932 holds text exactly: no best fit, no default
// character, the same UTF-16 on the way back. True for an empty text.
bool FitsCodePage932(const wchar_t* text);

// text in code page 932 into out (size bytes with the terminator): exact
// where the code page holds it, "?" for each character it lacks, cut before
// the first character that does not fit whole. True when that is the whole
// text exactly.
bool ToCodePage932(const wchar_t* text, char* out, size_t size);

// bytes[0, length) of code page 932 text in UTF-16. Lenient: a byte the code
// page does not define becomes what the system maps it to. Strict (archive
// entry names): into out (size characters with the terminator), false for
// any invalid sequence, a NUL inside or a text that does not fit.
std::wstring FromCodePage932(const char* bytes, size_t length);

// How many of bytes[0, length) are whole code page 932 characters: a lead
// byte whose trail byte lies past length is left out.
size_t WholeCharactersLength(const char* bytes, size_t length);
bool FromCodePage932Strict(const char* bytes, size_t length, wchar_t* out, size_t size);
// The strict decoding in any code page (CP_UTF8 for the archives' UTF-8 names).
bool FromCodePageStrict(unsigned codePage, const char* bytes, size_t length, wchar_t* out, size_t size);
