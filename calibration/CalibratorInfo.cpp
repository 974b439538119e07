#include "calibration/CalibratorInfo.h"

#include <iterator>

const char16_t* ResultStatusName(int state) {
  static constexpr const char16_t* kNames[] = {u"Failed", u"OK", u"NotRequired", u"NotEvaluated"};
  return state >= 0 && state < int(std::size(kNames)) ? kNames[state] : u"UNK";
}

void SCalibratorInfo::Reset() {
  calibrationValidWritten = false;
  calibrationCounterReset = false;
  calibrationDateWritten = false;
  calibratorWritten = false;
  class1Requirements = EResultState::eFailed;
  factoryCalibrationWrite = EResultState::eNotRequired;
  lastUsedCalibrationWrite = EResultState::eFailed;
  referenceSensorSerialNumber.Empty();
  referenceHardwareSerialNumber.Empty();
  referenceSensorCalibrationDate = u"2000-01-01";
  referenceSensorZeroValue = 0;
  setRuns = 0;
  pauseBetweenStepsMs = 0;
  rampSpeed = 0;
  batteryVoltage = 0.0;
  fullScaleErrorLimit = 0.0;
}
