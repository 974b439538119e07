#pragma once
// The Ohmira, a small serial instrument whose boot loader shares the port with the application.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/PlainBootLoader.h"

namespace Device {

class COhmiraDevice : public CJvDevice {
 public:
  COhmiraDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; 0 when it cannot be had.
  int GetDeviceCode() override;
  int UpdateInit(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteData(const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateFinish() override;

  virtual bool GetDeviceInfo(SDeviceInfo& info);
  virtual bool QueryBootloaderIdentity(CString& text);

  BYTE GetMode() const { return m_loader.Mode(); }

 private:
  CPlainBootLoader m_loader{u"OM00-000-0000"};
};

}  // namespace Device
