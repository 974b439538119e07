#pragma once
// The Durimo Live UCI probe, with its own operations in its own order.

#include <memory>

#include "drivers/LiveProbeDevice.h"

namespace Device {

class CUCILiveDevice : public CLiveProbeDevice {
 public:
  CUCILiveDevice();
  std::unique_ptr<CJvDevice> Create() const override;

  virtual bool GetDeviceInfo(SLiveProbeInfo& info);
  virtual bool ReadStatusBit();
  virtual bool WriteDeviceIdentity(const CString& serial, const CString& hardware, const CString& serialDate);
  // "ok" answers each of the three writes; an empty revision is refused unsent.
  virtual bool WriteHardwareRevision(const CString& text);
  virtual bool ReadSerialDate(CString& text);
  virtual bool WriteSerialDate(const CString& text);
  // The probe's OBE mode on or off; any answer acknowledges it.
  virtual bool SetObeMode(bool on);
  // The probe's OPM mode on or off; the probe must answer "ok".
  virtual bool SetOpmMode(bool on);
  virtual bool ResetZedo(bool afterLinkLoss, DWORD waitMs);
  virtual bool WriteModuleIdentity(const CString& serial, const CString& hardware);
  virtual bool WriteModuleHardwareRevision(const CString& text);
  virtual bool ReadHexId(CString& text);
  virtual CString SendRawText(const CString& text);
  virtual int SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize);
  // One measurement frame; see CLiveProbeRequests::ReadFrame.
  virtual int ReadFrame(BYTE* buffer, int size, int timeoutMs);
  virtual bool QueryBootloaderIdentity(CString& text);
  virtual bool ModuleQuery(const CString& command, CString& text, int tries);
};

}  // namespace Device
