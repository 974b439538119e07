#pragma once
// CHallekLiveDevice1

#include <memory>

#include "drivers/CorrectionProbeDevice.h"

namespace Device {

class CHallekLiveDevice : public CCorrectionProbeDevice {
 public:
  CHallekLiveDevice();
  std::unique_ptr<CJvDevice> Create() const override;
};

}  // namespace Device
