// The report of a calibration adjustment or verification. Lines end with CR LF; a space and a
// vertical tab separate columns and a setting's label from its value, and a failed line is
// wrapped in "<red>" and "</red>" for the readers to colour or strip.

#include "calibration/VexalonDoc.h"

namespace {

constexpr char16_t kLineEnd[] = u"\r\n";
constexpr char16_t kRedOpen[] = u"<red>";
constexpr char16_t kRedClose[] = u"</red>";
constexpr int kCyclesBeforeCalibration = 3;
constexpr int kLastCycleBeforeCalibration = kCyclesBeforeCalibration - 1;
constexpr int kMeansTable = -1;

const char16_t* OpenTag(bool failed) { return failed ? kRedOpen : u""; }
const char16_t* CloseTag(bool failed) { return failed ? kRedClose : u""; }

double DrError(const CStepMeas& step) {
  if (step.referenceForce == 0) return 100.0;
  return (step.instrumentForce - step.referenceForce) * 100.0 / step.referenceForce;
}

double FsError(const CStepMeas& step) {
  return (step.instrumentForce - step.referenceForce) * 100.0 / step.fullScale;
}

// Appends one formatted line and its line end.
template <class... A>
void AddLine(CString& text, const char16_t* format, const A&... args) {
  text.AppendFormat(format, args...);
  text += kLineEnd;
}

void AddFlagLine(CString& text, const char16_t* label, bool ok) {
  AddLine(text, u"%s%s: \v%s%s", OpenTag(!ok), label, ok ? u"OK" : u"Failed", CloseTag(!ok));
}

void AddStateLine(CString& text, const char16_t* label, EResultState state) {
  const bool failed = state == EResultState::eFailed;
  AddLine(text, u"%s%s: \v%s%s", OpenTag(failed), label, ResultStatusName(int(state)), CloseTag(failed));
}

bool AllFinishingStepsPassed(const SCalibratorInfo& info) {
  return info.calibrationValidWritten && info.calibrationCounterReset && info.calibrationDateWritten &&
         info.calibratorWritten && info.class1Requirements != EResultState::eFailed &&
         info.factoryCalibrationWrite != EResultState::eFailed &&
         info.lastUsedCalibrationWrite != EResultState::eFailed;
}

}  // namespace

bool CVexalonDoc::FormatStepTable(int cycle, CString& text) const {
  const std::vector<CStepMeas>& steps = cycle < 0 ? m_means : m_cycles[size_t(cycle)];
  text.Format(u"Steps: \v%d", int(steps.size()));
  text += kLineEnd;
  AddLine(text,
          u"Step \vTargetForce \vZD-2Force \vRefForce \v%%DR-Err \v%%FS-Err \vCurrent \vCounter \vFailed");
  bool anyFailed = false;
  for (size_t n = 0; n < steps.size(); ++n) {
    const CStepMeas& step = steps[n];
    const bool failed = !step.valid;
    anyFailed = anyFailed || failed;
    AddLine(text, u"%s%4d \v%11d \v%9d \v%9d \v%7.2lf \v%7.2lf \v%7d \v%7d \v%6d%s", OpenTag(failed),
            int(n + 1), step.targetForce, step.instrumentForce, step.referenceForce, DrError(step),
            FsError(step), step.current, step.counter, failed ? 1 : 0, CloseTag(failed));
  }
  text += kLineEnd;
  return anyFailed;
}

void CVexalonDoc::BuildReport(bool calibrationMode) {
  const SCalibratorInfo& info = m_calibratorInfo;
  CString text;
  AddLine(text, u"RefHw Serial Number: \v%s", info.referenceHardwareSerialNumber);
  AddLine(text, u"RefSensor Serial Number: \v%s", info.referenceSensorSerialNumber);
  AddLine(text, u"RefSensor Cal Date: \v%s", info.referenceSensorCalibrationDate);
  AddLine(text, u"RefSensor Zero Value: \v%d", info.referenceSensorZeroValue);
  text += kLineEnd;
  AddLine(text, u"Pause between steps (ms): \v%d", info.pauseBetweenStepsMs);
  AddLine(text, u"Ramp Speed (N/s): \v%d", info.rampSpeed);
  AddLine(text, u"Battery Voltage: \v%.3lf", info.batteryVoltage);
  AddLine(text, u"Full Scale Error Limit (%%): \v%.2lf", info.fullScaleErrorLimit);
  text += kLineEnd;

  if (calibrationMode) {
    AddLine(text, u"Calibration Results:");
    AddFlagLine(text, u"Cal Valid Write", info.calibrationValidWritten);
    AddFlagLine(text, u"Cal Counter Reset", info.calibrationCounterReset);
    AddFlagLine(text, u"Cal Date Write", info.calibrationDateWritten);
    AddFlagLine(text, u"Calibrator Write", info.calibratorWritten);
    AddStateLine(text, u"Class1 Requirements", info.class1Requirements);
    AddStateLine(text, u"Factory Cal Write", info.factoryCalibrationWrite);
    AddStateLine(text, u"Last Used Cal write", info.lastUsedCalibrationWrite);
    AddLine(text, u"New Lifetime Counter: \v%lld", static_cast<long long>(m_newLifetimeCounter));
    AddLine(text, u"New Calibration Counter: \v%lld", static_cast<long long>(m_newCalibrationCounter));
    AddLine(text, u"New Calibration Date: \v%s", m_newCalibrationDate);
    AddLine(text, u"New Calibrator: \v%s", m_newCalibrator);
    text += kLineEnd;
    AddLine(text, u"Cal Parameters:");
    AddLine(text, u"---------------");
    AddLine(text, u"Force \vSlope10k \vOffset");
    for (int k = 0; k < kSteps; ++k)
      AddLine(text, u"%5d \v%8d \v%6d", (k + 1) * m_stepForce, int(m_slopeWords[k]), int(m_offsetWords[k]));
  } else {
    AddLine(text, u"Set Runs: \v%d", info.setRuns);
    AddLine(text, u"Actual Runs: \v%d", m_actualRuns);
  }
  text += kLineEnd;

  // The last table added decides the steps' part of the verdict; no run passes it.
  bool lastTableFailed = false;
  CString table;
  for (int run = 0; run < m_actualRuns; ++run) {
    if (calibrationMode) {
      const bool before = run < kCyclesBeforeCalibration;
      AddLine(text, u"Measurement%sCalibration %d", before ? u" Before " : u" After ",
              before ? run + 1 : run - kLastCycleBeforeCalibration);
      AddLine(text, u"--------------------------------");
    } else {
      AddLine(text, u"Test Cycle %d", run + 1);
      AddLine(text, u"-------------------");
    }
    lastTableFailed = FormatStepTable(run, table);
    text += table;
    if (calibrationMode && run == kLastCycleBeforeCalibration) {
      AddLine(text, u"Measurement Before Calibration Average");
      lastTableFailed = FormatStepTable(kMeansTable, table);
      text += table;
    }
  }

  text += kLineEnd;
  AddLine(text, u"Certificate Data");
  AddLine(text, u"----------------");
  AddLine(text, u"Steps: \v%d", int(m_certificateRows.size()));

  if (!calibrationMode) {
    text += kLineEnd;
    AddLine(text, u"Error Summary");
    AddLine(text, u"-------------");
    text += u"Force";
    for (int run = 0; run < m_actualRuns; ++run) text.AppendFormat(u" \vDR-Run%d", run + 1);
    for (int run = 0; run < m_actualRuns; ++run) text.AppendFormat(u" \vFS-Run%d", run + 1);
    text += kLineEnd;
    const std::vector<CStepMeas>& first = m_cycles[0];
    for (size_t n = 0; n < first.size(); ++n) {
      text.AppendFormat(u"%d", first[n].targetForce);
      for (int run = 0; run < m_actualRuns; ++run)
        text.AppendFormat(u" \v%.2lf", DrError(m_cycles[size_t(run)][n]));
      for (int run = 0; run < m_actualRuns; ++run)
        text.AppendFormat(u" \v%.2lf", FsError(m_cycles[size_t(run)][n]));
      text += kLineEnd;
    }
  }
  text += kLineEnd;

  const bool verdict = !lastTableFailed && (!calibrationMode || AllFinishingStepsPassed(info));
  AddLine(text, u"%sFinal Result: %s%s", OpenTag(!verdict), verdict ? u"OK" : u"FAILED", CloseTag(!verdict));
  m_reportText = text;
  m_finalResult = verdict;
}
