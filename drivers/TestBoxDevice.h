#pragma once
// The TestBox, a serial instrument at 115200 Bd whose boot loader shares the port with the
// application.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/SwitchedBootLoader.h"

namespace Device {

// The identity kept by a TestBox, with its signature as a number.
struct STestBoxInfo : SDeviceInfo {
  DWORD signatureValue = 0;
};

class CTestBoxDevice : public CJvDevice {
 public:
  CTestBoxDevice();
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

  virtual bool GetDeviceInfo(STestBoxInfo& info);
  // Request 206 with 0x10, at most 13 characters of `name`, ";" and at most 2 of `code`;
  // `unused` is taken and ignored.
  virtual bool WriteNameCode(const CString& name, const CString& code, const CString& unused);
  virtual bool QueryBootloaderIdentity(CString& text);
  virtual bool EnterBootloaderState();

  BYTE GetMode() const { return m_loader.Mode(); }
  BYTE GetBootloaderState() const { return m_loader.State(); }

 private:
  CSwitchedBootLoader m_loader{false};
};

}  // namespace Device
