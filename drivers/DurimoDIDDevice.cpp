#include "drivers/DurimoDIDDevice.h"

namespace Device {

CDurimoDIDDevice::CDurimoDIDDevice()
    : CCorrectionProbeDevice(
          {17, u"Durimo Live Leeb Probe", 22, 19200, u"BBE", u"LP17-000-0000", true, false}) {}

std::unique_ptr<CJvDevice> CDurimoDIDDevice::Create() const { return std::make_unique<CDurimoDIDDevice>(); }

}  // namespace Device
