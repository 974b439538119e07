#pragma once
// A live connection owned by one dialog: it asks the device thread for one instrument, keeps
// the device object the search hands over, and runs a read thread that turns the instrument's
// live stream into sample records posted to the owner window (each a new SLiveSample that the
// receiver deletes). The owner also learns the end of a connect attempt (wParam 1 connected,
// 0 not) and, through an error message, that the calibration document's error list holds new
// texts.
//
// The device search thread calls OnDeviceFound and OnConnected; Disconnect runs on the owner's
// thread, since it takes the owner's queued sample messages back and frees their records, and
// it withdraws a search still running, so the connection may be destroyed at any time.

#include <atomic>
#include <functional>
#include <memory>

#include "calibration/DriveCommandWatch.h"
#include "calibration/DriveStopWatch.h"
#include "calibration/LiveSample.h"
#include "device/Callback.h"
#include "device/SearchRequest.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/WinUser.h"

class CVexalonDoc;
class CWnd;
namespace Device {
class CJvDevice;
}  // namespace Device

class CConnBase : public Device::CCallback, public IDriveStopWatch {
 public:
  static constexpr UINT kErrorMessage = WM_USER + 109;
  static constexpr DWORD kStopGraceMs = 2000;
  static constexpr DWORD kExitCodeStopped = 0xDEAD;
  static constexpr DWORD kPauseSettleMs = 1000;
  static constexpr DWORD kPauseSeenPollMs = 10;
  // How long dropping the connection waits for its running search to give up.
  static constexpr DWORD kWithdrawSearchWaitMs = 8000;

  // The owner receives `connectMessage` (0: none) when a connect attempt ends and
  // `dataMessage` (0: none) with each sample; with `autoStart` the read thread starts as soon
  // as the instrument is accepted.
  CConnBase(CWnd* owner, CVexalonDoc* document, UINT dataMessage, bool autoStart, UINT connectMessage);
  ~CConnBase() override;
  CConnBase(const CConnBase&) = delete;
  CConnBase& operator=(const CConnBase&) = delete;

  // The first device a search hands over is kept and any further one deleted; null ends the
  // search and decides the connection.
  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString&) override {}
  void OnMessage(const CString&, int) override {}
  void OnProgress(int, int, int) override {}

  // Drops any connection and queues the search; the outcome comes through the connect message.
  virtual bool Connect(Device::SSearchRequest request);
  virtual bool Disconnect();
  virtual bool IsConnected() const { return m_connected.load(); }
  // Asks the read thread to stop and waits up to the grace period for it.
  virtual bool StopReadThread();
  // The read thread reads nothing while paused, so that another user may talk to the
  // instrument; both wait a second for the switch to settle. A pause also waits, up to the
  // stop grace, for the read thread to have seen it: on a busy machine the thread may still be
  // inside a read that would take the other user's answer.
  virtual void PauseReading();
  virtual void ResumeReading();
  // Runs on the search thread once a device is held: accepts it (true) or refuses it.
  virtual bool OnConnected() = 0;
  virtual bool StartReadThread() = 0;
  // False when no read thread is held.
  virtual bool GetLatestSample(SLiveSample& sample) = 0;
  virtual int GetConnectTimeout() const { return m_connectTimeoutMs; }

  // Forgets the connection: flags cleared, no port, no thread, no device, both events reset.
  void Reset();
  // Appends the text to the document's error list and tells the owner.
  void ReportError(const CString& text);
  bool IsReadThreadRunning() const { return m_readThreadHeld.load(); }
  // True only when a read thread is held and its latest sample shows the drive in STOP.
  bool IsDriveStopped();
  void MarkRampStart() override;
  void MarkHoming(DWORD settleMs) override;
  // False also when no read thread is held.
  bool HasDriveStopped() override;

  // The serial port number of the kept device (-1 when none), whether a found device was
  // refused, read by the owning dialogs.
  std::atomic<int> m_comPort{-1};
  std::atomic<bool> m_connectFailed{false};

 protected:
  // The number a port name carries after its leading backslashes, full stops and the letters
  // C, O and M; 0 when it carries none.
  static int ComPortNumberOf(const CString& portName);
  // Starts `body` as the read thread unless one is held (then true at once). A failed start is
  // reported and gives false.
  bool StartThread(std::function<DWORD()> body);
  // The read thread's last act, whether it read to the end or its set-up failed: it gives up
  // its handle and sets the done event, so that no reader counts as running that is not.
  void OnReadThreadEnd();
  // Withdraws a search still running for this connection and stops the read thread: afterwards
  // no other thread runs this connection's code. A derived class calls it first thing in its
  // destructor, since both run its overrides.
  void StopOtherThreads();
  // Posts a copy of the sample to the owner, who deletes it; a failed post deletes it here.
  void PostSample(const SLiveSample& sample);
  // The reader hands over each decoded sample, in order, while it holds the lock.
  void NoteSample(const SLiveSample& sample) { m_driveWatch.OnSample(sample); }

  Device::CJvDevice* GetDevice() const { return m_device.get(); }
  CVexalonDoc* GetDocument() const { return m_document; }
  bool IsStopRequested() const { return m_stopEvent.IsSet(); }
  // Asked by the read thread before each read: true while paused, and from then on the pause
  // counts as seen.
  bool ReadingPaused();
  bool IsAutoStart() const { return m_autoStart; }
  // Waits up to `milliseconds` for the stop request; true when it came.
  bool WaitForStop(DWORD milliseconds);
  void ResetEvents();
  void ClearPause() { m_pause = false; }

  CCriticalSection m_lock;  // guards the latest sample and the drive watch
  CString m_deviceLabel;
  int m_connectTimeoutMs = 20000;

 private:
  std::unique_ptr<Device::CJvDevice> m_device;
  CWnd* m_owner;
  CVexalonDoc* m_document;
  UINT m_connectMessage;
  UINT m_dataMessage;
  bool m_autoStart;
  std::atomic<bool> m_connected{false};
  CEvent m_stopEvent{false, false};
  CEvent m_doneEvent{false, false};
  CThread m_readThread;
  std::atomic<bool> m_readThreadHeld{false};
  std::atomic<bool> m_pause{false};
  CDriveCommandWatch m_driveWatch;
  std::atomic<bool> m_pauseSeen{false};
};
