#pragma once
// The calibration procedure's beep: the sound file "beep-7.wav" beside the program, played
// without waiting for it.

void PlayBeep();
