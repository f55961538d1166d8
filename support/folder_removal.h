#pragma once
// Folders the launcher makes and removes again, looked at and removed without
// ever reaching through a link. Every item is opened where it lies, without
// following a symbolic link or junction, and counts as plain only when it is
// no reparse point and its final path is exactly where the walk expects it:
// a link the system follows although told not to (or does not report as a
// reparse point) leads elsewhere and shows there. A link is never entered,
// never removed, never renamed; a folder holding one is left as it is.
#include <string>
#include <vector>

// True when folder is plain: no link, and it lies where its path says (its
// parent's final path, then its name). A walk enters only such folders.
bool IsPlainFolder(const std::wstring& folder);

// The names of the files in folder, when the folder and each of them is
// plain and it holds nothing else (no subfolder, no link, no item that
// cannot be opened to be looked at); false otherwise.
bool ListPlainFiles(const std::wstring& folder, std::vector<std::wstring>* names);

// Removes folder when it holds plain files named in order only (ignoring
// case): those it holds, in that order, then the folder itself. False when
// it holds anything else or is not plain (then nothing is removed), and when
// a removal fails part-way (what was removed stays removed, the rest stays).
bool RemovePlainFolder(const std::wstring& folder, const std::vector<std::wstring>& order);
