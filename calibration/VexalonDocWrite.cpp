// Writing a computed calibration into the instrument, deleting the old one, resetting the
// counters and marking the calibration valid.

#include <functional>

#include "calibration/VexalonDoc.h"

namespace {

using SParams = Device::CVexalonDevice::SParams;

constexpr int kTries = 3;
constexpr WORD kValidLow = 0x3CC3;
constexpr WORD kValidHigh = 0xA5A5;
constexpr WORD kErased = 0xFFFF;
constexpr int kResetLifetime = 0;
constexpr int kResetCalibration = 1;
constexpr int kResetBoth = 2;
constexpr int kResetNone = 3;

// Runs `operation` up to kTries times until it returns 0; the last result.
int Retry(const std::function<int()>& operation) {
  int result = 0;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    result = operation();
    if (result == 0) break;
  }
  return result;
}

bool Named(const SParams& param, const char16_t* name) { return param.name.CompareNoCase(name) == 0; }

WORD LowWord(std::int64_t value) { return WORD(std::uint64_t(value) & 0xFFFF); }
WORD HighWord(std::int64_t value) { return WORD((std::uint64_t(value) >> 16) & 0xFFFF); }

void SetCounterWords(std::vector<SParams>& params, const char16_t* low, const char16_t* high,
                     std::int64_t value) {
  for (SParams& param : params) {
    if (Named(param, low)) param.value = LowWord(value);
    if (Named(param, high)) param.value = HighWord(value);
  }
}

}  // namespace

int CVexalonDoc::WriteCalibration(int stepForce, bool toggleContinuousMode) {
  if (toggleContinuousMode && !m_device->SetContinuousMode(false)) return kErrorContinuousMode;
  m_stepForce = stepForce;
  if (const int result = ComputeCalibration(0, 0)) return result;
  int slope = 0;
  int offset = 0;
  for (SParams& param : m_params) {
    if (Named(param, u"CAL_SLOPE") && slope < kSteps) param.value = m_slopeWords[slope++];
    if (Named(param, u"CAL_OFFSET") && offset < kSteps) param.value = WORD(m_offsetWords[offset++]);
    if (Named(param, u"CAL_STEP_FORCE")) param.value = WORD(stepForce & 0xFFFF);
  }
  if (const int result = WriteParamsOfKind(kKindCalibrationValue)) return result;
  if (const int result = VerifyParamsOfKind(kKindCalibrationValue)) return result;
  if (!m_device->SetUFlag(true)) return kErrorCalUsage;
  if (toggleContinuousMode && !m_device->SetContinuousMode(true)) return kErrorContinuousMode;
  return 0;
}

int CVexalonDoc::DeleteCalibration(bool deleteMeasurements) {
  // The counters are written back from what was read at connection time; unknown ones would
  // leave the instrument's lifetime counter at 0xFFFFFFFF for good.
  if (m_lifetimeCounter < 0 || m_calibrationCounter < 0) return kErrorReadFailed;
  if (!m_device->SetContinuousMode(false)) return kErrorContinuousMode;
  if (deleteMeasurements) m_device->DeleteAllMeasurements();
  if (!m_device->EraseInfoSegment(1)) return kErrorEraseSegment;
  SetCounterWords(m_params, u"LIFE_CNT_LB", u"LIFE_CNT_HB", m_lifetimeCounter);
  SetCounterWords(m_params, u"CALIB_CNT_LB", u"CALIB_CNT_HB", m_calibrationCounter);
  if (!m_device->EraseInfoSegment(3)) return kErrorEraseSegment;
  if (const int result = Retry([this] { return WriteParamsOfKind(kKindCounterWord); })) return result;
  if (const int result = Retry([this] { return VerifyParamsOfKind(kKindCounterWord); })) return result;
  if (!m_device->SetUFlag(false)) return kErrorCalUsage;
  if (!m_device->SetContinuousMode(true)) return kErrorContinuousMode;
  return 0;
}

int CVexalonDoc::SetAutoBackDrive(bool on) { return m_device->SetZFlag(on) ? 0 : kErrorAutoBackDrive; }

int CVexalonDoc::ResetCounters(int which) {
  if (!m_device->SetContinuousMode(false)) return kErrorContinuousMode;
  if (which == kResetNone) return 0;
  if (const int result = Retry([this] { return ReadParamsOfSegment(3); })) return result;
  const bool lifetime = which == kResetLifetime || which == kResetBoth;
  const bool calibration = which == kResetCalibration || which == kResetBoth;
  if (lifetime) SetCounterWords(m_params, u"LIFE_CNT_LB", u"LIFE_CNT_HB", 0);
  if (calibration) SetCounterWords(m_params, u"CALIB_CNT_LB", u"CALIB_CNT_HB", 0);
  if (!m_device->EraseInfoSegment(3)) return kErrorEraseSegment;
  if (const int result = Retry([this] { return WriteParamsOfSegment(3); })) return result;
  if (const int result = Retry([this] { return VerifyParamsOfSegment(3); })) return result;
  std::vector<CString> decoded;
  FormatInfoMemory(decoded, false, &m_newLifetimeCounter, &m_newCalibrationCounter);
  if ((lifetime && m_newLifetimeCounter != 0) || (calibration && m_newCalibrationCounter != 0))
    return kErrorUnknown;
  return 0;
}

int CVexalonDoc::SetCalibrationValid(bool valid) {
  for (SParams& param : m_params) {
    if (Named(param, u"CALID_LB")) param.value = valid ? kValidLow : kErased;
    if (Named(param, u"CALID_HB")) param.value = valid ? kValidHigh : kErased;
  }
  if (const int result = Retry([this] { return WriteParamsOfKind(kKindValidityIdentifier); })) return result;
  return Retry([this] { return VerifyParamsOfKind(kKindValidityIdentifier); });
}

int CVexalonDoc::SetCalibrationDate(const CString& date) {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (m_device->WriteCalibrationDate(date)) return 0;
  }
  return kErrorCalibrationDate;
}

int CVexalonDoc::SetCalibrator(const CString& calibrator) {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (m_device->WriteCalibratorId(calibrator)) return 0;
  }
  return kErrorCalibrationDate;
}
