#pragma once
// The calibration document: what the calibration procedures know about the connected ZD-2.
// This part holds the instrument of the current calibration connection, its identity as read
// when the connection is made, and the list of error texts that the connection's threads hand
// to the procedure dialog under the document's lock.
//
// Threads: the lock guards the error list only, which the connection's threads append to while
// the dialog fetches it. Every other member has one writer at a time, and each writer hands the
// document on by a thread's start or end or by a posted message:
// - the device thread, as a connection is made (CConnBase::OnDeviceFound), sets m_device and
//   fills the identity: the texts, their current and new copies, counters and validity flags;
// - the connection's read thread only reads the firmware version;
// - the calibration dialog's run thread closes the log file, fills the cycle and means tables
//   and the number of runs, and erases the old calibration through the working parameter table;
// - its process thread computes and writes the calibration: slopes, offsets and their words,
//   the step force, the working parameter table, the new counters, date and calibrator, and the
//   calibrator information's results;
// - the user-interface thread does the rest: Reset before each connection, m_device cleared at
//   each disconnect, the reference loads in the cycle tables, the report and the export text,
//   and the restore dialog's work on the parameter table.

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
#include "toolkit/ColorRichEditCtrl.h"

class CVexalonDoc {
 public:
  static constexpr int kMaxCycles = 100;
  static constexpr int kSteps = 20;
  // The instrument keeps each step's slope as a word of the slope times this.
  static constexpr double kSlopeScale = 10000.0;
  // Error bits of the parameter operations.
  static constexpr int kErrorCycleCounter = 0x0001;
  static constexpr int kErrorComputation = 0x0002;
  static constexpr int kErrorSlopeRange = 0x0004;
  static constexpr int kErrorLoadRules = 0x0008;
  static constexpr int kErrorEraseSegment = 0x0010;
  static constexpr int kErrorWriteFailed = 0x20;
  static constexpr int kErrorReadFailed = 0x40;
  static constexpr int kErrorReadBackDiffers = 0x80;
  static constexpr int kErrorValidity = 0x0100;
  static constexpr int kErrorContinuousMode = 0x0200;
  static constexpr int kErrorCalUsage = 0x0400;
  static constexpr int kErrorUnknown = 0x0800;
  static constexpr int kErrorCalibrationDate = 0x1000;
  static constexpr int kErrorAutoBackDrive = 0x2000;
  static constexpr int kCyclesPerCalibration = 3;
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

  // One slope and one offset per load step from the first three cycles and the means table:
  // 0, or 0x2 when a cycle does not hold the 20 steps, 0x8 when a load deviates from its mean
  // by more than 2 %, 0x4 when neighbouring slopes differ by more than 0.1 or a slope or
  // offset cannot be stored as a 16-bit word. `previousInstrument` and `previousReference`
  // are the starting point of the first step's line.
  int ComputeCalibration(int previousInstrument, int previousReference);
  // Computes the calibration and writes and reads back the step force, slopes and offsets;
  // `toggleContinuousMode` switches continuous mode off around it.
  int WriteCalibration(int stepForce, bool toggleContinuousMode);
  // Erases the old calibration and writes back the counters read at connection time; refuses
  // with 0x40 before erasing anything when those counters are unknown.
  int DeleteCalibration(bool deleteMeasurements);
  int SetAutoBackDrive(bool on);
  // which: 0 the lifetime counter, 1 the calibration counter, 2 both, 3 none.
  int ResetCounters(int which);
  int SetCalibrationValid(bool valid);
  int SetCalibrationDate(const CString& date);
  int SetCalibrator(const CString& calibrator);

  // Refreshes the instrument's factory and last-used copies whose state asks for it.
  bool OverwriteStoredCalibrations(CColorRichEditCtrl& log);
  // Resets the calibration counter, compares the written values, checks the lifetime counter,
  // writes date, calibrator and validity identifier and refreshes the stored copies.
  bool FinishCalibration(CColorRichEditCtrl& log, const CString& calibrator);

  // Replaces `texts` with one line per set error bit, in the order the procedure reports them.
  static void GetErrorTexts(std::vector<CString>& texts, int errors);

  // The report of an adjustment (`calibrationMode`) or a verification into the report text,
  // and its verdict into the final result.
  void BuildReport(bool calibrationMode);
  // The report's table of cycle `cycle` (from 0), or of the means table for a negative index;
  // true when a step of it is not valid.
  bool FormatStepTable(int cycle, CString& text) const;
  // The working table entry by entry (`raw`) or decoded into identifier, counters, step size,
  // slopes and offsets; the decoded form also gives the counters that are asked for.
  void FormatInfoMemory(std::vector<CString>& lines, bool raw, std::int64_t* lifetimeCounter = nullptr,
                        std::int64_t* calibrationCounter = nullptr) const;

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
