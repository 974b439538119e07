#include "drivers/InstalledContent.h"

namespace Device {

SContentEntry InstalledContent(int contentType, BYTE kind, const CString& version) {
  SContentEntry entry;
  entry.contentType = contentType;
  entry.kind = kind;
  entry.flags = 1;
  entry.version = CVersion(version);
  return entry;
}

}  // namespace Device
