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
  static constexpr int kDebugBlockSize = 44;

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
  int UpdateInit(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteData(const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateFinish() override;

  // Requests of command 210, each selected by its first payload byte. False (or empty, or 0)
  // without a command layer or stream.
  virtual bool ReadText51(CString& text);
  virtual bool SendCode49();
  virtual bool SendCode50();
  // "0", the first text, ";", the second; refused unsent beyond the request's 47 bytes.
  virtual bool WriteTextPair(const CString& first, const CString& second);
  virtual bool WriteSwitch(bool on);
  // The first byte of the reply; 0 when no data came.
  virtual BYTE ReadCode19();
  virtual bool QueryCode6();
  // Starts and polls up to 50 times for a single 0 byte.
  virtual bool StartAndWait();
  // The debug protocol: each round's three characters and a TAB go into the text.
  virtual bool ReadDebugSequence(CString& text);
  // False unless all 44 bytes came.
  virtual bool ReadDebugBlock(BYTE block[kDebugBlockSize]);
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
  // The boot loader's identity line, bank 2 selected for it when no bank was.
  virtual bool QueryBootloaderIdentity(CString& text);
  // Select a bank of the boot loader, deselecting the other first; only in boot-loader mode.
  virtual bool EnterBootloaderState1();
  virtual bool EnterBootloaderState2();
  // One record of the binary download, kBinaryRecordSize bytes.
  virtual bool ParseBinaryRecord(TMeas& meas, const BYTE* record);

  // Switches instrument and port to another rate; on failure both keep the old one.
  bool SetBaudRate(int baud);
  BYTE GetBootloaderState() const { return m_bootloaderState; }
  BYTE GetMode() const { return m_mode; }

 private:
  bool CanRequest();
  int Request210(BYTE* buffer, int payloadLength, int bufferSize);
  bool WriteRaw(const void* bytes, int count);
  int ReadRaw(BYTE* buffer, int count);
  // The debug opening, its first command and the pause after it, with the input discarded.
  bool OpenDebug(const char* first);
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
