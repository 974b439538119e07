#include "drivers/DeviceInfoObject.h"

#include <nlohmann/json.hpp>
#include <string>

#include "drivers/IdentityReply.h"

namespace Device {

bool CDeviceInfoObject::Read(std::string_view json, SDeviceInfo& info, DWORD& signature) {
  const nlohmann::json object = nlohmann::json::parse(json.begin(), json.end(), nullptr, false);
  if (object.is_discarded() || !object.is_object()) return false;
  const struct {
    const char* key;
    CString* target;
  } members[] = {{"device_name", &info.deviceName},
                 {"hw_revision", &info.hardwareRevision},
                 {"device_serial", &info.serialNumber},
                 {"device_signature", &info.signature},
                 {"sw_version", &info.appVersion}};
  for (const auto& member : members) {
    const auto found = object.find(member.key);
    if (found == object.end() || !found->is_string()) continue;
    *member.target = CString::FromUtf8(found->get<std::string>());
  }
  DWORD value = 0;
  signature = CIdentityReply::ReadSignature(info.signature, value) ? value : 0;
  return true;
}

}  // namespace Device
