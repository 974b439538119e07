#include "calibration/CalibratorInfo.h"

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
