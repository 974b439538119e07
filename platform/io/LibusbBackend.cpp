#include "platform/io/LibusbBackend.h"

#include <dlfcn.h>
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

// libusb is loaded when USB devices are first looked for, not with the program: most runs
// never use it, and loading it (with the device manager library it brings) slows every start.
// clang-format off
#define ZD_LIBUSB_FUNCTIONS(X) \
  X(init) X(exit) X(get_device_list) X(free_device_list) X(get_device_descriptor) \
  X(get_active_config_descriptor) X(free_config_descriptor) X(get_bus_number) X(get_device_address) \
  X(wrap_sys_device) X(close) X(release_interface) X(get_device) X(set_auto_detach_kernel_driver) \
  X(claim_interface) X(alloc_transfer) X(submit_transfer) X(free_transfer) \
  X(handle_events_timeout_completed) X(cancel_transfer)
// clang-format on

struct SLibusb {
#define ZD_LIBUSB_POINTER(name) decltype(&libusb_##name) name = nullptr;
  ZD_LIBUSB_FUNCTIONS(ZD_LIBUSB_POINTER)
#undef ZD_LIBUSB_POINTER
  bool loaded = false;
};

SLibusb LoadLibusb() {
  SLibusb api;
  // Kept loaded to the end of the process.
  void* library = dlopen("libusb-1.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!library) return api;
  bool complete = true;
#define ZD_LIBUSB_BIND(name)                                                        \
  api.name = reinterpret_cast<decltype(api.name)>(dlsym(library, "libusb_" #name)); \
  complete = complete && api.name;
  ZD_LIBUSB_FUNCTIONS(ZD_LIBUSB_BIND)
#undef ZD_LIBUSB_BIND
  api.loaded = complete;
  return api;
}

const SLibusb& Usb() {
  static const SLibusb api = LoadLibusb();
  return api;
}

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
  if (Usb().get_active_config_descriptor(device, &config) != 0 || !config) return false;
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
  Usb().free_config_descriptor(config);
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
  m_available = Usb().loaded && Usb().init(&m_context) == LIBUSB_SUCCESS;
}

CLibusbBackend::~CLibusbBackend() {
  for (auto& [id, device] : m_devices) {
    Usb().close(device.handle);
    ::close(device.fd);
  }
  if (m_available) Usb().exit(m_context);
}

int CLibusbBackend::List(WORD vendorId, WORD productId, std::vector<std::string>& paths) {
  paths.clear();
  if (!m_available) return 0;
  libusb_device** list = nullptr;
  ssize_t count = Usb().get_device_list(m_context, &list);
  if (count < 0) return UsbError(int(count));
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (Usb().get_device_descriptor(list[i], &descriptor) != 0) continue;
    if (descriptor.idVendor != vendorId || (productId != 0 && descriptor.idProduct != productId)) continue;
    int interfaceNumber = 0, endpoint = 0;
    if (!FindBulkEndpoint(list[i], true, interfaceNumber, endpoint) ||
        !FindBulkEndpoint(list[i], false, interfaceNumber, endpoint))
      continue;
    char path[64];
    std::snprintf(path, sizeof path, "/dev/bus/usb/%03u/%03u", unsigned(Usb().get_bus_number(list[i])),
                  unsigned(Usb().get_device_address(list[i])));
    paths.push_back(path);
  }
  Usb().free_device_list(list, 1);
  return 0;
}

int CLibusbBackend::Open(const std::string& path, int& device) {
  device = -1;
  if (!m_available) return ERROR_FILE_NOT_FOUND;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return OsErrorToWin(errno);
  libusb_device_handle* handle = nullptr;
  if (int error = Usb().wrap_sys_device(m_context, intptr_t(fd), &handle)) {
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
    Usb().release_interface(it->second.handle, interfaceNumber);
  Usb().close(it->second.handle);
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
  if (!FindBulkEndpoint(Usb().get_device(it->second.handle), pipe == 0, interfaceNumber, endpoint))
    return ERROR_FILE_NOT_FOUND;
  Usb().set_auto_detach_kernel_driver(it->second.handle, 1);
  bool claimed = false;
  for (const auto& [other, number] : it->second.interfaceOfEndpoint)
    claimed = claimed || number == interfaceNumber;
  if (!claimed)
    if (int error = Usb().claim_interface(it->second.handle, interfaceNumber)) return UsbError(error);
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
  return UsbError(Usb().release_interface(it->second.handle, interfaceNumber));
}

int CLibusbBackend::Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs,
                             CWakeSignal& wake, int& done) {
  done = 0;
  libusb_device_handle* handle = Handle(device);
  if (!handle) return ERROR_INVALID_HANDLE;
  libusb_transfer* transfer = Usb().alloc_transfer(0);
  if (!transfer) return ERROR_NOT_ENOUGH_MEMORY;
  int completed = 0;
  libusb_fill_bulk_transfer(transfer, handle, BYTE(endpoint), buffer, count, MarkDone, &completed, 0);
  if (int error = Usb().submit_transfer(transfer)) {
    Usb().free_transfer(transfer);
    return UsbError(error);
  }
  using SteadyClock = std::chrono::steady_clock;
  const auto deadline = SteadyClock::now() + TimeoutDuration(timeoutMs < 0 ? 0 : DWORD(timeoutMs));
  CWakeSignal::CWaitScope scope(wake);
  int ended = 0;  // why the transfer was cancelled
  while (!completed) {
    // Short slices so that a wake or the deadline is noticed at once.
    timeval slice{0, 10000};
    Usb().handle_events_timeout_completed(m_context, &slice, &completed);
    if (completed || ended) continue;
    if (IsRaised(wake))
      ended = ERROR_OPERATION_ABORTED;
    else if (timeoutMs >= 0 && SteadyClock::now() >= deadline)
      ended = ERROR_TIMEOUT;
    if (ended) Usb().cancel_transfer(transfer);
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
  Usb().free_transfer(transfer);
  return result;
}
