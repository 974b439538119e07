#pragma once
// A CHidBackend whose every call goes to a CHidSocketServer in another process, so that a
// program reaches a simulated HID probe there as it would reach a device node. Calls from
// several threads take turns on the one connection; a wait for an input report goes in short
// slices, so that the caller's wake signal ends it in time.

#include <mutex>
#include <string>

#include "platform/io/HidBackend.h"

namespace Sim {

struct SHidAnswer;
struct SHidRequest;

class CHidSocketClient : public CHidBackend {
 public:
  CHidSocketClient() = default;
  ~CHidSocketClient() override;
  CHidSocketClient(const CHidSocketClient&) = delete;
  CHidSocketClient& operator=(const CHidSocketClient&) = delete;

  bool Connect(const std::string& path);

  int List(WORD vendorId, std::vector<std::string>& paths) override;
  int Open(const std::string& path, bool inputOnly, int& handle) override;
  int Close(int handle) override;
  int GetCaps(int handle, SHidCaps& caps) override;
  int GetFeature(int handle, BYTE* report, int length) override;
  int SetFeature(int handle, const BYTE* report, int length) override;
  int ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                int& received) override;

 private:
  // ERROR_DEVICE_NOT_CONNECTED when the server is gone.
  int Call(const SHidRequest& request, SHidAnswer& answer);

  std::mutex m_lock;
  int m_socket = -1;
};

}  // namespace Sim
