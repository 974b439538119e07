#include "drivers/ProfileLogin.h"

#include "device/JvCommands.h"

namespace Device {
namespace {

constexpr WORD kPasswordAccepted = 0x04;
constexpr WORD kGrantedFlags = SDeviceLogin::kHasPassword | SDeviceLogin::kSuperUser | kPasswordAccepted;

}  // namespace

bool CProfileLogin::Send(CJvCommands& commands, SDeviceLogin& login, bool loginCapability) {
  if (!commands.LoginRemote(login)) return false;
  if (!loginCapability) login.flags |= SDeviceLogin::kCloudSignInDone;
  return true;
}

bool CProfileLogin::IsLoggedIn(const SDeviceLogin& login) {
  const WORD accepted = SDeviceLogin::kHasPassword | kPasswordAccepted;
  return (login.flags & SDeviceLogin::kHasPassword) == 0 || (login.flags & accepted) == accepted;
}

void CProfileLogin::Grant(SDeviceLogin& login, bool loginCapability) {
  login.flags = kGrantedFlags;
  if (!loginCapability) login.flags |= SDeviceLogin::kCloudSignInDone;
}

}  // namespace Device
