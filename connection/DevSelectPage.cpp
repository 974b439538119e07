#include "connection/DevSelectPage.h"

#include "connection/DevSelectSheet.h"
#include "device/DeviceFactory.h"
#include "platform/ui/DataExchange.h"
#include "resources/ResourceIds.h"

// clang-format off
BEGIN_MESSAGE_MAP(CDevSelectPage, CPropertyPage)
  .OnControl(CBN_SELCHANGE, IDC_WIZARD_DEVICE_TYPE, &CDevSelectPage::OnTypeChange)
END_MESSAGE_MAP()
// clang-format on

CDevSelectPage::CDevSelectPage() : CPropertyPage(IDD_WIZARD_DEVICE_TYPE) {}

CDevSelectSheet& CDevSelectPage::Sheet() const { return static_cast<CDevSelectSheet&>(*GetSheet()); }

BOOL CDevSelectPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CDataExchange exchange(this, FALSE);
  DDX_Control(&exchange, IDC_WIZARD_DEVICE_TYPE, m_types);
  std::vector<int> types = Sheet().m_allowedTypes;
  if (types.empty()) {
    for (int type = 0; type <= kLastDeviceType; ++type)
      if (Device::GetDeviceTypeName(type)) types.push_back(type);
  }
  for (int type : types) {
    const char16_t* name = Device::GetDeviceTypeName(type);
    const int index = m_types.AddString(name ? name : u"");
    m_types.SetItemData(index, DWORD_PTR(type));
    if (type == Sheet().m_deviceType) m_types.SetCurSel(index);
  }
  m_toolTip.Create(this);
  m_toolTip.AddTool(&m_types, IDS_TIP_DEVICE_TYPE);
  m_toolTip.Activate(TRUE);
  return TRUE;
}

BOOL CDevSelectPage::OnSetActive() {
  Sheet().SetWizardButtons(Sheet().GetPage(0) == this ? PSWIZB_NEXT : PSWIZB_BACK | PSWIZB_NEXT);
  return CPropertyPage::OnSetActive();
}

void CDevSelectPage::OnTypeChange() {
  if (CWnd* cancel = Sheet().GetDlgItem(IDCANCEL)) cancel->EnableWindow(m_types.GetCurSel() >= 0);
}

// A held device of the chosen type is kept; any other gives way to a new one.
LRESULT CDevSelectPage::OnWizardNext() {
  const int index = m_types.GetCurSel();
  if (index < 0) return 0;
  const int type = int(m_types.GetItemData(index));
  Sheet().m_deviceType = type;
  if (!Sheet().m_device || Sheet().m_device->GetType() != type) Sheet().m_device = Device::CreateDevice(type);
  return 0;
}

BOOL CDevSelectPage::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTip.RelayEvent(msg);
  return CPropertyPage::PreTranslateMessage(msg);
}
