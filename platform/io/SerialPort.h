#pragma once
// A serial port as the communications API presents it: a device control block for the line
// settings, time-outs in milliseconds, queue properties, purge and cancel. The port is a tty
// device node; it is always in binary (raw) mode, as the communications API's ports are.
//
// Reads and writes wait through poll on the scaled clock, so the port's time-outs shrink with
// the layer's time scale. CancelIo from another thread ends a read or write in progress at
// once with ERROR_OPERATION_ABORTED; it has no effect on later transfers.
//
// What a tty cannot do is left out and reported back truthfully by GetCommState: there is no
// DSR flow control (DTR stays simply on), no XON/XOFF limits and no queue sizes; one and a
// half stop bits exist only with five data bits, where the hardware gives them for two.

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/io/WakeSignal.h"

enum : BYTE { NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4 };
enum : BYTE { ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2 };
enum : DWORD { DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1, DTR_CONTROL_HANDSHAKE = 2 };
enum : DWORD { RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2 };
enum : DWORD { PURGE_TXABORT = 0x1, PURGE_RXABORT = 0x2, PURGE_TXCLEAR = 0x4, PURGE_RXCLEAR = 0x8 };
// A read interval time-out of this value with no total time-out returns at once.
constexpr DWORD READ_INTERVAL_IMMEDIATE = 0xFFFFFFFF;

struct DCB {
  DWORD BaudRate = 0;
  bool fBinary = true;
  bool fParity = false;
  bool fOutxCtsFlow = false;
  bool fOutxDsrFlow = false;
  DWORD fDtrControl = DTR_CONTROL_ENABLE;
  bool fDsrSensitivity = false;
  bool fTXContinueOnXoff = false;
  bool fOutX = false;
  bool fInX = false;
  bool fErrorChar = false;
  bool fNull = false;
  DWORD fRtsControl = RTS_CONTROL_ENABLE;
  bool fAbortOnError = false;
  WORD XonLim = 0;
  WORD XoffLim = 0;
  BYTE ByteSize = 8;
  BYTE Parity = NOPARITY;
  BYTE StopBits = ONESTOPBIT;
  char XonChar = 0x11;
  char XoffChar = 0x13;
};

struct COMMTIMEOUTS {
  DWORD ReadIntervalTimeout = 0;
  DWORD ReadTotalTimeoutMultiplier = 0;
  DWORD ReadTotalTimeoutConstant = 0;
  DWORD WriteTotalTimeoutMultiplier = 0;
  DWORD WriteTotalTimeoutConstant = 0;
};

// Queue sizes: the maximum is 0 (no limit) and the current sizes are those last asked for
// with SetupComm, since a tty's buffers are the kernel's and cannot be sized.
struct COMMPROP {
  DWORD dwMaxTxQueue = 0;
  DWORD dwMaxRxQueue = 0;
  DWORD dwCurrentTxQueue = 0;
  DWORD dwCurrentRxQueue = 0;
};

// Every operation returns 0 or a Windows error number.
class CSerialPort {
 public:
  CSerialPort() = default;
  ~CSerialPort();
  CSerialPort(const CSerialPort&) = delete;
  CSerialPort& operator=(const CSerialPort&) = delete;

  // Opens the device node exclusively and puts the line into raw mode, keeping its speed,
  // frame format and hardware flow control (software flow control is off until set).
  int Open(const std::string& device);
  int Close();
  bool IsOpen() const { return m_fd >= 0; }

  int GetCommState(DCB& dcb);
  int SetCommState(const DCB& dcb);
  int GetCommTimeouts(COMMTIMEOUTS& timeouts) const;
  int SetCommTimeouts(const COMMTIMEOUTS& timeouts);
  int GetCommProperties(COMMPROP& properties) const;
  int SetupComm(DWORD inQueue, DWORD outQueue);
  int PurgeComm(DWORD flags);
  // The bytes received and not yet read.
  int GetInQueue(DWORD& bytes);
  int Read(void* buffer, DWORD count, DWORD& bytesRead);
  int Write(const void* buffer, DWORD count, DWORD& bytesWritten);
  // Waits until the output has left the port.
  int FlushFileBuffers();
  // Ends the transfers in progress (from any thread).
  int CancelIo();

 private:
  enum class Direction { In, Out };
  int Transfer(Direction direction, BYTE* buffer, DWORD count, DWORD& done);
  int SetModemLine(int line, bool on);

  int m_fd = -1;
  COMMTIMEOUTS m_timeouts;
  DWORD m_inQueue = 4096;
  DWORD m_outQueue = 4096;
  CWakeSignal m_cancel;
};
