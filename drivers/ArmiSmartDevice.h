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

  // Downloads every stored object at the given baud rate, as binary records or as data-file
  // texts; the line goes back to 19200 Bd afterwards. True when no object failed, and when the
  // instrument holds none.
  virtual bool DownloadMeasurements(TMeasSet& set, int baud, bool binary);
  // The object as data-file text, written from the buffer's start without a terminating zero;
  // returns the characters written. Without a buffer it only counts them. A text longer than the
  // buffer, an unknown unit system or an unknown storage mode write nothing and give 0.
  virtual int WriteDataFile(const TMeas& meas, char16_t* buffer, int bufferLength);
  virtual bool ReadDataFile(TMeas& meas, const CString& text);
  virtual bool GetDeviceInfo(SDeviceInfo& info);
  // One record of the binary download, kBinaryRecordSize bytes.
  virtual bool ParseBinaryRecord(TMeas& meas, const BYTE* record);

  // Switches instrument and port to another rate; on failure both keep the old one.
  bool SetBaudRate(int baud);

 private:
  bool ReadBinaryDownload(TMeasSet& set, const BYTE* reply, int length);
  bool ReadTextDownload(TMeasSet& set, const BYTE* reply, int length);
  // True when the instrument answers the rate query at the port's current rate.
  bool AskBaudRate();
  // The settings record applied to the port; false when the stream is no serial port.
  bool ApplySerialSettings();

  SDeviceInfo m_info;
  BYTE m_mode = kApplicationMode;
  BYTE m_bootloaderState = 0;
};

}  // namespace Device
