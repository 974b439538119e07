#include "connection/PortSelectPage.h"

#include "connection/DevSelectSheet.h"
#include "device/DeviceTypes.h"
#include "platform/res/StringTable.h"
#include "platform/ui/DataExchange.h"
#include "resources/ResourceIds.h"

namespace {

constexpr UINT kFirstComPort = 1;
constexpr UINT kLastComPort = 9999;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CPortSelectPage, CPropertyPage)
  .OnControl(CBN_SELCHANGE, IDC_WIZARD_PORT_KIND, &CPortSelectPage::EnableControls)
  .OnBnClicked(IDC_WIZARD_SCAN, &CPortSelectPage::EnableControls)
  .OnBnClicked(IDC_WIZARD_PORT_HELP, &CPortSelectPage::OnHelpButton)
END_MESSAGE_MAP()
// clang-format on

CPortSelectPage::CPortSelectPage() : CPropertyPage(IDD_WIZARD_PORT) {}

CDevSelectSheet& CPortSelectPage::Sheet() const { return static_cast<CDevSelectSheet&>(*GetSheet()); }

void CPortSelectPage::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_WIZARD_PORT_KIND, m_kindBox);
  DDX_Control(dx, IDC_WIZARD_ADDRESS, m_address);
  DDX_Text(dx, IDC_WIZARD_COM_PORT, m_comPort);
  DDV_MinMaxUInt(dx, m_comPort, kFirstComPort, kLastComPort);
  DDX_Check(dx, IDC_WIZARD_SCAN, m_scanAll);
  DDX_Check(dx, IDC_WIZARD_STOP_SCAN, m_stopAtFirst);
}

BOOL CPortSelectPage::OnInitDialog() {
  CDevSelectSheet& sheet = Sheet();
  m_comPort = UINT(sheet.m_comPort);
  m_scanAll = sheet.m_scanAll ? 1 : 0;
  m_stopAtFirst = sheet.m_stopAtFirst ? 1 : 0;
  CPropertyPage::OnInitDialog();
  if (!sheet.m_address.IsEmpty()) m_address.SetAddressText(sheet.m_address);
  if (sheet.m_hideHelp) GetDlgItem(IDC_WIZARD_PORT_HELP)->ShowWindow(SW_HIDE);
  m_toolTip.Create(this);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_SCAN), IDS_TIP_SCAN);
  m_toolTip.AddTool(&m_address, IDS_TIP_ADDRESS);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_COM_PORT), IDS_TIP_COM_PORT);
  m_toolTip.AddTool(&m_kindBox, IDS_TIP_PORT_KIND);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_STOP_SCAN), IDS_TIP_STOP_SCAN);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_PORT_HELP), IDS_TIP_HELP);
  m_toolTip.Activate(TRUE);
  return TRUE;
}

BOOL CPortSelectPage::OnSetActive() {
  CDevSelectSheet& sheet = Sheet();
  sheet.SetWizardButtons(sheet.m_pagesLeftOut < 2 ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_NEXT);
  const Device::CJvDevice* device = sheet.EnsureDevice();
  const int mask = device ? device->GetPortMask() : 0;
  m_kindBox.ResetContent();
  m_kinds.clear();
  const std::pair<int, UINT> kinds[] = {{Device::ePortUsb, IDS_PORT_KIND_USB},
                                        {Device::ePortIp, IDS_PORT_KIND_ETHERNET},
                                        {Device::ePortSerial, IDS_PORT_KIND_SERIAL}};
  for (const auto& [kind, text] : kinds) {
    if (!(mask & kind)) continue;
    m_kindBox.AddString(ResString(text).GetString());
    m_kinds.push_back(kind);
  }
  int selected = 0;
  for (size_t i = 0; i < m_kinds.size(); ++i)
    if (m_kinds[i] == sheet.m_portKind) selected = int(i);
  if (!m_kinds.empty()) m_kindBox.SetCurSel(selected);
  EnableControls();
  return CPropertyPage::OnSetActive();
}

int CPortSelectPage::SelectedKind() const {
  const int index = m_kindBox.GetCurSel();
  return index >= 0 && size_t(index) < m_kinds.size() ? m_kinds[size_t(index)] : Device::ePortNone;
}

void CPortSelectPage::EnableControls() {
  const int kind = SelectedKind();
  const bool serial = kind == Device::ePortSerial;
  const bool scan = IsDlgButtonChecked(IDC_WIZARD_SCAN) == BST_CHECKED;
  GetDlgItem(IDC_WIZARD_SCAN)->EnableWindow(serial);
  GetDlgItem(IDC_WIZARD_COM_PORT)->EnableWindow(serial && !scan);
  m_address.EnableWindow(kind == Device::ePortIp);
  GetDlgItem(IDC_WIZARD_STOP_SCAN)->EnableWindow(serial && scan);
}

// Next takes the values; a COM number outside its range keeps the page.
BOOL CPortSelectPage::OnKillActive() {
  if (!CPropertyPage::OnKillActive()) return FALSE;
  CDevSelectSheet& sheet = Sheet();
  sheet.m_portKind = SelectedKind();
  sheet.m_address = m_address.GetAddressText();
  sheet.m_comPort = int(m_comPort);
  sheet.m_scanAll = m_scanAll != 0;
  sheet.m_stopAtFirst = m_stopAtFirst != 0;
  return TRUE;
}

void CPortSelectPage::OnHelpButton() { OpenWizardHelp(kHelpTopicPort); }

BOOL CPortSelectPage::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTip.RelayEvent(msg);
  return CPropertyPage::PreTranslateMessage(msg);
}
