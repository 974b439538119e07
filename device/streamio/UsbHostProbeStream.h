#pragma once
// What the two channels of a HID probe share: the handle they hold through the probe manager,
// their time-outs and polling interval, the wait between polls, and Cancel, which ends a
// waiting read or write of either channel at once.

#include <atomic>
#include <string>

#include "device/streamio/IoStream.h"
#include "platform/io/WakeSignal.h"

namespace StreamIO {

class CUsbHostProbeManager;

class CUsbHostProbeStream : public CIoStream {
 public:
  void Purge() override;
  bool GetTimeouts(int& readTimeout, int& writeTimeout) override;
  bool SetTimeouts(int readTimeout, int writeTimeout) override;
  // The running read or write stops at once.
  bool Cancel() override;
  bool IsOpen() override;

  // 27, 28: the polling interval in ms.
  virtual void SetPollingInterval(int ms);
  virtual int GetPollingInterval();

 protected:
  // `kind` is the channel's kind in the probe manager.
  explicit CUsbHostProbeStream(int kind);

  // Drops a handle that the manager no longer lists for the path (another thread detached the
  // device), before the handle of a new open is taken.
  void DropStaleHandle();
  // The manager's shared handle of the path; false with the refusal kept. Opening the device
  // raises.
  bool TakeHandle(const std::string& path);
  void ReleaseHandle();
  void ResetCancel() { m_cancel = false; }
  // Keeps 995 and answers true when Cancel came.
  bool CheckCancelled();
  // Scaled milliseconds left of the time-out `timeout` (its span on the clock) since `start`:
  // -1 for no limit, 0 when it is over.
  static int RemainingMs(DWORD start, int timeout);
  // Waits until the next poll, but not past the time left; false (995 kept) when Cancel came.
  bool WaitForNextPoll(int left);

  int m_handle = -1;
  std::string m_path;  // of the handle held
  int m_readTimeout = 500;
  int m_writeTimeout = 100;
  CUsbHostProbeManager* m_manager;
  // Ends the waits of the system's input reads too.
  CWakeSignal m_wake;

 private:
  int m_kind;
  std::atomic<bool> m_cancel{false};
  int m_pollingInterval = 1;
};

}  // namespace StreamIO
