#include "tests/sim/PtyLink.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/io/PortSettings.h"

namespace Sim {

CPtyLink::CPtyLink() {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master < 0) return;
  if (grantpt(master) != 0 || unlockpt(master) != 0) {
    close(master);
    return;
  }
  m_slave = ptsname(master);
  m_master = master;
}

CPtyLink::~CPtyLink() { Hangup(); }

std::string CPtyLink::LineSettings() const {
  termios line{};
  if (m_master < 0 || tcgetattr(m_master, &line) != 0) return std::string();
  static const std::pair<speed_t, const char*> kRates[] = {
      {B1200, "1200"},   {B2400, "2400"},   {B4800, "4800"},   {B9600, "9600"},
      {B19200, "19200"}, {B38400, "38400"}, {B57600, "57600"}, {B115200, "115200"},
  };
  std::string settings = "other";
  for (const auto& [speed, text] : kRates)
    if (cfgetospeed(&line) == speed) settings = text;
  if (line.c_cflag & CRTSCTS) settings += " rtscts";
  return settings;
}

bool CPtyLink::MapToComPort(int number) const { return IsOpen() && SetComPortMapping(number, m_slave); }

bool CPtyLink::HasClient() const {
  if (m_master < 0) return false;
  // The master side reports a hang-up while no descriptor of the slave side is open.
  pollfd state{m_master, 0, 0};
  return poll(&state, 1, 0) >= 0 && !(state.revents & POLLHUP);
}

int CPtyLink::Receive(BYTE* buffer, int count, int timeoutMs) {
  const Deadline deadline = DeadlineOf(timeoutMs);
  HangupIfRequested();
  if (m_master < 0) {
    // A terminal that hung up stays gone: wait out the time-out rather than spin on it.
    WaitReadable(-1, deadline);
    return -1;
  }
  for (;;) {
    int ready = WaitReadable(m_master, deadline);
    if (ready <= 0) return 0;
    ssize_t got = read(m_master, buffer, size_t(count));
    if (got > 0) return int(got);
    // EIO: no client holds the slave side open (yet, or between a close and a reopen). The
    // master then polls readable at once, so wait a little before asking again.
    if (got < 0 && errno != EIO && errno != EAGAIN && errno != EINTR) return -1;
    if (IsPast(deadline)) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

bool CPtyLink::Send(const BYTE* data, int count) {
  int sent = 0;
  while (sent < count) {
    HangupIfRequested();
    if (m_master < 0 || IsShutDown()) return false;
    ssize_t done = write(m_master, data + sent, size_t(count - sent));
    if (done > 0) {
      sent += int(done);
      continue;
    }
    if (done < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd out{m_master, POLLOUT, 0};
    poll(&out, 1, 10);
  }
  return true;
}

void CPtyLink::Hangup() {
  if (m_master < 0) return;
  close(m_master);
  m_master = -1;
}

}  // namespace Sim
