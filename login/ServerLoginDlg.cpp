#include "login/ServerLoginDlg.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/JvDevice.h"
#include "device/PercentEncoding.h"
#include "login/CloudAnswer.h"
#include "login/CloudService.h"
#include "login/LoginMessage.h"
#include "platform/net/HttpsRequest.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char16_t* kTokenPath = u"/api/token/get/";
constexpr const char16_t* kUploadPath = u"/api/account/device/log/";
constexpr long kHttpOk = 200;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CServerLoginDlg, CDialog)
  .OnCommand(IDC_SERVER_REGISTER, &CServerLoginDlg::OnRegister)
END_MESSAGE_MAP()
// clang-format on

CServerLoginDlg::CServerLoginDlg(Device::CJvDevice* device, CWnd* parent)
    : CDialog(IDD_SERVER_LOGIN, parent), m_pDevice(device) {}

BOOL CServerLoginDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_pDevice) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  m_errorTexts = {{u"ErrorWrongLoginCredentials", IDS_CLOUD_WRONG_CREDENTIALS},
                  {u"ErrorEmailNotVerified", IDS_CLOUD_EMAIL_NOT_VERIFIED},
                  {u"InvalidDeviceName", IDS_CLOUD_INVALID_DEVICE_NAME}};
  CString prompt;
  prompt.Format(LoadStringOrPlaceholder(IDS_SERVER_LOGIN_PROMPT), GetCloudServiceHost());
  SetDlgItemText(IDC_SERVER_LOGIN_PROMPT, prompt);
  SetDlgItemText(IDC_LOGIN_NAME, m_strEmail);
  return TRUE;
}

void CServerLoginDlg::OnOK() {
  GetDlgItemText(IDC_LOGIN_NAME, m_strEmail);
  GetDlgItemText(IDC_LOGIN_PASSWORD, m_strPassword);
  if (SignIn()) {
    m_pDevice->SetLoginCapabilityFlag(true);
    EndDialog(IDOK);
    return;
  }
  CString text = LoadStringOrPlaceholder(IDS_LOGIN_FAILED);
  if (!m_strError.IsEmpty()) text += u"\r\n\r\n" + m_strError;
  if (ShowLoginMessage(this, text, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) {
    m_pDevice->SetLoginCapabilityFlag(false);
    EndDialog(IDCANCEL);
  }
}

void CServerLoginDlg::OnRegister() {
  ShellExecute(GetSafeHwnd(), u"open", GetCloudServiceUrl(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CServerLoginDlg::SignIn() {
  CWaitCursorScope waitCursor;
  m_strError.Empty();
  long status = 0;
  CString answer;
  const CString tokenForm = u"username=" + PercentEncode(m_strEmail) + u"&password=" +
                            PercentEncode(m_strPassword) + u"&grant_type=password&client_id=" +
                            PercentEncode(m_strEmail);
  if (!Post(kTokenPath, CString(), tokenForm, status, answer)) return false;
  if (status != kHttpOk) {
    ReadErrorText(answer);
    return false;
  }
  CString token;
  if (!FindAccessToken(answer, token)) return false;
  if (!Post(kUploadPath, u"Bearer " + token, m_pDevice->GetDeviceInfoPairs(), status, answer)) return false;
  if (status == kHttpOk) return true;
  ReadErrorText(answer);
  return false;
}

bool CServerLoginDlg::Post(const CString& path, const CString& authorization, const CString& body,
                           long& status, CString& answer) {
  CHttpsRequest request;
  request.SetExtraCertificates(GetCloudCertificates());
  bool made = request.Open(u"POST", GetCloudServiceUrl() + path, true) &&
              request.SetRequestHeader(u"Content-Type", u"application/x-www-form-urlencoded");
  if (made && !authorization.IsEmpty()) made = request.SetRequestHeader(u"Authorization", authorization);
  if (!made || !request.Send(body)) {
    m_strError = LoadStringOrPlaceholder(IDS_CLOUD_EXCEPTION);
    return false;
  }
  status = request.GetStatus();
  answer = request.GetResponseText();
  return true;
}

void CServerLoginDlg::ReadErrorText(const CString& answer) {
  if (!IsErrorAnswer(answer)) return;
  const CString code = FindErrorCode(answer);
  if (const auto known = m_errorTexts.find(code); known != m_errorTexts.end()) {
    m_strError = LoadStringOrPlaceholder(known->second);
    return;
  }
  FindErrorDescription(answer, m_strError);
  if (m_strError.IsEmpty()) m_strError = code;
}
