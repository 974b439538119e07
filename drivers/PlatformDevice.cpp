#include "drivers/PlatformDevice.h"

#include "device/JvCommands.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "drivers/ProfileLogin.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

enum : int {
  kOsVersion = 5,
  kBootloaderVersion = 6,
  kMultimediaVersion = 7,
  kLocalization = 8,
  kTimeZoneId = 9
};

constexpr char16_t kEchoedCommand[] = u"@ID@";
constexpr int kPowerFieldCount = 7;

// Connection checks: the identify-and-login check, and the kind the Platform does not know.
constexpr int kCheckIdentify = 1;
constexpr int kCheckUnsupported = 2;
constexpr int kCheckUnsupportedValue = 70000;
constexpr DWORD kIdentifyRetryMs = 10000;

}  // namespace

CPlatformDevice::CPlatformDevice() : CJvDevice(10, u"Platform", 6, 13) { m_serialSettings.baud = 19200; }

std::unique_ptr<CJvDevice> CPlatformDevice::Create() const { return std::make_unique<CPlatformDevice>(); }

bool CPlatformDevice::IsConnected() {
  try {
    return GetStream() && GetStream()->IsOpen() && Commands();
  } catch (const CFileException&) {
    return false;
  }
}

bool CPlatformDevice::Identify(SDeviceIdent& ident) {
  if (!IsConnected()) return false;
  try {
    return IdentifyOnline(ident);
  } catch (const CFileException&) {
    return false;
  }
}

bool CPlatformDevice::IdentifyOnline(SDeviceIdent& ident) {
  // An instrument left in echo mode is switched back; a failed probe is tried once more, and
  // either way the identity query follows.
  if (!Commands()->SetTextMode(false, true)) Commands()->SetTextMode(false, true);
  CString line;
  if (!CIdentityReply::Query(Commands(), line)) return false;
  if (line.Left(4) == CString(kEchoedCommand)) line = line.Mid(4);
  const CIdentityReply reply(line);
  if (!reply.HasFields(kLocalization + 1)) return false;
  m_info.deviceName = reply.Field(CIdentityReply::kName);
  m_info.hardwareRevision = reply.Field(CIdentityReply::kHardware);
  m_info.serialNumber = reply.Field(CIdentityReply::kSerial);
  m_info.signature = reply.Field(CIdentityReply::kSignature);
  m_info.appVersion = reply.Field(CIdentityReply::kAppVersion);
  m_info.osVersion = reply.Field(kOsVersion);
  m_info.bootloaderVersion = reply.Field(kBootloaderVersion);
  m_info.multimediaVersion = reply.Field(kMultimediaVersion);
  m_info.localization = reply.Field(kLocalization);
  m_info.timeZoneId = reply.Field(kTimeZoneId);
  ident = m_info;
  if (!CIdentityReply::ReadSignature(m_info.signature, m_info.signatureValue)) return false;
  for (const CString* field : {&m_info.deviceName, &m_info.appVersion, &m_info.serialNumber,
                               &m_info.hardwareRevision, &m_info.signature, &m_info.osVersion,
                               &m_info.bootloaderVersion, &m_info.multimediaVersion, &m_info.localization})
    if (field->IsEmpty()) return false;
  return CIdentityReply::CarriesDeviceCode(m_info.signatureValue, GetExpectedDeviceCode());
}

CString CPlatformDevice::GetInfoText() {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO_PLATFORM), m_info.deviceName.GetString(),
              m_info.serialNumber.GetString(), m_info.appVersion.GetString(),
              m_info.hardwareRevision.GetString(), m_info.osVersion.GetString(),
              m_info.bootloaderVersion.GetString(), m_info.multimediaVersion.GetString(),
              m_info.localization.GetString(), m_info.timeZoneId.GetString(), m_info.signature.GetString());
  return text;
}

const CString& CPlatformDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CPlatformDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.osVersion.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(2, 2, m_info.osVersion));
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  SContentEntry multimedia;
  multimedia.contentType = 8;
  multimedia.flags = 1;
  multimedia.version =
      CVersion(m_info.multimediaVersion == CString(u"-") ? CString(u"0.0.0.0") : m_info.multimediaVersion);
  contents.m_entries.push_back(multimedia);
  return true;
}

bool CPlatformDevice::QueryCapability() { return true; }

bool CPlatformDevice::RemoteLogin(SDeviceLogin& login) {
  if (!IsConnected()) return false;
  if (!CProfileLogin::Send(*Commands(), login, QueryLoginCapability())) return false;
  KeepLogin(login);
  return CProfileLogin::IsLoggedIn(login);
}

bool CPlatformDevice::RemoteLogout() {
  CJvDevice::RemoteLogout();
  return IsConnected() && Commands()->LogoutRemote();
}

bool CPlatformDevice::CheckConnection(SDeviceIdent& ident, int kind, int& value) {
  value = 0;
  if (kind == kCheckUnsupported) {
    value = kCheckUnsupportedValue;
    return false;
  }
  if (kind != kCheckIdentify) return true;
  if (!IsConnected()) return false;
  try {
    if (!IdentifyOnline(ident)) {
      // The instrument may be restarting; it gets time to come back once.
      Sleep(kIdentifyRetryMs);
      if (!IdentifyOnline(ident)) return false;
    }
    SDeviceLogin login = GetLogin();
    return RemoteLogin(login);
  } catch (const CFileException&) {
    return false;
  }
}

bool CPlatformDevice::QueryPowerState(SPowerState& state) {
  if (!IsConnected()) return false;
  CString answer;
  if (!Commands()->QueryPower(answer)) return false;
  const CIdentityReply reply(answer);
  if (!reply.HasFields(kPowerFieldCount)) return false;
  for (int i = 0; i < kPowerFieldCount; ++i) {
    state.fields[i] = reply.Field(i);
    if (state.fields[i].IsEmpty()) return false;
  }
  return true;
}

bool CPlatformDevice::CopyDeviceInfo(SPlatformInfo& info) { return GetDeviceInfo(info); }

bool CPlatformDevice::GetDeviceInfo(SPlatformInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
