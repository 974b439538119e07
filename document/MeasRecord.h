#pragma once
// One ZD-2 measurement as the program keeps it: the 238 bytes the instrument sent, followed by
// the identity of the instrument and the values derived from the raw bytes.

#include <cstdint>

#include "platform/base/ByteOrder.h"
#include "platform/base/String.h"

// The identity of the instrument that made a test.
struct SMeasDeviceInfo {
  CString strDeviceName;
  CString strSerialNumber;
  CString strHwSerialNumber;  // the instrument's "@EN@" reply
  CString strHwRevision;
  CString strAppVersion;
  CString strModel;
  CString strCalDate;  // the "@CD@" reply, YYYY-MM-DD
  // 6000, 16000 or 25000 N by model; 0 when the model is not known.
  std::int32_t nLoadLimit = 0;
};

// Layout of the raw record; multi-byte values are little-endian.
namespace MeasRaw {
constexpr int kSize = 238;
constexpr int kMarker = 0;  // 2 bytes, always kSize
constexpr int kSlotId = 4;
constexpr int kYear = 5;  // year - 2000
constexpr int kMonth = 6;
constexpr int kDay = 7;
constexpr int kHour = 8;
constexpr int kMinute = 9;
constexpr int kSecond = 10;
constexpr int kId = 11;  // 4 bytes
constexpr int kByte15 = 15;
constexpr int kArea = 16;      // 2 bytes, mm2
constexpr int kLoadRate = 18;  // 2 bytes, N/s
constexpr int kUnit = 20;
constexpr int kLoadLimit = 21;       // 2 bytes, N
constexpr int kFailureClass = 22;    // + mode 1 to 3
constexpr int kFailurePercent = 25;  // + mode 1 to 3
constexpr int kSamplingPeriod = 29;  // 2 bytes, 1/100 s
constexpr int kPeakLoad = 31;        // 2 bytes, N
constexpr int kTearOffTime = 33;     // 2 bytes, 1/10 s
constexpr int kCurve = 35;           // 100 x 2 bytes, N
constexpr int kCurveSamples = 100;
constexpr int kEffectiveLoadRate = 236;  // 2 bytes, N/s
}  // namespace MeasRaw

struct zd_meas_t {
  BYTE raw[MeasRaw::kSize] = {};
  SMeasDeviceInfo device;
  double diameter = 0.0;  // mm
  WORD maxSample = 0;     // N
  double peakTime = 0.0;  // s from the start of the curve to the largest sample
  std::int64_t timeStamp = 0;
  CString comment;
  bool expanded = false;
  bool selected = true;

  WORD Word(int offset) const { return GetLe16(raw + offset); }
  DWORD DWord(int offset) const { return GetLe32(raw + offset); }
  void SetDWord(int offset, DWORD value) { SetLe32(raw + offset, value); }
  WORD CurveSample(int index) const { return Word(MeasRaw::kCurve + 2 * index); }
};
