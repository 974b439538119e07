// The Durimo 3's own update steps: the hardware and operating-system checks and the
// programming of parts whose firmware announces two durations.

#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "drivers/Durimo3SeDevice.h"
#include "drivers/ProfileUpdateChecks.h"

namespace Device {
namespace {

constexpr CProfileUpdateChecks::SRevisionRule kRevisions{'H', 0x7FF};

}  // namespace

int CDurimo3SeDevice::UpdateCheckDevice(const CPackageHeader& header) {
  if (!IsConnected()) return eUpdateNotAttached;
  if (const int result = CJvDevice::UpdateCheckDevice(header)) return result;
  SDeviceIdent ident;
  if (m_info.osVersion.IsEmpty() && !Identify(ident)) return eUpdateCommunication;
  return CProfileUpdateChecks::CheckRevisionAndOs(m_info.hardwareRevision, m_info.osVersion, header,
                                                  kRevisions);
}

int CDurimo3SeDevice::UpdateWriteDataBlock(const SBlockRecord& record) {
  return UpdateTimedBlock(record, CProfileUpdateChecks::AsksSecondDuration(record));
}

}  // namespace Device
