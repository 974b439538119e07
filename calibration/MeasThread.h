#pragma once
// The Live View reader: a thread that reads the ZD-2's live frames while the instrument is in
// continuous mode, tells the start and the end of a test from the drive state, and collects
// force, current and drive state of each sample of a running test in three lists, from which
// the sampling timer takes its statistics once per period. It reports to its owner window with
// one message whose wParam is one of the codes below.
//
// One reader serves the program (Instance). Start hands it the connected instrument; while it
// runs it uses the instrument's stream alone.

#include <atomic>
#include <string>
#include <vector>

#include "calibration/LiveSample.h"
#include "calibration/SampleStats.h"
#include "platform/base/String.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"

class CWnd;
namespace Device {
class CJvDevice;
class CVexalonDevice;
}  // namespace Device

class CMeasThread {
 public:
  enum : WPARAM {
    kNewData = 1,  // after every 20th decoded frame
    kConnectionLost = 2,
    kTestStarted = 3,
    kTestEnded = 4,
    kBufferFull = 5,  // a frame of a running test found the lists full
  };
  static constexpr size_t kMaxSamples = 10000;
  static constexpr int kNewDataEvery = 20;
  static constexpr DWORD kStopGraceMs = 2000;
  static constexpr DWORD kExitCodeStopped = 0xDEAD;

  // The one reader of the program.
  static CMeasThread& Instance();

  CMeasThread();
  ~CMeasThread();
  CMeasThread(const CMeasThread&) = delete;
  CMeasThread& operator=(const CMeasThread&) = delete;

  // False while a reader thread is held or runs, or without a device (or with one that is no
  // ZD-2).
  bool Start(CWnd* owner, Device::CJvDevice* device, UINT notifyMessage, const CString& firmwareVersion);
  // Asks the thread to stop, wakes a blocked read and waits for it up to the grace period; a
  // thread that does not end in time is left to end by itself.
  void Stop();
  bool ClearSamples();
  // Takes the statistics of the collected samples; with `clear` empties the lists too. The
  // sampled force is the force maximum unless every stored drive state is BACK, or none is
  // stored, when it is the minimum.
  bool ReadStatistics(int& sampledForce, SSampleStats& force, SSampleStats& current, int& lastSampleNumber,
                      std::string& rawText, int& lastDriveState, bool clear);
  bool GetLatestSample(SLiveSample& sample);
  bool IsRunning() const { return m_running.load(); }
  // Whether the reader ended because the link failed, from the moment it reports the loss
  // until the next Start.
  bool HasLostConnection() const { return m_connectionLost.load(); }
  // Whether a reader thread is held (started and not yet ended or stopped).
  bool IsThreadHeld() const;

 private:
  DWORD ThreadProc();
  void Post(WPARAM code);
  void OnFrame(const BYTE bytes[4], const std::string& text, int& previousState, bool& inTest);

  CThread m_thread;
  // The thread counts as held from Start until it ends its read loop or Stop gives up on it;
  // a thread whose set-up fails stays held until Stop.
  std::atomic<bool> m_threadHeld{false};
  CEvent m_stopEvent{false, false, u"StopMeasThreadEvent"};
  CEvent m_doneEvent{false, false, u"MeasThreadDoneEvent"};
  CCriticalSection m_lock;
  Device::CVexalonDevice* m_device = nullptr;
  CWnd* m_owner = nullptr;
  UINT m_notifyMessage = 0;
  SLiveSample m_latest;
  std::string m_rawText;
  int m_lastStoredSample = 0;
  std::vector<unsigned> m_forces;
  std::vector<unsigned> m_currents;
  std::vector<unsigned> m_driveStates;
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_connectionLost{false};
  CString m_firmwareVersion = u"0.0.0";
};
