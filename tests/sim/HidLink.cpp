#include "tests/sim/HidLink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

#include "tests/sim/HidProbeInstrument.h"

namespace Sim {

CHidLink::CHidLink(CHidProbeInstrument& instrument) : m_instrument(instrument) {
  if (pipe2(m_pipe, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the HID link");
  const int writeEnd = m_pipe[1];
  m_instrument.SetReceiver([writeEnd](const BYTE* data, int count) {
    while (count > 0) {
      const ssize_t written = write(writeEnd, data, size_t(count));
      if (written < 0 && errno == EINTR) continue;
      // The pipe is gone only while the link is being destroyed.
      if (written <= 0) return;
      data += written;
      count -= int(written);
    }
  });
}

CHidLink::~CHidLink() {
  m_instrument.SetReceiver(nullptr);
  close(m_pipe[0]);
  close(m_pipe[1]);
}

int CHidLink::Receive(BYTE* buffer, int count, int timeoutMs) {
  const int ready = WaitReadable(m_pipe[0], DeadlineOf(timeoutMs));
  if (ready <= 0) return 0;
  const ssize_t got = read(m_pipe[0], buffer, size_t(count));
  return got > 0 ? int(got) : 0;
}

bool CHidLink::Send(const BYTE* data, int count) {
  m_instrument.QueueForHost(std::vector<BYTE>(data, data + count), m_instrument.MessageCapacity());
  return true;
}

std::string CHidLink::ClientName() const { return m_instrument.Path(); }

}  // namespace Sim
