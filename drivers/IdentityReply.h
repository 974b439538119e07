#pragma once
// An instrument's identity line split into its fields. Every empty field keeps its place as
// "-" (";;" is replaced until none is left, so that any run of empty fields survives), then the
// line is split at ';'. Each instrument class maps the fields by its own reply layout.

#include <vector>

#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;

class CIdentityReply {
 public:
  // Field places shared by the layouts that begin with name, hardware revision, serial number,
  // signature and application version.
  enum : int { kName = 0, kHardware = 1, kSerial = 2, kSignature = 3, kAppVersion = 4, kSixth = 5 };

  static constexpr int kQueryTimeoutMs = 2000;

  // The application's answer to "@ID@"; false when it went unanswered.
  static bool Query(CJvCommands* commands, CString& reply);
  // The signature text read as a hexadecimal 32-bit number, as "%x" reads it.
  static bool ReadSignature(const CString& text, DWORD& value);
  // True when the signature's top byte is the class's device code.
  static bool CarriesDeviceCode(DWORD signature, BYTE deviceCode) { return (signature >> 24) == deviceCode; }
  // True when none of the five leading texts of the record is empty.
  static bool HasLeadingTexts(const SDeviceInfo& info);

  explicit CIdentityReply(const CString& reply);
  // True when the line holds at least `count` fields.
  bool HasFields(int count) const { return int(m_fields.size()) >= count; }
  // The field at `index`; empty when the line is shorter.
  CString Field(int index) const;
  // Copies name, hardware revision, serial number, signature and application version into
  // the record; false, with the record unchanged, when the line holds fewer than these five.
  bool ReadLeadingFields(SDeviceInfo& info) const;

 private:
  std::vector<CString> m_fields;
};

}  // namespace Device
