#include "calibration/ConnBase.h"

#include "calibration/VexalonDoc.h"
#include "device/DeviceThread.h"
#include "device/JvDevice.h"
#include "device/streamio/IoStream.h"
#include "platform/base/Clock.h"
#include "platform/ui/PostedMessages.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/Wnd.h"

CConnBase::CConnBase(CWnd* owner, CVexalonDoc* document, UINT dataMessage, bool autoStart,
                     UINT connectMessage)
    : m_owner(owner),
      m_document(document),
      m_connectMessage(connectMessage),
      m_dataMessage(dataMessage),
      m_autoStart(autoStart) {
  Reset();
}

CConnBase::~CConnBase() { Disconnect(); }

void CConnBase::Reset() {
  m_connectFailed = false;
  m_connected = false;
  m_pause = false;
  m_comPort = -1;
  m_readThreadHeld = false;
  m_device.reset();
  ResetEvents();
}

void CConnBase::ResetEvents() {
  m_stopEvent.ResetEvent();
  m_doneEvent.ResetEvent();
}

bool CConnBase::Connect(Device::SSearchRequest request) {
  CWaitCursorScope waitCursor;
  Disconnect();
  Reset();
  Device::AddSearchJob(this, &request);
  return true;
}

void CConnBase::OnDeviceFound(Device::CJvDevice* found) {
  if (found) {
    std::unique_ptr<Device::CJvDevice> device(found);
    // A further instrument of the same search is not wanted: deleting it closes its port.
    if (!m_device) m_device = std::move(device);
    return;
  }
  if (m_device) {
    StreamIO::CIoStream* stream = m_device->GetStream();
    m_comPort = stream ? ComPortNumberOf(stream->GetName()) : 0;
    if (OnConnected())
      m_connected = true;
    else
      m_connectFailed = true;
  }
  if (m_connectMessage && m_owner) m_owner->PostMessage(m_connectMessage, m_connected.load() ? 1 : 0, 0);
}

int CConnBase::ComPortNumberOf(const CString& portName) {
  int at = 0;
  const int length = portName.GetLength();
  auto skipped = [](char16_t ch) {
    return ch == u'\\' || ch == u'.' || ch == u'C' || ch == u'O' || ch == u'M';
  };
  while (at < length && skipped(portName[at])) ++at;
  // No port number has more than a few digits; a longer run stops before it could overflow.
  constexpr int kLargest = 99999;
  int number = 0;
  for (; at < length && portName[at] >= u'0' && portName[at] <= u'9' && number <= kLargest; ++at)
    number = number * 10 + (portName[at] - u'0');
  return number;
}

void CConnBase::StopOtherThreads() {
  // A search still running for this connection reports to it from the device thread; it is
  // withdrawn first, so that nothing arrives once the connection is dropped or gone.
  Device::WithdrawJobs(this, kWithdrawSearchWaitMs);
  StopReadThread();
}

bool CConnBase::Disconnect() {
  StopOtherThreads();
  m_device.reset();
  if (m_document) m_document->m_device = nullptr;
  m_connected = false;
  if (m_dataMessage && m_owner) {
    RemovePostedMessages(m_owner, m_dataMessage,
                         [](WPARAM sample, LPARAM) { delete reinterpret_cast<SLiveSample*>(sample); });
  }
  return true;
}

bool CConnBase::StopReadThread() {
  if (!m_readThreadHeld.load()) {
    // A thread that ended by itself is joined here, so that none outlives its connection.
    m_readThread.StopWithGrace(kStopGraceMs, kExitCodeStopped);
    return true;
  }
  m_stopEvent.SetEvent();
  // A read that waits for the instrument ends at once; the loop then sees the stop request.
  if (m_device && m_device->GetStream()) m_device->GetStream()->Cancel();
  const bool done = WaitForSingleObject(m_doneEvent, kStopGraceMs) == WAIT_OBJECT_0;
  m_readThread.StopWithGrace(done ? kStopGraceMs : 0, kExitCodeStopped);
  m_readThreadHeld = false;
  return true;
}

bool CConnBase::WaitForStop(DWORD milliseconds) {
  return WaitForSingleObject(m_stopEvent, milliseconds) == WAIT_OBJECT_0;
}

void CConnBase::PauseReading() {
  m_pause = true;
  Sleep(kPauseSettleMs);
  const ULONGLONG start = GetTickCount64();
  while (m_readThreadHeld.load() && !m_pauseSeen.load() &&
         GetTickCount64() - start < TimeoutSpan(kStopGraceMs))
    Sleep(kPauseSeenPollMs);
}

bool CConnBase::ReadingPaused() {
  // Cleared before the flag is read: a pause set meanwhile is seen at this turn or the next,
  // never taken as seen by a thread that goes on to read.
  m_pauseSeen = false;
  if (!m_pause.load()) return false;
  m_pauseSeen = true;
  return true;
}

void CConnBase::ResumeReading() {
  m_pause = false;
  Sleep(kPauseSettleMs);
}

bool CConnBase::StartThread(std::function<DWORD()> body) {
  if (m_readThreadHeld.load()) return true;
  // A thread that gave up its handle may still be on its way out.
  m_readThread.StopWithGrace(kStopGraceMs, kExitCodeStopped);
  m_readThreadHeld = true;
  if (!m_readThread.Start(std::move(body))) {
    m_readThreadHeld = false;
    ReportError(u"Failed to start read thread.");
    return false;
  }
  SetThreadPriority(m_readThread, THREAD_PRIORITY_ABOVE_NORMAL);
  return true;
}

void CConnBase::OnReadThreadEnd() {
  m_readThreadHeld = false;
  m_doneEvent.SetEvent();
}

void CConnBase::PostSample(const SLiveSample& sample) {
  if (!m_dataMessage || !m_owner) return;
  auto copy = std::make_unique<SLiveSample>(sample);
  if (m_owner->PostMessage(m_dataMessage, reinterpret_cast<WPARAM>(copy.get()), 1)) copy.release();
}

void CConnBase::ReportError(const CString& text) {
  if (m_document) m_document->AddError(text);
  if (m_owner) m_owner->PostMessage(kErrorMessage, 0, 0);
}

bool CConnBase::IsDriveStopped() {
  SLiveSample sample;
  if (!GetLatestSample(sample)) return false;
  return sample.driveState == 0;
}

void CConnBase::MarkRampStart() {
  CSingleLock lock(m_lock);
  m_driveWatch.MarkRampStart();
}

void CConnBase::MarkHoming(DWORD settleMs) {
  CSingleLock lock(m_lock);
  m_driveWatch.MarkHoming(settleMs);
}

bool CConnBase::HasDriveStopped() {
  if (!IsReadThreadRunning()) return false;
  CSingleLock lock(m_lock);
  return m_driveWatch.HasStopped();
}
