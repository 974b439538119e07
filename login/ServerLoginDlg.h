#pragma once
// The sign-in to the maker's cloud service. "Sign in" asks the service for a token with the
// e-mail and password and uploads the device's identity pairs with it; success marks the
// device's cloud sign-in as done and ends the dialog with IDOK. "Register" opens the
// service's web site.

#include <map>

#include "platform/ui/Dialog.h"

namespace Device {
class CJvDevice;
}

class CServerLoginDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // The device is borrowed; without one the dialog ends at once with IDCANCEL.
  explicit CServerLoginDlg(Device::CJvDevice* device, CWnd* parent = nullptr);

  // The e-mail address the dialog starts with, and after it the one last used to sign in.
  void SetEmail(const CString& email) { m_strEmail = email; }
  const CString& GetEmail() const { return m_strEmail; }

  // The token request and the upload, with the e-mail and password held; blocks until the
  // service has answered both.
  bool SignIn();

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void OnRegister();
  // The form request to the path of the service, with an "Authorization" header unless
  // `authorization` is empty; false when no answer came.
  bool Post(const CString& path, const CString& authorization, const CString& body, long& status,
            CString& answer);
  // The error text an error answer carries.
  void ReadErrorText(const CString& answer);

  CString m_strEmail;
  CString m_strPassword;
  CString m_strError;
  std::map<CString, UINT> m_errorTexts;
  Device::CJvDevice* m_pDevice;
};
