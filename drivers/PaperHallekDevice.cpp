#include "drivers/PaperHallekDevice.h"

namespace Device {

CPaperHallekDevice::CPaperHallekDevice() : CHallekDevice(4, u"PaperHallek", 1, 7) {}

std::unique_ptr<CJvDevice> CPaperHallekDevice::Create() const {
  return std::make_unique<CPaperHallekDevice>();
}

}  // namespace Device
