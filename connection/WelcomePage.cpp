#include "connection/WelcomePage.h"

#include "connection/DevSelectSheet.h"
#include "resources/ResourceIds.h"

CWelcomePage::CWelcomePage() : CPropertyPage(IDD_WIZARD_WELCOME) {}

CDevSelectSheet& CWelcomePage::Sheet() const { return static_cast<CDevSelectSheet&>(*GetSheet()); }

BOOL CWelcomePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CheckDlgButton(Sheet().m_express ? IDC_WIZARD_EXPRESS : IDC_WIZARD_CUSTOM, BST_CHECKED);
  m_toolTip.Create(this);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_EXPRESS), IDS_TIP_EXPRESS);
  m_toolTip.AddTool(GetDlgItem(IDC_WIZARD_CUSTOM), IDS_TIP_CUSTOM);
  m_toolTip.Activate(TRUE);
  return TRUE;
}

BOOL CWelcomePage::OnSetActive() {
  Sheet().SetWizardButtons(PSWIZB_NEXT);
  return CPropertyPage::OnSetActive();
}

LRESULT CWelcomePage::OnWizardNext() {
  Sheet().m_express = IsDlgButtonChecked(IDC_WIZARD_EXPRESS) == BST_CHECKED;
  return 0;
}

BOOL CWelcomePage::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_toolTip.RelayEvent(msg);
  return CPropertyPage::PreTranslateMessage(msg);
}
