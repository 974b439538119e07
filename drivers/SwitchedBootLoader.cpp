#include "drivers/SwitchedBootLoader.h"

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "drivers/DeviceInfoText.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "drivers/ServiceStrings.h"
#include "platform/base/Clock.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kMinimumTimeoutMs = 3000;
constexpr int kSwitchRequestTimeoutMs = 3000;
constexpr int kEnterBurst = 15;
constexpr int kEnterPauseMs = 50;
constexpr BYTE kNoStateChange = 0x08;

// The erase reports its progress whether or not the callback asked for progress reports.
void ReportProgress(CCallback* callback, int percent) {
  if (callback) callback->OnProgress(percent, 1, 0);
}

}  // namespace

bool CSwitchedBootLoader::Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident) {
  if (!commands) return false;
  CString line;
  if (CIdentityReply::Query(commands, line)) {
    if (m_state == kStateOff) m_state = kStateTwo;
    m_mode = kApplicationMode;
  } else {
    if (!QueryBootloaderIdentity(commands, line)) return false;
    m_mode = kBootLoaderMode;
  }
  const CIdentityReply reply(line);
  if (!reply.ReadLeadingFields(m_info)) return false;
  if (m_sixthField) m_sixth = reply.Field(CIdentityReply::kSixth);
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  m_signatureValue = signature;
  return CIdentityReply::HasLeadingTexts(m_info) && CIdentityReply::CarriesDeviceCode(signature, deviceCode);
}

bool CSwitchedBootLoader::QueryApplicationId(CJvCommands* commands, SDeviceIdent& ident) {
  if (!commands || !commands->QueryId(ident)) return false;
  if (m_state == kStateOff) m_state = kStateTwo;
  m_mode = kApplicationMode;
  return true;
}

CString CSwitchedBootLoader::InfoText() const { return DeviceInfoText(m_info); }

void CSwitchedBootLoader::FillFirmwareList(CContents& contents) const {
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
}

bool CSwitchedBootLoader::QueryBootloaderIdentity(CJvCommands* commands, CString& text) {
  const bool turnOn = m_state == kStateOff;
  if (turnOn) {
    if (!CServiceStrings::Send(commands, CServiceStrings::kStateTwoOn, CServiceStrings::kAccepted))
      return false;
    m_state = kStateTwo;
  }
  if (!CServiceStrings::ReadIdentity(commands, text)) return false;
  if (turnOn) {
    if (!CServiceStrings::Send(commands, CServiceStrings::kStateBack, CServiceStrings::kAccepted))
      return false;
    m_state = kStateOff;
  }
  return true;
}

bool CSwitchedBootLoader::EnterBootloaderState(CJvCommands* commands) {
  if (m_mode != kBootLoaderMode) return false;
  if (!CServiceStrings::Send(commands, CServiceStrings::kStateTwoOn, CServiceStrings::kAccepted))
    return false;
  m_state = kStateTwo;
  return true;
}

int CSwitchedBootLoader::Init(CJvDevice& device, CJvCommands* commands, CCallback* callback,
                              BYTE switchRequest, int eraseTimeoutMs) {
  StreamIO::CIoStream* stream = commands ? commands->GetStream() : nullptr;
  if (!stream) return eUpdateNotAttached;
  int readTimeout = 0, writeTimeout = 0;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if ((readTimeout < kMinimumTimeoutMs || writeTimeout < kMinimumTimeoutMs) &&
      !stream->SetTimeouts(kMinimumTimeoutMs, kMinimumTimeoutMs))
    return eUpdateCommunication;
  if (m_mode != kBootLoaderMode) {
    BYTE reply[1] = {};
    if (device.BinaryRequest(switchRequest, 0, reply, sizeof reply, kSwitchRequestTimeoutMs) >=
        CJvCommands::kFirstStatus)
      return eUpdateModeChange;
    for (int i = 0; i < kEnterBurst; ++i) {
      Sleep(kEnterPauseMs);
      if (!CServiceStrings::Send(commands, CServiceStrings::kEnterBootLoader, CServiceStrings::kNoEcho))
        return eUpdateModeChange;
    }
    m_state = kStateOff;
    m_mode = kBootLoaderMode;
  }
  if (callback) callback->OnStatusText(ResString(IDS_ERASE_MEMORY) + device.GetStepSuffix());
  ReportProgress(callback, 0);
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if (!EnterBootloaderState(commands)) return eUpdateModeChange;
  if (!stream->SetTimeouts(eraseTimeoutMs, eraseTimeoutMs)) return eUpdateCommunication;
  const bool erased = CServiceStrings::Send(commands, CServiceStrings::kErase, CServiceStrings::kEraseEcho);
  const bool restored = stream->SetTimeouts(readTimeout, writeTimeout);
  if (!erased || !restored) return eUpdateCommunication;
  ReportProgress(callback, 100);
  return eUpdateOk;
}

int CSwitchedBootLoader::SwitchState(CJvCommands* commands, CCallback* callback, const CString& stepSuffix,
                                     const SBlockRecord& record) {
  if (!commands || !commands->GetStream()) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (callback) callback->OnStatusText(ResString(IDS_UPDATE_SET_MODE) + stepSuffix);
  const BYTE wanted = record.bytes[13];
  if (wanted == m_state || (record.ModeByte() & kNoStateChange)) return eUpdateOk;
  if (wanted != kStateTwo) return eUpdateNotAttached;
  return EnterBootloaderState(commands) ? eUpdateOk : eUpdateModeChange;
}

bool CSwitchedBootLoader::Leave(CJvCommands* commands) {
  if (m_state != kStateTwo && !EnterBootloaderState(commands)) return false;
  return CServiceStrings::Send(commands, CServiceStrings::kLeave, CServiceStrings::kLeaveEcho);
}

}  // namespace Device
