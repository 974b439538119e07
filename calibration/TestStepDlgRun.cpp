// The calibration run thread: a warm-up, then cycles of load steps. Each cycle drives the
// instrument home, resets its light-barrier counter and ramps it step by step; at each step's
// STOP the live load is averaged over a window and recorded in the document's cycle table.

#include <algorithm>
#include <cmath>

#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "calibration/Beep.h"
#include "calibration/CalibrationErrorLog.h"
#include "calibration/StepTolerance.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "calibration/WarmUp.h"
#include "device/Stopwatch.h"
#include "platform/base/Clock.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

constexpr DWORD kAfterBackMs = 2000;
constexpr DWORD kHomingPollMs = 500;
constexpr DWORD kAfterStartMs = 1500;
// The step's poll may run without pause; this one leaves the processor to the reader.
constexpr DWORD kStepPollMs = 20;
constexpr DWORD kAveragingPollMs = 20;

}  // namespace

DWORD CTestStepDlg::RunThreadProc(CTestStepDlg* dialog) { return dialog->Run(); }

DWORD CTestStepDlg::Run() {
  m_stepPlan.rampSpeed = m_rampSpeed;
  if (m_calMode)
    OnTypeSelect();
  else
    m_stepPlan.SetStep(m_stepSize);
  m_runBusy = true;
  UpdateControls();

  const int maxLoad = m_stepPlan.maxLoad;
  const int steps = maxLoad / m_stepPlan.step;
  PrepareTables(m_cycles, steps);
  Log(kStatusLine, m_calMode ? u"Running in CAL MODE" : u"Running in VERIFICATION MODE", false);
  if (!PrepareInstrument()) {
    AbortRun();
    return DWORD(-1);
  }
  m_doc->m_logFile.Close();

  bool aborted = false;
  bool failed = false;
  if (m_abortEvent->IsSet()) {
    aborted = true;
  } else if (!RunWarmUp(*m_doc, *m_connection, m_log, *m_abortEvent, maxLoad)) {
    AbortRun();
    return DWORD(-1);
  }
  for (int cycle = 0; cycle < m_cycles && !aborted && !failed; ++cycle) RunCycle(cycle, aborted, failed);

  FinalHoming();
  m_connection->StopReadThread();
  m_doc->m_device->SetContinuousMode(false);
  EnableGridCancel();
  EndRun();
  if (!failed && !aborted) {
    PostMessage(kRunFinishedMessage, 0, 0);
  } else {
    Disconnect();
    UpdateControls();
  }
  return 0;
}

void CTestStepDlg::PrepareTables(int cycles, int steps) {
  for (auto& table : m_doc->m_cycles) table.clear();
  m_doc->m_means.clear();
  for (int cycle = 0; cycle < cycles; ++cycle) {
    for (int index = 0; index < steps; ++index) {
      CStepMeas step;
      step.fullScale = m_stepPlan.maxLoad;
      step.targetForce = std::min(m_stepPlan.maxLoad, (index + 1) * m_stepPlan.step);
      m_doc->m_cycles[size_t(cycle)].push_back(step);
      if (m_calMode && cycle == 0) m_doc->m_means.push_back(step);
    }
  }
}

bool CTestStepDlg::PrepareInstrument() {
  if (m_calMode) {
    m_connection->PauseReading();
    Log(kStatusLine, u"Deleting old calibration ...");
    const int errors = m_doc->DeleteCalibration(false);
    if (errors != 0) {
      LogCalibrationErrors(*m_doc, m_log, errors);
      return false;
    }
    m_connection->ResumeReading();
  }
  const int errors = m_doc->SetAutoBackDrive(false);
  if (errors != 0) {
    LogCalibrationErrors(*m_doc, m_log, errors);
    return false;
  }
  return true;
}

void CTestStepDlg::RunCycle(int cycle, bool& aborted, bool& failed) {
  if (m_pauseBetweenCycles &&
      MessageBox(this, LoadStringOrPlaceholder(IDS_TESTSTEP_PAUSING), kBoxCaption, MB_YESNO | MB_ICONQUESTION) !=
          IDYES) {
    aborted = true;
    return;
  }
  const int number = cycle + 1;
  m_doc->m_actualRuns = number;
  CString text;
  text.Format(m_calMode ? u"----- RUNNING CALIBRATION CYCLE #%d ----- " : u"----- RUNNING VERIFICATION CYCLE #%d ----- ",
              number);
  Log(kStatusLine, text);
  if (!PrepareCycle(failed)) return;

  const auto& table = m_doc->m_cycles[size_t(cycle)];
  for (int index = 0; index < int(table.size()) && !failed; ++index) {
    if (!RunStep(cycle, index, aborted, failed)) break;
  }
  // Home and the summary, whether the steps all ran or not.
  m_doc->m_device->SetDriveState(Device::CVexalonDevice::kDriveBack);
  Log(kStatusLine, u"Moving ZD-2 back to the home position", false);
  LogCycleSummary(cycle);
}

bool CTestStepDlg::PrepareCycle(bool& failed) {
  Device::CVexalonDevice& device = *m_doc->m_device;
  CString text;
  if (!device.SetRampSpeed(m_stepPlan.rampSpeed)) {
    Log(kStatusLine, u"Failed to set ramp speed.");
    failed = true;
    return false;
  }
  text.Format(u"Set ramp speed to %d N/s", m_stepPlan.rampSpeed);
  Log(kStatusLine, text, false);
  m_connection->MarkHoming(kAfterBackMs);
  if (!device.SetDriveState(Device::CVexalonDevice::kDriveBack)) {
    Log(kStatusLine, u"Failed to send command to move ZD-2 back to the home position.");
    failed = true;
    return false;
  }
  Sleep(kAfterBackMs);
  Log(kStatusLine, u"Moving ZD-2 back to the home position", false);
  if (!WaitForDrive(kHomingPollMs, 0)) {
    failed = true;
    return false;
  }
  m_connection->PauseReading();
  if (device.EnterMode6())
    Log(kStatusLine, u"Reset light barrier counter.", false);
  else
    Log(kStatusLine, u"Failed to reset light barrier counter.");
  if (!device.EnterDebugProtocol()) {
    Log(kStatusLine, u"Failed to switch to debug protocol.");
    failed = true;
    return false;
  }
  m_connection->ResumeReading();
  return true;
}

bool CTestStepDlg::RunStep(int cycle, int index, bool& aborted, bool& failed) {
  Device::CVexalonDevice& device = *m_doc->m_device;
  CStepMeas& step = m_doc->m_cycles[size_t(cycle)][size_t(index)];
  const int steps = int(m_doc->m_cycles[size_t(cycle)].size());
  const int stepPercent = int(std::lround(m_stepPlan.step * 100.0 / m_stepPlan.maxLoad));
  CString text;
  if (index == steps - 1 && step.targetForce != m_stepPlan.maxLoad) {
    text.Format(u"WARNING: Max load of %.3lf kN is not set.", m_stepPlan.maxLoad * 0.001);
    Log(kStatusLine, text);
  }
  const int percent = (index + 1) * stepPercent;
  // A step that cannot be commanded leaves a load of 0 behind; the run fails, but the cycle
  // still goes home and writes its summary.
  if (!device.SetNominalLoad(step.targetForce)) {
    text.Format(u"Failed to set the next step to %d%%", percent);
    Log(kStatusLine, text);
    failed = true;
    return false;
  }
  text.Format(u"Next step: %d%%", percent);
  Log(kStatusLine, text);
  m_connection->MarkRampStart();
  if (!device.SetDriveState(Device::CVexalonDevice::kDriveStart)) {
    Log(kStatusLine, u"Failed to send START command");
    failed = true;
    return false;
  }
  Log(kStatusLine, u"Sent START command", false);
  ULONGLONG start = 0;
  QueryTimestamp(start);
  Sleep(kAfterStartMs);
  if (!WaitForStepStop(start, aborted, failed)) return false;

  Log(kStatusLine, u"Reached STOP state", false);
  step.current = m_latestCurrent;
  step.counter = m_latestCounter;
  Sleep(DWORD(std::max(0, std::min(m_skipTimeMs, m_waitTimeMs))));
  SLiveSample latest;
  if (m_connection->GetLatestSample(latest)) step.instrumentForce = latest.force;
  if (m_waitTimeMs > m_skipTimeMs) {
    AverageStepLoad(step, aborted, failed);
    if (failed) return false;
  }

  text.Format(u"Step %d%% Load (N): Nominal: %d  ZD: %d", percent, step.targetForce, step.instrumentForce);
  Log(kStatusLine, text, false);
  if (!m_calMode && m_resultsGrid)
    PostMessage(kStepResultMessage, WPARAM(cycle), LPARAM(step.instrumentForce));
  if (!CheckStepTolerance(step, percent, true)) {
    Log(kStatusLine, u"Error: ZD load is outside tolerance.");
    failed = true;
  }
  return !aborted;
}

bool CTestStepDlg::WaitForStepStop(ULONGLONG start, bool& aborted, bool& failed) {
  for (;;) {
    if (m_abortEvent->IsSet()) {
      aborted = true;
      return false;
    }
    if (m_connection && !m_connection->IsReadThreadRunning()) {
      Log(kStatusLine, u"Error: ZD-2 has been disconnected");
      failed = true;
      return false;
    }
    if (m_connection->HasDriveStopped()) return true;
    ULONGLONG now = 0;
    QueryTimestamp(now);
    if (GetElapsedMs(start, now) > TimeoutSpan(ULONGLONG(m_stepPlan.stepTimeoutMs))) {
      CString text;
      text.Format(u"ERROR: Exceeded step timeout of %d milliseconds.", m_stepPlan.stepTimeoutMs);
      Log(kStatusLine, text);
      failed = true;
      return false;
    }
    Sleep(kStepPollMs);
  }
}

void CTestStepDlg::AverageStepLoad(CStepMeas& step, bool& aborted, bool& failed) {
  const int windowMs = m_waitTimeMs - m_skipTimeMs;
  m_averager.Start(windowMs);
  bool beeped = false;
  while (m_averager.IsCollecting()) {
    Sleep(kAveragingPollMs);
    if (m_abortEvent->IsSet()) {
      aborted = true;
      break;
    }
    // Only samples close the window: without a reader it would stay open for ever.
    if (!m_connection->IsReadThreadRunning()) {
      Log(kStatusLine, u"Error: ZD-2 has been disconnected");
      failed = true;
      return;
    }
    if (!beeped && m_averager.IsBeepDue()) {
      PlayBeep();
      beeped = true;
    }
  }
  if (aborted) return;
  step.instrumentForce = CLoadAverager::Average(m_averager.GetLoads());
  step.referenceForce = CLoadAverager::Average(m_averager.GetSecondValues());
  CString text;
  text.Format(u"Average load of last %d ms  ZDCnt: %d", windowMs, int(m_averager.GetLoads().size()));
  Log(kStatusLine, text, false);
}

void CTestStepDlg::LogCycleSummary(int cycle) {
  Log(kStatusLine, u"Measurement Summary", false);
  const auto& table = m_doc->m_cycles[size_t(cycle)];
  for (size_t index = 0; index < table.size(); ++index) {
    const CStepMeas& step = table[index];
    CString text;
    text.Format(u"%s(%d) TgtLoad: %d ZDLoad: %d Current: %d Counter: %d", index < 9 ? u" " : u"",
                int(index + 1), step.targetForce, step.instrumentForce, step.current, step.counter);
    Log(kStatusLine, text, false);
  }
}

void CTestStepDlg::FinalHoming() {
  m_connection->MarkHoming(kAfterBackMs);
  m_doc->m_device->SetDriveState(Device::CVexalonDevice::kDriveBack);
  Log(kStatusLine, u"Moving ZD-2 back to the home position", false);
  // Bounded like the disconnect's homing, and by Stop: an instrument lost during a step would
  // otherwise keep the run waiting for ever.
  if (WaitForDrive(kHomingPollMs, HomingTimeoutMs())) Log(kStatusLine, u"Reached STOP state", false);
}

bool CTestStepDlg::WaitForDrive(DWORD pollMs, int timeoutMs) {
  int waitedMs = 0;
  while (!m_connection->HasDriveStopped()) {
    Sleep(pollMs);
    waitedMs += int(pollMs);
    if (m_abortEvent->IsSet() || (timeoutMs > 0 && ULONGLONG(waitedMs) > TimeoutSpan(ULONGLONG(timeoutMs))))
      return false;
  }
  return true;
}

void CTestStepDlg::EndRun() {
  m_runThreadHeld = false;
  m_doneEvent->SetEvent();
  m_runBusy = false;
  UpdateControls();
}

void CTestStepDlg::AbortRun() {
  m_connection->StopReadThread();
  Disconnect();
  UpdateControls();
  m_runThreadHeld = false;
  m_runBusy = false;
  UpdateControls();
  Log(kStatusLine, u"Process terminated.");
  m_doneEvent->SetEvent();
}
