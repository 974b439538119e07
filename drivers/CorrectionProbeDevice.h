#pragma once
// The live probes that keep correction words and a calibration version block: the Durimo Live
// Leeb probe and the Hallek Live, whose own operations are the same, in this order.

#include "drivers/LiveProbeDevice.h"

namespace Device {

class CCorrectionProbeDevice : public CLiveProbeDevice {
 public:
  virtual bool GetDeviceInfo(SLiveProbeInfo& info);
  virtual bool ReadStatusBit();
  virtual bool ReadParameterSet(SProbeParameterSet& set);
  virtual bool ReadCoVersion(SProbeVersionBlock& block, bool force);
  virtual bool ReadWords33(SWordTriple& words);
  virtual bool ReadWords34(SWordTriple& words);
  virtual bool WriteCorrectionA(const SWordTriple& words);
  virtual bool WriteDeviceIdentity(const CString& serial, const CString& hardware, const CString& serialDate);
  virtual bool ReadSerialDate(CString& text);
  // The probe's OBE mode on or off; any answer acknowledges it.
  virtual bool SetObeMode(bool on);
  // The probe's OTM mode on or off; the probe must answer "ok".
  virtual bool SetOtmMode(bool on);
  virtual bool ResetZedo(bool afterLinkLoss, DWORD waitMs);
  virtual bool WriteModuleIdentity(const CString& serial, const CString& hardware);
  virtual bool ReadHexId(CString& text);
  virtual CString SendRawText(const CString& text);
  virtual int SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize);
  virtual bool QueryBootloaderIdentity(CString& text);
  virtual bool ModuleQuery(const CString& command, CString& text, int tries);

 protected:
  using CLiveProbeDevice::CLiveProbeDevice;
};

}  // namespace Device
