#pragma once
// One live sample of the ZD-2 as its continuous mode sends them: load, motor current or
// light-barrier counter, and drive state, decoded from the four bytes of one frame by the
// firmware version of the sending instrument.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

struct SLiveSample {
  SLiveSample() = default;

  // Fills force, current or counter, and drive state from the frame bytes in the format of
  // the firmware version; the sample number, the time stamp and every field the format does
  // not carry keep their values. An empty or unparsable version selects the oldest format.
  void Decode(BYTE b0, BYTE b1, BYTE b2, BYTE b3, const CString& firmwareVersion);

  int sampleNumber = 0;
  int force = 0;    // N
  int current = 0;  // mA
  int counter = 0;
  int driveState = -1;  // -1: no sample yet
  ULONGLONG timestamp = 0;
};
