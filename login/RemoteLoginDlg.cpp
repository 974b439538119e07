#include "login/RemoteLoginDlg.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/JvDevice.h"
#include "login/LoginMessage.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

CRemoteLoginDlg::CRemoteLoginDlg(Device::CJvDevice* device, CWnd* parent)
    : CDialog(IDD_REMOTE_LOGIN, parent), m_pDevice(device) {}

BOOL CRemoteLoginDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_pDevice) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  SetDlgItemText(IDC_LOGIN_NAME, m_pDevice->GetLogin().userName);
  return TRUE;
}

void CRemoteLoginDlg::OnOK() {
  SDeviceLogin login;
  GetDlgItemText(IDC_LOGIN_NAME, login.userName);
  GetDlgItemText(IDC_LOGIN_PASSWORD, login.password);
  if (m_pDevice->RemoteLogin(login)) {
    EndDialog(IDOK);
    return;
  }
  if (ShowLoginMessage(this, LoadStringOrPlaceholder(IDS_LOGIN_FAILED),
                       MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
    EndDialog(IDCANCEL);
}
