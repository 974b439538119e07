#include "drivers/HallekLiveDevice.h"

namespace Device {

CHallekLiveDevice::CHallekLiveDevice()
    : CCorrectionProbeDevice({20, u"Hallek Live", 26, 115200, u"BBoEx", u"HL20-000-0000", false, true}) {}

std::unique_ptr<CJvDevice> CHallekLiveDevice::Create() const { return std::make_unique<CHallekLiveDevice>(); }

}  // namespace Device
