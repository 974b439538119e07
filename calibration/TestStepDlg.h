#pragma once
// The calibration adjustment and verification dialog (dialog 526, modal). The operator
// connects a ZD-2, enters the test's details and presses Start; a run thread then takes the
// instrument through a warm-up and cycles of load steps, averaging its live load at each
// step. In CAL MODE the reference loads typed into the step grid then lead to a new
// calibration, computed and written by the process thread; in VERIFICATION MODE the
// instrument's loads are recorded per step.
//
// The dialog owns the live connection, the run and process threads, the step grids and the
// temporary log. Its handlers run on the user-interface thread; the run and process threads
// write the log, update the controls and disconnect from their own threads, and those calls
// are carried out by the window's thread.

#include <atomic>
#include <cstdio>
#include <memory>

#include "appbase/WindowPos.h"
#include "calibration/ConnVexa.h"
#include "calibration/LoadAverager.h"
#include "calibration/SerialNumberCheck.h"
#include "calibration/StepPlan.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ToolTipCtrl.h"
#include "toolkit/ColorRichEditCtrl.h"
#include "toolkit/ColorStatic.h"

class CGridDlg;
class CStepMeas;
class CVexalonDoc;

class CTestStepDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kConnectResultMessage = WM_USER + 100;
  static constexpr UINT kSampleMessage = WM_USER + 108;
  static constexpr UINT kRunFinishedMessage = WM_USER + 111;
  static constexpr UINT kFinalResultMessage = WM_USER + 112;
  static constexpr UINT kWriteReportMessage = WM_USER + 113;
  static constexpr UINT kStepResultMessage = WM_USER + 114;
  static constexpr UINT kGridResultMessage = WM_USER + 115;
  static constexpr UINT_PTR kConnectingTimer = 101;
  static constexpr UINT_PTR kProcessTimer = 102;
  static constexpr UINT_PTR kLiveLoadTimer = 104;
  static constexpr int kMaxCycles = 100;
  static constexpr int kCalModeCycles = 3;

  enum EState { eNotConnected = 0, eConnected = 1, eTypeChosen = 2, eFinished = 4 };

  CTestStepDlg(bool calMode, bool autoConnect, CVexalonDoc* doc, CWnd* mainFrame);
  ~CTestStepDlg() override;

  void OnConnect();
  void OnStart();
  void OnExit();
  void OnFacilityChange();
  void OnTypeSelect();
  void OnTimer(UINT_PTR id);

  // Enables and names the controls by the busy flags and the state; callable from any thread
  // of the dialog, a no-op while Exit is in progress.
  void UpdateControls();
  // Drives the instrument home, releases the connection and shows "Not connected". Callable
  // from the run and process threads too: the connection is then deleted on the user-interface
  // thread while the caller waits, and only one disconnect runs at a time.
  void Disconnect();
  // Checks the instrument's serial number and, when it names a model, chooses its type.
  int CheckDeviceSerial();
  // Ends a run early: the reader stopped, the instrument home, the connection gone, no
  // verdict.
  void AbortRun();

  int GetState() const { return m_state.load(); }
  bool IsCalMode() const { return m_calMode; }
  const SStepPlan& GetStepPlan() const { return m_stepPlan; }
  CConnVexa* GetConnection() const { return m_connection.get(); }
  // The step grid of the last VERIFICATION MODE run; none before.
  CGridDlg* GetResultsGrid() const { return m_resultsGrid; }
  CColorRichEditCtrl& GetLog() { return m_log; }
  const CLoadAverager& GetAverager() const { return m_averager; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  LRESULT OnConnectResult(WPARAM connected, LPARAM);
  LRESULT OnSample(WPARAM sample, LPARAM marker);
  LRESULT OnConnectionErrors(WPARAM, LPARAM);
  LRESULT OnStepResult(WPARAM cycle, LPARAM load);
  void OnToggleLogResult();
  void OnTogglePause();
  void OnLoadUnitChange();
  void OnTestSound();

  // What follows a run: the reference loads or the results file, the calibration's update,
  // the report and the verdict. The reference check, the process thread and the results file
  // come with the step grid dialog.
  LRESULT OnRunFinished(WPARAM, LPARAM);
  LRESULT OnGridResult(WPARAM calibrate, LPARAM);
  LRESULT OnFinalResult(WPARAM success, LPARAM);
  LRESULT OnWriteReport(WPARAM, LPARAM);
  bool OpenTempLog();
  // Tells the user, once, that lines of the temporary log did not reach its file.
  void ReportTempLogFailure();
  // Logs and tells the user that the verification's results file at `path` was not written.
  void ReportUnsavedResults(const CString& path);
  bool ValidateReferenceLoads();
  static DWORD ProcessThreadProc(CTestStepDlg* dialog);
  bool UpdateCalibration();
  void SaveVerificationResults();
  // The step grid of the current mode for a run of `steps` steps, made fresh and shown.
  void CreateStepGrid(int steps);
  void DeleteStepGrids();
  // The run has ended: the grids may now be closed.
  void EnableGridCancel();

  void LoadSettings();
  void SaveSettings();
  void CreateToolTips();
  void FillFields();
  void BeginConnect();
  bool StartRunThread();
  // The cycle count of the field, when it lies within 1 to kMaxCycles; else the operator is
  // told and the result is false.
  bool ReadCycles();
  bool CollectTestDetails();
  static constexpr COLORREF kNotConnectedColor = RGB(255, 0, 0);
  static constexpr COLORREF kConnectedColor = RGB(0, 0x66, 0);
  void ShowConnection(UINT textId, COLORREF color);
  void ShowConnectionText(const CString& text, COLORREF color);
  void Log(int kind, const CString& text, bool show = true);
  int ShowBox(const CString& text, UINT type);
  bool IsBusy() const;

  // The disconnect itself; Disconnect lets one caller at a time in.
  void DisconnectOnce();
  // Sends the instrument home at 450 N/s and waits for it up to the time-out that its
  // maximum load gives.
  void ReturnHome();
  // Deletes the connection on the user-interface thread, waiting there when called elsewhere.
  void ReleaseConnection();

  // The run thread (see TestStepDlgRun.cpp).
  static DWORD RunThreadProc(CTestStepDlg* dialog);
  DWORD Run();
  void PrepareTables(int cycles, int steps);
  // False when the old calibration could not be deleted or the automatic return home
  // could not be switched off.
  bool PrepareInstrument();
  // One cycle; `aborted` and `failed` tell whether the run must end.
  void RunCycle(int cycle, bool& aborted, bool& failed);
  // Drives home and waits for STOP, resets the counter and enters the debug protocol; false
  // ends the cycles without the cycle's summary.
  bool PrepareCycle(bool& failed);
  // One step up to its load and its averaged force; false leaves the cycle's step loop.
  bool RunStep(int cycle, int index, bool& aborted, bool& failed);
  // Waits for the step's STOP; false when the step ends otherwise (aborted or failed).
  bool WaitForStepStop(ULONGLONG start, bool& aborted, bool& failed);
  void AverageStepLoad(CStepMeas& step, bool& aborted, bool& failed);
  void LogCycleSummary(int cycle);
  // Home after the last cycle, bounded by the abort event and the homing time-out.
  void FinalHoming();
  // The run's end on the run thread: the handle cleared, the done event set, not busy.
  void EndRun();
  int HomingTimeoutMs() const;
  // Polls every `pollMs` until the samples since the last drive command show the drive stopped
  // (true) or the abort event is set or `timeoutMs` (0: none) has passed (false).
  bool WaitForDrive(DWORD pollMs, int timeoutMs);

  // Threads and their events.
  CThread m_runThread;
  std::atomic<bool> m_runThreadHeld{false};
  CThread m_processThread;
  std::atomic<bool> m_processThreadHeld{false};
  std::unique_ptr<CEvent> m_abortEvent;
  std::unique_ptr<CEvent> m_doneEvent;
  // Set while no disconnect runs: one at a time takes it.
  CEvent m_disconnectIdle{true, false};

  SStepPlan m_stepPlan;
  CGridDlg* m_referenceGrid = nullptr;
  CGridDlg* m_resultsGrid = nullptr;
  CWnd* m_mainFrame;
  CVexalonDoc* m_doc;
  // The program's icon, the dialog's big and small icon (shared: never destroyed).
  HICON m_hIcon;
  CLoadAverager m_averager;
  std::unique_ptr<CConnVexa> m_connection;
  int m_comPort = -1;
  int m_portSetting = 0;
  int m_skipTimeMs = 0;
  int m_waitTimeMs = 5000;
  int m_rampSpeed = 200;
  int m_cycles = 2;
  int m_stepSize = 2500;
  bool m_pauseBetweenCycles = true;
  double m_batteryVoltage = 0.0;
  // Of the latest sample that showed the drive moving; written by the dialog's thread, read by
  // the run thread.
  std::atomic<int> m_latestCurrent{0};
  std::atomic<int> m_latestCounter{0};

  CEdit m_testerEdit;
  CEdit m_facilityEdit;
  CEdit m_referenceEdit;
  CEdit m_temperatureEdit;
  CEdit m_portEdit;
  CEdit m_cyclesEdit;
  CEdit m_stepEdit;
  CEdit m_waitEdit;
  CEdit m_rampEdit;
  CButton m_connectButton;
  CButton m_startButton;
  CButton m_exitButton;
  CButton m_saveResultsCheck;
  CButton m_pauseCheck;
  CComboBox m_typeCombo;
  CComboBox m_loadUnitCombo;
  CColorStatic m_connectionStatic;
  CColorStatic m_deviceInfoStatic;
  CColorStatic m_skipTimeStatic;
  CColorStatic m_statusStatic;
  CColorRichEditCtrl m_log;
  std::unique_ptr<CToolTipCtrl> m_toolTips;

  std::atomic<bool> m_runBusy{false};
  std::atomic<bool> m_processBusy{false};
  std::atomic<bool> m_waitingForReferenceLoads{false};
  std::atomic<bool> m_returningHome{false};
  std::atomic<int> m_state{eNotConnected};
  std::atomic<bool> m_closing{false};
  CWindowPos m_windowPos;
  std::unique_ptr<CSerialNumberCheck> m_serialCheck;
  bool m_logResult = false;
  std::atomic<bool> m_userAbort{false};
  std::atomic<bool> m_connecting{false};
  const bool m_calMode;
  const bool m_autoConnect;
  int m_loadUnit = 0;
  CString m_referenceSerial;
  CString m_facility;
  CString m_tester;
  int m_temperature = 0;
  std::FILE* m_tempLog = nullptr;
  CString m_tempLogPath;
  bool m_tempLogFailureShown = false;

  int m_connectingTicks = 0;
  int m_liveTicks = 0;
};
