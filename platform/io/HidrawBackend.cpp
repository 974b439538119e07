#include "platform/io/HidrawBackend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/io/HidReportDescriptor.h"

namespace {

// The vendor id from a hidraw node's uevent line "HID_ID=bus:vendor:product" (hexadecimal).
bool VendorOf(const std::filesystem::path& node, WORD& vendor) {
  std::ifstream uevent(node / "device" / "uevent");
  std::string line;
  while (std::getline(uevent, line)) {
    if (line.rfind("HID_ID=", 0) != 0) continue;
    auto first = line.find(':');
    auto second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) return false;
    vendor = WORD(std::strtoul(line.substr(first + 1, second - first - 1).c_str(), nullptr, 16));
    return true;
  }
  return false;
}

int ReadLayout(int fd, SHidReportLayout& layout) {
  int size = 0;
  if (ioctl(fd, HIDIOCGRDESCSIZE, &size) != 0) return LastOsError();
  hidraw_report_descriptor descriptor{};
  descriptor.size = DWORD(std::clamp(size, 0, int(HID_MAX_DESCRIPTOR_SIZE)));
  if (ioctl(fd, HIDIOCGRDESC, &descriptor) != 0) return LastOsError();
  layout = ParseHidReportDescriptor(descriptor.value, int(descriptor.size));
  return 0;
}

}  // namespace

int CHidrawBackend::List(WORD vendorId, std::vector<std::string>& paths) {
  paths.clear();
  std::vector<std::pair<long, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
    const std::string name = entry.path().filename().string();
    WORD vendor = 0;
    if (name.rfind("hidraw", 0) != 0 || !VendorOf(entry.path(), vendor) || vendor != vendorId) continue;
    found.emplace_back(std::atol(name.c_str() + 6), "/dev/" + name);
  }
  std::sort(found.begin(), found.end());
  for (auto& [number, path] : found) paths.push_back(std::move(path));
  return 0;
}

int CHidrawBackend::Open(const std::string& path, bool inputOnly, int& handle) {
  handle = -1;
  int fd = ::open(path.c_str(), (inputOnly ? O_RDONLY : O_RDWR) | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return LastOsError();
  SHidReportLayout layout;
  if (int error = ReadLayout(fd, layout)) {
    ::close(fd);
    return error;
  }
  std::lock_guard lock(m_lock);
  m_numbered[fd] = layout.numberedReports;
  handle = fd;
  return 0;
}

int CHidrawBackend::Close(int handle) {
  {
    std::lock_guard lock(m_lock);
    m_numbered.erase(handle);
  }
  return ::close(handle) == 0 ? 0 : LastOsError();
}

bool CHidrawBackend::IsNumbered(int handle) {
  std::lock_guard lock(m_lock);
  auto it = m_numbered.find(handle);
  return it != m_numbered.end() && it->second;
}

int CHidrawBackend::GetCaps(int handle, SHidCaps& caps) {
  SHidReportLayout layout;
  if (int error = ReadLayout(handle, layout)) return error;
  caps = layout.caps;
  return 0;
}

int CHidrawBackend::GetFeature(int handle, BYTE* report, int length) {
  return ioctl(handle, HIDIOCGFEATURE(length), report) < 0 ? LastOsError() : 0;
}

int CHidrawBackend::SetFeature(int handle, const BYTE* report, int length) {
  return ioctl(handle, HIDIOCSFEATURE(length), report) < 0 ? LastOsError() : 0;
}

int CHidrawBackend::ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                              int& received) {
  received = 0;
  if (length < 2) return ERROR_INSUFFICIENT_BUFFER;
  const bool numbered = IsNumbered(handle);
  using SteadyClock = std::chrono::steady_clock;
  const auto deadline = SteadyClock::now() + ScaledDuration(timeoutMs < 0 ? 0 : DWORD(timeoutMs));
  CWakeSignal::CWaitScope scope(wake);
  for (;;) {
    ssize_t n =
        numbered ? ::read(handle, report, size_t(length)) : ::read(handle, report + 1, size_t(length - 1));
    if (n > 0) {
      if (!numbered) {
        report[0] = 0;
        ++n;
      }
      received = int(n);
      return 0;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return LastOsError();
    int wait = -1;
    if (timeoutMs >= 0) {
      auto left =
          std::chrono::duration_cast<std::chrono::microseconds>(deadline - SteadyClock::now()).count();
      if (left <= 0) return ERROR_TIMEOUT;
      wait = int((left + 999) / 1000);
    }
    pollfd fds[2] = {{handle, POLLIN, 0}, {wake.Descriptor(), POLLIN, 0}};
    if (::poll(fds, 2, wait) < 0 && errno != EINTR) return LastOsError();
    if (fds[1].revents & POLLIN) return ERROR_OPERATION_ABORTED;
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return ERROR_DEVICE_NOT_CONNECTED;
  }
}
