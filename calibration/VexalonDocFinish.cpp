// Finishing a written calibration: counters, comparison, date, calibrator, validity and the
// instrument's stored copies.

#include <ctime>

#include "calibration/CalibrationErrorLog.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr int kOverwriteAttempts = 10;
constexpr int kResetCalibrationCounter = 1;

CString Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return CString::FromUtf8(text);
}

}  // namespace

bool CVexalonDoc::OverwriteStoredCalibrations(CColorRichEditCtrl& log) {
  CWaitCursorScope wait;
  bool ok = true;
  if (m_calibratorInfo.factoryCalibrationWrite != EResultState::eNotRequired) {
    const bool done = m_device->OverwriteFactoryCalibration(kOverwriteAttempts);
    log.AddLine(kStatusLine,
                done ? u"Successfully overwrote the factory calibration"
                     : u"Failed to overwrite the factory calibration.",
                true);
    m_calibratorInfo.factoryCalibrationWrite = done ? EResultState::eOk : EResultState::eFailed;
    ok = ok && done;
  }
  if (m_calibratorInfo.lastUsedCalibrationWrite != EResultState::eNotRequired) {
    const bool done = m_device->OverwriteLastUsedCalibration(kOverwriteAttempts);
    log.AddLine(kStatusLine,
                done ? u"Successfully overwrote the last used calibration"
                     : u"Failed to overwrite the last used calibration.",
                true);
    m_calibratorInfo.lastUsedCalibrationWrite = done ? EResultState::eOk : EResultState::eFailed;
    ok = ok && done;
  }
  return ok;
}

bool CVexalonDoc::FinishCalibration(CColorRichEditCtrl& log, const CString& calibrator) {
  CWaitCursorScope wait;
  bool error = false;
  const CString today = Today();

  log.AddLine(kStatusLine, u"Resetting calibration cycle counter ...", false);
  const int reset = ResetCounters(kResetCalibrationCounter);
  if (reset != 0) {
    LogCalibrationErrors(*this, log, reset);
    error = true;
  } else {
    m_calibratorInfo.calibrationCounterReset = true;
  }

  log.AddLine(kStatusLine, u"Comparing cal parameters in device ...", false);
  bool same = true;
  int slope = 0;
  int offset = 0;
  for (const auto& param : m_params) {
    if (param.name.CompareNoCase(u"CAL_SLOPE") == 0 && slope < kSteps)
      same = same && param.value == m_slopeWords[slope++];
    if (param.name.CompareNoCase(u"CAL_OFFSET") == 0 && offset < kSteps)
      same = same && param.value == WORD(m_offsetWords[offset++]);
    if (param.name.CompareNoCase(u"CAL_STEP_FORCE") == 0) same = same && param.value == WORD(m_stepForce);
  }
  if (error || !same) {
    log.AddLine(kStatusLine, u"Error: Computed calibration factors do not match those written to device",
                true);
    return false;
  }
  if (m_newLifetimeCounter != m_lifetimeCounter) {
    CString text;
    text.Format(u"Error: Life time counter has changed from %d to %d.", int(m_lifetimeCounter),
                int(m_newLifetimeCounter));
    log.AddLine(kStatusLine, text, true);
    return false;
  }

  log.AddLine(kStatusLine, u"Setting calibration date ...", false);
  if (const int result = SetCalibrationDate(today)) {
    LogCalibrationErrors(*this, log, result);
    error = true;
  } else {
    m_calibratorInfo.calibrationDateWritten = true;
    m_newCalibrationDate = today;
  }

  log.AddLine(kStatusLine, u"Setting calibrator ...", false);
  if (const int result = SetCalibrator(calibrator)) {
    LogCalibrationErrors(*this, log, result);
    error = true;
  } else {
    m_calibratorInfo.calibratorWritten = true;
    m_newCalibrator = calibrator;
    if (!error) {
      log.AddLine(kStatusLine, u"Setting calibration valid ID ...", false);
      if (const int valid = SetCalibrationValid(true)) {
        LogCalibrationErrors(*this, log, valid);
        error = true;
      } else {
        m_calibratorInfo.calibrationValidWritten = true;
      }
    }
  }

  const bool ok = OverwriteStoredCalibrations(log);
  return !error && ok;
}
