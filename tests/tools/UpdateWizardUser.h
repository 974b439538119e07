#pragma once
// The scripted user of the program-update wizard, shared by zdtool program-update and the
// frame's program-update command: it presses the given buttons, then Next while enabled, else
// Finish. Each time a page waits, and when the wizard ends, it prints the page's visible
// texts, its progress and the enabled buttons.

#include <deque>
#include <string>

#include "platform/base/WinTypes.h"

class CAutoUpdate;
class CString;

// A press that cancels the wizard, beside the wizard's button flags.
constexpr DWORD kUpdateWizardCancel = 0x100;

// Plays the user until the wizard ends.
void PlayUpdateWizardUser(CAutoUpdate& sheet, std::deque<DWORD> presses);
// Line ends written as \r and \n, so that a text stays on its output line.
std::string EscapedLineEnds(const CString& text);
