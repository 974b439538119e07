#pragma once
// The Platform, reached over USB and IP.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

// The identity kept by a Platform: the signature as a number before its text, then the
// operating-system data.
struct SPlatformInfo {
  CString deviceName;
  CString appVersion;
  CString serialNumber;
  CString hardwareRevision;
  DWORD signatureValue = 0;
  CString signature;
  CString osVersion;
  CString bootloaderVersion;
  CString multimediaVersion;
  CString localization;
  CString timeZoneId;
};

// The Platform's power state in reply order: battery voltage in mV first, supply state last
// ("AC_LINE_ONLINE" on mains power).
struct SPowerState {
  CString fields[7];
};

class CPlatformDevice : public CJvDevice {
 public:
  CPlatformDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryCapability() override;
  bool RemoteLogin(SDeviceLogin& login) override;
  bool RemoteLogout() override;
  bool CheckConnection(SDeviceIdent& ident, int kind, int& value) override;
  int UpdatePrepare(const CContents& contents, const CPackageHeader& header) override;
  int UpdateCheckDevice(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteData(const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateFinish() override;

  virtual bool GetDeviceInfo(SPlatformInfo& info);
  virtual bool CopyDeviceInfo(SPlatformInfo& info);
  virtual bool QueryPowerState(SPowerState& state);

 private:
  bool IsConnected();
  bool IdentifyOnline(SDeviceIdent& ident);
  // The device checks up to the hardware revision.
  int CheckDeviceAndRevision(const CPackageHeader& header);
  // False when the instrument runs on a battery too low for an update.
  bool HasPowerForUpdate();

  SPlatformInfo m_info;
  // The last part restarts the instrument, whose link then goes: it is dropped at the end.
  bool m_restartPending = false;
};

}  // namespace Device
