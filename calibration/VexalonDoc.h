#pragma once
// The calibration document: what the calibration procedures know about the connected ZD-2.
// This part holds the instrument of the current calibration connection, its identity as read
// when the connection is made, and the list of error texts that the connection's threads hand
// to the procedure dialog under the document's lock.

#include <array>
#include <cstdint>
#include <vector>

#include "calibration/CalibratorInfo.h"
#include "calibration/CertfData.h"
#include "calibration/LogFile.h"
#include "calibration/StepMeas.h"
#include "device/VexalonDevice.h"
#include "platform/base/String.h"
#include "platform/kernel/CriticalSection.h"

class CVexalonDoc {
 public:
  static constexpr int kMaxCycles = 100;
  static constexpr int kSteps = 20;
  // Error bits of the parameter operations.
  static constexpr int kErrorWriteFailed = 0x20;
  static constexpr int kErrorReadFailed = 0x40;
  static constexpr int kErrorReadBackDiffers = 0x80;
  // Parameter kinds; kAllKinds selects every entry.
  static constexpr int kAllKinds = 0;
  static constexpr int kKindCalibrationValue = 1;
  static constexpr int kKindCounterWord = 2;
  static constexpr int kKindValidityIdentifier = 3;

  // Builds the default parameter table; the owner calls Reset before each use.
  CVexalonDoc();

  // Identity texts become "Unknown", their copies "--", the counters -1, the flags false and
  // the error list empty; the working parameter table becomes a fresh copy of the default one.
  void Reset();
  // Fills the identity from the connected instrument. False without a device or when the
  // instrument does not identify itself; single queries that fail leave their defaults.
  bool ReadDeviceIdentity();

  // Read, write and read back the working table's entries of one information-memory segment
  // or of one kind, in table order, through the connected instrument. Each stops at the first
  // failing entry and returns its error bit (0 when all went well); none of them retries. A
  // read also checks the lifetime-counter words against the counter read at connection time.
  int ReadParamsOfSegment(int segment);
  int ReadParamsOfKind(int kind);
  int WriteParamsOfSegment(int segment);
  int WriteParamsOfKind(int kind);
  int VerifyParamsOfSegment(int segment);
  int VerifyParamsOfKind(int kind);

  // The error list: appended to by the connection's threads, fetched by the procedure dialog.
  void AddError(const CString& text);
  std::vector<CString> TakeErrors();

  Device::CVexalonDevice* m_device = nullptr;
  SLogFile m_logFile;
  CString m_deviceName;
  CString m_firmwareVersion;
  CString m_signature;
  CString m_serialNumber;
  CString m_hardwareRevision;
  CString m_pcbSerialNumber;
  CString m_calibrationDate;
  CString m_calibrator;
  std::int64_t m_lifetimeCounter = -1;
  std::int64_t m_calibrationCounter = -1;
  bool m_calibrationValid = false;
  bool m_factoryCalibrationValid = false;
  bool m_lastUsedCalibrationValid = false;
  CString m_currentSerialNumber;
  CString m_currentHardwareRevision;
  CString m_currentPcbSerialNumber;
  CString m_newCalibrationDate;
  CString m_newCalibrator;
  std::int64_t m_newLifetimeCounter = -1;
  std::int64_t m_newCalibrationCounter = -1;
  CString m_reportText;
  // The main frame's work copy of the report; Reset leaves it alone.
  CString m_exportText;
  bool m_finalResult = false;
  SCalibratorInfo m_calibratorInfo;
  CCriticalSection m_lock;
  // Number (from 1) of the cycle the run started last.
  int m_actualRuns = 0;
  // The run rebuilds these, so Reset leaves them alone: table i holds cycle i+1's steps, the
  // means table one record per step.
  std::array<std::vector<CStepMeas>, kMaxCycles> m_cycles;
  std::vector<CStepMeas> m_means;
  std::array<double, kSteps> m_slopes = {};
  std::array<double, kSteps> m_offsets = {};  // N
  std::array<WORD, kSteps> m_slopeWords = {};
  std::array<std::int16_t, kSteps> m_offsetWords = {};
  int m_stepForce = 0;  // N
  std::vector<CCertfData> m_certificateRows;
  std::vector<CString> m_errors;
  // The instrument's calibration parameters in information-memory order; the default table
  // never changes, every read, write and read-back works on the working copy.
  std::vector<Device::CVexalonDevice::SParams> m_defaultParams;
  std::vector<Device::CVexalonDevice::SParams> m_params;
};
