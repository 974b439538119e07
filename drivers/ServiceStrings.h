#pragma once
// The 12-byte commands of the instruments' boot loaders: "S", a command letter, the count "03",
// two address bytes and the checksum 0xFF minus the sum of count and address bytes, each byte
// as two upper-case hexadecimal digits, then CR LF.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;

class CServiceStrings {
 public:
  static constexpr const char* kEnterBootLoader = "SC030000FC\r\n";
  static constexpr const char* kBootLoaderCommand = "SC030102F9\r\n";
  static constexpr const char* kStateTwoOn = "SC030202F8\r\n";
  static constexpr const char* kStateBack = "SC030200FA\r\n";
  static constexpr const char* kErase = "SE030000FC\r\n";
  static constexpr const char* kLeave = "SX030000FC\r\n";
  static constexpr const char* kIdentity = "SI030000FC\r\n";
  static constexpr char kNoEcho = 0;
  static constexpr char kAccepted = 'G';
  static constexpr char kEraseEcho = 'E';
  static constexpr char kLeaveEcho = 'X';
  // The boot loader's identity is read into this many bytes and needs more than 3.
  static constexpr int kIdentitySize = 66;
  static constexpr int kIdentityMinimum = 4;

  // Writes the string; with an echo other than kNoEcho exactly that byte must come back.
  static bool Send(CJvCommands* commands, const char* text, char echo);
  // Sends the identity string and takes the bytes that came back as the identity line: exactly
  // those read, so that a full answer needs no room for an end mark.
  static bool ReadIdentity(CJvCommands* commands, CString& text);
};

}  // namespace Device
