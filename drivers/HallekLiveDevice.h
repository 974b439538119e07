#pragma once
// The Hallek Live probe.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/LiveProbeIdentity.h"

namespace Device {

class CHallekLiveDevice : public CJvDevice {
 public:
  CHallekLiveDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  bool QueryLoginCapability() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; -1 when it cannot be had.
  int GetDeviceCode() override;
  bool QueryCapability() override;

  virtual bool GetDeviceInfo(SLiveProbeInfo& info);

 private:
  CLiveProbeIdentity m_identity;
};

}  // namespace Device
