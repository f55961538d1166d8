#pragma once
// Looking values up in the bytes of an ini file, as GetPrivateProfileString
// finds them, without converting anything: the caller decodes the value
// from the code page the file was written in. Section and key names are
// ASCII; "=", "[", "]" and blanks are never the second byte of a code page
// 932 character, so the bytes split where the characters do.
#include <cstddef>
#include <string>

// The value of key in section: names compared without regard to ASCII case,
// blanks around names and values dropped, a value in matching quotes taken
// without them; the first such key of the first such section. False when
// there is none.
bool FindIniValue(const char* text, size_t size, const char* section, const char* key, std::string* value);

// The value read as GetPrivateProfileInt reads it: an optional sign and
// decimal digits in 32 bits (more wrap around), 0 for anything else;
// fallback when there is no such key.
int FindIniNumber(const char* text, size_t size, const char* section, const char* key, int fallback);
