#pragma once
// CDurimoDIDDevice1

#include <memory>

#include "drivers/CorrectionProbeDevice.h"

namespace Device {

class CDurimoDIDDevice : public CCorrectionProbeDevice {
 public:
  CDurimoDIDDevice();
  std::unique_ptr<CJvDevice> Create() const override;
};

}  // namespace Device
