#include "device/streamio/IpStream.h"

#include <vector>

#include "device/streamio/SocketLibrary.h"
#include "device/streamio/TcpSocket.h"
#include "device/streamio/UdpSocket.h"
#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

bool IsResetByPeer(int error) { return error == WSAECONNABORTED || error == WSAECONNRESET; }

}  // namespace

CIpStream::CIpStream() = default;

CIpStream::CIpStream(const CString& name, DWORD openFlags) { Open(name, openFlags); }

CIpStream::~CIpStream() { m_socket.reset(); }

void CIpStream::SplitName(const CString& name, CString& host, CString& port) {
  host.Empty();
  port.Empty();
  const int first = name.Find(u':');
  const int last = name.ReverseFind(u':');
  if (first < 0) return;
  if (first == last)
    host = name.Left(first);
  else
    host = name.Mid(first + 1, last - first - 1);
  port = name.Mid(last + 1);
}

bool CIpStream::Open(const CString& name, DWORD openFlags) {
  CString fullName = name;
  if (fullName.Left(3).CompareNoCase(u"IP:") != 0) fullName = u"IP:" + fullName;
  if (!BeginOpen(fullName, openFlags)) return false;
  if (int error = StartSockets()) Raise(error);
  CString host, port;
  SplitName(fullName, host, port);
  std::unique_ptr<CIpSocket> socket;
  if (openFlags & OPEN_UDP)
    socket = std::make_unique<CUdpSocket>(host.ToAnsi(), port.ToAnsi(), m_wake);
  else
    socket = std::make_unique<CTcpSocket>(host.ToAnsi(), port.ToAnsi(), m_wake);
  if (int error = socket->Open()) Raise(error);
  m_socket = std::move(socket);
  return true;
}

void CIpStream::DoClose() {
  ClearError();
  if (!m_socket) {
    KeepError(ERROR_INVALID_HANDLE);
    return;
  }
  // A transfer still waiting on another thread must not go on waiting on a closed socket.
  m_wake.Raise();
  int error = m_socket->Close();
  m_socket.reset();
  if (error != 0) Raise(error);
}

void CIpStream::RequireSocket() {
  if (!m_socket) Raise(ERROR_INVALID_HANDLE);
}

void CIpStream::Purge() {
  ClearError();
  if (!m_socket) return;
  int bytes = 0;
  if (int error = m_socket->BytesReadable(bytes)) {
    KeepError(error);
    return;
  }
  if (bytes <= 0) return;
  std::vector<BYTE> scratch(static_cast<size_t>(bytes));
  int done = 0;
  KeepError(m_socket->Read(scratch.data(), bytes, done));
}

int CIpStream::GetBytesWaiting() {
  ClearError();
  if (!m_socket) return 0;
  int bytes = 0;
  KeepError(m_socket->BytesReadable(bytes));
  return bytes;
}

bool CIpStream::GetTimeouts(int& readTimeout, int& writeTimeout) {
  if (!m_socket) return false;
  m_socket->GetTimeouts(readTimeout, writeTimeout);
  return true;
}

bool CIpStream::SetTimeouts(int readTimeout, int writeTimeout) {
  if (!m_socket) return false;
  m_socket->SetTimeouts(readTimeout, writeTimeout);
  return true;
}

bool CIpStream::Cancel() {
  // Only the stream's own wake signal is touched: the owning thread may be inside the socket.
  m_wake.Raise();
  return true;
}

bool CIpStream::IsConnected() { return m_socket && m_socket->IsConnected(); }

bool CIpStream::Reconnect() {
  int readTimeout = 0, writeTimeout = 0;
  m_socket->GetTimeouts(readTimeout, writeTimeout);
  const int lost = GetError();
  Close();
  try {
    Open(CString(GetName()), GetOpenFlags());
  } catch (const CFileException&) {
    // The peer does not answer again: the caller learns that the connection was reset.
    KeepError(lost);
    return false;
  }
  m_socket->SetTimeouts(readTimeout, writeTimeout);
  ClearError();
  return true;
}

bool CIpStream::TakeResult(int error) {
  KeepError(error);
  if (error == 0 || error == ERROR_TIMEOUT) return true;
  if (!IsResetByPeer(error)) Raise(error);
  return Reconnect();
}

int CIpStream::Read(void* buffer, int count) {
  ClearError();
  RequireSocket();
  if (!(GetOpenFlags() & OPEN_READ)) Raise(ERROR_READ_FAULT);
  const DWORD start = GetTickCount();
  int readTimeout = 0, writeTimeout = 0;
  m_socket->GetTimeouts(readTimeout, writeTimeout);
  BYTE* bytes = static_cast<BYTE*>(buffer);
  int total = 0;
  while (total < count) {
    int done = 0;
    const int error = m_socket->Read(bytes + total, count - total, done);
    total += done;
    if (!TakeResult(error)) return total;
    // After a reconnection the read goes on over the new connection.
    const bool reconnected = IsResetByPeer(error);
    if (done == 0 && !reconnected && error != ERROR_TIMEOUT) {
      KeepError(ERROR_HANDLE_EOF);
      return total;
    }
    // A socket read that timed out has waited the whole time-out; the tick count may show a
    // tick less.
    const bool timedOut =
        error == ERROR_TIMEOUT || GetTickCount() - start >= TimeoutSpan(ULONGLONG(readTimeout));
    if (total < count && readTimeout >= 0 && timedOut) {
      KeepError(ERROR_TIMEOUT);
      return total;
    }
    if (!reconnected) ClearError();
  }
  return total;
}

int CIpStream::Write(const void* buffer, int count) {
  ClearError();
  RequireSocket();
  if (!(GetOpenFlags() & OPEN_WRITE)) Raise(ERROR_WRITE_FAULT);
  int done = 0;
  const int error = m_socket->Write(buffer, count, done);
  if (!TakeResult(error)) return done;
  if (done == 0 && count > 0 && error != ERROR_TIMEOUT) KeepError(ERROR_HANDLE_EOF);
  return done;
}

}  // namespace StreamIO
