#pragma once
// Opening documents and web pages with the desktop's handler. The opener is a program run
// with the document as its one argument: the "OpenCommand" setting under the key below, else
// "xdg-open". Tests set it to a recorder.

#include "platform/base/String.h"
#include "platform/ui/WinUser.h"

inline constexpr const char16_t* kShellSettingsKey = u"Software\\Jovant\\ZD-Zedo\\Shell";
inline constexpr const char16_t* kShellOpenCommandValue = u"OpenCommand";

// Starts the opener for `file` ("open" is the only verb) and returns at once. The result is
// above 32 when the opener was started, as on the platform; 2 when it could not be.
INT_PTR ShellExecute(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory, int show);
