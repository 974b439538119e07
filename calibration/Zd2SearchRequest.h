#pragma once
// The search for one ZD-2 on the serial ports that the calibration dialogs' connections make.

#include "device/SearchRequest.h"

// Port `port` when it is 1 or more, else every serial port; the search stops at the first ZD-2.
Device::SSearchRequest Zd2SerialSearch(int port);
