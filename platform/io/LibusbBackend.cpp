#include "platform/io/LibusbBackend.h"

#include <fcntl.h>
#include <libusb.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"

namespace {

int UsbError(int code) {
  switch (code) {
    case LIBUSB_SUCCESS:
      return 0;
    case LIBUSB_ERROR_ACCESS:
      return ERROR_ACCESS_DENIED;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND:
      return ERROR_DEVICE_NOT_CONNECTED;
    case LIBUSB_ERROR_BUSY:
      return ERROR_SHARING_VIOLATION;
    case LIBUSB_ERROR_TIMEOUT:
      return ERROR_TIMEOUT;
    case LIBUSB_ERROR_NO_MEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case LIBUSB_ERROR_NOT_SUPPORTED:
      return ERROR_NOT_SUPPORTED;
    case LIBUSB_ERROR_INVALID_PARAM:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_GEN_FAILURE;
  }
}

// The interface and address of the first bulk endpoint of the direction, or false.
bool FindBulkEndpoint(libusb_device* device, bool in, int& interfaceNumber, int& endpoint) {
  libusb_config_descriptor* config = nullptr;
  if (libusb_get_active_config_descriptor(device, &config) != 0 || !config) return false;
  bool found = false;
  for (int i = 0; i < config->bNumInterfaces && !found; ++i) {
    const libusb_interface& interface = config->interface[i];
    for (int a = 0; a < interface.num_altsetting && !found; ++a) {
      const libusb_interface_descriptor& setting = interface.altsetting[a];
      for (int e = 0; e < setting.bNumEndpoints && !found; ++e) {
        const libusb_endpoint_descriptor& ep = setting.endpoint[e];
        const bool bulk = (ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK;
        const bool isIn = (ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
        if (bulk && isIn == in) {
          interfaceNumber = setting.bInterfaceNumber;
          endpoint = ep.bEndpointAddress;
          found = true;
        }
      }
    }
  }
  libusb_free_config_descriptor(config);
  return found;
}

bool IsRaised(CWakeSignal& wake) {
  pollfd fd{wake.Descriptor(), POLLIN, 0};
  return poll(&fd, 1, 0) > 0;
}

void LIBUSB_CALL MarkDone(libusb_transfer* transfer) { *static_cast<int*>(transfer->user_data) = 1; }

}  // namespace

CLibusbBackend::CLibusbBackend() {
  // Without a USB subsystem there is nothing to list or open, which is no failure.
  m_available = libusb_init(&m_context) == LIBUSB_SUCCESS;
}

CLibusbBackend::~CLibusbBackend() {
  for (auto& [id, device] : m_devices) {
    libusb_close(device.handle);
    ::close(device.fd);
  }
  if (m_available) libusb_exit(m_context);
}

int CLibusbBackend::List(WORD vendorId, WORD productId, std::vector<std::string>& paths) {
  paths.clear();
  if (!m_available) return 0;
  libusb_device** list = nullptr;
  ssize_t count = libusb_get_device_list(m_context, &list);
  if (count < 0) return UsbError(int(count));
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) != 0) continue;
    if (descriptor.idVendor != vendorId || (productId != 0 && descriptor.idProduct != productId)) continue;
    int interfaceNumber = 0, endpoint = 0;
    if (!FindBulkEndpoint(list[i], true, interfaceNumber, endpoint) ||
        !FindBulkEndpoint(list[i], false, interfaceNumber, endpoint))
      continue;
    char path[64];
    std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", unsigned(libusb_get_bus_number(list[i])),
                  unsigned(libusb_get_device_address(list[i])));
    paths.push_back(path);
  }
  libusb_free_device_list(list, 1);
  return 0;
}

int CLibusbBackend::Open(const std::string& path, int& device) {
  device = -1;
  if (!m_available) return ERROR_FILE_NOT_FOUND;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return OsErrorToWin(errno);
  libusb_device_handle* handle = nullptr;
  if (int error = libusb_wrap_sys_device(m_context, intptr_t(fd), &handle)) {
    ::close(fd);
    return UsbError(error);
  }
  std::lock_guard lock(m_lock);
  device = m_nextDevice++;
  m_devices[device] = SDevice{fd, handle, {}};
  return 0;
}

int CLibusbBackend::Close(int device) {
  std::lock_guard lock(m_lock);
  auto it = m_devices.find(device);
  if (it == m_devices.end()) return ERROR_INVALID_HANDLE;
  for (const auto& [endpoint, interfaceNumber] : it->second.interfaceOfEndpoint)
    libusb_release_interface(it->second.handle, interfaceNumber);
  libusb_close(it->second.handle);
  int result = ::close(it->second.fd) == 0 ? 0 : OsErrorToWin(errno);
  m_devices.erase(it);
  return result;
}

libusb_device_handle* CLibusbBackend::Handle(int device) {
  std::lock_guard lock(m_lock);
  auto it = m_devices.find(device);
  return it == m_devices.end() ? nullptr : it->second.handle;
}

int CLibusbBackend::OpenPipe(int device, int pipe, int& endpoint) {
  std::lock_guard lock(m_lock);
  auto it = m_devices.find(device);
  if (it == m_devices.end()) return ERROR_INVALID_HANDLE;
  int interfaceNumber = 0;
  if (!FindBulkEndpoint(libusb_get_device(it->second.handle), pipe == 0, interfaceNumber, endpoint))
    return ERROR_FILE_NOT_FOUND;
  libusb_set_auto_detach_kernel_driver(it->second.handle, 1);
  bool claimed = false;
  for (const auto& [other, number] : it->second.interfaceOfEndpoint)
    claimed = claimed || number == interfaceNumber;
  if (!claimed)
    if (int error = libusb_claim_interface(it->second.handle, interfaceNumber)) return UsbError(error);
  it->second.interfaceOfEndpoint[endpoint] = interfaceNumber;
  return 0;
}

int CLibusbBackend::ClosePipe(int device, int endpoint) {
  std::lock_guard lock(m_lock);
  auto it = m_devices.find(device);
  if (it == m_devices.end()) return ERROR_INVALID_HANDLE;
  auto pipe = it->second.interfaceOfEndpoint.find(endpoint);
  if (pipe == it->second.interfaceOfEndpoint.end()) return ERROR_INVALID_HANDLE;
  const int interfaceNumber = pipe->second;
  it->second.interfaceOfEndpoint.erase(pipe);
  for (const auto& [other, number] : it->second.interfaceOfEndpoint)
    if (number == interfaceNumber) return 0;
  return UsbError(libusb_release_interface(it->second.handle, interfaceNumber));
}

int CLibusbBackend::Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs,
                             CWakeSignal& wake, int& done) {
  done = 0;
  libusb_device_handle* handle = Handle(device);
  if (!handle) return ERROR_INVALID_HANDLE;
  libusb_transfer* transfer = libusb_alloc_transfer(0);
  if (!transfer) return ERROR_NOT_ENOUGH_MEMORY;
  int completed = 0;
  libusb_fill_bulk_transfer(transfer, handle, BYTE(endpoint), buffer, count, MarkDone, &completed, 0);
  if (int error = libusb_submit_transfer(transfer)) {
    libusb_free_transfer(transfer);
    return UsbError(error);
  }
  using SteadyClock = std::chrono::steady_clock;
  const auto deadline = SteadyClock::now() + ScaledDuration(timeoutMs < 0 ? 0 : DWORD(timeoutMs));
  CWakeSignal::CWaitScope scope(wake);
  int ended = 0;  // why the transfer was cancelled
  while (!completed) {
    // Short slices so that a wake or the deadline is noticed at once.
    timeval slice{0, 10000};
    libusb_handle_events_timeout_completed(m_context, &slice, &completed);
    if (completed || ended) continue;
    if (IsRaised(wake))
      ended = ERROR_OPERATION_ABORTED;
    else if (timeoutMs >= 0 && SteadyClock::now() >= deadline)
      ended = ERROR_TIMEOUT;
    if (ended) libusb_cancel_transfer(transfer);
  }
  done = transfer->actual_length;
  int result = 0;
  switch (transfer->status) {
    case LIBUSB_TRANSFER_COMPLETED:
      break;
    case LIBUSB_TRANSFER_CANCELLED:
      result = ended ? ended : ERROR_OPERATION_ABORTED;
      break;
    case LIBUSB_TRANSFER_TIMED_OUT:
      result = ERROR_TIMEOUT;
      break;
    case LIBUSB_TRANSFER_NO_DEVICE:
      result = ERROR_DEVICE_NOT_CONNECTED;
      break;
    default:
      result = ERROR_GEN_FAILURE;
      break;
  }
  libusb_free_transfer(transfer);
  return result;
}
