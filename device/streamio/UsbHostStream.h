#pragma once
// The transport of instruments with a bulk-pipe driver: a device handle with a read pipe and a
// write pipe beside it, opened by the device's path (never by port name).

#include "device/streamio/IoStream.h"
#include "platform/io/WakeSignal.h"

namespace StreamIO {

class CUsbHostStream : public CIoStream {
 public:
  CUsbHostStream() = default;
  ~CUsbHostStream() override;

  void DoClose() override;
  void Flush() override;
  bool GetTimeouts(int& readTimeout, int& writeTimeout) override;
  bool SetTimeouts(int readTimeout, int writeTimeout) override;
  // Ends the transfer in progress at once, also from another thread.
  bool Cancel() override;
  bool IsOpen() override { return m_device >= 0; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  bool Open(const CString& name, DWORD openFlags) override;

  // 27: the read pipe for OPEN_READ, the write pipe for OPEN_WRITE; raises on failure.
  virtual void OpenPipes(DWORD openFlags);

 private:
  int m_device = -1;
  int m_readTimeout = 500;
  int m_writeTimeout = 100;
  int m_readPipe = -1;
  int m_writePipe = -1;
  CWakeSignal m_wake;
};

}  // namespace StreamIO
