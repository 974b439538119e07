#include "tests/device/streamio_transports/FakeUsbDevice.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/base/ErrorCodes.h"

namespace {

constexpr int kDevice = 7;
constexpr int kInEndpoint = 0x81;
constexpr int kOutEndpoint = 0x01;

bool IsRaised(CWakeSignal& wake) {
  pollfd fd{wake.Descriptor(), POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

}  // namespace

CFakeUsbDevice::CFakeUsbDevice() { SetUsbBackend(this); }

CFakeUsbDevice::~CFakeUsbDevice() { SetUsbBackend(nullptr); }

void CFakeUsbDevice::QueuePacket(const std::vector<BYTE>& packet) {
  std::lock_guard lock(m_lock);
  m_packets.push_back(packet);
}

void CFakeUsbDevice::SetStalled(bool stalled) {
  std::lock_guard lock(m_lock);
  m_stalled = stalled;
}

std::vector<BYTE> CFakeUsbDevice::Written() {
  std::lock_guard lock(m_lock);
  return m_written;
}

int CFakeUsbDevice::OpenDevices() {
  std::lock_guard lock(m_lock);
  return m_devices;
}

int CFakeUsbDevice::OpenPipes() {
  std::lock_guard lock(m_lock);
  return m_pipes;
}

int CFakeUsbDevice::List(WORD, WORD, std::vector<std::string>& paths) {
  paths = {kPath};
  return 0;
}

int CFakeUsbDevice::Open(const std::string& path, int& device) {
  if (path != kPath) return ERROR_FILE_NOT_FOUND;
  std::lock_guard lock(m_lock);
  ++m_devices;
  device = kDevice;
  return 0;
}

int CFakeUsbDevice::Close(int device) {
  std::lock_guard lock(m_lock);
  if (device != kDevice || m_devices == 0) return ERROR_INVALID_HANDLE;
  --m_devices;
  return 0;
}

int CFakeUsbDevice::OpenPipe(int device, int pipe, int& endpoint) {
  if (device != kDevice) return ERROR_INVALID_HANDLE;
  std::lock_guard lock(m_lock);
  ++m_pipes;
  endpoint = pipe == 0 ? kInEndpoint : kOutEndpoint;
  return 0;
}

int CFakeUsbDevice::ClosePipe(int device, int endpoint) {
  if (device != kDevice || (endpoint != kInEndpoint && endpoint != kOutEndpoint)) return ERROR_INVALID_HANDLE;
  std::lock_guard lock(m_lock);
  --m_pipes;
  return 0;
}

int CFakeUsbDevice::Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs,
                             CWakeSignal& wake, int& done) {
  done = 0;
  if (device != kDevice) return ERROR_INVALID_HANDLE;
  CWakeSignal::CWaitScope scope(wake);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    {
      std::lock_guard lock(m_lock);
      if (endpoint == kOutEndpoint && !m_stalled) {
        m_written.insert(m_written.end(), buffer, buffer + count);
        done = count;
        return 0;
      }
      if (endpoint == kInEndpoint && !m_packets.empty()) {
        std::vector<BYTE>& packet = m_packets.front();
        done = std::min(count, int(packet.size()));
        std::copy(packet.begin(), packet.begin() + done, buffer);
        packet.erase(packet.begin(), packet.begin() + done);
        if (packet.empty()) m_packets.pop_front();
        return 0;
      }
    }
    if (IsRaised(wake)) return ERROR_OPERATION_ABORTED;
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) return ERROR_TIMEOUT;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
