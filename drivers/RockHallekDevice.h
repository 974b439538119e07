#pragma once
// The RockHallek rebound hammer.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/ReboundHammerProtocol.h"

namespace Device {

class CRockHallekDevice : public CJvDevice {
 public:
  CRockHallekDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  // Base attach, then replies end at CR: these instruments never echo.
  bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) override;
  int GetMaxBlockSize() override;
  int GetBlockCheckKind() override;
  // These instruments take mode 24 where the others take mode 12.
  bool EnterMode12() override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  int BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;

  virtual bool GetDeviceInfo(SReboundHammerInfo& info);

 private:
  CReboundHammerProtocol m_protocol{false};
};

}  // namespace Device
