#pragma once
// What the Durimo Live Leeb probe, the Hallek Live and the Durimo Live UCI probe share as
// instrument classes: the base operations, answered from their identity and module data, and
// the update steps. Each probe's own operations are declared by its class, in its own order.

#include "device/JvDevice.h"
#include "drivers/LiveProbeIdentity.h"
#include "drivers/LiveProbeRequests.h"
#include "drivers/LiveProbeUpdate.h"

namespace Device {

struct SLiveProbeClass {
  int type;
  const char16_t* displayName;
  BYTE deviceCode;
  DWORD baud;
  // The module's link-reset word and the serial number that stands in for "-".
  const char16_t* resetWord;
  const char16_t* defaultSerial;
  // The Leeb probe's own module update steps; the Hallek Live's verification after the data.
  bool leebProbe;
  bool verifyAfterData;
};

class CLiveProbeDevice : public CJvDevice {
 public:
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

 protected:
  explicit CLiveProbeDevice(const SLiveProbeClass& probeClass);

  CLiveProbeIdentity& Identity() { return m_identity; }
  CLiveProbeRequests& Requests() { return m_requests; }

 private:
  CLiveProbeUpdate m_update;
  CLiveProbeIdentity m_identity;
  CLiveProbeRequests m_requests;
};

}  // namespace Device
