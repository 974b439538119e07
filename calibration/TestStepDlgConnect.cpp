// The calibration dialog's connection: Connect, the end of a connect attempt and the
// disconnect that drives the instrument home first.

#include <cmath>

#include "appbase/LoadStringOrPlaceholder.h"
#include "calibration/DecimalText.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "calibration/Zd2SearchRequest.h"
#include "platform/base/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiCall.h"
#include "resources/ResourceIds.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT kBlinkMs = 500;
constexpr UINT kLiveLoadMs = 500;
constexpr DWORD kReaderStartMs = 200;
constexpr int kHomeRampSpeed = 450;  // N/s
constexpr DWORD kHomeSettleMs = 1000;
constexpr DWORD kHomePollMs = 500;
constexpr int kHomeMarginMs = 20000;

}  // namespace

void CTestStepDlg::OnConnect() {
  if (!m_doneEvent) m_doneEvent = std::make_unique<CEvent>(false, false);
  if (!m_abortEvent) m_abortEvent = std::make_unique<CEvent>(false, true);
  Disconnect();
  DeleteStepGrids();
  m_latestCurrent = 0;
  m_latestCounter = 0;
  m_batteryVoltage = 0.0;
  // A field that holds no number, not only an empty one: digits beyond the range of a number
  // would otherwise be read as some other port.
  int port = 0;
  if (!ParseDecimalText(m_portEdit.GetWindowTextString(), port)) {
    ShowBox(LoadStringOrPlaceholder(IDS_TESTSTEP_PORT_MISSING), MB_OK | MB_ICONERROR);
    return;
  }
  m_state = eNotConnected;
  m_doc->Reset();
  m_doc->m_calibratorInfo.class1Requirements = EResultState::eNotRequired;
  m_connection = std::make_unique<CConnVexa>(this, m_doc, kSampleMessage, false, kConnectResultMessage);
  BeginConnect();
}

void CTestStepDlg::BeginConnect() {
  ShowConnection(IDS_TESTSTEP_CONNECTING, kBlack);
  m_deviceInfoStatic.SetWindowText(u"");
  Log(kStatusLine, u"Connecting ...");
  m_log.UpdateWindow();
  const int port = int(GetDlgItemInt(IDC_TESTSTEP_PORT));
  m_connecting = true;
  m_connectingTicks = 0;
  SetTimer(kConnectingTimer, kBlinkMs);
  UpdateControls();
  m_connection->Connect(Zd2SerialSearch(port));
}

LRESULT CTestStepDlg::OnConnectResult(WPARAM, LPARAM) {
  KillTimer(kConnectingTimer);
  m_connecting = false;
  UpdateControls();
  if (!m_connection) return 0;
  if (m_connection->m_connectFailed || !m_connection->IsConnected()) {
    Disconnect();
    return 0;
  }
  if (!m_connection->StartReadThread()) return 0;
  Sleep(kReaderStartMs);
  if (!m_connection->IsReadThreadRunning()) {
    ShowConnection(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
    Log(kStatusLine, u"Not connected");
    return 0;
  }
  SetTimer(kLiveLoadTimer, kLiveLoadMs);
  m_comPort = m_connection->m_comPort;
  m_batteryVoltage = m_connection->m_batteryVoltage;
  ShowConnection(IDS_LIVE_CONNECTED, kConnectedColor);
  Log(kStatusLine, u"Connected");
  m_log.UpdateWindow();
  CString text;
  text.Format(u"%d", m_comPort);
  m_portEdit.SetWindowText(text);
  text.Format(u"S/N:%s  HW Revision:%s  SW Version:%s", m_doc->m_serialNumber, m_doc->m_hardwareRevision,
              m_doc->m_firmwareVersion);
  m_deviceInfoStatic.SetWindowText(text);
  m_state = eConnected;
  CheckDeviceSerial();
  UpdateControls();
  return 0;
}

void CTestStepDlg::Disconnect() {
  // One disconnect at a time: a second caller waits here (on the user-interface thread the
  // wait keeps messages flowing, so a worker's disconnect that hands its deletion over can end)
  // and then finds the connection gone.
  WaitForSingleObject(m_disconnectIdle, INFINITE);
  DisconnectOnce();
  m_disconnectIdle.SetEvent();
}

void CTestStepDlg::DisconnectOnce() {
  KillTimer(kConnectingTimer);
  KillTimer(kProcessTimer);
  KillTimer(kLiveLoadTimer);
  if (m_connection && m_doc->m_device) ReturnHome();
  ReleaseConnection();
  m_statusStatic.SetWindowText(u"");
  ShowConnection(IDS_LIVE_NOT_CONNECTED, kNotConnectedColor);
  Log(kStatusLine, u"Not connected");
  UpdateControls();
}

int CTestStepDlg::HomingTimeoutMs() const {
  return int(std::lround(m_stepPlan.maxLoad * 1000.0 / kHomeRampSpeed)) + kHomeMarginMs;
}

void CTestStepDlg::ReturnHome() {
  m_returningHome = true;
  UpdateControls();
  // The drive state is asked on the stream the reader reads; a reader still running would
  // take the answers away.
  m_connection->StopReadThread();
  Device::CVexalonDevice* device = m_doc->m_device;
  if (!device->SetRampSpeed(kHomeRampSpeed)) Log(kStatusLine, u"Failed to set ramp speed.", false);
  if (!device->SetDriveState(Device::CVexalonDevice::kDriveBack)) {
    Log(kStatusLine, u"Failed to send command to move ZD-2 back to the home position.");
  } else {
    const int timeoutMs = HomingTimeoutMs();
    Sleep(kHomeSettleMs);
    Log(kStatusLine, u"ZD-2 is returning to home position");
    int waitedMs = 0;
    while (device->ReadDriveState() != Device::CVexalonDevice::kDriveStop) {
      Sleep(kHomePollMs);
      waitedMs += int(kHomePollMs);
      if (ULONGLONG(waitedMs) > TimeoutSpan(ULONGLONG(timeoutMs))) {
        Log(kStatusLine, u"Error: Exceeded time out before reaching the home position.");
        break;
      }
    }
  }
  m_returningHome = false;
  UpdateControls();
}

void CTestStepDlg::ReleaseConnection() {
  if (!m_connection) return;
  // The connection withdraws a search still running for it when it goes. It takes the dialog's
  // queued samples back and timer 104 reads it, both on the user-interface thread: it goes
  // there.
  CallOnUiThread([this] { m_connection.reset(); });
}
