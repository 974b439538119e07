#include "drivers/Calvera2Device.h"

#include "device/JvCommands.h"
#include "drivers/DeviceInfoText.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"

namespace Device {
namespace {

// This instrument orders its reply name; application version; serial; signature; hardware.
enum : int { kName = 0, kAppVersion = 1, kSerial = 2, kSignature = 3, kHardware = 4 };

}  // namespace

CCalvera2Device::CCalvera2Device() : CJvDevice(5, u"Calvera 3", 2, 8) {}

std::unique_ptr<CJvDevice> CCalvera2Device::Create() const { return std::make_unique<CCalvera2Device>(); }

bool CCalvera2Device::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  CString line;
  if (!CIdentityReply::Query(Commands(), line)) return false;
  const CIdentityReply reply(line);
  if (!reply.HasFields(kSignature + 1)) return false;
  m_info.deviceName = reply.Field(kName);
  m_info.appVersion = reply.Field(kAppVersion);
  m_info.serialNumber = reply.Field(kSerial);
  m_info.signature = reply.Field(kSignature);
  m_info.hardwareRevision = reply.Field(kHardware);
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return !m_info.appVersion.IsEmpty() && !m_info.signature.IsEmpty() &&
         CIdentityReply::CarriesDeviceCode(signature, GetExpectedDeviceCode());
}

CString CCalvera2Device::GetInfoText() { return DeviceInfoText(m_info); }

const CString& CCalvera2Device::GetSerialNumber() { return m_info.serialNumber; }

bool CCalvera2Device::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.appVersion.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  return true;
}

bool CCalvera2Device::QueryId(SDeviceIdent& ident) { return Commands() && Commands()->QueryId(ident); }

bool CCalvera2Device::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
