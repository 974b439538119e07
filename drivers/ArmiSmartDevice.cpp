#include "drivers/ArmiSmartDevice.h"

#include "device/JvCommands.h"
#include "drivers/IdentityReply.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr BYTE kStateTwo = 2;

}  // namespace

CArmiSmartDevice::CArmiSmartDevice() : CJvDevice(3, u"Armivue", 1, 6) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CArmiSmartDevice::Create() const { return std::make_unique<CArmiSmartDevice>(); }

bool CArmiSmartDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  CString line;
  if (!CIdentityReply::Query(Commands(), line)) return false;
  m_mode = kApplicationMode;
  const CIdentityReply reply(line);
  if (!reply.HasFields(CIdentityReply::kAppVersion + 1)) return false;
  m_info.deviceName = reply.Field(CIdentityReply::kName);
  m_info.hardwareRevision = reply.Field(CIdentityReply::kHardware);
  m_info.serialNumber = reply.Field(CIdentityReply::kSerial);
  m_info.signature = reply.Field(CIdentityReply::kSignature);
  m_info.appVersion = reply.Field(CIdentityReply::kAppVersion);
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return !m_info.deviceName.IsEmpty() && !m_info.appVersion.IsEmpty() && !m_info.serialNumber.IsEmpty() &&
         !m_info.hardwareRevision.IsEmpty() && !m_info.signature.IsEmpty() &&
         CIdentityReply::CarriesDeviceCode(signature, GetExpectedDeviceCode());
}

CString CArmiSmartDevice::GetInfoText() {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO), m_info.deviceName.GetString(), m_info.serialNumber.GetString(),
              m_info.appVersion.GetString(), m_info.hardwareRevision.GetString(),
              m_info.signature.GetString());
  return text;
}

const CString& CArmiSmartDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CArmiSmartDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.signature.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  SContentEntry application;
  application.contentType = 1;
  application.kind = 1;
  application.flags = 1;
  application.version = CVersion(m_info.appVersion);
  contents.m_entries.push_back(application);
  return true;
}

bool CArmiSmartDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  if (!Commands()->QueryId(ident)) return Identify(ident);
  if (m_bootloaderState == 0) m_bootloaderState = kStateTwo;
  m_mode = kApplicationMode;
  return true;
}

int CArmiSmartDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_info.signature, signature) ? int(signature) : 0;
}

bool CArmiSmartDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
