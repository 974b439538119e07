#pragma once
// The calibration record: what the finishing of a calibration achieved and the test settings
// that the report shows.

#include "platform/base/String.h"

// The outcome of one finishing step or requirement check.
enum class EResultState { eFailed = 0, eOk = 1, eNotRequired = 2, eNotEvaluated = 3 };

// "Failed", "OK", "NotRequired" or "NotEvaluated"; "UNK" for any other value.
const char16_t* ResultStatusName(int state);

struct SCalibratorInfo {
  // Every outcome unknown or failed, nothing written, the test settings empty.
  void Reset();

  bool calibrationValidWritten = false;
  bool calibrationCounterReset = false;
  bool calibrationDateWritten = false;
  bool calibratorWritten = false;
  EResultState class1Requirements = EResultState::eFailed;
  EResultState factoryCalibrationWrite = EResultState::eNotRequired;
  EResultState lastUsedCalibrationWrite = EResultState::eFailed;
  CString referenceSensorSerialNumber;
  CString referenceHardwareSerialNumber;
  CString referenceSensorCalibrationDate;
  int referenceSensorZeroValue = 0;
  int setRuns = 0;
  int pauseBetweenStepsMs = 0;
  int rampSpeed = 0;  // N/s
  double batteryVoltage = 0.0;
  double fullScaleErrorLimit = 0.0;  // %
};
