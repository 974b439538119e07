#pragma once
// The Durimo Live UCI probe.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/LiveProbeIdentity.h"
#include "drivers/LiveProbeUpdate.h"

namespace Device {

class CUCILiveDevice : public CJvDevice {
 public:
  CUCILiveDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  CString GetDeviceInfoPairs() override;
  bool QueryLoginCapability() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; -1 when it cannot be had.
  int GetDeviceCode() override;
  bool QueryCapability() override;
  int UpdateInit(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteData(const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;

  virtual bool GetDeviceInfo(SLiveProbeInfo& info);
  virtual bool WriteDeviceIdentity(const CString& serial, const CString& hardware, const CString& serialDate);
  virtual bool ReadSerialDate(CString& text);
  // The probe's OBE mode on or off; any answer acknowledges it.
  virtual bool SetObeMode(bool on);
  // The probe's OPM mode on or off; the probe must answer "ok".
  virtual bool SetOpmMode(bool on);
  virtual bool ResetZedo(bool afterLinkLoss, DWORD waitMs);
  virtual bool WriteModuleIdentity(const CString& serial, const CString& hardware);
  virtual CString SendRawText(const CString& text);
  virtual int SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize);
  virtual bool QueryBootloaderIdentity(CString& text);
  virtual bool ModuleQuery(const CString& command, CString& text, int tries);

 private:
  CLiveProbeUpdate m_update{false, false};
  CLiveProbeIdentity m_identity{u"BBoEx", u"UC21-000-0000"};
};

}  // namespace Device
