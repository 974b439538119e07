// The calibration dialog's Start (and Stop) and Exit.

#include "appbase/LoadStringOrPlaceholder.h"
#include "calibration/StepTimes.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char16_t kComplaintSeparator[] = u"\n\n";

}  // namespace

void CTestStepDlg::OnStart() {
  if (m_runThreadHeld) {
    m_userAbort = true;
    if (m_abortEvent) m_abortEvent->SetEvent();
    Log(kUserLine, u"Process has been terminated by the user.");
    m_startButton.EnableWindow(FALSE);
    return;
  }
  if (m_comPort < 1) return;
  if (m_calMode && !CollectTestDetails()) return;
  GetStepTimes(m_doc->m_hardwareRevision, m_waitTimeMs, m_skipTimeMs);
  CheckDeviceSerial();
  // Without a type the plan has no maximum load and the run no steps.
  if (m_state < eTypeChosen || m_stepPlan.maxLoad <= 0 || m_stepPlan.step <= 0) {
    Log(kHeadingLine, u"Press select the device type.");
    return;
  }
  // An adjustment always takes three cycles, which its computation needs. A verification takes
  // the operator's count, read before the field shows the values the run will use.
  if (m_calMode)
    m_cycles = kCalModeCycles;
  else if (!ReadCycles())
    return;
  m_rampSpeed = m_stepPlan.rampSpeed;
  m_stepSize = m_calMode ? m_stepPlan.step : 2 * m_stepPlan.step;

  CString text;
  text.Format(u"%d", m_cycles);
  m_cyclesEdit.SetWindowText(text);
  text.Format(u" Skip time  %d ms", m_skipTimeMs);
  m_skipTimeStatic.SetWindowText(text);
  text.Format(u"%d", m_waitTimeMs);
  m_waitEdit.SetWindowText(text);
  text.Format(u"%d", m_stepSize);
  m_stepEdit.SetWindowText(text);
  text.Format(u"%d", m_rampSpeed);
  m_rampEdit.SetWindowText(text);
  m_loadUnit = m_loadUnitCombo.GetCurSel();
  m_userAbort = false;

  OpenTempLog();
  Log(kStatusLine, m_calMode ? u"Calibration process has started ..." : u"Verification process has started ...");
  StartRunThread();
  UpdateControls();
}

bool CTestStepDlg::ReadCycles() {
  const CString field = m_cyclesEdit.GetWindowTextString();
  const int cycles = int(GetDlgItemInt(IDC_TESTSTEP_CYCLES));
  if (field.IsEmpty() || cycles < 1 || cycles > kMaxCycles) {
    CString text;
    text.Format(u"The number of cycles must lie between 1 and %d.", kMaxCycles);
    ShowBox(text, MB_OK | MB_ICONERROR);
    return false;
  }
  m_cycles = cycles;
  return true;
}

bool CTestStepDlg::CollectTestDetails() {
  m_tester = m_testerEdit.GetWindowTextString();
  m_facility = m_facilityEdit.GetWindowTextString();
  const CString temperature = m_temperatureEdit.GetWindowTextString();
  m_temperature = temperature.IsEmpty() ? 0 : int(GetDlgItemInt(IDC_TESTSTEP_TEMPERATURE));
  m_referenceSerial = m_referenceEdit.GetWindowTextString();
  CString complaints;
  const struct {
    bool missing;
    UINT text;
  } checks[] = {{m_tester.IsEmpty(), IDS_TESTSTEP_NO_TESTER},
                {m_facility.IsEmpty(), IDS_TESTSTEP_NO_FACILITY},
                {m_referenceSerial.IsEmpty(), IDS_TESTSTEP_NO_REFERENCE_SN}};
  for (const auto& check : checks) {
    if (check.missing) complaints += LoadStringOrPlaceholder(check.text) + kComplaintSeparator;
  }
  if (complaints.IsEmpty()) return true;
  ShowBox(complaints, MB_OK | MB_ICONERROR);
  return false;
}

bool CTestStepDlg::StartRunThread() {
  if (!m_connection) return false;
  // Reset here rather than on the new thread, so that a Stop pressed at once is not lost.
  m_abortEvent->ResetEvent();
  m_doneEvent->ResetEvent();
  // Busy from now on, so that Start turns into Stop at once.
  m_runThreadHeld = true;
  m_runBusy = true;
  if (!m_runThread.Start([this] { return RunThreadProc(this); })) {
    m_runThreadHeld = false;
    m_runBusy = false;
    Log(kStatusLine, u"Failed to create run thread.");
    return true;
  }
  SetThreadPriority(m_runThread, THREAD_PRIORITY_NORMAL);
  CreateStepGrid(m_stepPlan.maxLoad / m_stepSize);
  return true;
}

void CTestStepDlg::OnCancel() { OnExit(); }

void CTestStepDlg::OnExit() {
  if (m_state == eConnected || m_state == eTypeChosen) {
    if (ShowBox(LoadStringOrPlaceholder(IDS_TESTSTEP_CONFIRM_ABORT), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  m_closing = true;
  if (m_abortEvent && m_runThreadHeld) {
    m_abortEvent->SetEvent();
    // The run thread still talks to the instrument through the connection that goes below;
    // the wait keeps messages flowing, so its log lines and hand-overs get through.
    WaitForSingleObject(*m_doneEvent, INFINITE);
  }
  Disconnect();
  // After its done event the run thread may still disconnect; that has ended above, and the
  // thread ends right after.
  m_runThread.StopWithGrace(INFINITE, 0);
  ReportTempLogFailure();
  SaveSettings();
  m_toolTips.reset();
  EndDialog(IDCANCEL);
}
