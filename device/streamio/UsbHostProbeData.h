#pragma once
// The data channel of a HID probe: input reports read through a handle of its own, beside the
// handle that it shares with the probe's control stream.
//
// Input report layout: byte 0 report id; byte 1 bits 0-3 the payload length, bits 5-7 the
// instrument's sequence number; the payload follows from byte 2. A report counts once: only
// a sequence number other than that of the last report taken brings new data.

#include <atomic>
#include <string>
#include <vector>

#include "device/streamio/IoStream.h"
#include "platform/io/WakeSignal.h"

namespace StreamIO {

class CUsbHostProbeManager;

class CUsbHostProbeData : public CIoStream {
 public:
  CUsbHostProbeData();
  ~CUsbHostProbeData() override;

  void DoClose() override;
  void Purge() override;
  bool GetTimeouts(int& readTimeout, int& writeTimeout) override;
  bool SetTimeouts(int readTimeout, int writeTimeout) override;
  // Ends the running read at once.
  bool Cancel() override;
  bool IsOpen() override;
  int Read(void* buffer, int count) override;
  // The channel only reads: nothing is written.
  int Write(const void* buffer, int count) override;
  bool Open(const CString& name, DWORD openFlags) override;

  // 27, 28: the polling interval in ms.
  virtual void SetPollingInterval(int ms);
  virtual int GetPollingInterval();
  // 29: the sequence number of the current input report.
  virtual int GetSequenceNumber();

 private:
  int TakeRest(BYTE* target, int count);
  int RemainingMs(DWORD start) const;

  int m_handle = -1;
  int m_readHandle = -1;
  std::string m_path;  // of the handles held
  int m_readTimeout = 500;
  int m_writeTimeout = 100;
  int m_reportLength = 0;
  CUsbHostProbeManager* m_manager;
  std::vector<BYTE> m_report;
  int m_restOffset = 0;
  std::atomic<bool> m_cancel{false};
  CWakeSignal m_wake;
  int m_pollingInterval = 1;
};

}  // namespace StreamIO
