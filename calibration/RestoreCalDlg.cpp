#include "calibration/RestoreCalDlg.h"

#include <algorithm>

#include "appbase/BoxCaption.h"
#include "appbase/Registry.h"
#include "calibration/CalibrationErrorLog.h"
#include "calibration/DecimalText.h"
#include "calibration/VexalonDoc.h"
#include "calibration/Zd2SearchRequest.h"
#include "platform/base/Clock.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char16_t kPortSetting[] = u"VexaPortNum";
constexpr int kDumpLine = 2;
constexpr DWORD kConnectPollMs = 400;
constexpr int kRestoreAttempts = 5;
constexpr int kReadAttempts = 3;
constexpr int kRestoreFailed = 1;
constexpr int kNoValidCalibration = 2;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CRestoreCalDlg, CDialog)
  .OnBnClicked(IDC_RESTORE_RUN, &CRestoreCalDlg::OnRestore)
  .OnBnClicked(IDC_RESTORE_SHOW_CAL_INFO, &CRestoreCalDlg::OnShowCalInfo)
  .OnBnClicked(IDCANCEL, &CRestoreCalDlg::OnExit)
END_MESSAGE_MAP()
// clang-format on

CRestoreCalDlg::CRestoreCalDlg(bool factoryMode, CVexalonDoc* doc, CWnd* parent)
    : CDialog(IDD_RESTORE_CALIBRATION, parent),
      m_doc(doc),
      m_windowPos(u"RestoreCalDlg", this),
      m_factoryMode(factoryMode) {}

CRestoreCalDlg::~CRestoreCalDlg() { DropConnection(); }

void CRestoreCalDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_RESTORE_RUN, m_restoreButton);
  DDX_Control(dx, IDC_RESTORE_SHOW_CAL_INFO, m_showInfoButton);
  DDX_Control(dx, IDC_RESTORE_LOG, m_log);
  DDX_Control(dx, IDC_RESTORE_PORT, m_portEdit);
  DDX_Control(dx, IDCANCEL, m_exitButton);
}

BOOL CRestoreCalDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_portNumber = -1;
  m_storedPortNumber = 0;
  LoadSettings();
  m_restoreButton.SetWindowText(m_factoryMode ? u"Restore Factory Calibration"
                                              : u"Restore Last Used Calibration");
  CString port;
  port.Format(u"%d", m_storedPortNumber);
  m_portEdit.SetWindowText(port);
  m_showInfoButton.ShowWindow(SW_HIDE);
  // The dialog keeps its template's size; only its place is restored.
  SetWindowPos(nullptr, m_windowPos.m_left, m_windowPos.m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return TRUE;
}

void CRestoreCalDlg::LoadSettings() {
  m_windowPos.Restore(kSettingsKey);
  DWORD port = 0;
  if (CRegistry(kSettingsKey).ReadDWORD(kPortSetting, port)) m_storedPortNumber = int(port);
}

void CRestoreCalDlg::SaveSettings() {
  m_windowPos.Save(kSettingsKey);
  CString port;
  m_portEdit.GetWindowText(port);
  // A text that holds no number is stored as 0, as the empty text is.
  CRegistry(kSettingsKey).WriteDWORD(kPortSetting, DWORD(DecimalTextOr(port, 0)));
}

void CRestoreCalDlg::Log(int kind, const CString& text) { m_log.AddLine(kind, text, true); }

void CRestoreCalDlg::DropConnection() {
  if (!m_connection) return;
  m_connection->Disconnect();
  m_connection.reset();
}

bool CRestoreCalDlg::Connect() {
  CWaitCursorScope waitCursor;
  Log(kStatusLine, u"Connecting ...");
  m_log.UpdateWindow();
  CString text;
  m_portEdit.GetWindowText(text);
  const int port = DecimalTextOr(text, 0);
  m_connection->Connect(Zd2SerialSearch(port));
  // The search runs on the device thread; this thread only asks how far it got.
  int waitedMs = 0;
  const ULONGLONG limitMs = TimeoutSpan(ULONGLONG(std::max(m_connection->GetConnectTimeout(), 0)));
  while (!m_connection->IsConnected() && ULONGLONG(waitedMs) <= limitMs) {
    Sleep(kConnectPollMs);
    waitedMs += int(kConnectPollMs);
  }
  if (!m_connection->IsConnected()) {
    Log(kStatusLine, u"Not connected");
    return false;
  }
  m_portNumber = m_connection->m_comPort;
  Log(kStatusLine, u"Connected");
  m_log.UpdateWindow();
  text.Format(u"%d", m_portNumber);
  m_portEdit.SetWindowText(text);
  return true;
}

bool CRestoreCalDlg::Reconnect() {
  CString port;
  m_portEdit.GetWindowText(port);
  // A text that holds no number, not only an empty one: digits beyond the range of a number
  // would otherwise be read as some other port.
  int number = 0;
  if (!ParseDecimalText(port, number)) {
    MessageBox(this, u"ZD-2 device port number must be 0 or higher.", kBoxCaption, MB_OK | MB_ICONERROR);
    return false;
  }
  CWaitCursorScope waitCursor;
  DropConnection();
  m_doc->Reset();
  m_connection = std::make_unique<CConnVexa>(this, m_doc, kSampleMessage, false, 0);
  return Connect();
}

void CRestoreCalDlg::OnRestore() {
  const CString question = m_factoryMode ? u"Are you sure you want to restore Factory Calibration?"
                                         : u"Are you sure you want to restore Last Used Calibration?";
  if (MessageBox(this, question, kBoxCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!Reconnect()) return;
  CWaitCursorScope waitCursor;
  Device::CVexalonDevice* device = m_doc->m_device;
  // Whether or not the instrument was in the debug protocol, it goes back to its default one.
  if (!device->LeaveDebugProtocol(false, true)) {
    Log(kStatusLine, u"Failed to switch to default protocol.");
    return;
  }
  const CString name = m_factoryMode ? u"Factory Calibration" : u"Last Used Calibration";
  const int result = m_factoryMode ? device->RestoreFactoryCalibration(kRestoreAttempts)
                                   : device->RestoreLastUsedCalibration(kRestoreAttempts);
  CString text;
  if (result == kRestoreFailed)
    text.Format(u"Failed to restore the %s.", name);
  else if (result == kNoValidCalibration)
    text.Format(u"Failed to restore the %s because a valid calibration was not available.", name);
  else
    text.Format(u"Successfully restored the %s.", name);
  Log(kResultLine, text);
}

void CRestoreCalDlg::OnShowCalInfo() {
  Log(kDumpLine, u"##############################");
  Log(kDumpLine, u"######## SHOW INFOMEM ########");
  if (!Reconnect()) return;
  CWaitCursorScope waitCursor;
  Device::CVexalonDevice* device = m_doc->m_device;
  if (!device) return;
  if (!device->EnterDebugProtocol()) {
    Log(kDumpLine, u"Failed to switch to debug protocol.");
    return;
  }
  if (!device->SetContinuousMode(false)) {
    LogCalibrationErrors(*m_doc, m_log, CVexalonDoc::kErrorContinuousMode);
    return;
  }
  int result = 0;
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    result = m_doc->ReadParamsOfKind(CVexalonDoc::kAllKinds);
    if (result == 0) break;
  }
  if (result != 0) {
    Log(kStatusLine, u"ERROR: Failed to read infomem data");
    return;
  }
  std::vector<CString> lines;
  m_doc->FormatInfoMemory(lines, true);
  Log(kStatusLine, u"Infomem Raw Data");
  for (const CString& line : lines) Log(kDumpLine, line);
  std::int64_t lifetime = 0;
  std::int64_t calibration = 0;
  m_doc->FormatInfoMemory(lines, false, &lifetime, &calibration);
  Log(kStatusLine, u"Parameter Data");
  for (const CString& line : lines) Log(kDumpLine, line);
  CString text;
  if (lifetime != m_doc->m_lifetimeCounter) {
    text.Format(u"Mismatch Lifetime Counter: %lld vs %lld ", static_cast<long long>(m_doc->m_lifetimeCounter),
                static_cast<long long>(lifetime));
    Log(kStatusLine, text);
  }
  if (calibration != m_doc->m_calibrationCounter) {
    text.Format(u"Mismatch Calibration Counter: %lld vs %lld ",
                static_cast<long long>(m_doc->m_calibrationCounter), static_cast<long long>(calibration));
    Log(kStatusLine, text);
  }
  if (!device->LeaveDebugProtocol(false, true)) Log(kStatusLine, u"Failed to switch to default protocol.");
}

void CRestoreCalDlg::OnCancel() { OnExit(); }

void CRestoreCalDlg::OnExit() {
  CWaitCursorScope waitCursor;
  DropConnection();
  SaveSettings();
  EndDialog(IDCANCEL);
}
