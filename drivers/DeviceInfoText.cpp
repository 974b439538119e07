#include "drivers/DeviceInfoText.h"

#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {

CString DeviceInfoText(const SDeviceInfo& info) {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO), info.deviceName.GetString(), info.serialNumber.GetString(),
              info.appVersion.GetString(), info.hardwareRevision.GetString(), info.signature.GetString());
  return text;
}

}  // namespace Device
