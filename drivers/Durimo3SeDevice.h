#pragma once
// The Durimo 3 hardness tester, reached over serial, USB and IP.

#include <initializer_list>
#include <memory>

#include "device/JvDevice.h"
#include "drivers/Durimo3Parameters.h"

namespace Device {

// The identity kept by a Durimo 3, with its operating-system data.
struct SDurimo3Info : SDeviceInfo {
  CString osVersion;
  CString localization;
  CString timeZoneId;
};

class CDurimo3SeDevice : public CJvDevice {
 public:
  CDurimo3SeDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool RemoteLogin(SDeviceLogin& login) override;
  bool RemoteLogout() override;
  int UpdateCheckDevice(const CPackageHeader& header) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;

  virtual bool GetDeviceInfo(SDurimo3Info& info);
  virtual bool ReadParameterBlock(SDurimo3Parameters& parameters);
  virtual bool WriteParameterBlock(const SDurimo3Parameters& parameters);

 private:
  bool IsConnected();
  // Switch request 0xE0 for one target: true when four bytes came back, the first
  // `zeroBytes` of them zero.
  bool SwitchOn(BYTE target, int zeroBytes);
  void SwitchOff(std::initializer_list<BYTE> targets);
  // Polls "PNAM?" until the instrument reports itself ready.
  bool WaitUntilReady();
  bool ReadBlock(BYTE* block);
  bool WriteBlock(const BYTE* block);

  SDurimo3Info m_info;
};

}  // namespace Device
