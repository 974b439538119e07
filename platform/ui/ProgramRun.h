#pragma once
// Starting another program and waiting for it, as the firmware update starts the upgrade
// program: the parameter text is split into arguments as the platform splits a command line.

#include <functional>
#include <vector>

#include "platform/base/String.h"

// Blanks and tabs separate arguments; double quotes group blanks into one argument ("" inside
// quotes is a quote); 2n backslashes before a quote give n backslashes and the quote acts,
// 2n + 1 give n backslashes and a literal quote; other backslashes stay as they are.
std::vector<CString> SplitCommandLine(const CString& parameters);

// Starts the program with the parameters and waits without a time limit until it ends. False
// at once when it cannot be started; otherwise true with its exit code.
bool RunProgramAndWait(const CString& path, const CString& parameters, DWORD& exitCode);

// A tap on the programs started, for tests and the harness: it sees each program that did
// start, with its arguments, and then its exit code.
struct SProgramRunTap {
  std::function<void(const CString& path, const std::vector<CString>& arguments)> started;
  std::function<void(DWORD exitCode)> ended;
};
// Sets the tap (an empty one removes it) and returns the one set before.
SProgramRunTap SetProgramRunTap(SProgramRunTap tap);
