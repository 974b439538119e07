#include "login/LoginCheck.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/JvDevice.h"
#include "login/CloudService.h"
#include "login/LoginMessage.h"
#include "login/RemoteLoginDlg.h"
#include "login/ServerLoginDlg.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

CLoginCheck::CLoginCheck(CWnd* parent, Device::CJvDevice& device, WORD requiredRights, CString& cloudEmail)
    : m_parent(parent), m_device(device), m_required(requiredRights), m_cloudEmail(cloudEmail) {}

bool CLoginCheck::Run() {
  if (m_required == 0) return true;
  CString cloudRequest;
  cloudRequest.Format(LoadStringOrPlaceholder(IDS_LOGIN_CLOUD_REQUIRED), GetCloudServiceHost());
  // Each round logs in again with what the last one gained, until every right is granted.
  for (;;) {
    m_askedUser = false;
    if (LogIn() == EStep::kFail || SignInToCloud() == EStep::kFail) return false;
    if (AskForRight(SDeviceLogin::kSuperUser, LoadStringOrPlaceholder(IDS_LOGIN_NO_SUPER_USER)) ==
            EStep::kFail ||
        AskForRight(SDeviceLogin::kHasPassword, LoadStringOrPlaceholder(IDS_LOGIN_NO_PASSWORD)) ==
            EStep::kFail ||
        AskForRight(SDeviceLogin::kCloudSignInDone, cloudRequest) == EStep::kFail)
      return false;
    if ((m_login.flags & m_required) == m_required) return true;
    // Another round can only gain what the user was asked to mend; a right that no step asks
    // for would otherwise have the device asked again and again, with no way out.
    if (!m_askedUser) return false;
  }
}

CLoginCheck::EStep CLoginCheck::LogIn() {
  if (m_device.RemoteLogin(m_login)) return EStep::kNext;
  if (!(m_login.flags & SDeviceLogin::kHasPassword)) {
    ShowLoginMessage(m_parent, LoadStringOrPlaceholder(IDS_DEVICE_LOGIN_UNKNOWN_ERROR), MB_OK | MB_ICONERROR);
    return EStep::kFail;
  }
  m_askedUser = true;
  CRemoteLoginDlg dialog(&m_device, m_parent);
  if (dialog.DoModal() != IDOK) return EStep::kFail;
  m_login = m_device.GetLogin();
  return EStep::kNext;
}

CLoginCheck::EStep CLoginCheck::SignInToCloud() {
  if (!(m_required & SDeviceLogin::kCloudSignInDone) || !m_device.QueryLoginCapability() ||
      (m_login.flags & SDeviceLogin::kCloudSignInDone))
    return EStep::kNext;
  m_askedUser = true;
  CServerLoginDlg dialog(&m_device, m_parent);
  dialog.SetEmail(m_cloudEmail);
  if (dialog.DoModal() != IDOK) return EStep::kFail;
  m_login = m_device.GetLogin();
  m_cloudEmail = dialog.GetEmail();
  return EStep::kNext;
}

CLoginCheck::EStep CLoginCheck::AskForRight(WORD right, const CString& text) {
  if (!(m_required & right) || (m_login.flags & right)) return EStep::kNext;
  m_askedUser = true;
  if (ShowLoginMessage(m_parent, text, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) return EStep::kFail;
  return EStep::kNext;
}

bool RunLoginCheck(CWnd* parent, Device::CJvDevice& device, WORD requiredRights, CString& cloudEmail) {
  return CLoginCheck(parent, device, requiredRights, cloudEmail).Run();
}
