#pragma once
// C files in the platform's text mode: a file opened for writing with mode "w" (or "a") writes
// every "\n" as CR LF, as the program's logs were always written, while the code that writes
// them keeps plain "\n". fflush and fclose work on the result as on any FILE.

#include <cstdio>

// Opens the file for writing in text mode; "b" in the mode keeps the bytes as written. Null
// when the file cannot be opened (errno tells why).
std::FILE* OpenTextModeFile(const char* path, const char* mode);
