// The calibration dialog's set-up: controls, settings, tool tips, the timers and the
// messages that keep the controls current.

#include "calibration/TestStepDlg.h"

#include <cstdio>

#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "calibration/Beep.h"
#include "calibration/DecimalText.h"
#include "calibration/ForceText.h"
#include "calibration/VexalonDoc.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ResourceIcons.h"
#include "resources/ResourceIds.h"

namespace {

constexpr COLORREF kStatusColor = RGB(0, 0, 255);
constexpr COLORREF kConnectingColor = RGB(0, 0, 255);
constexpr int kFacilityLength = 4;
// Loads below this show as 0: an unloaded instrument reads a little above nothing.
constexpr int kShownLoadFloor = 50;
constexpr char16_t kSpinner[] = u"|/-\\|/-\\";

constexpr char16_t kPortSetting[] = u"VexaPortNum";
constexpr char16_t kStepSetting[] = u"ST_TestStepNewton";
constexpr char16_t kWaitSetting[] = u"ST_StepWaitMS";
constexpr char16_t kRampSetting[] = u"ST_RampSpeed";
constexpr char16_t kLoadUnitSetting[] = u"ST_LoadUnit";
constexpr char16_t kFacilitySetting[] = u"ST_Facility";
constexpr char16_t kReferenceSetting[] = u"ST_RefSn";
constexpr char16_t kTesterSetting[] = u"ST_Tester";
constexpr char16_t kTemperatureSetting[] = u"ST_Temperature";
constexpr char16_t kLogResultSetting[] = u"ST_bLogResult";
constexpr char16_t kPauseSetting[] = u"ST_bPause";
constexpr char16_t kCyclesSetting[] = u"ST_TestCycles";

const char16_t* const kLoadUnits[] = {u"N", u"kN", u"LBF"};
const char16_t* const kTypes[] = {u"     ", u" 6 kN", u"16 kN", u"25 kN"};

// The field's number; a text that holds none is stored as 0, as the empty text is.
int NumberOf(const CString& text) { return DecimalTextOr(text, 0); }

CString Decimal(int value) {
  CString text;
  text.Format(u"%d", value);
  return text;
}

void ReadInt(const CRegistry& registry, const char16_t* name, int& value) {
  DWORD stored = 0;
  if (registry.ReadDWORD(name, stored)) value = int(stored);
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CTestStepDlg, CDialog)
  .OnBnClicked(IDC_TESTSTEP_CONNECT, &CTestStepDlg::OnConnect)
  .OnBnClicked(IDC_TESTSTEP_START, &CTestStepDlg::OnStart)
  .OnBnClicked(IDCANCEL, &CTestStepDlg::OnExit)
  .OnBnClicked(IDC_TESTSTEP_TEST_SOUND, &CTestStepDlg::OnTestSound)
  .OnBnClicked(IDC_TESTSTEP_SAVE_RESULTS, &CTestStepDlg::OnToggleLogResult)
  .OnBnClicked(IDC_TESTSTEP_PAUSE, &CTestStepDlg::OnTogglePause)
  .OnControl(EN_CHANGE, IDC_TESTSTEP_FACILITY, &CTestStepDlg::OnFacilityChange)
  .OnControl(CBN_SELCHANGE, IDC_TESTSTEP_TYPE, &CTestStepDlg::OnTypeSelect)
  .OnControl(CBN_SELCHANGE, IDC_TESTSTEP_LOAD_UNIT, &CTestStepDlg::OnLoadUnitChange)
  .OnTimer(&CTestStepDlg::OnTimer)
  .OnMessage(CTestStepDlg::kConnectResultMessage, &CTestStepDlg::OnConnectResult)
  .OnMessage(CTestStepDlg::kSampleMessage, &CTestStepDlg::OnSample)
  .OnMessage(CConnBase::kErrorMessage, &CTestStepDlg::OnConnectionErrors)
  .OnMessage(CTestStepDlg::kRunFinishedMessage, &CTestStepDlg::OnRunFinished)
  .OnMessage(CTestStepDlg::kFinalResultMessage, &CTestStepDlg::OnFinalResult)
  .OnMessage(CTestStepDlg::kWriteReportMessage, &CTestStepDlg::OnWriteReport)
  .OnMessage(CTestStepDlg::kStepResultMessage, &CTestStepDlg::OnStepResult)
  .OnMessage(CTestStepDlg::kGridResultMessage, &CTestStepDlg::OnGridResult)
END_MESSAGE_MAP()
// clang-format on

CTestStepDlg::CTestStepDlg(bool calMode, bool autoConnect, CVexalonDoc* doc, CWnd* mainFrame)
    : CDialog(IDD_TEST_STEP, mainFrame),
      m_mainFrame(mainFrame),
      m_doc(doc),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)),
      m_windowPos(u"TestStepDlg", this),
      m_calMode(calMode),
      m_autoConnect(autoConnect) {}

CTestStepDlg::~CTestStepDlg() {
  // A run or process thread still under way would use what goes now; Exit waits for them,
  // and a dialog torn down otherwise stops them the same way.
  if (m_abortEvent) m_abortEvent->SetEvent();
  m_runThread.StopWithGrace(INFINITE, 0);
  m_processThread.StopWithGrace(INFINITE, 0);
  m_toolTips.reset();
  m_connection.reset();
  m_serialCheck.reset();
  DeleteStepGrids();
  m_log.m_pMirrorFile = nullptr;
  if (m_tempLog) std::fclose(m_tempLog);
}

void CTestStepDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_TESTSTEP_TESTER, m_testerEdit);
  DDX_Control(dx, IDC_TESTSTEP_FACILITY, m_facilityEdit);
  DDX_Control(dx, IDC_TESTSTEP_REFERENCE_SN, m_referenceEdit);
  DDX_Control(dx, IDC_TESTSTEP_TEMPERATURE, m_temperatureEdit);
  DDX_Control(dx, IDC_TESTSTEP_PORT, m_portEdit);
  DDX_Control(dx, IDC_TESTSTEP_CONNECT, m_connectButton);
  DDX_Control(dx, IDC_TESTSTEP_START, m_startButton);
  DDX_Control(dx, IDCANCEL, m_exitButton);
  DDX_Control(dx, IDC_TESTSTEP_CONNECTION, m_connectionStatic);
  DDX_Control(dx, IDC_TESTSTEP_DEVICE_INFO, m_deviceInfoStatic);
  DDX_Control(dx, IDC_TESTSTEP_CYCLES, m_cyclesEdit);
  DDX_Control(dx, IDC_TESTSTEP_STEP, m_stepEdit);
  DDX_Control(dx, IDC_TESTSTEP_WAIT, m_waitEdit);
  DDX_Control(dx, IDC_TESTSTEP_SAVE_RESULTS, m_saveResultsCheck);
  DDX_Control(dx, IDC_TESTSTEP_RAMP, m_rampEdit);
  DDX_Control(dx, IDC_TESTSTEP_SKIP_TIME, m_skipTimeStatic);
  DDX_Control(dx, IDC_TESTSTEP_TYPE, m_typeCombo);
  DDX_Control(dx, IDC_TESTSTEP_PAUSE, m_pauseCheck);
  DDX_Control(dx, IDC_TESTSTEP_LOAD_UNIT, m_loadUnitCombo);
  DDX_Control(dx, IDC_TESTSTEP_LOG, m_log);
  DDX_Control(dx, IDC_TESTSTEP_STATUS, m_statusStatic);
}

BOOL CTestStepDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CreateToolTips();
  m_serialCheck = std::make_unique<CSerialNumberCheck>(this);
  m_serialCheck->Enable();

  m_portSetting = 0;
  m_stepSize = 2500;
  m_waitTimeMs = 5000;
  m_rampSpeed = 200;
  m_skipTimeMs = 0;
  m_cycles = 2;
  m_pauseBetweenCycles = true;
  m_logResult = false;
  m_loadUnit = 0;
  m_temperature = 0;
  m_state = eNotConnected;
  m_comPort = -1;
  m_runBusy = m_processBusy = m_waitingForReferenceLoads = m_returningHome = false;
  m_connecting = m_closing = m_userAbort = false;

  LoadSettings();
  m_windowPos.Restore(kSettingsKey);
  if (m_calMode) m_cycles = kCalModeCycles;
  FillFields();
  SetWindowText(LoadStringOrPlaceholder(m_calMode ? IDS_TESTSTEP_TITLE_ADJUSTMENT : IDS_TESTSTEP_TITLE_VERIFICATION));

  UpdateControls();
  // The dialog keeps its template's size; only its place is restored.
  SetWindowPos(nullptr, m_windowPos.m_left, m_windowPos.m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (m_autoConnect) OnConnect();
  UpdateControls();
  return TRUE;
}

void CTestStepDlg::FillFields() {
  m_portEdit.SetWindowText(Decimal(m_portSetting));
  m_pauseCheck.SetCheck(m_pauseBetweenCycles ? BST_CHECKED : BST_UNCHECKED);
  // Results are always saved; the hidden check box only reflects it.
  m_logResult = true;
  m_saveResultsCheck.SetCheck(BST_CHECKED);
  m_cyclesEdit.SetWindowText(Decimal(m_cycles));
  m_stepEdit.SetWindowText(Decimal(m_stepSize));
  m_waitEdit.SetWindowText(Decimal(m_waitTimeMs));
  m_rampEdit.SetWindowText(Decimal(m_rampSpeed));
  m_stepEdit.ShowWindow(SW_HIDE);
  m_waitEdit.ShowWindow(SW_HIDE);
  m_rampEdit.ShowWindow(SW_HIDE);
  for (const char16_t* unit : kLoadUnits) m_loadUnitCombo.AddString(unit);
  m_loadUnitCombo.SetCurSel(m_loadUnit);
  m_statusStatic.SetWindowText(u"");
  m_statusStatic.SetTextColor(kStatusColor);
  ShowConnection(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
  m_deviceInfoStatic.SetWindowText(u"");
  m_deviceInfoStatic.SetTextColor(kConnectedColor);
  m_skipTimeStatic.SetWindowText(u"");
  m_referenceEdit.SetWindowText(m_referenceSerial);
  m_facilityEdit.SetWindowText(m_facility);
  m_testerEdit.SetWindowText(m_tester);
  m_temperatureEdit.SetWindowText(Decimal(m_temperature));
  for (const char16_t* type : kTypes) m_typeCombo.AddString(type);
}

void CTestStepDlg::CreateToolTips() {
  m_toolTips = std::make_unique<CToolTipCtrl>();
  m_toolTips->Create(this);
  m_toolTips->SetDelayTime(TTDT_AUTOPOP, 7000);
  m_toolTips->SetDelayTime(TTDT_INITIAL, 200);
  m_toolTips->SetMaxTipWidth(500);
  const struct {
    int control;
    UINT text;
  } tips[] = {
      {IDC_TESTSTEP_CONNECT, IDS_TESTSTEP_TIP_CONNECT},
      {IDC_TESTSTEP_START, IDS_TESTSTEP_TIP_START},
      {IDCANCEL, IDS_TESTSTEP_TIP_EXIT},
      {IDC_TESTSTEP_PORT, IDS_TESTSTEP_TIP_PORT},
      {IDC_TESTSTEP_SAVE_RESULTS, IDS_TESTSTEP_TIP_SAVE_RESULTS},
      {IDC_TESTSTEP_TYPE, IDS_TESTSTEP_TIP_TYPE},
      {IDC_TESTSTEP_FACILITY, IDS_TESTSTEP_TIP_FACILITY},
      {IDC_TESTSTEP_REFERENCE_SN, IDS_TESTSTEP_TIP_REFERENCE_SN},
      {IDC_TESTSTEP_TESTER, IDS_TESTSTEP_TIP_TESTER},
      {IDC_TESTSTEP_TEMPERATURE, IDS_TESTSTEP_TIP_TEMPERATURE},
      {IDC_TESTSTEP_CYCLES, IDS_TESTSTEP_TIP_CYCLES},
  };
  for (const auto& tip : tips) m_toolTips->AddTool(GetDlgItem(tip.control), LoadStringOrPlaceholder(tip.text));
  m_toolTips->AddTool(GetDlgItem(IDC_TESTSTEP_PAUSE), u"Make a pause between cycles");
  m_toolTips->AddTool(GetDlgItem(IDC_TESTSTEP_LOAD_UNIT), u"Unit of load measurements");
  m_toolTips->Activate(TRUE);
}

BOOL CTestStepDlg::PreTranslateMessage(MSG* msg) {
  if (m_toolTips) m_toolTips->RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CTestStepDlg::LoadSettings() {
  const CRegistry registry(kSettingsKey);
  ReadInt(registry, kPortSetting, m_portSetting);
  ReadInt(registry, kStepSetting, m_stepSize);
  ReadInt(registry, kWaitSetting, m_waitTimeMs);
  ReadInt(registry, kRampSetting, m_rampSpeed);
  ReadInt(registry, kLoadUnitSetting, m_loadUnit);
  registry.ReadString(kFacilitySetting, m_facility);
  registry.ReadString(kReferenceSetting, m_referenceSerial);
  registry.ReadString(kTesterSetting, m_tester);
  ReadInt(registry, kTemperatureSetting, m_temperature);
  registry.ReadBool(kLogResultSetting, m_logResult);
  registry.ReadBool(kPauseSetting, m_pauseBetweenCycles);
  if (!m_calMode) ReadInt(registry, kCyclesSetting, m_cycles);
}

void CTestStepDlg::SaveSettings() {
  m_windowPos.Save(kSettingsKey);
  CRegistry registry(kSettingsKey);
  registry.WriteDWORD(kPortSetting, DWORD(NumberOf(m_portEdit.GetWindowTextString())));
  registry.WriteDWORD(kStepSetting, DWORD(NumberOf(m_stepEdit.GetWindowTextString())));
  registry.WriteDWORD(kWaitSetting, DWORD(NumberOf(m_waitEdit.GetWindowTextString())));
  registry.WriteDWORD(kRampSetting, DWORD(NumberOf(m_rampEdit.GetWindowTextString())));
  registry.WriteDWORD(kLoadUnitSetting, DWORD(m_loadUnit));
  registry.WriteString(kFacilitySetting, m_facilityEdit.GetWindowTextString());
  registry.WriteString(kReferenceSetting, m_referenceEdit.GetWindowTextString());
  registry.WriteString(kTesterSetting, m_testerEdit.GetWindowTextString());
  m_temperature = NumberOf(m_temperatureEdit.GetWindowTextString());
  registry.WriteDWORD(kTemperatureSetting, DWORD(m_temperature));
  registry.WriteBool(kLogResultSetting, m_logResult);
  registry.WriteBool(kPauseSetting, m_pauseBetweenCycles);
  if (!m_calMode) registry.WriteDWORD(kCyclesSetting, DWORD(NumberOf(m_cyclesEdit.GetWindowTextString())));
}

bool CTestStepDlg::IsBusy() const {
  return m_runBusy || m_connecting || m_processBusy || m_waitingForReferenceLoads || m_returningHome;
}

void CTestStepDlg::UpdateControls() {
  if (m_closing) return;
  const BOOL enable = IsBusy() ? FALSE : TRUE;
  for (CWnd* control : {static_cast<CWnd*>(&m_connectButton), static_cast<CWnd*>(&m_exitButton),
                        static_cast<CWnd*>(&m_portEdit), static_cast<CWnd*>(&m_loadUnitCombo),
                        static_cast<CWnd*>(&m_pauseCheck), static_cast<CWnd*>(&m_facilityEdit),
                        static_cast<CWnd*>(&m_referenceEdit), static_cast<CWnd*>(&m_testerEdit),
                        static_cast<CWnd*>(&m_temperatureEdit)})
    control->EnableWindow(enable);
  if (!m_calMode) m_cyclesEdit.EnableWindow(enable);
  const bool canStart = m_comPort >= 1 && m_connection && m_connection->IsReadThreadRunning() &&
                        m_state >= eConnected;
  m_startButton.EnableWindow(canStart ? TRUE : FALSE);
  const bool stoppable = m_runBusy || m_processBusy || m_waitingForReferenceLoads || m_returningHome;
  m_startButton.SetWindowText(stoppable ? u"Stop" : u"Start");
}

void CTestStepDlg::ShowConnection(UINT textId, COLORREF color) {
  ShowConnectionText(LoadStringOrPlaceholder(textId), color);
}

void CTestStepDlg::ShowConnectionText(const CString& text, COLORREF color) {
  m_connectionStatic.SetWindowText(text);
  m_connectionStatic.SetTextColor(color);
}

void CTestStepDlg::Log(int kind, const CString& text, bool show) { m_log.AddLine(kind, text, show); }

int CTestStepDlg::ShowBox(const CString& text, UINT type) { return MessageBox(this, text, kBoxCaption, type); }

void CTestStepDlg::OnTimer(UINT_PTR id) {
  switch (id) {
    case kConnectingTimer:
      ++m_connectingTicks;
      ShowConnectionText(m_connectingTicks % 2 ? LoadStringOrPlaceholder(IDS_TESTSTEP_CONNECTING_BLINK) : CString(),
                         kConnectingColor);
      break;
    case kProcessTimer:
      if (!m_processBusy) {
        KillTimer(kProcessTimer);
        m_statusStatic.SetWindowText(u"");
        UpdateControls();
        break;
      }
      ++m_liveTicks;
      m_statusStatic.SetWindowText(m_liveTicks % 2 ? LoadStringOrPlaceholder(IDS_TESTSTEP_UPDATING) : CString());
      break;
    case kLiveLoadTimer: {
      SLiveSample sample;
      if (!m_connection || !m_connection->IsReadThreadRunning() || !m_connection->GetLatestSample(sample)) {
        ShowConnection(IDS_LIVE_CONNECTED, kConnectedColor);
        break;
      }
      ++m_liveTicks;
      const int load = sample.force < kShownLoadFloor ? 0 : sample.force;
      const CString spinner(kSpinner[m_liveTicks % 8]);
      CString text;
      text.Format(LoadStringOrPlaceholder(IDS_TESTSTEP_CONNECTED_LOAD).GetString(),
                  FormatForce(load, m_loadUnit, true), spinner);
      ShowConnectionText(text, kConnectedColor);
      break;
    }
    default:
      break;
  }
  Default();
}

LRESULT CTestStepDlg::OnSample(WPARAM wParam, LPARAM marker) {
  auto* sample = reinterpret_cast<SLiveSample*>(wParam);
  if (!sample || marker != 1) return 0;
  const std::unique_ptr<SLiveSample> owned(sample);
  if (sample->driveState != 0) {
    m_latestCurrent = sample->current;
    m_latestCounter = sample->counter;
  }
  if (m_averager.IsCollecting()) m_averager.AddSample(*sample);
  return 0;
}

LRESULT CTestStepDlg::OnConnectionErrors(WPARAM, LPARAM) {
  for (const CString& text : m_doc->TakeErrors()) Log(1, text);
  return 0;
}

void CTestStepDlg::OnFacilityChange() {
  const CString text = m_facilityEdit.GetWindowTextString();
  if (text.GetLength() <= kFacilityLength) return;
  MessageBox(this, LoadStringOrPlaceholder(IDS_TESTSTEP_FOUR_CHARACTERS), kBoxCaption, MB_OK);
  m_facilityEdit.SetWindowText(text.Left(kFacilityLength));
}

void CTestStepDlg::OnTypeSelect() {
  const int selection = m_typeCombo.GetCurSel();
  if (selection < 1) {
    Log(kHeadingLine, u"Press select the device type.", false);
  } else {
    CString type;
    m_typeCombo.GetLBText(selection, type);
    if (m_stepPlan.SetType(type)) m_state = eTypeChosen;
  }
  UpdateControls();
}

int CTestStepDlg::CheckDeviceSerial() {
  const CString serial = m_doc->m_serialNumber;
  if (m_serialCheck && m_serialCheck->Check(serial) && serial.GetLength() > 3) {
    const int entry = serial[3] - u'0';
    if (entry >= 1 && entry <= 3) {
      m_typeCombo.SetCurSel(entry);
      OnTypeSelect();
    }
  }
  UpdateControls();
  return m_state;
}

void CTestStepDlg::OnToggleLogResult() { m_logResult = !m_logResult; }

void CTestStepDlg::OnTogglePause() { m_pauseBetweenCycles = !m_pauseBetweenCycles; }

void CTestStepDlg::OnLoadUnitChange() { m_loadUnit = m_loadUnitCombo.GetCurSel(); }

void CTestStepDlg::OnTestSound() { PlayBeep(); }
