#pragma once
// The Calvera 3, reached over USB only, through the HID probe list: its text channel runs over
// the probe's control channel, its data reports come through the input-report channel, which
// the class opens itself on the first read.

#include <memory>

#include "device/JvDevice.h"
#include "device/streamio/UsbHostProbeData.h"

namespace Device {

class CCalvera2Device : public CJvDevice {
 public:
  // The name of a unit that has not been configured yet and reports none.
  static constexpr const char16_t* kUnconfiguredName = u"New Calvera 3";
  static constexpr int kReportSize = 8;
  static constexpr int kPackedSerialSize = 8;

  CCalvera2Device();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;

  virtual bool GetDeviceInfo(SDeviceInfo& info);
  // The next 8 bytes of the data channel and the sequence number of the report they came in.
  virtual bool ReadDataReport(BYTE* buffer, int& status, int timeoutMs);
  // The serial number "AB12-345-6789" packed into 8 bytes. The bytes are always written, with
  // the numbers 0 when the serial number could not be asked or does not have that form; the
  // answer tells whether it was read.
  virtual bool GetPackedSerial(BYTE* buffer);

 private:
  SDeviceInfo m_info;
  StreamIO::CUsbHostProbeData m_dataChannel;
};

}  // namespace Device
