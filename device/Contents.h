#pragma once
// The firmware contents of an instrument or of an update package: each content (application,
// operating system, boot loader and the like) with its type and version.

#include <vector>

#include "device/Version.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

struct SContentEntry {
  // Tag present; the size value's unit is 0x10, 0x20 or 0x40; 0x80 in a choice handed to an
  // update job: do not apply this content.
  BYTE flags = 0;
  BYTE kind = 0;
  int contentType = 0;  // 0 to 12; 1 is an application firmware
  CVersion version;     // a.b.c.0
  CString tag;          // three characters when flag 0x02 is set
  WORD firstBlock = 0;
  WORD blockCount = 0;
  CString sizeText;
};

class CContents {
 public:
  virtual ~CContents() = default;

  CVersion m_version;
  std::vector<SContentEntry> m_entries;
};

}  // namespace Device
