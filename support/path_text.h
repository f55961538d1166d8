#pragma once
// Splitting paths and names, all in UTF-16: a backslash or a dot is one
// character of its own, and a cut never parts a surrogate pair.
#include <cstddef>

// The last backslash of text, or null when it has none.
const wchar_t* LastBackslash(const wchar_t* text);

// The file name: what follows the last backslash; the whole text without one.
const wchar_t* FileNameOf(const wchar_t* path);

// The dot that begins the extension of path's file name: the name's last
// dot, unless that is its first character ("a.b.c" has ".c", ".profile" and
// "README" have none). Null when there is none.
const wchar_t* ExtensionOf(const wchar_t* path);

// True when text ends in a backslash of its own.
bool EndsWithBackslash(const wchar_t* text);

// path in double quotes, as a program's command-line parser reads it back
// whole: the backslashes that end it are doubled, so that none escapes the
// closing quote ("D:\" is written "D:\\"). False when it does not fit in size.
bool QuoteForCommandLine(const wchar_t* path, wchar_t* buffer, size_t size);

// Replaces every character from by to.
void ReplaceCharacters(wchar_t* text, wchar_t from, wchar_t to);

// Copies as many whole characters of [text, text + length) as fit into
// buffer (size characters with the terminator), never half a surrogate pair.
void CopyWholeCharacters(const wchar_t* text, size_t length, wchar_t* buffer, size_t size);

// The folder part of path, up to and without its last backslash; empty
// without one. Cut to size characters on a whole character.
void CopyFolderOf(const wchar_t* path, wchar_t* buffer, size_t size);

// The file name without its extension (see ExtensionOf). Cut to size characters on
// a whole character (size characters with the terminator).
void CopyNameWithoutExtension(const wchar_t* path, wchar_t* buffer, size_t size);
