#pragma once
// The result of a remote login on instruments with user profiles.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

struct SDeviceLogin {
  // The active user profile has a password.
  static constexpr WORD kHasPassword = 0x01;
  // The active user profile has super-user rights.
  static constexpr WORD kSuperUser = 0x02;
  // The cloud sign-in is done or not needed.
  static constexpr WORD kCloudSignInDone = 0x10;

  CString userName;
  CString password;
  WORD flags = 0;
  DWORD number = 0;  // sent as 8 hexadecimal digits by the login command
};
