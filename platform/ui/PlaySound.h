#pragma once
// Sounds played by file name, without waiting for them. A name without a folder is looked up
// beside the program. The player is a program run with the file as its one argument: the
// "PlaySoundCommand" setting under the shell key, else "aplay". Without a screen (the offscreen
// platform of the tests) nothing is played; every request is recorded either way, so that
// tests can count the sounds asked for.

#include <vector>

#include "platform/base/String.h"
#include "platform/res/ResourceModule.h"

inline constexpr DWORD SND_ASYNC = 0x0001;
inline constexpr DWORD SND_NODEFAULT = 0x0002;
inline constexpr DWORD SND_FILENAME = 0x00020000;
inline constexpr const char16_t* kPlaySoundCommandValue = u"PlaySoundCommand";

// Starts playing the sound file and returns at once (only SND_ASYNC is supported; the module
// is ignored). TRUE when the player was started or nothing is to be played without a screen.
BOOL PlaySound(LPCTSTR sound, HMODULE module, DWORD flags);
// The file names asked for so far, oldest first.
std::vector<CString> GetSoundRequests();
void ClearSoundRequests();
