#include "connection/DevFoundPage.h"

#include "connection/DevSelectSheet.h"
#include "device/DeviceThread.h"
#include "login/LoginCheck.h"
#include "platform/res/StringTable.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

constexpr DWORD kCancelWaitMs = 8000;
constexpr int kInfoTabStop = 100;

}  // namespace

CString MakePortText(const CString& portName) {
  CString text;
  if (portName.Left(3) == u"COM") {
    text = portName;
  } else if (portName.Left(3) == u"IP:") {
    text = portName.Left(portName.ReverseFind(u':'));
  } else if (portName.Left(7) == u"\\\\.\\COM") {
    text = u"COM" + portName.Mid(7);
  }
  return text.IsEmpty() ? text : CString(u"@ ") + text;
}

// clang-format off
BEGIN_MESSAGE_MAP(CDevFoundPage, CPropertyPage)
  .OnMessage(WM_START_DEVICE_SEARCH, &CDevFoundPage::OnStartSearch)
  .OnMessage(WM_SEARCH_DEVICE_FOUND, &CDevFoundPage::OnFound)
  .OnMessage(WM_SEARCH_STATUS_TEXT, &CDevFoundPage::OnStatus)
  .OnControl(CBN_SELCHANGE, IDC_WIZARD_DEVICES, &CDevFoundPage::OnSelectionChange)
  .OnDestroy(&CDevFoundPage::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CDevFoundPage::CDevFoundPage() : CPropertyPage(IDD_WIZARD_FOUND) {}

CDevFoundPage::~CDevFoundPage() {
  if (IsWindow()) DestroyWindow();
}

CDevSelectSheet& CDevFoundPage::Sheet() const { return static_cast<CDevSelectSheet&>(*GetSheet()); }

BOOL CDevFoundPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CDataExchange exchange(this, FALSE);
  DDX_Control(&exchange, IDC_WIZARD_DEVICES, m_deviceBox);
  if (auto* info = dynamic_cast<CEdit*>(GetDlgItem(IDC_WIZARD_DEVICE_INFO))) info->SetTabStops(kInfoTabStop);
  m_toolTip.Create(this);
  m_toolTip.AddTool(&m_deviceBox, IDS_TIP_DEVICES);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_STATUS), IDS_TIP_STATUS);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_DEVICE_INFO), IDS_TIP_DEVICE_INFO);
  m_toolTip.Activate(TRUE);
  return TRUE;
}

BOOL CDevFoundPage::OnSetActive() {
  Sheet().SetWizardButtons(PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
  ClearDevices();
  SetDlgItemText(IDC_WIZARD_DEVICE_INFO, u"");
  m_searching = true;
  PostMessage(WM_START_DEVICE_SEARCH);
  return CPropertyPage::OnSetActive();
}

LRESULT CDevFoundPage::OnStartSearch(WPARAM, LPARAM) {
  CDevSelectSheet& sheet = Sheet();
  m_searching = true;
  m_deviceBox.EnableWindow(FALSE);
  sheet.SetWizardButtons(PSWIZB_DISABLEDFINISH);
  Device::SSearchRequest request;
  const Device::CJvDevice* device = sheet.EnsureDevice();
  request.deviceType = device ? device->GetType() : sheet.m_deviceType;
  request.portKind = sheet.m_portKind;
  request.portNumber = sheet.m_comPort;
  request.scanAllPorts = sheet.m_scanAll;
  request.stopAtFirst = sheet.m_stopAtFirst;
  request.ipHost = sheet.m_address;
  if (!Device::AddSearchJob(this, &request)) OnSearchEnded();
  return 0;
}

void CDevFoundPage::OnDeviceFound(Device::CJvDevice* device) {
  if (!PostMessage(WM_SEARCH_DEVICE_FOUND, WPARAM(device))) delete device;
}

void CDevFoundPage::OnStatusText(const CString& text) {
  auto* copy = new CString(text);
  if (!PostMessage(WM_SEARCH_STATUS_TEXT, WPARAM(copy))) delete copy;
}

void CDevFoundPage::OnMessage(const CString&, int) {}
void CDevFoundPage::OnProgress(int, int, int) {}

LRESULT CDevFoundPage::OnStatus(WPARAM wParam, LPARAM) {
  std::unique_ptr<CString> text(reinterpret_cast<CString*>(wParam));
  SetDlgItemText(IDC_WIZARD_STATUS, text->GetString());
  return 0;
}

LRESULT CDevFoundPage::OnFound(WPARAM wParam, LPARAM) {
  std::unique_ptr<Device::CJvDevice> device(reinterpret_cast<Device::CJvDevice*>(wParam));
  if (!device) {
    OnSearchEnded();
    return 0;
  }
  SDeviceIdent ident;
  if (!device->QueryId(ident)) {
    CString status;
    GetDlgItemText(IDC_WIZARD_STATUS, status);
    SetDlgItemText(IDC_WIZARD_STATUS, (status + ResString(IDS_BAD_CONNECTION)).GetString());
    return 0;
  }
  CString entry;
  entry.Format(ResString(IDS_FOUND_DEVICE_ENTRY), ident.deviceName.GetString(),
               ident.serialNumber.GetString(), MakePortText(device->GetPortName()).GetString());
  m_devices.push_back(std::move(device));
  m_deviceBox.SetCurSel(m_deviceBox.AddString(entry.GetString()));
  return 0;
}

void CDevFoundPage::OnSearchEnded() {
  m_searching = false;
  if (!m_devices.empty()) {
    SetDlgItemText(IDC_WIZARD_STATUS, ResString(IDS_SEARCH_FOUND).GetString());
    m_deviceBox.EnableWindow(TRUE);
    Sheet().SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    ShowSelectedInfo();
    return;
  }
  SetDlgItemText(IDC_WIZARD_STATUS, ResString(IDS_SEARCH_NOTHING_FOUND).GetString());
  CString caption;
  Sheet().GetWindowText(caption);
  if (MessageBox(&Sheet(), ResString(IDS_NO_DEVICE_RETRY), caption, MB_RETRYCANCEL | MB_ICONQUESTION) ==
      IDRETRY) {
    m_searching = true;
    PostMessage(WM_START_DEVICE_SEARCH);
    return;
  }
  Sheet().SetWizardButtons(PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
}

void CDevFoundPage::OnSelectionChange() {
  if (m_deviceBox.GetCurSel() < 0) {
    Sheet().SetWizardButtons(PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
    SetDlgItemText(IDC_WIZARD_DEVICE_INFO, u"");
    return;
  }
  Sheet().SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
  ShowSelectedInfo();
}

void CDevFoundPage::ShowSelectedInfo() {
  const int index = m_deviceBox.GetCurSel();
  if (index < 0 || size_t(index) >= m_devices.size()) return;
  SetDlgItemText(IDC_WIZARD_DEVICE_INFO, m_devices[size_t(index)]->GetInfoText().GetString());
}

bool CDevFoundPage::HandOverSelected() {
  const int index = m_deviceBox.GetCurSel();
  if (index < 0 || size_t(index) >= m_devices.size()) return false;
  CDevSelectSheet& sheet = Sheet();
  if (!RunLoginCheck(this, *m_devices[size_t(index)], sheet.m_requiredLoginRights, sheet.m_cloudEmail))
    return false;
  sheet.m_device = std::move(m_devices[size_t(index)]);
  m_devices.erase(m_devices.begin() + index);
  m_deviceBox.DeleteString(UINT(index));
  return true;
}

LRESULT CDevFoundPage::OnWizardNext() { return HandOverSelected() ? 0 : -1; }

BOOL CDevFoundPage::OnWizardFinish() { return HandOverSelected(); }

LRESULT CDevFoundPage::OnWizardBack() {
  ClearDevices();
  return 0;
}

// The search is aborted before the wizard goes, so that no callback reaches a page that is
// gone.
void CDevFoundPage::OnCancel() { Device::AbortDeviceThread(kCancelWaitMs); }

void CDevFoundPage::OnDestroy() { ClearDevices(); }

void CDevFoundPage::ClearDevices() {
  m_devices.clear();
  if (m_deviceBox.IsWindow()) m_deviceBox.ResetContent();
}

BOOL CDevFoundPage::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTip.RelayEvent(msg);
  return CPropertyPage::PreTranslateMessage(msg);
}
