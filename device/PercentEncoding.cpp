#include "device/PercentEncoding.h"

#include <string>

namespace {

bool IsUnreserved(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
         byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

}  // namespace

CString PercentEncode(const CString& text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char byte : text.ToUtf8()) {
    if (IsUnreserved(byte)) {
      encoded += char(byte);
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return CString::FromUtf8(encoded);
}
