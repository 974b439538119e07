#include "calibration/Beep.h"

#include "platform/ui/PlaySound.h"

// Whether the sound could be played does not matter to any caller.
void PlayBeep() { PlaySound(u"beep-7.wav", nullptr, SND_ASYNC); }
