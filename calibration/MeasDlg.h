#pragma once
// The Live View dialog (dialog 509, modal): shows the connected ZD-2's identity and test
// settings, starts and stops the Live View reader and, for each test the reader reports, opens
// or reuses a plot window and runs a sampling timer that once per period writes a row of the
// CSV log and adds a point to the plot.
//
// The sampling timer ticks on the timer-queue thread. Ending a test deletes the timer with a
// completion wait before the log is closed, so that a tick and the closing never overlap; a
// tick only reads the reader's statistics, writes the log and hands the plot its point, and
// never waits for the user-interface thread.

#include <memory>
#include <vector>

#include "appbase/WindowPos.h"
#include "calibration/LiveLog.h"
#include "calibration/SamplingTicker.h"
#include "calibration/TestSettings.h"
#include "platform/kernel/TimerQueue.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "toolkit/ColorStatic.h"

class CMeasPlotDlg;
namespace Device {
class CVexalonDevice;
}  // namespace Device

class CMeasDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kReaderMessage = WM_USER + 901;
  static constexpr UINT kStopMessage = WM_USER + 902;

  CMeasDlg(Device::CVexalonDevice* device, CWnd* parent);
  ~CMeasDlg() override;

  // The application's diagnostic flag: only then may the CSV log be written and the status
  // line show the latest frame.
  void SetDiagnosticMode(bool diagnostic) { m_diagnostic = diagnostic; }

  void OnStart();
  void OnStop();
  void OnExit();

  bool IsRunning() const { return m_running; }
  int GetTestNumber() const { return m_testNumber; }
  // The plot windows opened, in order.
  const std::vector<std::unique_ptr<CMeasPlotDlg>>& GetPlotWindows() const { return m_plotWindows; }
  // The CSV logs written whole, in order.
  const std::vector<CString>& GetLogNames() const { return m_logNames; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnCancel() override;

 private:
  LRESULT OnMeasThreadMessage(WPARAM code, LPARAM);
  LRESULT OnStopMessage(WPARAM, LPARAM);
  void OnLogData();
  void OnOwnWindow();
  void OnSameWindow();
  void OnAxisAuto();
  void OnAxisLoadLimit();

  void CreateToolTips();
  bool StartMeasThread();
  bool ReadDeviceInfo();
  bool StartSampling(bool newTest);
  bool StopSampling();
  void DeleteSamplingTimer();
  // Closes an open log; one that was not written whole is reported to the user and not listed.
  void CloseLog();
  void ShowStatus(UINT textId, COLORREF color);
  void ShowMessage(const CString& text, UINT type);
  void UpdateControls();
  bool LoadSettings();
  bool SaveSettings();

  static void SampleTimerCallback(void* dialog, bool);
  void OnSampleTick();
  void WriteSample(const SSamplingRow& row, int tickCount);
  void EndSilentRows();

  Device::CVexalonDevice* m_device;
  bool m_exiting = false;
  bool m_diagnostic = false;
  CToolTipCtrl m_toolTips;
  CColorStatic m_status;
  int m_testNumber = 0;
  CLiveLog m_log;
  std::vector<CString> m_logNames;
  CSampleTicker m_ticker;
  // Rows of ticks that brought no frame, held back until a frame follows or the test stops
  // with the link still there: a reader that has not yet noticed a cut link cannot tell
  // silence from loss, so they are dropped once the loss is known, however late that is.
  std::vector<std::pair<SSamplingRow, int>> m_silentRows;
  HTIMERQUEUETIMER m_timer = nullptr;
  bool m_running = false;
  // Whether the current test's sampling runs; a buffer-full report counts once per test.
  bool m_sampling = false;
  CMeasPlotDlg* m_currentPlot = nullptr;
  std::vector<std::unique_ptr<CMeasPlotDlg>> m_plotWindows;
  CWindowPos m_windowPos;
  bool m_logData = true;
  int m_samplingPeriod = 500;
  STestSettings m_testSettings;
  CString m_firmwareVersion;
  bool m_firstStartPending = true;
  bool m_ownWindow = false;
  bool m_yAxisAuto = true;
  int m_spinner = 0;
};
