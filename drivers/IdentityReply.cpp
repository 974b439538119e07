#include "drivers/IdentityReply.h"

#include <cctype>
#include <string>

#include "device/JvCommands.h"

namespace Device {

bool CIdentityReply::Query(CJvCommands* commands, CString& reply) {
  return commands && commands->QueryIdentity(reply, kQueryTimeoutMs);
}

bool CIdentityReply::ReadSignature(const CString& text, DWORD& value) {
  const std::string narrow = text.ToAnsi();
  size_t at = 0;
  while (at < narrow.size() && std::isspace(static_cast<unsigned char>(narrow[at]))) ++at;
  if (at + 1 < narrow.size() && narrow[at] == '0' && (narrow[at + 1] == 'x' || narrow[at + 1] == 'X') &&
      at + 2 < narrow.size() && std::isxdigit(static_cast<unsigned char>(narrow[at + 2])))
    at += 2;
  DWORD number = 0;
  const size_t first = at;
  for (; at < narrow.size() && std::isxdigit(static_cast<unsigned char>(narrow[at])); ++at) {
    const char digit = char(std::tolower(static_cast<unsigned char>(narrow[at])));
    number = (number << 4) | DWORD(digit <= '9' ? digit - '0' : digit - 'a' + 10);
  }
  if (at == first) return false;
  value = number;
  return true;
}

bool CIdentityReply::HasLeadingTexts(const SDeviceInfo& info) {
  return !info.deviceName.IsEmpty() && !info.appVersion.IsEmpty() && !info.serialNumber.IsEmpty() &&
         !info.hardwareRevision.IsEmpty() && !info.signature.IsEmpty();
}

CIdentityReply::CIdentityReply(const CString& reply) {
  CString kept = reply;
  while (kept.Replace(u";;", u";-;") > 0) {
  }
  int position = 0;
  for (CString field = kept.Tokenize(u";", position); position >= 0; field = kept.Tokenize(u";", position))
    m_fields.push_back(field);
}

CString CIdentityReply::Field(int index) const {
  return index >= 0 && index < int(m_fields.size()) ? m_fields[size_t(index)] : CString();
}

bool CIdentityReply::ReadLeadingFields(SDeviceInfo& info) const {
  if (!HasFields(kAppVersion + 1)) return false;
  info.deviceName = Field(kName);
  info.hardwareRevision = Field(kHardware);
  info.serialNumber = Field(kSerial);
  info.signature = Field(kSignature);
  info.appVersion = Field(kAppVersion);
  return true;
}

}  // namespace Device
