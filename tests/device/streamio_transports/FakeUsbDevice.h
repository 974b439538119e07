#pragma once
// A USB instrument with bulk pipes played in memory: it stands in for the system's USB service
// while it lives. Each read transfer hands out one queued packet (a short packet ends a bulk
// transfer); writes are collected.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/io/UsbBackend.h"

class CFakeUsbDevice : public CUsbBackend {
 public:
  static constexpr const char* kPath = "/dev/bus/usb/001/042";

  CFakeUsbDevice();
  ~CFakeUsbDevice() override;

  void QueuePacket(const std::vector<BYTE>& packet);
  // A device that accepts nothing more: writes time out.
  void SetStalled(bool stalled);
  std::vector<BYTE> Written();
  int OpenDevices();
  int OpenPipes();

  int List(WORD vendorId, WORD productId, std::vector<std::string>& paths) override;
  int Open(const std::string& path, int& device) override;
  int Close(int device) override;
  int OpenPipe(int device, int pipe, int& endpoint) override;
  int ClosePipe(int device, int endpoint) override;
  int Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs, CWakeSignal& wake,
               int& done) override;

 private:
  std::mutex m_lock;
  std::deque<std::vector<BYTE>> m_packets;
  std::vector<BYTE> m_written;
  bool m_stalled = false;
  int m_devices = 0;
  int m_pipes = 0;
};
