#pragma once
// The Humilo moisture instrument. It has no identity query: it streams its readings, each as
// a line feed, the number and a carriage return, and is recognised by four plausible readings.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CHumiloDevice : public CJvDevice {
 public:
  // Readings from -1 to 99999 count; four of them within 50 bytes identify the instrument.
  static constexpr double kLowestReading = -1.0;
  static constexpr double kHighestReading = 99999.0;
  static constexpr int kReadingsNeeded = 4;
  static constexpr int kMaxBytes = 50;

  CHumiloDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  // Stores nothing: the identity and the information record stay empty.
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  int GetDeviceCode() override;
  // The instrument takes no firmware update.
  int UpdateInit(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;

  virtual bool GetDeviceInfo(SDeviceInfo& info);

 private:
  SDeviceInfo m_info;
};

}  // namespace Device
