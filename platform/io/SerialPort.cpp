#include "platform/io/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/io/SerialTermios.h"

namespace {

// Lines that a device does not have (a pseudo-terminal has no modem lines) are not errors:
// there is simply nothing to set or read.
bool IsMissingLine(int error) { return error == ENOTTY || error == EINVAL || error == ENOTSUP; }

using SteadyClock = std::chrono::steady_clock;

// The end of a transfer of `count` bytes under a total time-out of multiplier × count +
// constant; both 0 mean no time limit. The total decides that the transfer failed, so it is a
// time-out of the clock.
bool TotalDeadline(DWORD multiplier, DWORD constant, DWORD count, SteadyClock::time_point& deadline) {
  if (multiplier == 0 && constant == 0) return false;
  ULONGLONG total = ULONGLONG(multiplier) * count + constant;
  deadline = SteadyClock::now() + TimeoutDuration(DWORD(total > 0xFFFFFFFEull ? 0xFFFFFFFEull : total));
  return true;
}

int PollTimeout(bool limited, SteadyClock::time_point deadline) {
  if (!limited) return -1;
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  if (left <= 0) return 0;
  // Round up so that the wait never ends a fraction of a millisecond before the deadline.
  return int(left) + 1;
}

}  // namespace

CSerialPort::~CSerialPort() { Close(); }

int CSerialPort::Open(const std::string& device) {
  if (m_fd >= 0) return ERROR_NOT_SUPPORTED;
  int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return LastOsError();
  // Communications ports belong to one user at a time.
  if (ioctl(fd, TIOCEXCL) != 0 && !IsMissingLine(errno)) {
    int error = LastOsError();
    ::close(fd);
    return error;
  }
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) {
    int error = LastOsError();
    ::close(fd);
    return error;
  }
  MakeRawKeepingLine(tio);
  if (tcsetattr(fd, TCSANOW, &tio) != 0) {
    int error = LastOsError();
    ::close(fd);
    return error;
  }
  m_fd = fd;
  m_timeouts = COMMTIMEOUTS{};
  return ERROR_SUCCESS;
}

int CSerialPort::Close() {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  // A transfer still waiting on another thread must not go on waiting on a closed port.
  m_cancel.Raise();
  int result = ::close(m_fd) == 0 ? ERROR_SUCCESS : LastOsError();
  m_fd = -1;
  return result;
}

int CSerialPort::GetCommState(DCB& dcb) {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  termios tio{};
  if (tcgetattr(m_fd, &tio) != 0) return LastOsError();
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (ioctl(m_fd, TIOCMGET, &lines) != 0 && !IsMissingLine(errno)) return LastOsError();
  TermiosToDcb(tio, lines, dcb);
  return ERROR_SUCCESS;
}

int CSerialPort::SetCommState(const DCB& dcb) {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  termios tio{};
  if (tcgetattr(m_fd, &tio) != 0) return LastOsError();
  if (int error = DcbToTermios(dcb, tio)) return error;
  if (tcsetattr(m_fd, TCSANOW, &tio) != 0) return LastOsError();
  if (int error = SetModemLine(TIOCM_DTR, dcb.fDtrControl != DTR_CONTROL_DISABLE)) return error;
  if (dcb.fRtsControl != RTS_CONTROL_HANDSHAKE)
    if (int error = SetModemLine(TIOCM_RTS, dcb.fRtsControl == RTS_CONTROL_ENABLE)) return error;
  return ERROR_SUCCESS;
}

int CSerialPort::SetModemLine(int line, bool on) {
  if (ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0 || IsMissingLine(errno)) return ERROR_SUCCESS;
  return LastOsError();
}

int CSerialPort::GetCommTimeouts(COMMTIMEOUTS& timeouts) const {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  timeouts = m_timeouts;
  return ERROR_SUCCESS;
}

int CSerialPort::SetCommTimeouts(const COMMTIMEOUTS& timeouts) {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  m_timeouts = timeouts;
  return ERROR_SUCCESS;
}

int CSerialPort::GetCommProperties(COMMPROP& properties) const {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  properties = COMMPROP{0, 0, m_outQueue, m_inQueue};
  return ERROR_SUCCESS;
}

int CSerialPort::SetupComm(DWORD inQueue, DWORD outQueue) {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  m_inQueue = inQueue;
  m_outQueue = outQueue;
  return ERROR_SUCCESS;
}

int CSerialPort::PurgeComm(DWORD flags) {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  if (flags & (PURGE_TXABORT | PURGE_RXABORT)) CancelIo();
  int queues = -1;
  if ((flags & PURGE_RXCLEAR) && (flags & PURGE_TXCLEAR))
    queues = TCIOFLUSH;
  else if (flags & PURGE_RXCLEAR)
    queues = TCIFLUSH;
  else if (flags & PURGE_TXCLEAR)
    queues = TCOFLUSH;
  if (queues >= 0 && tcflush(m_fd, queues) != 0) return LastOsError();
  return ERROR_SUCCESS;
}

int CSerialPort::GetInQueue(DWORD& bytes) {
  bytes = 0;
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  int waiting = 0;
  if (ioctl(m_fd, FIONREAD, &waiting) != 0) return LastOsError();
  bytes = DWORD(waiting);
  return ERROR_SUCCESS;
}

int CSerialPort::Read(void* buffer, DWORD count, DWORD& bytesRead) {
  return Transfer(Direction::In, static_cast<BYTE*>(buffer), count, bytesRead);
}

int CSerialPort::Write(const void* buffer, DWORD count, DWORD& bytesWritten) {
  return Transfer(Direction::Out, static_cast<BYTE*>(const_cast<void*>(buffer)), count, bytesWritten);
}

int CSerialPort::FlushFileBuffers() {
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  return tcdrain(m_fd) == 0 ? ERROR_SUCCESS : LastOsError();
}

int CSerialPort::CancelIo() {
  m_cancel.Raise();
  return ERROR_SUCCESS;
}

int CSerialPort::Transfer(Direction direction, BYTE* buffer, DWORD count, DWORD& done) {
  done = 0;
  if (m_fd < 0) return ERROR_INVALID_HANDLE;
  if (count == 0) return ERROR_SUCCESS;
  const bool in = direction == Direction::In;
  const COMMTIMEOUTS t = m_timeouts;
  // Interval READ_INTERVAL_IMMEDIATE with no total time-out: hand out what is there and return at once.
  const bool immediate = in && t.ReadIntervalTimeout == READ_INTERVAL_IMMEDIATE &&
                         t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0;
  SteadyClock::time_point deadline = SteadyClock::now();
  bool limited = immediate;
  if (!immediate) {
    limited = in ? TotalDeadline(t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant, count, deadline)
                 : TotalDeadline(t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant, count, deadline);
  }
  const bool useInterval =
      in && !immediate && t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != READ_INTERVAL_IMMEDIATE;

  CWakeSignal::CWaitScope scope(m_cancel);
  int result = ERROR_SUCCESS;
  while (done < count) {
    ssize_t n = in ? ::read(m_fd, buffer + done, count - done) : ::write(m_fd, buffer + done, count - done);
    if (n > 0) {
      done += DWORD(n);
      if (useInterval) {
        auto gapEnd = SteadyClock::now() + ScaledDuration(t.ReadIntervalTimeout);
        if (!limited || gapEnd < deadline) deadline = gapEnd;
        limited = true;
      }
      continue;
    }
    // A tty reads 0 only when the line has hung up: nothing more will come.
    if (n == 0 && in) break;
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      result = LastOsError();
      break;
    }
    int timeout = PollTimeout(limited, deadline);
    if (timeout == 0) break;
    pollfd fds[2] = {{m_fd, short(in ? POLLIN : POLLOUT), 0}, {m_cancel.Descriptor(), POLLIN, 0}};
    int ready = ::poll(fds, 2, timeout);
    if (ready < 0 && errno != EINTR) {
      result = LastOsError();
      break;
    }
    if (ready > 0 && (fds[1].revents & POLLIN)) {
      result = ERROR_OPERATION_ABORTED;
      break;
    }
  }
  return result;
}
