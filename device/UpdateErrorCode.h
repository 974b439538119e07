#pragma once
// The results of the firmware-update steps and of the update job. GetUpdateErrorText
// (CJvDevice) gives their user texts.

namespace Device {

enum NError_code : int {
  eUpdateOk = 0,
  eUpdateNotAttached = 1,  // also a refused attachment and an unusable package stream
  eUpdateBlock128 = 2,     // writing the 128-byte block failed
  eUpdateIncomplete = 3,   // the block transfer was incomplete
  eUpdateProgram = 4,      // programming a block failed
  eUpdateModeChange = 5,
  eUpdateCommunication = 6,  // no device code reported, or a transport failure
  eUpdateFileRead = 7,       // the package could not be read
  eUpdateWrongDevice = 8,    // the package is for another device code
  eUpdateAborted = 9,
  eUpdateHardware = 10,   // instrument classes: hardware revision not supported
  eUpdateOsVersion = 11,  // instrument classes: another operating-system version needed
  eUpdateBattery = 16,    // instrument classes: battery too low
};

}  // namespace Device
