#include "device/streamio/Rs232Stream.h"

#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/ComPortMap.h"
#include "platform/io/SerialPort.h"

namespace StreamIO {

namespace {

const char16_t kDevicePrefix[] = u"\\\\.\\";

// The port number of "\\.\COMn" (or "COMn", with or without a colon), else 0.
int PortNumberOf(const CString& name) {
  CString rest = name;
  if (rest.Left(4) == CString(kDevicePrefix)) rest = rest.Mid(4);
  if (rest.GetLength() < 4 || rest.Left(3).CompareNoCase(u"COM") != 0) return 0;
  int number = 0;
  int pos = 3;
  for (; pos < rest.GetLength() && rest[pos] >= u'0' && rest[pos] <= u'9'; ++pos) {
    number = number * 10 + (rest[pos] - u'0');
    if (number > 256) return 0;
  }
  if (pos == 3 || (pos < rest.GetLength() && !(rest[pos] == u':' && pos + 1 == rest.GetLength()))) return 0;
  return number;
}

// Record parity codes 1 and 2 are even and odd; the control block numbers them the other way.
BYTE ToSystemParity(int parity) {
  switch (parity) {
    case 1:
      return EVENPARITY;
    case 2:
      return ODDPARITY;
    case 3:
      return MARKPARITY;
    case 4:
      return SPACEPARITY;
    default:
      return NOPARITY;
  }
}

int FromSystemParity(BYTE parity) {
  switch (parity) {
    case EVENPARITY:
      return 1;
    case ODDPARITY:
      return 2;
    case MARKPARITY:
      return 3;
    case SPACEPARITY:
      return 4;
    default:
      return 0;
  }
}

WORD CapQueue(DWORD size) { return size >= 0xFFFF ? WORD(0xFFFF) : WORD(size); }

DWORD ForeverAsZero(int timeout) { return timeout < 0 ? 0 : DWORD(timeout); }

}  // namespace

CRs232Stream::CRs232Stream() : m_port(std::make_unique<CSerialPort>()) {}

CRs232Stream::CRs232Stream(int port, DWORD openFlags, const SRs232Settings* settings) : CRs232Stream() {
  if (!OpenPort(port, openFlags, settings)) ThrowFileException(GetError(), GetName());
}

CRs232Stream::~CRs232Stream() {
  // A destructor cannot report; closing releases the port whatever happens to the output.
  m_port->Close();
}

bool CRs232Stream::Keep(int code) {
  KeepError(code);
  return code == 0;
}

bool CRs232Stream::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  std::string device;
  if (int number = PortNumberOf(name)) {
    device = ComPortDevice(number);
    if (device.empty()) Raise(ERROR_FILE_NOT_FOUND);
  } else {
    device = name.ToUtf8();
  }
  Check(m_port->Open(device));
  return true;
}

bool CRs232Stream::OpenPort(int port, DWORD openFlags, const SRs232Settings* settings) {
  if (settings && settings->tag != SRs232Settings::kTag) return Keep(ERROR_INVALID_PARAMETER);
  CString name;
  name.Format(u"%sCOM%u", kDevicePrefix, unsigned(port));
  try {
    if (!Open(name, openFlags & ~OPEN_CREATION_MASK)) return false;
  } catch (const CFileException& e) {
    return Keep(e.m_lOsError);
  }
  if (settings) {
    m_settings = *settings;
    SetSettings(m_settings);
  } else {
    GetSettings(m_settings);
  }
  return !HasError();
}

bool CRs232Stream::Reopen() {
  if (GetName().IsEmpty()) return false;
  try {
    if (!Open(CString(GetName()), GetOpenFlags())) return false;
  } catch (const CFileException& e) {
    return Keep(e.m_lOsError);
  }
  SetSettings(SRs232Settings(m_settings));
  return !HasError();
}

void CRs232Stream::DoClose() {
  ClearError();
  if (!m_port->IsOpen()) return;
  const int flushError = IsWritable() ? m_port->FlushFileBuffers() : 0;
  const int closeError = m_port->Close();
  Check(flushError != 0 ? flushError : closeError);
}

bool CRs232Stream::IsOpen() { return m_port->IsOpen(); }

void CRs232Stream::RequirePort() {
  if (!m_port->IsOpen()) Raise(ERROR_INVALID_HANDLE);
}

void CRs232Stream::Purge() {
  ClearError();
  if (IsReadable()) Check(m_port->PurgeComm(PURGE_RXCLEAR));
}

int CRs232Stream::GetBytesWaiting() {
  ClearError();
  if (!IsReadable()) return 0;
  DWORD bytes = 0;
  Check(m_port->GetInQueue(bytes));
  return int(bytes);
}

void CRs232Stream::Flush() {
  ClearError();
  if (IsWritable()) Check(m_port->FlushFileBuffers());
}

int CRs232Stream::GetBytesPerSecond() {
  const int bitsPerFrame = 10 + (m_settings.parity != 0 ? 1 : 0) + (m_settings.stopBits != 0 ? 1 : 0);
  return int(m_settings.baud / DWORD(bitsPerFrame) * m_settings.dataBits / 8);
}

bool CRs232Stream::GetTimeouts(int& readTimeout, int& writeTimeout) {
  ClearError();
  COMMTIMEOUTS t;
  if (int error = m_port->GetCommTimeouts(t)) {
    if (error == ERROR_NOT_SUPPORTED) return Keep(error);
    Raise(error);
  }
  const bool readForever =
      t.ReadIntervalTimeout == 0 && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0;
  readTimeout = readForever ? -1 : int(t.ReadTotalTimeoutConstant);
  const bool writeForever = t.WriteTotalTimeoutMultiplier == 0 && t.WriteTotalTimeoutConstant == 0;
  writeTimeout = writeForever ? -1 : int(t.WriteTotalTimeoutConstant);
  return true;
}

bool CRs232Stream::SetTimeouts(int readTimeout, int writeTimeout) {
  ClearError();
  COMMTIMEOUTS t;
  t.ReadTotalTimeoutConstant = ForeverAsZero(readTimeout);
  // A write may take 50 ms a byte on top of its constant, enough for the slowest line.
  t.WriteTotalTimeoutMultiplier = writeTimeout < 0 ? 0 : 50;
  t.WriteTotalTimeoutConstant = ForeverAsZero(writeTimeout);
  if (int error = m_port->SetCommTimeouts(t)) {
    if (error == ERROR_NOT_SUPPORTED) return Keep(error);
    Raise(error);
  }
  return true;
}

bool CRs232Stream::Cancel() {
  // Called from other threads while a read runs: the kept error belongs to that read.
  if (int error = m_port->PurgeComm(PURGE_TXABORT | PURGE_RXABORT)) {
    if (error == ERROR_NOT_SUPPORTED) return Keep(error);
    Raise(error);
  }
  return true;
}

bool CRs232Stream::CancelIo() {
  Keep(m_port->CancelIo());
  return true;
}

int CRs232Stream::Read(void* buffer, int count) {
  ClearError();
  RequirePort();
  if (!IsReadable()) Raise(ERROR_READ_FAULT);
  DWORD done = 0;
  Check(m_port->Read(buffer, DWORD(count < 0 ? 0 : count), done));
  if (done == 0 && count > 0) KeepError(ERROR_HANDLE_EOF);
  return int(done);
}

int CRs232Stream::Write(const void* buffer, int count) {
  ClearError();
  RequirePort();
  if (!IsWritable()) Raise(ERROR_WRITE_FAULT);
  DWORD done = 0;
  Check(m_port->Write(buffer, DWORD(count < 0 ? 0 : count), done));
  if (done == 0 && count > 0) KeepError(ERROR_TIMEOUT);
  return int(done);
}

bool CRs232Stream::GetSettings(SRs232Settings& settings) {
  ClearError();
  COMMPROP properties;
  DCB dcb;
  COMMTIMEOUTS t;
  int error = m_port->GetCommProperties(properties);
  if (error == 0) error = m_port->GetCommState(dcb);
  if (error == 0) error = m_port->GetCommTimeouts(t);
  if (error != 0) {
    settings = SRs232Settings{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    return Keep(error);
  }
  settings.tag = SRs232Settings::kTag;
  settings.baud = dcb.BaudRate;
  settings.dataBits = dcb.ByteSize;
  settings.parity = FromSystemParity(dcb.Parity);
  settings.stopBits = dcb.StopBits;
  settings.flags = 0;
  if (dcb.fOutX || dcb.fInX) settings.flags |= RS232_XONXOFF;
  if (dcb.fOutxDsrFlow) settings.flags |= RS232_DTRDSR;
  if (dcb.fOutxCtsFlow) settings.flags |= RS232_RTSCTS;
  settings.inQueue = CapQueue(properties.dwCurrentRxQueue);
  settings.outQueue = CapQueue(properties.dwCurrentTxQueue);
  const bool readForever =
      t.ReadIntervalTimeout == 0 && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0;
  settings.readTimeout = readForever ? -1 : int(t.ReadTotalTimeoutConstant);
  const bool writeForever = t.WriteTotalTimeoutMultiplier == 0 && t.WriteTotalTimeoutConstant == 0;
  settings.writeTimeout = writeForever ? -1 : int(t.WriteTotalTimeoutConstant);
  return true;
}

bool CRs232Stream::SetSettings(const SRs232Settings& settings) {
  ClearError();
  COMMPROP properties;
  if (!Keep(m_port->GetCommProperties(properties))) return false;
  DWORD inQueue = settings.inQueue;
  DWORD outQueue = settings.outQueue;
  if (properties.dwMaxRxQueue != 0 && inQueue > properties.dwMaxRxQueue) inQueue = properties.dwMaxRxQueue;
  if (properties.dwMaxTxQueue != 0 && outQueue > properties.dwMaxTxQueue) outQueue = properties.dwMaxTxQueue;
  if (!Keep(m_port->SetupComm(inQueue, outQueue))) return false;
  if (!Keep(m_port->GetCommProperties(properties))) return false;

  DCB dcb;
  if (!Keep(m_port->GetCommState(dcb))) return false;
  dcb.fBinary = true;
  dcb.fParity = settings.parity != 0;
  dcb.BaudRate = settings.baud;
  dcb.ByteSize = settings.dataBits;
  dcb.Parity = ToSystemParity(settings.parity);
  dcb.StopBits = BYTE(settings.stopBits);
  const bool xonXoff = (settings.flags & RS232_XONXOFF) != 0;
  dcb.fOutX = dcb.fInX = xonXoff;
  if (xonXoff) {
    const WORD queue = CapQueue(properties.dwCurrentRxQueue);
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = WORD(queue / 2);
    dcb.XoffLim = WORD(queue / 4);
  }
  const bool dtrDsr = (settings.flags & RS232_DTRDSR) != 0;
  dcb.fDtrControl = dtrDsr ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = dtrDsr;
  dcb.fOutxDsrFlow = dtrDsr;
  dcb.fTXContinueOnXoff = true;
  const bool rtsCts = (settings.flags & RS232_RTSCTS) != 0;
  dcb.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  dcb.fOutxCtsFlow = rtsCts;
  if (settings.flags & RS232_RTS_OFF) dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fErrorChar = false;
  dcb.fNull = false;
  dcb.fAbortOnError = false;
  if (!Keep(m_port->SetCommState(dcb))) return false;

  m_settings = settings;
  if (settings.readTimeout != 0 || settings.writeTimeout != 0) {
    try {
      SetTimeouts(settings.readTimeout, settings.writeTimeout);
    } catch (const CFileException& e) {
      return Keep(e.m_lOsError);
    }
  }
  return !HasError();
}

}  // namespace StreamIO
