#pragma once
// The checks before an update of the instruments with an operating system: the package's
// hardware-revision range and its required operating-system version, both kept in the
// package trailer (the version as major << 16 | minor, 0 for none; the range as two words,
// 0 for no limit).

#include "device/PackageHeader.h"
#include "device/Version.h"
#include "platform/base/String.h"

namespace Device {

class CProfileUpdateChecks {
 public:
  // The revision letters an instrument class knows and the bits of a revision value its
  // limits compare.
  struct SRevisionRule {
    char lastLetter;
    WORD mask;
  };

  // 0 when the package sets no limit or the revision ("C12": letter and number) lies within
  // it, else the hardware-revision error.
  // The revision and version checks of an identified instrument: both must be known.
  static int CheckRevisionAndOs(const CString& revision, const CString& osVersion,
                                const CPackageHeader& header, SRevisionRule rule);
  // Parts whose mode nibble 2 in byte 12 announces two durations.
  static bool AsksSecondDuration(const SBlockRecord& record) { return (record.bytes[12] & 0x0F) == 2; }
  static int CheckHardware(const CString& revision, const CPackageHeader& header, SRevisionRule rule);
  static bool RequiresOsVersion(const CPackageHeader& header);
  static CVersion RequiredOsVersion(const CPackageHeader& header);
  // 0 when the package requires no version or `version` meets it: not lower, same major part.
  static int CheckOsVersion(const CVersion& version, const CPackageHeader& header);
};

}  // namespace Device
