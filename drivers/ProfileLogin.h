#pragma once
// The remote login of the instruments with user profiles: "RLGI" with the user's name and
// password, whose reply sets the profile's flags.

#include "device/DeviceLogin.h"

namespace Device {

class CJvCommands;

class CProfileLogin {
 public:
  // Sends the login and completes the record's flags; false when it went unanswered.
  static bool Send(CJvCommands& commands, SDeviceLogin& login, bool loginCapability);
  // A profile without password, or one whose password was accepted.
  static bool IsLoggedIn(const SDeviceLogin& login);
  // Flags the record as logged in without asking, as instruments that know no login are.
  static void Grant(SDeviceLogin& login, bool loginCapability);
};

}  // namespace Device
