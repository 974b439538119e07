#include "tests/device/streamio_transports/PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/io/PortSettings.h"

CPseudoTerminal::CPseudoTerminal(int comNumber) : m_master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) return;
  m_slave = ptsname(m_master);
  SetComPortMapping(comNumber, m_slave);
}

CPseudoTerminal::~CPseudoTerminal() {
  if (m_master >= 0) close(m_master);
}
