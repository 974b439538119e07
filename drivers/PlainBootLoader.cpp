#include "drivers/PlainBootLoader.h"

#include "device/Callback.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "drivers/DeviceInfoText.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "drivers/ServiceStrings.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kMinimumTimeoutMs = 3000;
constexpr int kSwitchRequestTimeoutMs = 3000;
constexpr BYTE kSwitchRequest = 210;
constexpr BYTE kSwitchArgument = 1;
constexpr int kEnterBurst = 5;
constexpr int kEnterPauseMs = 50;

// The erase reports its progress whether or not the callback asked for progress reports.
void ReportProgress(CCallback* callback, int percent) {
  if (callback) callback->OnProgress(percent, 1, 0);
}

}  // namespace

bool CPlainBootLoader::Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident) {
  if (!commands) return false;
  CString line;
  if (CIdentityReply::Query(commands, line)) {
    m_mode = kApplicationMode;
  } else {
    if (!QueryBootloaderIdentity(commands, line)) return false;
    m_mode = kBootLoaderMode;
  }
  const CIdentityReply reply(line);
  if (!reply.ReadLeadingFields(m_info)) return false;
  if (m_info.serialNumber == CString(u"-")) m_info.serialNumber = m_defaultSerial;
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return CIdentityReply::HasLeadingTexts(m_info) && CIdentityReply::CarriesDeviceCode(signature, deviceCode);
}

bool CPlainBootLoader::QueryApplicationId(CJvCommands* commands, SDeviceIdent& ident) {
  if (!commands || !commands->QueryId(ident)) return false;
  m_mode = kApplicationMode;
  return true;
}

CString CPlainBootLoader::InfoText() const { return DeviceInfoText(m_info); }

void CPlainBootLoader::FillFirmwareList(CContents& contents) const {
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
}

bool CPlainBootLoader::QueryBootloaderIdentity(CJvCommands* commands, CString& text) {
  if (!commands || !commands->GetStream()) return false;
  try {
    commands->GetStream()->Flush();
    commands->GetStream()->Purge();
  } catch (const CFileException&) {
    return false;
  }
  return CServiceStrings::Send(commands, CServiceStrings::kBootLoaderCommand, CServiceStrings::kAccepted) &&
         CServiceStrings::ReadIdentity(commands, text);
}

int CPlainBootLoader::Init(CJvDevice& device, CJvCommands* commands, CCallback* callback) {
  StreamIO::CIoStream* stream = commands ? commands->GetStream() : nullptr;
  if (!stream) return eUpdateNotAttached;
  int readTimeout = 0, writeTimeout = 0;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if ((readTimeout < kMinimumTimeoutMs || writeTimeout < kMinimumTimeoutMs) &&
      !stream->SetTimeouts(kMinimumTimeoutMs, kMinimumTimeoutMs))
    return eUpdateCommunication;
  if (m_mode != kBootLoaderMode) {
    BYTE buffer[1] = {kSwitchArgument};
    if (device.BinaryRequest(kSwitchRequest, 1, buffer, sizeof buffer, kSwitchRequestTimeoutMs) >=
        CJvCommands::kFirstStatus)
      return eUpdateModeChange;
    for (int i = 0; i < kEnterBurst; ++i) {
      Sleep(kEnterPauseMs);
      if (!CServiceStrings::Send(commands, CServiceStrings::kEnterBootLoader, CServiceStrings::kNoEcho))
        return eUpdateModeChange;
    }
    m_mode = kBootLoaderMode;
  }
  if (callback) callback->OnStatusText(ResString(IDS_ERASE_MEMORY) + device.GetStepSuffix());
  ReportProgress(callback, 0);
  if (!CServiceStrings::Send(commands, CServiceStrings::kBootLoaderCommand, CServiceStrings::kAccepted))
    return eUpdateCommunication;
  if (!stream->GetTimeouts(readTimeout, writeTimeout)) return eUpdateCommunication;
  if (!stream->SetTimeouts(CJvCommands::kEraseTimeoutMs, CJvCommands::kEraseTimeoutMs))
    return eUpdateCommunication;
  // An accepted erase keeps the long time-outs for the programming that follows.
  if (!CServiceStrings::Send(commands, CServiceStrings::kErase, CServiceStrings::kEraseEcho)) {
    stream->SetTimeouts(readTimeout, writeTimeout);
    return eUpdateCommunication;
  }
  ReportProgress(callback, 100);
  return eUpdateOk;
}

bool CPlainBootLoader::Leave(CJvCommands* commands) {
  if (!CServiceStrings::Send(commands, CServiceStrings::kBootLoaderCommand, CServiceStrings::kAccepted) ||
      !CServiceStrings::Send(commands, CServiceStrings::kLeave, CServiceStrings::kLeaveEcho))
    return false;
  m_mode = kApplicationMode;
  return true;
}

}  // namespace Device
