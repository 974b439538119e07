#include "drivers/Durimo3SeDevice.h"

#include "device/JvCommands.h"
#include "device/Version.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "drivers/ProfileLogin.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

enum : int { kOsVersion = 5, kLocalization = 6, kTimeZoneId = 7 };

// Firmware before this version knows no user profiles and needs no login.
constexpr char16_t kFirstLoginVersion[] = u"0.2.13";

}  // namespace

CDurimo3SeDevice::CDurimo3SeDevice() : CJvDevice(0, u"Durimo 3", 7, 3) {}

std::unique_ptr<CJvDevice> CDurimo3SeDevice::Create() const { return std::make_unique<CDurimo3SeDevice>(); }

bool CDurimo3SeDevice::IsConnected() { return GetStream() && GetStream()->IsOpen() && Commands(); }

bool CDurimo3SeDevice::Identify(SDeviceIdent& ident) {
  if (!IsConnected()) return false;
  // An instrument left in echo mode is switched back; whether it was does not matter here.
  Commands()->SetTextMode(false, true);
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
  m_info.localization = reply.Field(kLocalization);
  m_info.timeZoneId = reply.Field(kTimeZoneId);
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  for (const CString* field :
       {&m_info.deviceName, &m_info.appVersion, &m_info.serialNumber, &m_info.hardwareRevision,
        &m_info.signature, &m_info.osVersion, &m_info.localization, &m_info.timeZoneId})
    if (field->IsEmpty()) return false;
  return CIdentityReply::CarriesDeviceCode(signature, GetExpectedDeviceCode());
}

CString CDurimo3SeDevice::GetInfoText() {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO_OS), m_info.deviceName.GetString(), m_info.serialNumber.GetString(),
              m_info.appVersion.GetString(), m_info.hardwareRevision.GetString(),
              m_info.osVersion.GetString(), m_info.localization.GetString(), m_info.timeZoneId.GetString(),
              m_info.signature.GetString());
  return text;
}

const CString& CDurimo3SeDevice::GetSerialNumber() { return m_info.serialNumber; }

bool CDurimo3SeDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_info.osVersion.IsEmpty() && !Identify(ident)) return false;
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(2, 2, m_info.osVersion));
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  return true;
}

bool CDurimo3SeDevice::RemoteLogin(SDeviceLogin& login) {
  if (!IsConnected()) return false;
  SDeviceIdent id;
  if (Commands()->QueryId(id)) {
    CString version = id.appVersion;
    version.Remove(u' ');
    if (CVersion(version) < CVersion(CString(kFirstLoginVersion))) {
      CProfileLogin::Grant(login, QueryLoginCapability());
      KeepLogin(login);
      return true;
    }
  }
  if (!CProfileLogin::Send(*Commands(), login, QueryLoginCapability())) return false;
  KeepLogin(login);
  return CProfileLogin::IsLoggedIn(login);
}

bool CDurimo3SeDevice::RemoteLogout() {
  CJvDevice::RemoteLogout();
  return IsConnected() && Commands()->LogoutRemote();
}

bool CDurimo3SeDevice::GetDeviceInfo(SDurimo3Info& info) {
  if (&info != &m_info) info = m_info;
  return true;
}

}  // namespace Device
