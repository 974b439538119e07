#pragma once
// The serial-port transport. Ports are named "\\.\COM%u" after their number, which the
// platform maps to a device node; the stream keeps that name so that callers can take the
// port number back out of it. Every port is opened with a settings record (or keeps the line
// settings it has) and reads and writes under the record's time-outs.

#include <memory>

#include "device/streamio/FileStream.h"

class CSerialPort;

namespace StreamIO {

// Handshake flags of the settings record.
enum : BYTE {
  RS232_XONXOFF = 0x01,
  RS232_DTRDSR = 0x02,
  RS232_RTSCTS = 0x04,
  RS232_RTS_OFF = 0x08,
};

struct SRs232Settings {
  static constexpr DWORD kTag = 42240;  // 0xA500; any other tag is refused with 87

  DWORD tag = kTag;
  DWORD baud = 9600;
  BYTE dataBits = 8;
  int parity = 0;    // 0 none, 1 even, 2 odd, 3 mark, 4 space
  int stopBits = 0;  // 0 one, 1 one and a half, 2 two
  BYTE flags = 0;    // RS232_* bits
  WORD inQueue = 1024;
  WORD outQueue = 256;
  int readTimeout = 500;  // ms, -1 waits forever
  int writeTimeout = 10;
};

// The serial stream drives the port through its own serial-port object rather than the file
// stream's handle: a tty needs its own open (no controlling terminal, no wait for a carrier)
// and reads and writes that honour time-outs and can be cancelled from another thread.
class CRs232Stream : public CFileStream {
 public:
  CRs232Stream();
  // Opens the port at once; raises CFileException with the kept error when that fails.
  CRs232Stream(int port, DWORD openFlags, const SRs232Settings* settings);
  ~CRs232Stream() override;

  bool Reopen() override;
  void DoClose() override;
  void Purge() override;
  int GetBytesWaiting() override;
  void Flush() override;
  int GetBytesPerSecond() override;
  bool GetTimeouts(int& readTimeout, int& writeTimeout) override;
  bool SetTimeouts(int readTimeout, int writeTimeout) override;
  // Ends a read or write in progress at once, also from another thread.
  bool Cancel() override;
  bool CancelIo() override;
  bool IsOpen() override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  bool CanSeek() override { return false; }
  int GetLength() override { return 0; }
  int GetPosition() override { return 0; }
  int Seek(int, int) override { return 0; }
  int SeekTo(int) override { return 0; }
  void SetLength() override {}
  // Opens "\\.\COM%u" (or a device node given by path) with the port's current line settings.
  bool Open(const CString& name, DWORD openFlags) override;

  // 27: keeps the error and returns false on any failure.
  virtual bool OpenPort(int port, DWORD openFlags, const SRs232Settings* settings);
  // 28: the port's state; on failure the record is zeroed and the error kept.
  virtual bool GetSettings(SRs232Settings& settings);
  // 29: applies the record to the port and keeps it as the stream's.
  virtual bool SetSettings(const SRs232Settings& settings);

  const SRs232Settings& GetStoredSettings() const { return m_settings; }

 private:
  // Keeps the code; false when it is not 0.
  bool Keep(int code);
  // Raises 6 when the port is not open.
  void RequirePort();

  std::unique_ptr<CSerialPort> m_port;
  SRs232Settings m_settings;
};

}  // namespace StreamIO
