#pragma once
// The calibration document: what the calibration procedures know about the connected ZD-2.
// This part holds the instrument of the current calibration connection, its identity as read
// when the connection is made, and the list of error texts that the connection's threads hand
// to the procedure dialog under the document's lock.

#include <cstdint>
#include <vector>

#include "device/VexalonDevice.h"
#include "platform/base/String.h"
#include "platform/kernel/CriticalSection.h"

class CVexalonDoc {
 public:
  // Builds the default parameter table; the owner calls Reset before each use.
  CVexalonDoc();

  // Identity texts become "Unknown", their copies "--", the counters -1, the flags false and
  // the error list empty; the working parameter table becomes a fresh copy of the default one.
  void Reset();
  // Fills the identity from the connected instrument. False without a device or when the
  // instrument does not identify itself; single queries that fail leave their defaults.
  bool ReadDeviceIdentity();

  // The error list: appended to by the connection's threads, fetched by the procedure dialog.
  void AddError(const CString& text);
  std::vector<CString> TakeErrors();

  Device::CVexalonDevice* m_device = nullptr;
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
  CCriticalSection m_lock;
  std::vector<CString> m_errors;
  // The instrument's calibration parameters in information-memory order; the default table
  // never changes, every read, write and read-back works on the working copy.
  std::vector<Device::CVexalonDevice::SParams> m_defaultParams;
  std::vector<Device::CVexalonDevice::SParams> m_params;
};
