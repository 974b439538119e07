// What the calibration dialog does after a run: the step grids, the temporary log, the
// reference loads, the process thread that updates the calibration, the report, the verdict
// and the verification's results file.

#include <cmath>
#include <cstdio>
#include <string>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/ProgramFolder.h"
#include "calibration/CalibrationErrorLog.h"
#include "calibration/GridDlg.h"
#include "calibration/StepTolerance.h"
#include "calibration/TempLogHeader.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VerificationResults.h"
#include "calibration/VexalonDoc.h"
#include "platform/base/LocalTime.h"
#include "platform/base/TextModeFile.h"
#include "platform/ui/UiApplication.h"
#include "resources/ResourceIds.h"
#include "update/AppHelper.h"

namespace {

constexpr int kTempLogRuleLength = 55;
constexpr UINT_PTR kProcessTimerMs = 500;
// The main frame's message that appends the report to the external-calibration file.
constexpr UINT kExternCalReportMessage = WM_USER + 201;
constexpr char16_t kLastUsedWarning[] =
    u"Warning: Although the device has been successfully calibrated, the 'Last Used' calibration could not "
    u"be "
    u"updated with the new calibration factors. As a result you will not be able to restore them.";

void DeleteGrid(CGridDlg*& grid) {
  if (!grid) return;
  if (grid->GetSafeHwnd()) grid->DestroyWindow();
  delete grid;
  grid = nullptr;
}

}  // namespace

void CTestStepDlg::CreateStepGrid(int steps) {
  CGridDlg*& grid = m_calMode ? m_referenceGrid : m_resultsGrid;
  DeleteGrid(grid);
  grid = new CGridDlg(this);
  grid->Init(true, m_calMode, m_loadUnit, m_cycles, steps, m_stepSize);
  // The reference loads are typed once the run has ended; the copy may be taken at any time.
  grid->EnableButton(!m_calMode);
  grid->EnableCancel(false);
  grid->ShowGrid();
}

void CTestStepDlg::DeleteStepGrids() {
  DeleteGrid(m_referenceGrid);
  DeleteGrid(m_resultsGrid);
}

void CTestStepDlg::EnableGridCancel() {
  if (m_referenceGrid) m_referenceGrid->EnableCancel(true);
  if (m_resultsGrid) m_resultsGrid->EnableCancel(true);
}

LRESULT CTestStepDlg::OnStepResult(WPARAM cycle, LPARAM load) {
  if (m_resultsGrid) m_resultsGrid->AddRunValue(int(cycle), int(load), true);
  return 0;
}

bool CTestStepDlg::OpenTempLog() {
  if (!m_tempLog) {
    m_tempLogPath = GetTempLogFolder() + (m_calMode ? u"TempLogCalibration.txt" : u"TempLogVerification.txt");
    m_tempLog = OpenSharedTextModeFile(m_tempLogPath.ToUtf8().c_str(), "w", SH_DENYWR);
    if (!m_tempLog) return false;
  }
  m_log.m_pMirrorFile = m_tempLog;
  const std::string header = BuildTempLogHeader(*m_doc, m_calMode).ToUtf8();
  std::fputs(std::string(kTempLogRuleLength, '#').c_str(), m_tempLog);
  std::fputs(header.c_str(), m_tempLog);
  std::fputs("\n", m_tempLog);
  std::fflush(m_tempLog);
  return true;
}

LRESULT CTestStepDlg::OnRunFinished(WPARAM, LPARAM) {
  if (m_calMode) {
    m_waitingForReferenceLoads = true;
    UpdateControls();
    if (!m_referenceGrid) return 0;
    m_referenceGrid->EnableButton(true);
    m_referenceGrid->EnableCancel(true);
    // The operator now types the reference loads and presses the action button or Cancel.
    m_referenceGrid->AwaitUser();
    return 0;
  }
  if (m_resultsGrid) {
    m_resultsGrid->EnableCancel(true);
    m_resultsGrid->ShowGrid();
  }
  if (m_logResult && m_doc->m_actualRuns >= 1) SaveVerificationResults();
  PostMessage(kFinalResultMessage, 1, 0);
  return 0;
}

LRESULT CTestStepDlg::OnGridResult(WPARAM calibrate, LPARAM) {
  m_waitingForReferenceLoads = false;
  if (!calibrate) {
    if (!m_userAbort) PostMessage(kFinalResultMessage, 0, 0);
    UpdateControls();
    return 0;
  }
  if (!ValidateReferenceLoads()) {
    Log(kStatusLine, u"ERROR: Not all measurements were valid for calibration. Please retry.");
    Disconnect();
    m_state = eFinished;
    UpdateControls();
    return 0;
  }
  m_processThreadHeld = true;
  if (!m_processThread.Start([this] { return ProcessThreadProc(this); })) {
    m_processThreadHeld = false;
    Log(kStatusLine, u"Failed to create process thread.");
    UpdateControls();
  }
  return 0;
}

bool CTestStepDlg::ValidateReferenceLoads() {
  bool result = true;
  const int runs = std::min(m_doc->m_actualRuns, kMaxCycles);
  for (int run = 1; run <= runs; ++run) {
    CString text;
    text.Format(u"Measurement Summary Run #%d", run);
    Log(kStatusLine, text, false);
    std::vector<CStepMeas>& table = m_doc->m_cycles[std::size_t(run - 1)];
    const int steps = int(table.size());
    static const std::vector<int> kNoLoads;
    const std::vector<int>& loads = m_referenceGrid ? m_referenceGrid->GetRunValues(run - 1) : kNoLoads;
    int validSteps = 0;
    for (int i = 0; i < steps; ++i) {
      CStepMeas& step = table[std::size_t(i)];
      step.referenceForce = i < int(loads.size()) ? loads[std::size_t(i)] : 0;
      // std::round rounds halves away from zero.
      const int percent = int(std::round((i + 1) * 100.0 / steps));
      if (CheckStepTolerance(step, percent, false)) {
        ++validSteps;
        continue;
      }
      const double difference =
          step.referenceForce != 0
              ? (step.instrumentForce - step.referenceForce) * 100.0 / step.referenceForce
              : 100.0;
      text.Format(u"%s Run #%d %s(%d) Nominal: %d N  ZD: %d N  Reference: %d  Difference: %.2lf%%  Valid:%d",
                  u"ERROR:", run, i < 9 ? u" " : u"", i + 1, step.targetForce, step.instrumentForce,
                  step.referenceForce, difference, 0);
      Log(kStatusLine, text);
    }
    if (validSteps != steps) {
      text.Format(u"ERROR: Run #%d: Found valid data only %d out of %d steps.", run, validSteps, steps);
      Log(kStatusLine, text);
      result = false;
    }
  }
  return result;
}

DWORD CTestStepDlg::ProcessThreadProc(CTestStepDlg* dialog) {
  dialog->SetTimer(kProcessTimer, kProcessTimerMs, nullptr);
  dialog->m_processBusy = true;
  dialog->UpdateControls();
  dialog->UpdateCalibration();
  dialog->m_processThreadHeld = false;
  dialog->m_processBusy = false;
  dialog->UpdateControls();
  dialog->Disconnect();
  return 0;
}

bool CTestStepDlg::UpdateCalibration() {
  Log(kStatusLine, u"Updating calibration. Please wait up to one minute ...");
  m_log.UpdateWindow();
  const int errors = m_doc->WriteCalibration(m_stepSize, false);
  for (int step = 0; step < CVexalonDoc::kSteps; ++step) {
    CString text;
    text.Format(u"Computed Cal Step%d:  Slope: %.5lf  Offset: %.1lf", step + 1,
                m_doc->m_slopes[std::size_t(step)], m_doc->m_offsets[std::size_t(step)]);
    Log(kStatusLine, text, false);
  }
  if (errors != 0) {
    // No verdict: the procedure stops here and the thread's disconnect follows.
    LogCalibrationErrors(*m_doc, m_log, errors);
    return false;
  }
  // The facility typed in the dialog becomes the instrument's calibrator identifier.
  const bool ok = m_doc->FinishCalibration(m_log, m_facility);
  if (m_logResult) {
    CString temperature;
    temperature.Format(u"%d", m_temperature);
    CAppHelper::SetTesterAndTemperature(m_tester, temperature);
    CString text;
    text.Format(u"Saving a log file to %s", GetTempLogFolder());
    Log(kStatusLine, text, false);
    PostMessage(kWriteReportMessage, 0, 0);
  }
  if (m_doc->m_device) m_doc->m_device->LeaveDebugProtocol(true, true);
  Log(kStatusLine, u"Restarted ZD-2");
  PostMessage(kFinalResultMessage, ok ? 1 : 0, 0);
  return ok;
}

LRESULT CTestStepDlg::OnWriteReport(WPARAM, LPARAM) {
  SCalibratorInfo& info = m_doc->m_calibratorInfo;
  info.referenceSensorSerialNumber = m_referenceSerial;
  info.referenceHardwareSerialNumber = m_referenceSerial;
  info.referenceSensorZeroValue = 0;
  info.setRuns = m_cycles;
  info.pauseBetweenStepsMs = m_waitTimeMs;
  info.rampSpeed = m_rampSpeed;
  info.batteryVoltage = m_batteryVoltage;
  m_doc->BuildReport(m_calMode);
  // Sent, not posted: the report is written before the verdict that follows.
  if (CWnd* mainWindow = AfxGetMainWnd()) mainWindow->SendMessage(kExternCalReportMessage, 1, 1);
  return 0;
}

LRESULT CTestStepDlg::OnFinalResult(WPARAM success, LPARAM) {
  // The process thread posts the verdict and then releases the instrument itself; it must have
  // ended before the dialog may end. The wait keeps messages flowing for its hand-overs.
  m_processThread.StopWithGrace(INFINITE, 0);
  Disconnect();
  m_state = eFinished;
  UpdateControls();
  if (m_calMode && success) {
    Log(kResultLine, u"Device has been successfully calibrated.");
    if (m_doc->m_calibratorInfo.lastUsedCalibrationWrite == EResultState::eFailed)
      ShowBox(kLastUsedWarning, MB_OK | MB_ICONWARNING);
  } else if (m_calMode) {
    Log(kResultLine, u"ERROR: Device has NOT been successfully calibrated.");
  }
  Log(kStatusLine, u"-----------------------------------------");
  m_log.UpdateWindow();
  ReportTempLogFailure();
  if (m_calMode && success &&
      ShowBox(LoadStringOrPlaceholder(IDS_TESTSTEP_CONTINUE_VERIFICATION), MB_YESNO | MB_ICONQUESTION) == IDYES)
    EndDialog(IDOK);
  UpdateControls();
  return 0;
}

void CTestStepDlg::SaveVerificationResults() {
  if (m_doc->m_actualRuns < 1) return;
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  const CString path = GetTempLogFolder() + VerificationResultsFileName(m_doc->m_serialNumber, now);
  CString text;
  std::FILE* file = OpenSharedTextModeFile(path.ToUtf8().c_str(), "w+,ccs=UTF-8", SH_DENYNO);
  if (!file) {
    text.Format(u"Failed to open file %s to save results.", path);
    Log(kStatusLine, text, false);
    ReportUnsavedResults(path);
    return;
  }
  bool written =
      std::fputs(BuildVerificationResults(*m_doc, m_loadUnit, m_stepSize).ToUtf8().c_str(), file) >= 0;
  if (std::fclose(file) != 0) written = false;
  if (!written) {
    // A results file that misses rows must not pass for the verification's results.
    std::remove(path.ToUtf8().c_str());
    ReportUnsavedResults(path);
    return;
  }
  text.Format(u"Saved results to %s.", path);
  Log(kStatusLine, text, false);
}

void CTestStepDlg::ReportUnsavedResults(const CString& path) {
  CString text;
  text.Format(u"Failed to save results to %s.", path.GetString());
  Log(kStatusLine, text, false);
  ShowBox(text, MB_OK | MB_ICONERROR);
}

void CTestStepDlg::ReportTempLogFailure() {
  if (!m_tempLog || m_tempLogFailureShown) return;
  // The log window writes its lines into the file without looking at the result; the file's
  // error flag keeps any write that failed.
  if (std::fflush(m_tempLog) == 0 && !std::ferror(m_tempLog)) return;
  m_tempLogFailureShown = true;
  CString text;
  text.Format(u"Failed to write the file %s.", m_tempLogPath.GetString());
  ShowBox(text, MB_OK | MB_ICONERROR);
}
