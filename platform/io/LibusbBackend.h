#pragma once
// The system's USB service over libusb. Each device node is opened by this process and handed
// to libusb, so the node's own permissions decide access.

#include <map>
#include <mutex>

#include "platform/io/UsbBackend.h"

struct libusb_context;
struct libusb_device_handle;

class CLibusbBackend : public CUsbBackend {
 public:
  CLibusbBackend();
  ~CLibusbBackend() override;

  int List(WORD vendorId, WORD productId, std::vector<std::string>& paths) override;
  int Open(const std::string& path, int& device) override;
  int Close(int device) override;
  int OpenPipe(int device, int pipe, int& endpoint) override;
  int ClosePipe(int device, int endpoint) override;
  int Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs, CWakeSignal& wake,
               int& done) override;

 private:
  struct SDevice {
    int fd = -1;
    libusb_device_handle* handle = nullptr;
    std::map<int, int> interfaceOfEndpoint;
  };
  libusb_device_handle* Handle(int device);

  libusb_context* m_context = nullptr;
  bool m_available = false;
  std::mutex m_lock;
  std::map<int, SDevice> m_devices;
  int m_nextDevice = 1;
};
