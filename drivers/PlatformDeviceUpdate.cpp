// The Platform's update steps: hardware, operating-system and battery checks, the mode
// changes around each part with the key block, the part's data in checked chunks, and the end
// of the link when the instrument restarts.

#include <algorithm>

#include "device/Callback.h"
#include "device/DecimalText.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "drivers/PlatformDevice.h"
#include "drivers/ProfileUpdateChecks.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr CProfileUpdateChecks::SRevisionRule kRevisions{'Z', 0x1FFF};
constexpr int kOsContent = 2;
constexpr int kMinimumBatteryMv = 3700;
constexpr char16_t kMainsPower[] = u"AC_LINE_ONLINE";
// Packages with fewer parts than this show the progress of each mode change.
constexpr DWORD kProgressPartLimit = 10;
constexpr int kChunkSize = 8192;
constexpr BYTE kModeMask = 0x0F;
// A part after which the instrument restarts: a mode after it of 0, or a forced run mode.
constexpr BYTE kRestartMask = 0x2F;
constexpr BYTE kRestartRunMode = 0x21;

void ReportDone(CCallback* callback) {
  if (callback && callback->m_bProgressWanted) callback->OnProgress(100, 1, 0);
}

}  // namespace

bool CPlatformDevice::HasPowerForUpdate() {
  SPowerState state;
  if (!QueryPowerState(state) || state.fields[6] == CString(kMainsPower)) return true;
  int millivolts = 0;
  return !ReadDecimal(state.fields[0].ToAnsi(), millivolts) || millivolts >= kMinimumBatteryMv;
}

int CPlatformDevice::CheckDeviceAndRevision(const CPackageHeader& header) {
  if (!IsConnected()) return eUpdateNotAttached;
  if (const int result = CJvDevice::UpdateCheckDevice(header)) return result;
  SDeviceIdent ident;
  if (m_info.osVersion.IsEmpty() && !Identify(ident)) return eUpdateCommunication;
  if (m_info.hardwareRevision.IsEmpty() || m_info.osVersion.IsEmpty()) return eUpdateNotAttached;
  return CProfileUpdateChecks::CheckHardware(m_info.hardwareRevision, header, kRevisions);
}

int CPlatformDevice::UpdatePrepare(const CContents& contents, const CPackageHeader& header) {
  if (const int result = CheckDeviceAndRevision(header)) return result;
  if (!CProfileUpdateChecks::RequiresOsVersion(header)) return eUpdateOk;
  // The package's own operating system is what the instrument will run.
  const auto os = std::find_if(contents.m_entries.begin(), contents.m_entries.end(),
                               [](const SContentEntry& entry) { return entry.contentType == kOsContent; });
  if (os == contents.m_entries.end()) return eUpdateNotAttached;
  return CProfileUpdateChecks::CheckOsVersion(os->version, header);
}

int CPlatformDevice::UpdateCheckDevice(const CPackageHeader& header) {
  if (const int result = CheckDeviceAndRevision(header)) return result;
  CString version = m_info.osVersion;
  version.Remove(u' ');
  if (const int result = CProfileUpdateChecks::CheckOsVersion(CVersion(version), header)) return result;
  return HasPowerForUpdate() ? eUpdateOk : eUpdateBattery;
}

int CPlatformDevice::UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands() || !GetStream()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_MODE);
  if (Callback() && header.m_trailerValue2 < kProgressPartLimit) Callback()->m_bProgressWanted = true;
  GetStream()->CancelIo();
  GetStream()->Purge();
  bool switched = false;
  if (!Commands()->ChangeMode(record.ModeByte(), switched, Callback(), CJvCommands::kModeWaitFactor))
    return eUpdateModeChange;
  if ((record.ModeByte() & SBlockRecord::kWriteBlock128) && (switched || !IsBlockWritten())) {
    if (!Commands()->WriteBlock128(header.m_block128.data(), GetBlockCheckKind())) return eUpdateBlock128;
    SetBlockWritten(true);
  }
  ReportDone(Callback());
  return eUpdateOk;
}

int CPlatformDevice::UpdateWriteData(const SBlockRecord& record) {
  if (!Commands() || !SecondStream() || !SecondStream()->IsOpen()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_TRANSFER_BLOCK);
  const int length = int(record.DataLength());
  if (Commands()->WriteDataBlock(SecondStream(), length, GetBlockCheckKind(), kChunkSize, Callback()) ==
      length)
    return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

int CPlatformDevice::UpdateWriteDataBlock(const SBlockRecord& record) {
  return UpdateTimedBlock(record, CProfileUpdateChecks::AsksSecondDuration(record));
}

int CPlatformDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_RUN_MODE);
  const BYTE after = record.ModeAfter();
  if ((after & kModeMask) == 0 || (after & kRestartMask) == kRestartRunMode) m_restartPending = true;
  if ((record.ModeByte() & kModeMask) != (after & kModeMask) || (after & SBlockRecord::kForceModeChange)) {
    bool switched = false;
    if (!Commands()->ChangeMode(after, switched, Callback(), CJvCommands::kModeWaitFactor))
      return eUpdateModeChange;
  }
  if ((after & SBlockRecord::kWriteBlock128) && !IsBlockWritten()) {
    if (!Commands()->WriteBlock128(header.m_block128.data(), GetBlockCheckKind())) return eUpdateBlock128;
    SetBlockWritten(true);
  }
  ReportDone(Callback());
  return eUpdateOk;
}

int CPlatformDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (Callback()) {
    Callback()->OnStatusText(ResString(IDS_UPDATE_FINISHED));
    Callback()->OnProgress(100, 1, 0);
  }
  if (m_restartPending) {
    DropConnection();
    m_restartPending = false;
  }
  return eUpdateOk;
}

}  // namespace Device
