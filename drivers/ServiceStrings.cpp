#include "drivers/ServiceStrings.h"

#include <cstring>
#include <string_view>

#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "platform/base/FileException.h"

namespace Device {

bool CServiceStrings::Send(CJvCommands* commands, const char* text, char echo) {
  return commands &&
         commands->SendWithEcho(reinterpret_cast<const BYTE*>(text), int(std::strlen(text)), echo);
}

bool CServiceStrings::ReadIdentity(CJvCommands* commands, CString& text) {
  if (!Send(commands, kIdentity, kNoEcho)) return false;
  char buffer[kIdentitySize] = {};
  int count = 0;
  try {
    count = commands->GetStream()->Read(buffer, kIdentitySize);
  } catch (const CFileException&) {
    return false;
  }
  if (count < kIdentityMinimum) return false;
  text = CString::FromAnsi(std::string_view(buffer, size_t(count)));
  return true;
}

}  // namespace Device
