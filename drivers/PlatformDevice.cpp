#include "drivers/PlatformDevice.h"

#include "drivers/IdentityReply.h"
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

}  // namespace

CPlatformDevice::CPlatformDevice() : CJvDevice(10, u"Platform", 6, 13) { m_serialSettings.baud = 19200; }

std::unique_ptr<CJvDevice> CPlatformDevice::Create() const { return std::make_unique<CPlatformDevice>(); }

bool CPlatformDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  CString line;
  if (!CIdentityReply::Query(Commands(), line)) return false;
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
  SContentEntry os;
  os.contentType = 2;
  os.kind = 2;
  os.flags = 1;
  os.version = CVersion(m_info.osVersion);
  contents.m_entries.push_back(os);
  SContentEntry application;
  application.contentType = 1;
  application.kind = 1;
  application.flags = 1;
  application.version = CVersion(m_info.appVersion);
  contents.m_entries.push_back(application);
  SContentEntry multimedia;
  multimedia.contentType = 8;
  multimedia.flags = 1;
  multimedia.version =
      CVersion(m_info.multimediaVersion == CString(u"-") ? CString(u"0.0.0.0") : m_info.multimediaVersion);
  contents.m_entries.push_back(multimedia);
  return true;
}

bool CPlatformDevice::QueryCapability() { return true; }

bool CPlatformDevice::GetDeviceInfo(SPlatformInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
