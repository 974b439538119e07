#pragma once
// One measured object of the Armivue rebar locator (one data file of the instrument) and the
// set a download fills.

#include <cstdint>
#include <vector>

#include "device/Version.h"
#include "platform/base/String.h"

namespace Device {

// Data files in inch units hold covers in inches.
inline constexpr double kMillimetresPerInch = 25.4;

struct SArmivueReading {
  BYTE number = 0;       // 1-based
  BYTE cover = 255;      // millimetres; 255 means "n/a"
  BYTE rawDiameter = 0;  // millimetres; 0 means "n/a"
};

struct SArmivueMeasurement {
  static constexpr BYTE kUnknown = 255;
  static constexpr BYTE kMetric = 0;
  static constexpr BYTE kAstmInch = 1;
  static constexpr BYTE kAstmMm = 2;
  static constexpr BYTE kJapanese = 3;
  static constexpr BYTE kManualStorage = 0;
  static constexpr BYTE kAutoStorage = 1;

  CVersion version;
  CString name;
  CString softwareVersion;
  CString serialNumber;
  CString hardwareIndex;
  CString signature;
  BYTE regional = kUnknown;
  BYTE storageMode = kUnknown;
  BYTE rawDefaultDiameter = 0;
  BYTE correction = 0;
  CString comment;
  CString objectName;
  std::int64_t date = 0;
  short objectNumber = 0;
  std::vector<SArmivueReading> readings;
};

struct SArmivueMeasurementSet {
  CVersion version;
  std::vector<SArmivueMeasurement> objects;
};

}  // namespace Device
