#include "calibration/MeasDlg.h"

#include <algorithm>

#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "calibration/DecimalText.h"
#include "calibration/MeasPlotDlg.h"
#include "calibration/MeasThread.h"
#include "connection/VexalonConnection.h"
#include "device/VexalonDevice.h"
#include "document/Units.h"
#include "platform/base/Clock.h"
#include "platform/base/LocalTime.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {

const char16_t* const kPeriods[] = {u"250", u"500", u"1000"};
const char16_t kSpinner[] = u"-\\|/";
constexpr COLORREF kConnectedColor = RGB(0, 102, 0);
constexpr COLORREF kNotConnectedColor = RGB(255, 0, 0);
constexpr DWORD kReaderSettleMs = 1000;
constexpr DWORD kReaderStopSettleMs = 500;
constexpr int kSettingTextLimit = 100;

// A stored decimal setting; false leaves the value as it was, also when the text holds no
// number.
bool ReadSetting(const char16_t* name, int& value) {
  CString text;
  if (!RegGetString(kSettingsKey, name, text) || text.GetLength() > kSettingTextLimit) return false;
  return ParseDecimalText(text, value);
}

bool WriteSetting(const char16_t* name, int value) {
  CString text;
  text.Format(u"%d", value);
  return RegSetString(kSettingsKey, name, text);
}

CString LocalStamp(const char16_t* dateOrTime) {
  SLocalTime local;
  StampToLocalTime(CurrentTimeStamp(), local);
  CString text;
  if (dateOrTime[0] == u'd')
    text.Format(u"%04d_%02d_%02d", local.year, local.month, local.day);
  else
    text.Format(u"%02d:%02d:%02d", local.hour, local.minute, local.second);
  return text;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMeasDlg, CDialog)
  .OnBnClicked(IDC_MEAS_START, &CMeasDlg::OnStart)
  .OnBnClicked(IDC_MEAS_STOP, &CMeasDlg::OnStop)
  .OnBnClicked(IDC_MEAS_LOG_DATA, &CMeasDlg::OnLogData)
  .OnBnClicked(IDC_MEAS_OWN_WINDOW, &CMeasDlg::OnOwnWindow)
  .OnBnClicked(IDC_MEAS_SAME_WINDOW, &CMeasDlg::OnSameWindow)
  .OnBnClicked(IDC_MEAS_AXIS_AUTO, &CMeasDlg::OnAxisAuto)
  .OnBnClicked(IDC_MEAS_AXIS_LOAD_LIMIT, &CMeasDlg::OnAxisLoadLimit)
  .OnMessage(CMeasDlg::kReaderMessage, &CMeasDlg::OnMeasThreadMessage)
  .OnMessage(CMeasDlg::kStopMessage, &CMeasDlg::OnStopMessage)
END_MESSAGE_MAP()
// clang-format on

CMeasDlg::CMeasDlg(Device::CVexalonDevice* device, CWnd* parent)
    : CDialog(IDD_MEAS, parent), m_device(device), m_windowPos(u"MeasDlg", this) {}

CMeasDlg::~CMeasDlg() { DeleteSamplingTimer(); }

BOOL CMeasDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_status.SubclassDlgItem(IDC_MEAS_STATUS, this);
  CreateToolTips();
  auto* periods = static_cast<CComboBox*>(GetDlgItem(IDC_MEAS_SAMPLING));
  for (const char16_t* period : kPeriods) periods->AddString(period);
  periods->SetCurSel(0);
  m_logData = true;
  m_samplingPeriod = 500;
  m_ownWindow = false;
  m_yAxisAuto = true;
  LoadSettings();
  if (m_diagnostic) {
    CheckDlgButton(IDC_MEAS_LOG_DATA, m_logData ? BST_CHECKED : BST_UNCHECKED);
  } else {
    GetDlgItem(IDC_MEAS_LOG_DATA)->ShowWindow(SW_HIDE);
    m_logData = false;
  }
  CheckDlgButton(IDC_MEAS_OWN_WINDOW, m_ownWindow ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_MEAS_SAME_WINDOW, m_ownWindow ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(IDC_MEAS_AXIS_AUTO, m_yAxisAuto ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_MEAS_AXIS_LOAD_LIMIT, m_yAxisAuto ? BST_UNCHECKED : BST_CHECKED);
  CString period;
  period.Format(u"%d", m_samplingPeriod);
  SetDlgItemText(IDC_MEAS_PERIOD, period);
  ShowStatus(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
  SetDlgItemText(IDC_MEAS_DEVICE_INFO1, u"");
  SetDlgItemText(IDC_MEAS_DEVICE_INFO2, u"");
  UpdateControls();
  // The dialog keeps its template's size; only its place is restored.
  SetWindowPos(nullptr, m_windowPos.m_left, m_windowPos.m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  m_firstStartPending = true;
  OnStart();
  return TRUE;
}

void CMeasDlg::CreateToolTips() {
  m_toolTips.Create(this);
  m_toolTips.SetDelayTime(TTDT_INITIAL, 200);
  m_toolTips.SetDelayTime(TTDT_AUTOPOP, 7000);
  m_toolTips.SetMaxTipWidth(500);
  m_toolTips.AddTool(GetDlgItem(IDC_MEAS_START), IDS_LIVE_TIP_START);
  m_toolTips.AddTool(GetDlgItem(IDC_MEAS_STOP), IDS_LIVE_TIP_STOP);
  m_toolTips.AddTool(GetDlgItem(IDCANCEL), IDS_LIVE_TIP_EXIT);
  m_toolTips.AddTool(GetDlgItem(IDC_MEAS_PERIOD), IDS_LIVE_TIP_PERIOD);
  m_toolTips.AddTool(GetDlgItem(IDC_MEAS_LOG_DATA), IDS_LIVE_TIP_LOG_DATA);
  m_toolTips.Activate(TRUE);
}

BOOL CMeasDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTips.RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CMeasDlg::ShowStatus(UINT textId, COLORREF color) {
  m_status.SetWindowText(LoadStringOrPlaceholder(textId));
  m_status.SetTextColor(color);
}

void CMeasDlg::ShowMessage(const CString& text, UINT type) { MessageBox(this, text, kBoxCaption, type); }

void CMeasDlg::OnStart() {
  CWaitCursorScope waitCursor;
  CVexalonConnection& connection = TheConnection();
  if (!connection.CheckConnection()) connection.Connect(false);
  m_device = dynamic_cast<Device::CVexalonDevice*>(connection.GetDevice());
  if (!m_device) {
    ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_VIEW_NOT_CONNECTED), MB_OK);
    return;
  }
  if (!ReadDeviceInfo()) {
    ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_NO_DEVICE_INFO), MB_OK | MB_ICONERROR);
    return;
  }
  if (m_firstStartPending) {
    m_firstStartPending = false;
    return;
  }
  if (!StartMeasThread()) return;
  auto* periods = static_cast<CComboBox*>(GetDlgItem(IDC_MEAS_SAMPLING));
  CString period;
  periods->GetLBText(periods->GetCurSel(), period);
  // Without a selection the text is empty and the period stays as it was.
  m_samplingPeriod = DecimalTextOr(period, m_samplingPeriod);
  m_running = true;
  UpdateControls();
  StartSampling(false);
}

bool CMeasDlg::StartMeasThread() {
  if (!m_device) return false;
  if (!m_device->EnterDebugProtocol()) {
    ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_NO_DEBUG_PROTOCOL), MB_OK | MB_ICONERROR);
    return false;
  }
  if (!m_device->SetContinuousMode(true)) {
    ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_NO_CONTINUOUS_MODE), MB_OK | MB_ICONERROR);
    return false;
  }
  if (!CMeasThread::Instance().Start(this, m_device, kReaderMessage, m_firmwareVersion)) {
    ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_NO_DATA), MB_OK | MB_ICONERROR);
    return false;
  }
  Sleep(kReaderSettleMs);
  return true;
}

bool CMeasDlg::ReadDeviceInfo() {
  SDeviceIdent ident;
  if (!m_device->LeaveDebugProtocol(false, false) || !m_device->Identify(ident)) {
    ShowStatus(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
    SetDlgItemText(IDC_MEAS_DEVICE_INFO1, u"");
    SetDlgItemText(IDC_MEAS_DEVICE_INFO2, u"");
    return false;
  }
  CString line;
  line.Format(u"ZD-2: %s: %s  %s: %s", LoadStringOrPlaceholder(IDS_LIVE_SERIAL_NO).GetString(),
              ident.serialNumber.GetString(), LoadStringOrPlaceholder(IDS_LIVE_FIRMWARE_VERSION).GetString(),
              ident.appVersion.GetString());
  SetDlgItemText(IDC_MEAS_DEVICE_INFO1, line);
  const int unit = m_device->QueryUU();
  if (unit >= 0) m_testSettings.unit = BYTE(unit);
  m_testSettings.area = m_device->QueryDA();
  m_testSettings.loadLimit = m_device->QueryMF();
  m_testSettings.rate = m_device->QueryRA();
  // A pressure needs the test-disc area; without one every value would be 0, so such an
  // instrument is shown in kN.
  if (m_testSettings.area == 0 && m_testSettings.unit >= 2 && m_testSettings.unit <= 4)
    m_testSettings.unit = 1;
  line.Format(u"%s: %s", LoadStringOrPlaceholder(IDS_LIVE_TEST_SETTINGS).GetString(),
              m_testSettings.Format().GetString());
  SetDlgItemText(IDC_MEAS_DEVICE_INFO2, line);
  m_firmwareVersion = ident.appVersion;
  ShowStatus(IDS_LIVE_CONNECTED, kConnectedColor);
  return true;
}

void CMeasDlg::OnStop() {
  CWaitCursorScope waitCursor;
  m_running = false;
  StopSampling();
  CMeasThread::Instance().Stop();
  Sleep(kReaderStopSettleMs);
  if (m_device) m_device->LeaveDebugProtocol(false, false);
  UpdateControls();
}

LRESULT CMeasDlg::OnStopMessage(WPARAM, LPARAM) {
  OnStop();
  return 0;
}

void CMeasDlg::OnCancel() { OnExit(); }

void CMeasDlg::OnExit() {
  CWaitCursorScope waitCursor;
  m_exiting = true;
  OnStop();
  CMeasThread::Instance().Stop();
  m_currentPlot = nullptr;
  for (auto& plot : m_plotWindows) plot->DestroyWindow();
  m_plotWindows.clear();
  if (m_device) m_device->LeaveDebugProtocol(false, false);
  SaveSettings();
  m_toolTips.DestroyWindow();
  EndDialog(IDCANCEL);
}

LRESULT CMeasDlg::OnMeasThreadMessage(WPARAM code, LPARAM) {
  switch (code) {
    case CMeasThread::kNewData: {
      SLiveSample sample;
      CMeasThread::Instance().GetLatestSample(sample);
      CString text;
      if (m_diagnostic) {
        text.Format(u"Connected #%d [Force: %.2lf kN  Currrent: %d mA  DriveState: %s]", sample.sampleNumber,
                    sample.force * 0.001, sample.current, Device::GetDriveStateName(sample.driveState));
      } else {
        text.Format(u"%s  %c", LoadStringOrPlaceholder(IDS_LIVE_CONNECTED).GetString(), kSpinner[m_spinner]);
        m_spinner = (m_spinner + 1) % 4;
      }
      m_status.SetWindowText(text);
      m_status.SetTextColor(kConnectedColor);
      break;
    }
    case CMeasThread::kConnectionLost:
      // The timer would go on writing empty rows for a link that is gone.
      StopSampling();
      ShowStatus(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
      UpdateControls();
      ShowMessage(LoadStringOrPlaceholder(IDS_LIVE_CONNECTION_LOST), MB_OK | MB_ICONERROR);
      break;
    case CMeasThread::kTestStarted:
      StartSampling(true);
      break;
    case CMeasThread::kTestEnded:
      StopSampling();
      break;
    case CMeasThread::kBufferFull:
      // The reader reports every further frame of the test; one box per test is enough.
      if (!m_sampling) break;
      StopSampling();
      ShowMessage(u"Buffer size was too small to hold data.\nNew measurements will no longer be displayed.",
                  MB_OK | MB_ICONERROR);
      break;
  }
  return 0;
}

void CMeasDlg::OnLogData() { m_logData = !m_logData; }
void CMeasDlg::OnOwnWindow() { m_ownWindow = true; }
void CMeasDlg::OnSameWindow() { m_ownWindow = false; }
void CMeasDlg::OnAxisAuto() { m_yAxisAuto = true; }
void CMeasDlg::OnAxisLoadLimit() { m_yAxisAuto = false; }

bool CMeasDlg::StartSampling(bool newTest) {
  if (newTest) {
    DeleteSamplingTimer();
    EndSilentRows();
    CloseLog();
    if (m_logData) {
      if (!m_log.Open(m_samplingPeriod)) {
        ShowMessage(u"Failed to open the file for writing.", MB_OK | MB_ICONERROR);
        return false;
      }
      m_logNames.push_back(m_log.GetFileName());
    }
  }
  const bool newWindow = m_plotWindows.empty() || (m_ownWindow && !m_plotWindows.back()->IsWaiting());
  if (newWindow) {
    m_plotWindows.push_back(std::make_unique<CMeasPlotDlg>(int(m_plotWindows.size()) + 1, this));
    m_currentPlot = m_plotWindows.back().get();
  }
  CString title = LoadStringOrPlaceholder(IDS_LIVE_WAITING_FOR_TEST);
  if (newTest) {
    ++m_testNumber;
    title.Format(u"ZD-2 %s# %d:  %s:%s %s:%s", LoadStringOrPlaceholder(IDS_LIVE_TEST).GetString(),
                 m_testNumber, LoadStringOrPlaceholder(IDS_LIVE_DATE).GetString(),
                 LocalStamp(u"date").GetString(), LoadStringOrPlaceholder(IDS_LIVE_TIME).GetString(),
                 LocalStamp(u"time").GetString());
  }
  m_currentPlot->StartTest(title, newTest, m_samplingPeriod, m_testSettings, m_yAxisAuto);
  if (newTest) {
    m_ticker.Restart();
    m_sampling = CreateTimerQueueTimer(&m_timer, nullptr, &CMeasDlg::SampleTimerCallback, this, 0,
                                       DWORD(m_samplingPeriod), WT_EXECUTEINTIMERTHREAD) != FALSE;
  }
  UpdateControls();
  return true;
}

void CMeasDlg::DeleteSamplingTimer() {
  // The completion wait lets a tick in progress end before the log it writes is closed.
  if (m_timer) DeleteTimerQueueTimer(nullptr, m_timer, INVALID_HANDLE_VALUE);
  m_timer = nullptr;
  m_sampling = false;
}

void CMeasDlg::CloseLog() {
  if (!m_log.IsOpen() || m_log.Close()) return;
  const CString name = m_log.GetFileName();
  m_logNames.erase(std::remove(m_logNames.begin(), m_logNames.end(), name), m_logNames.end());
  CString text;
  text.Format(u"Failed to write the file %s.", name.GetString());
  ShowMessage(text, MB_OK | MB_ICONERROR);
}

bool CMeasDlg::StopSampling() {
  DeleteSamplingTimer();
  EndSilentRows();
  CMeasThread::Instance().ClearSamples();
  CloseLog();
  UpdateControls();
  if (m_currentPlot) m_currentPlot->EndTest();
  return true;
}

void CMeasDlg::SampleTimerCallback(void* dialog, bool) { static_cast<CMeasDlg*>(dialog)->OnSampleTick(); }

void CMeasDlg::OnSampleTick() {
  const SSamplingRow row = m_ticker.Tick(CMeasThread::Instance());
  if (row.force.count == 0) {
    m_silentRows.emplace_back(row, m_ticker.GetTickCount());
    return;
  }
  for (const auto& [silent, tickCount] : m_silentRows) WriteSample(silent, tickCount);
  m_silentRows.clear();
  WriteSample(row, m_ticker.GetTickCount());
}

void CMeasDlg::EndSilentRows() {
  if (!CMeasThread::Instance().HasLostConnection())
    for (const auto& [silent, tickCount] : m_silentRows) WriteSample(silent, tickCount);
  m_silentRows.clear();
}

void CMeasDlg::WriteSample(const SSamplingRow& row, int tickCount) {
  m_log.WriteRow(row, tickCount);
  CPlotData point;
  point.forceMin = row.force.minimum;
  point.forceMean = row.force.mean;
  point.forceMax = row.force.maximum;
  point.currentMin = row.current.minimum;
  point.currentMean = row.current.mean;
  point.currentMax = row.current.maximum;
  point.displayForce = ConvertForce(row.sampledForce, m_testSettings.area, m_testSettings.unit);
  point.sampledForce = row.sampledForce;
  point.driveState = row.driveState;
  point.time = row.elapsedSeconds;
  m_currentPlot->AddPoint(point);
}

void CMeasDlg::UpdateControls() {
  if (m_exiting) return;
  const BOOL idle = !m_running;
  for (int id : {IDC_MEAS_LOG_DATA, IDC_MEAS_PERIOD, IDC_MEAS_SAMPLING, IDC_MEAS_OWN_WINDOW,
                 IDC_MEAS_SAME_WINDOW, IDC_MEAS_AXIS_AUTO, IDC_MEAS_AXIS_LOAD_LIMIT})
    GetDlgItem(id)->EnableWindow(idle);
  GetDlgItem(IDC_MEAS_START)->EnableWindow(!(CMeasThread::Instance().IsRunning() && m_running));
  GetDlgItem(IDC_MEAS_STOP)->EnableWindow(m_running);
  GetDlgItem(IDCANCEL)->EnableWindow(idle);
}

bool CMeasDlg::LoadSettings() {
  m_windowPos.Restore(kSettingsKey);
  int selection = -1;
  auto* periods = static_cast<CComboBox*>(GetDlgItem(IDC_MEAS_SAMPLING));
  if (ReadSetting(u"CmbSamplingSel", selection) && selection >= 0 && selection < periods->GetCount())
    periods->SetCurSel(selection);
  ReadSetting(u"SampleRate", m_samplingPeriod);
  int flag = 0;
  if (ReadSetting(u"bLogData", flag)) m_logData = flag != 0;
  if (ReadSetting(u"bOwnWindow", flag)) m_ownWindow = flag != 0;
  if (ReadSetting(u"bYAxisAuto", flag)) m_yAxisAuto = flag != 0;
  return true;
}

bool CMeasDlg::SaveSettings() {
  m_windowPos.Save(kSettingsKey);
  const int selection = static_cast<CComboBox*>(GetDlgItem(IDC_MEAS_SAMPLING))->GetCurSel();
  return WriteSetting(u"CmbSamplingSel", selection) && WriteSetting(u"SampleRate", m_samplingPeriod) &&
         WriteSetting(u"bLogData", m_logData) && WriteSetting(u"bOwnWindow", m_ownWindow) &&
         WriteSetting(u"bYAxisAuto", m_yAxisAuto);
}
