#include "drivers/LiveProbeUpdate.h"

#include <cstring>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "drivers/LiveProbeIdentity.h"
#include "drivers/LiveProbeProtocol.h"
#include "platform/base/Clock.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kModuleContent = 12;
constexpr BYTE kProbeSRecordFormat = 0x40;
constexpr BYTE kProbeServiceRecordFormat = 0x50;
constexpr BYTE kToBootLoader = 1;
constexpr int kMinimumTimeoutMs = 3000;
constexpr int kSwitchReadTimeoutMs = 50;
constexpr int kSwitchTries = 5;
// The module's boot-mode packet and the length of its answer.
constexpr BYTE kModuleBootPacket[] = {0x01, 0x38, 0x00, 0x00, 0xC7, 0xFF, 0x17};
constexpr int kModuleBootAnswer = 15;
constexpr char kSwitch[] = "SC030000FC\r\n";
constexpr char kToProgramming[] = "SC030102F9\r\n";
constexpr char kErase[] = "SE030000FC\r\n";
constexpr char kVerify[] = "SV030000FC\r\n";
constexpr char kLeave[] = "SX030000FC\r\n";

bool Send(CJvCommands* commands, const char* text, char echo) {
  return commands->SendWithEcho(reinterpret_cast<const BYTE*>(text), int(std::strlen(text)), echo);
}

// Tried once more after a purge.
bool SendTwice(CJvCommands* commands, const char* text, char echo) {
  if (Send(commands, text, echo)) return true;
  commands->GetStream()->Purge();
  return Send(commands, text, echo);
}

bool IsOk(CJvCommands* commands, const CString& command) {
  char reply[kLiveProbeReplySize] = {};
  return commands->TextCommand(command, reply, kLiveProbeReplySize, kLiveProbeWordTimeoutMs) > 0 &&
         std::strcmp(reply, "ok") == 0;
}

int ProbeToBootLoader(CJvCommands* commands) {
  BYTE payload[kLiveProbeReplySize] = {kToBootLoader};
  return commands->Request(kLiveProbeRequest, 1, payload, kLiveProbeReplySize, kLiveProbeRequestTimeoutMs);
}

void ReportProgress(CCallback* callback, int percent) {
  if (callback) callback->OnProgress(percent, 1, 0);
}

}  // namespace

bool CLiveProbeUpdate::HasModuleEntry(const CPackageHeader& header) {
  for (const SContentEntry& entry : header.m_contents.m_entries)
    if (entry.contentType == kModuleContent) return true;
  return false;
}

int CLiveProbeUpdate::Init(CJvDevice& device, CJvCommands* commands, CCallback* callback,
                           CLiveProbeIdentity& identity, const CPackageHeader& header) {
  if (HasModuleEntry(header)) {
    if (!commands || !device.GetStream()) return eUpdateNotAttached;
    if (IsDeviceThreadAborted()) return eUpdateAborted;
    if (callback) callback->OnStatusText(ResString(IDS_UPDATE_INIT));
    return InitModule(commands, identity);
  }
  return InitProbe(device, commands, callback, identity, header);
}

int CLiveProbeUpdate::InitModule(CJvCommands* commands, CLiveProbeIdentity& identity) {
  bool inBootMode = IsOk(commands, u"BBS");
  if (!inBootMode) {
    if (m_leebProbe && ProbeToBootLoader(commands) >= CJvCommands::kFirstStatus) return eUpdateCommunication;
    Sleep(kLiveProbeRequestTimeoutMs);
    inBootMode = IsOk(commands, u"BBS");
    if (!inBootMode && !m_leebProbe) return eUpdateCommunication;
  }
  if (m_leebProbe) {
    if (!inBootMode) {
      CLiveProbeLink::SendRawText(commands, u"OBTRST");
      if (!IsOk(commands, u"BMR")) return eUpdateCommunication;
      Sleep(6000);
      if (!IsOk(commands, u"BBS")) return eUpdateCommunication;
    }
    CLiveProbeLink::SendRawText(commands, u"ORST");
  }
  Sleep(1000);
  BYTE reply[kLiveProbeReplySize];
  if (CLiveProbeLink::SendRawBytes(commands, kModuleBootPacket, int(sizeof kModuleBootPacket), reply,
                                   int(sizeof reply)) != kModuleBootAnswer)
    return eUpdateCommunication;
  identity.SetMode(CLiveProbeIdentity::kBootLoaderMode);
  return eUpdateOk;
}

int CLiveProbeUpdate::InitProbe(CJvDevice& device, CJvCommands* commands, CCallback* callback,
                                CLiveProbeIdentity& identity, const CPackageHeader& header) {
  if (device.CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  StreamIO::CIoStream* stream = device.GetStream();
  if (!stream) return eUpdateNotAttached;
  int readTimeout = 0, writeTimeout = 0;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if ((readTimeout < kMinimumTimeoutMs || writeTimeout < kMinimumTimeoutMs) &&
      !stream->SetTimeouts(kMinimumTimeoutMs, kMinimumTimeoutMs))
    return eUpdateCommunication;
  if (identity.Mode() != CLiveProbeIdentity::kBootLoaderMode) {
    stream->GetTimeouts(readTimeout, writeTimeout);
    if (ProbeToBootLoader(commands) >= CJvCommands::kFirstStatus) return eUpdateModeChange;
    stream->SetTimeouts(kSwitchReadTimeoutMs, writeTimeout);
    bool switched = false;
    for (int attempt = 0; attempt < kSwitchTries && !switched; ++attempt) {
      Sleep(kSwitchReadTimeoutMs);
      switched = Send(commands, kSwitch, 'B');
    }
    stream->SetTimeouts(readTimeout, writeTimeout);
    if (!switched) return eUpdateModeChange;
    identity.SetMode(CLiveProbeIdentity::kBootLoaderMode);
    stream->Purge();
  }
  if (callback) {
    callback->OnStatusText(ResString(IDS_ERASE_MEMORY));
    ReportProgress(callback, 0);
  }
  if (!SendTwice(commands, kToProgramming, 'G')) return eUpdateCommunication;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if (!stream->SetTimeouts(CJvCommands::kEraseTimeoutMs, CJvCommands::kEraseTimeoutMs))
    return eUpdateCommunication;
  if (!SendTwice(commands, kErase, 'E')) {
    stream->SetTimeouts(readTimeout, writeTimeout);
    return eUpdateCommunication;
  }
  ReportProgress(callback, 100);
  return eUpdateOk;
}

int CLiveProbeUpdate::WriteData(CJvCommands* commands, const SBlockRecord& record, int recordsResult) {
  if (recordsResult != eUpdateOk || !m_verifyAfterData) return recordsResult;
  // A part of any other kind sent nothing that could be verified.
  if (record.DataFormat() != kProbeSRecordFormat && record.DataFormat() != kProbeServiceRecordFormat)
    return eUpdateOk;
  return Send(commands, kVerify, 'V') ? eUpdateOk : eUpdateCommunication;
}

int CLiveProbeUpdate::Exit(CJvCommands* commands, CLiveProbeIdentity& identity,
                           const CPackageHeader& header) {
  if (!commands) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (HasModuleEntry(header)) {
    identity.Link().ResetZedo(commands, false, 2000);
    identity.SetMode(CLiveProbeIdentity::kApplicationMode);
    if (m_leebProbe) {
      if (ProbeToBootLoader(commands) >= CJvCommands::kFirstStatus) return eUpdateModeChange;
      Sleep(2000);
    }
    return eUpdateOk;
  }
  if (!Send(commands, kToProgramming, 'G') || !Send(commands, kLeave, 'X')) return eUpdateCommunication;
  identity.SetMode(CLiveProbeIdentity::kApplicationMode);
  Sleep(500);
  return eUpdateOk;
}

}  // namespace Device
