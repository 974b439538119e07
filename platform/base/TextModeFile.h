#pragma once
// C files in the platform's text mode: a file opened for writing with mode "w" (or "a") writes
// every "\n" as CR LF, as the program's logs were always written, while the code that writes
// them keeps plain "\n". fflush and fclose work on the result as on any FILE. A mode ending in
// ",ccs=UTF-8" ("w+,ccs=UTF-8") writes a UTF-8 byte-order mark first.

#include <cstdio>

// Opens the file for writing in text mode; "b" in the mode keeps the bytes as written. Null
// when the file cannot be opened (errno tells why).
std::FILE* OpenTextModeFile(const char* path, const char* mode);

// Share modes of OpenSharedTextModeFile.
constexpr int SH_DENYNO = 0x40;  // others may read and write the file
constexpr int SH_DENYWR = 0x20;  // others may read the file, but no one else may open it to write

// OpenTextModeFile with a share mode. With SH_DENYWR the file is locked for writing while it is
// open (an open file description lock, so it holds against other opens in this process too):
// a second open for writing with SH_DENYWR fails with EACCES and leaves the file as it was,
// while readers open it as usual.
std::FILE* OpenSharedTextModeFile(const char* path, const char* mode, int shareFlag);
