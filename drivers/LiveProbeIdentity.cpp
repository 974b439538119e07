#include "drivers/LiveProbeIdentity.h"

#include "device/JvCommands.h"
#include "drivers/IdentityReply.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {

bool CLiveProbeIdentity::Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident) {
  CString line;
  if (!CIdentityReply::Query(commands, line)) return false;
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
         CIdentityReply::CarriesDeviceCode(signature, deviceCode);
}

bool CLiveProbeIdentity::QueryStoredOrApplicationId(CJvCommands* commands, SDeviceIdent& ident) {
  if (!m_info.deviceName.IsEmpty() && !m_info.appVersion.IsEmpty() && !m_info.serialNumber.IsEmpty()) {
    ident = m_info;
    return true;
  }
  if (!commands || !commands->QueryId(ident)) return false;
  m_mode = kApplicationMode;
  return true;
}

CString CLiveProbeIdentity::InfoText() const {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO_MODULE), m_info.deviceName.GetString(),
              m_info.serialNumber.GetString(), m_info.appVersion.GetString(),
              m_info.hardwareRevision.GetString(), m_info.signature.GetString(),
              m_info.moduleName.GetString(), m_info.moduleSerial.GetString(),
              m_info.moduleVersion.GetString(), m_info.moduleHardware.GetString());
  return text;
}

void CLiveProbeIdentity::FillFirmwareList(CContents& contents) const {
  contents.m_entries.clear();
  SContentEntry application;
  application.contentType = 1;
  application.kind = 1;
  application.flags = 1;
  application.version = CVersion(m_info.appVersion);
  contents.m_entries.push_back(application);
  // A probe without a module reports the name "No_BTMod"; any other name, an unread one
  // included, lists the module's firmware.
  if (m_info.moduleName == CString(u"No_BTMod")) return;
  SContentEntry module;
  module.contentType = 12;
  module.kind = 2;
  module.flags = 1;
  module.version = CVersion(m_info.moduleVersion);
  contents.m_entries.push_back(module);
}

int CLiveProbeIdentity::SignatureCode() const {
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_info.signature, signature) ? int(signature) : -1;
}

}  // namespace Device
