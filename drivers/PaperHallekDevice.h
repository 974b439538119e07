#pragma once
// The PaperHallek, a SilverHallek variant with the same link settings.

#include <memory>

#include "drivers/HallekDevice.h"

namespace Device {

class CPaperHallekDevice : public CHallekDevice {
 public:
  CPaperHallekDevice();
  std::unique_ptr<CJvDevice> Create() const override;
};

}  // namespace Device
