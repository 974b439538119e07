#pragma once
// The Sondrel Array ultrasonic instrument. Besides the identity of the live-instrument base it
// speaks a command protocol of its own: one command byte and its parameters carried in binary
// request 200, the reply read into the same buffer.

#include <memory>

#include "drivers/LiveDevice.h"

namespace Device {

class CUsMcDevice : public CLiveDevice {
 public:
  // The instruments that take the text parameters have exactly this signature.
  static constexpr DWORD kTextParameterSignature = 0x17000000;
  static constexpr int kMaxTextCharacters = 20;

  CUsMcDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  // Identifies the instrument when the stream is open; without the instrument the stream stays
  // with the caller.
  bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) override;
  CString GetInfoText() override;
  bool FillFirmwareList(CContents& contents) override;
  bool CheckConnection(SDeviceIdent& ident, int kind, int& value) override;
  // The mode changes of the update without the base's 128-byte block.
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  // Closes the stream after a run mode with all of the bits 0x61.
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;

  bool SetTextParameterA(const CString& text) override;
  bool SetTextParameterB(const CString& text) override;
  bool GetBatteryState(int& state, CString& stateText, int values[3]) override;
  bool SetFlagParameterA(bool on) override;
  bool SetFlagParameterB(bool on) override;
  bool SetIntParameter(int value) override;

  // Sends the request in the buffer and reads the reply into it. Without an expected reply,
  // only a reply that does not come counts as success besides status 0.
  virtual bool SendCommand(BYTE* buffer, int requestLength, int& replyLength, bool replyExpected,
                           int bufferSize, int timeoutMs);
  // One reply of the instrument: a status, or a length and as many bytes. Bytes beyond the
  // buffer are read and dropped; false when any are missing.
  virtual bool ReadReply(BYTE* buffer, int& replyLength, int bufferSize, int timeoutMs);
  virtual bool SendText14(const CString& text);
  virtual bool SendText16(const CString& text);
  // "-" when the exchange fails.
  virtual CString ReadText17();
  virtual bool SendText15(const CString& text);
  virtual bool SendCommand5(BYTE value, BYTE& status);

 private:
  bool SendText(BYTE command, const CString& text);
  bool SendFlag(BYTE command, bool on);
  CString m_infoText;
};

}  // namespace Device
