#pragma once
// The Sondrel Lab, a serial instrument at 115200 Bd whose boot loader shares the port with the
// application.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/SwitchedBootLoader.h"

namespace Device {

// The identity kept by a Sondrel Lab, with the sixth field of its reply.
struct SSondrelLabInfo : SDeviceInfo {
  CString sixthField;
};

// What the self-check reports; reset to false flags and 0xFFFF before each check.
struct SSelfCheckStatus {
  bool flagA = false;
  bool flagB = false;
  bool flagC = false;
  WORD value = 0xFFFF;
  bool flagD = false;
};

class CSondrelLabDevice : public CJvDevice {
 public:
  CSondrelLabDevice();
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

  virtual bool GetDeviceInfo(SSondrelLabInfo& info);
  // Request 11 four times: a start, then the three texts, each ended by a zero byte. A text
  // longer than the instrument takes is refused before anything is sent.
  virtual bool WriteIdentityTexts(const CString& first, const CString& second, const CString& third);
  virtual bool ReadSelfCheck(SSelfCheckStatus& status);
  virtual bool SendRequest7Code4();
  virtual bool QueryBootloaderIdentity(CString& text);
  virtual bool EnterBootloaderState();

  BYTE GetMode() const { return m_loader.Mode(); }
  BYTE GetBootloaderState() const { return m_loader.State(); }

 private:
  CSwitchedBootLoader m_loader{true};
};

}  // namespace Device
