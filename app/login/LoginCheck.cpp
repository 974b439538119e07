#include "app/login/LoginCheck.h"

// No right is asked of the instruments this program connects to itself; a device that must
// grant one is refused until the device login and the cloud sign-in exist.
bool RunLoginCheck(CWnd*, Device::CJvDevice&, WORD requiredRights, CString&) { return requiredRights == 0; }
