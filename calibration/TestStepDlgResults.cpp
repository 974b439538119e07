// What the calibration dialog does after a run: the step grids, the temporary log, the
// reference loads, the calibration's update, the report and the verdict.
//
// These are the first, plain forms of the handlers: the step grids, the temporary log, the
// reference check, the process thread and the results file follow with the step grid dialog.
// Until then a finished verification is a success, a finished adjustment waits for reference
// loads that no grid asks for, and a verdict disconnects and ends the procedure.

#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"

namespace {

constexpr int kResultLine = 3;
constexpr int kLine = 1;

}  // namespace

void CTestStepDlg::CreateStepGrid(int) {}

void CTestStepDlg::DeleteStepGrids() {}

void CTestStepDlg::EnableGridCancel() {}

LRESULT CTestStepDlg::OnStepResult(WPARAM, LPARAM) { return 0; }

bool CTestStepDlg::OpenTempLog() { return false; }

LRESULT CTestStepDlg::OnRunFinished(WPARAM, LPARAM) {
  if (m_calMode) {
    m_waitingForReferenceLoads = true;
    UpdateControls();
    return 0;
  }
  PostMessage(kFinalResultMessage, 1, 0);
  return 0;
}

LRESULT CTestStepDlg::OnGridResult(WPARAM, LPARAM) {
  m_waitingForReferenceLoads = false;
  if (!m_userAbort) PostMessage(kFinalResultMessage, 0, 0);
  return 0;
}

LRESULT CTestStepDlg::OnFinalResult(WPARAM success, LPARAM) {
  Disconnect();
  m_state = eFinished;
  UpdateControls();
  if (m_calMode)
    Log(kResultLine, success ? u"Device has been successfully calibrated."
                             : u"ERROR: Device has NOT been successfully calibrated.");
  Log(kLine, u"-----------------------------------------");
  UpdateControls();
  return 0;
}

LRESULT CTestStepDlg::OnWriteReport(WPARAM, LPARAM) { return 0; }
