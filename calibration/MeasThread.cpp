#include "calibration/MeasThread.h"

#include "calibration/LiveFrameAssembler.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IoStream.h"
#include "platform/base/FileException.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr int kReadTimeoutMs = 2000;

}  // namespace

CMeasThread& CMeasThread::Instance() {
  static CMeasThread reader;
  return reader;
}

CMeasThread::CMeasThread() = default;

// A thread still running keeps to itself: the program stops the reader before it ends.
CMeasThread::~CMeasThread() = default;

bool CMeasThread::IsThreadHeld() const { return m_threadHeld.load(); }

bool CMeasThread::Start(CWnd* owner, Device::CJvDevice* device, UINT notifyMessage,
                        const CString& firmwareVersion) {
  if (m_running.load() || m_threadHeld.load() || !device) return false;
  {
    CSingleLock lock(m_lock);
    m_owner = owner;
    m_device = dynamic_cast<Device::CVexalonDevice*>(device);
    m_notifyMessage = notifyMessage;
    m_firmwareVersion = firmwareVersion;
  }
  m_stopEvent.ResetEvent();
  m_doneEvent.ResetEvent();
  m_connectionLost = false;
  m_threadHeld = true;
  if (!m_thread.Start([this] { return ThreadProc(); })) {
    m_threadHeld = false;
    return false;
  }
  SetThreadPriority(m_thread, THREAD_PRIORITY_ABOVE_NORMAL);
  return true;
}

void CMeasThread::Stop() {
  if (!m_threadHeld.load() && !m_thread.IsRunning()) return;
  m_stopEvent.SetEvent();
  // A read that waits for the instrument ends at once; the loop then sees the stop event.
  if (m_device && m_device->GetStream()) m_device->GetStream()->Cancel();
  if (WaitForSingleObject(m_doneEvent, kStopGraceMs) == WAIT_OBJECT_0)
    m_thread.StopWithGrace(kStopGraceMs, kExitCodeStopped);
  else
    m_thread.StopWithGrace(0, kExitCodeStopped);
  m_threadHeld = false;
}

bool CMeasThread::ClearSamples() {
  CSingleLock lock(m_lock);
  m_forces.clear();
  m_currents.clear();
  m_driveStates.clear();
  return true;
}

bool CMeasThread::ReadStatistics(int& sampledForce, SSampleStats& force, SSampleStats& current,
                                 int& lastSampleNumber, std::string& rawText, int& lastDriveState,
                                 bool clear) {
  CSingleLock lock(m_lock);
  lastSampleNumber = m_lastStoredSample;
  rawText = m_rawText;
  force.Compute(m_forces);
  current.Compute(m_currents);
  lastDriveState = m_driveStates.empty() ? 0 : int(m_driveStates.back());
  bool anyOtherThanBack = false;
  for (unsigned state : m_driveStates)
    anyOtherThanBack |= state != unsigned(Device::CVexalonDevice::kDriveBack);
  sampledForce = anyOtherThanBack ? force.maximum : force.minimum;
  if (clear) {
    m_lastStoredSample = 0;
    m_rawText.clear();
    ClearSamples();
  }
  return true;
}

bool CMeasThread::GetLatestSample(SLiveSample& sample) {
  CSingleLock lock(m_lock);
  sample = m_latest;
  return true;
}

void CMeasThread::Post(WPARAM code) {
  if (m_owner) m_owner->PostMessage(m_notifyMessage, code, 0);
}

DWORD CMeasThread::ThreadProc() {
  StreamIO::CIoStream* stream = m_device ? m_device->GetStream() : nullptr;
  try {
    if (!stream || !stream->SetTimeouts(kReadTimeoutMs, kReadTimeoutMs)) return DWORD(-1);
    stream->Purge();
  } catch (const CFileException&) {
    return DWORD(-1);
  }
  {
    CSingleLock lock(m_lock);
    m_latest.sampleNumber = 0;
  }
  m_running = true;
  int previousState = Device::CVexalonDevice::kDriveStop;
  bool inTest = false;
  CLiveFrameAssembler assembler;
  while (WaitForSingleObject(m_stopEvent, 0) != WAIT_OBJECT_0) {
    BYTE byte = 0;
    int count = 0;
    try {
      count = stream->Read(&byte, 1);
    } catch (const CFileException&) {
      count = -1;
    }
    if (count != 1) {
      // A read cut short by Stop is no lost connection.
      if (!m_stopEvent.IsSet()) {
        m_connectionLost = true;
        Post(kConnectionLost);
      }
      break;
    }
    BYTE bytes[4];
    if (assembler.Feed(byte) && assembler.GetFrameBytes(bytes))
      OnFrame(bytes, assembler.GetFrameText(), previousState, inTest);
  }
  m_running = false;
  m_threadHeld = false;
  m_doneEvent.SetEvent();
  return 0;
}

void CMeasThread::OnFrame(const BYTE bytes[4], const std::string& text, int& previousState, bool& inTest) {
  int sampleNumber = 0;
  {
    CSingleLock lock(m_lock);
    sampleNumber = ++m_latest.sampleNumber;
    m_latest.Decode(bytes[0], bytes[1], bytes[2], bytes[3], m_firmwareVersion);
    const int state = m_latest.driveState;
    if (!inTest && previousState == Device::CVexalonDevice::kDriveStop &&
        (state == Device::CVexalonDevice::kDriveStart || state == Device::CVexalonDevice::kDriveRamping)) {
      inTest = true;
      Post(kTestStarted);
      ClearSamples();
    } else if (inTest && previousState == Device::CVexalonDevice::kDriveStop) {
      inTest = false;
      Post(kTestEnded);
      ClearSamples();
    }
    previousState = state;
    if (inTest) {
      if (m_forces.size() >= kMaxSamples) {
        Post(kBufferFull);
      } else {
        m_lastStoredSample = sampleNumber;
        m_rawText = text;
        m_forces.push_back(unsigned(m_latest.force));
        m_currents.push_back(unsigned(m_latest.current));
        m_driveStates.push_back(unsigned(state));
      }
    }
  }
  if (sampleNumber % kNewDataEvery == 0) Post(kNewData);
}
