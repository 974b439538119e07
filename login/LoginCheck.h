#pragma once
// The login check that the connection wizard runs for the device the user chose, before it may
// go on with it: the device must grant every right the wizard's creator asks for. It logs the
// device in (asking for a profile and password when the device refuses), signs in to the cloud
// service where the device needs that, and tells the user which right is missing, until the
// device grants them all or the user gives up.

#include "device/DeviceLogin.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CWnd;

namespace Device {
class CJvDevice;
}

class CLoginCheck {
 public:
  // requiredRights holds the bits of SDeviceLogin's flags: 0x01 a password on the active
  // profile, 0x02 super-user rights, 0x10 the cloud sign-in done or not needed. cloudEmail is
  // the e-mail address the wizard remembers for the cloud sign-in; a sign-in replaces it.
  CLoginCheck(CWnd* parent, Device::CJvDevice& device, WORD requiredRights, CString& cloudEmail);

  // True when the device grants every required right.
  bool Run();
  // The device's answer to the last login, with the rights the check has gained since.
  const SDeviceLogin& GetLogin() const { return m_login; }

 private:
  enum class EStep { kPass, kFail, kNext };

  EStep LogIn();
  EStep SignInToCloud();
  // Asks the user to mend a missing right and retry; kFail when the user cancels.
  EStep AskForRight(WORD right, const CString& text);

  CWnd* m_parent;
  Device::CJvDevice& m_device;
  WORD m_required;
  CString& m_cloudEmail;
  SDeviceLogin m_login;
  bool m_askedUser = false;  // in this round
};

// Runs the check of CLoginCheck.
bool RunLoginCheck(CWnd* parent, Device::CJvDevice& device, WORD requiredRights, CString& cloudEmail);
