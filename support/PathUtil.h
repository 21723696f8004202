// Small helpers for file names written with either '/' or '\\' between folders.
#pragma once

#include "platform/afxstr.h"

// Drops the last extension of the file name: "a/b.c.dat" -> "a/b.c". A dot in a folder name
// does not count ("a.b/c" stays); as on Windows, a name that is all extension (".ini")
// becomes empty. A null path gives "".
CString RemoveExtensionName(const char* path);

// Copies the part of path after the last separator into buffer (the whole path when there is
// none) and returns buffer, which must be large enough. buffer may be path itself.
char* GetTitleOfName(const char* path, char* buffer, char separator);
