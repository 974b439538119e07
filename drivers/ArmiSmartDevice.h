#pragma once
// The Armivue rebar locator.

#include <memory>

#include "device/JvDevice.h"
#include "drivers/ArmivueMeasurement.h"

namespace Device {

class CArmiSmartDevice : public CJvDevice {
 public:
  static constexpr BYTE kApplicationMode = 8;
  static constexpr BYTE kBootLoaderMode = 3;
  // The size of one stored object in the binary download.
  static constexpr int kBinaryRecordSize = 262;

  using TReading = SArmivueReading;
  using TMeas = SArmivueMeasurement;
  using TMeasSet = SArmivueMeasurementSet;

  CArmiSmartDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; 0 when it cannot be had.
  int GetDeviceCode() override;

  // The object as data-file text, written from the buffer's start without a terminating zero;
  // returns the characters written. Without a buffer it only counts them. A text longer than the
  // buffer, an unknown unit system or an unknown storage mode write nothing and give 0.
  virtual int WriteDataFile(const TMeas& meas, char16_t* buffer, int bufferLength);
  virtual bool ReadDataFile(TMeas& meas, const CString& text);
  virtual bool GetDeviceInfo(SDeviceInfo& info);
  // One record of the binary download, kBinaryRecordSize bytes.
  virtual bool ParseBinaryRecord(TMeas& meas, const BYTE* record);

 private:
  SDeviceInfo m_info;
  BYTE m_mode = kApplicationMode;
  BYTE m_bootloaderState = 0;
};

}  // namespace Device
