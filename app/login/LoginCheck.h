#pragma once
// The login check that the connection wizard runs for the device the user chose, before it may
// go on with it: the device must grant every right the wizard's creator asks for.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CWnd;

namespace Device {
class CJvDevice;
}

// True when the device grants every bit of requiredRights (0x01 a password on the active
// profile, 0x02 super-user rights, 0x10 the cloud sign-in done or not needed). cloudEmail is the
// e-mail address the wizard remembers for the cloud sign-in; a sign-in may change it.
bool RunLoginCheck(CWnd* parent, Device::CJvDevice& device, WORD requiredRights, CString& cloudEmail);
