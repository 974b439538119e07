#pragma once
// Asks for the user profile and password of a device that refused the remote login, and logs
// the device in with them. Ends with IDOK once the device has accepted a login.

#include "platform/ui/Dialog.h"

namespace Device {
class CJvDevice;
}

class CRemoteLoginDlg : public CDialog {
 public:
  // The device is borrowed; without one the dialog ends at once with IDCANCEL.
  explicit CRemoteLoginDlg(Device::CJvDevice* device, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  Device::CJvDevice* m_pDevice;
};
