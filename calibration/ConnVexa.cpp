#include "calibration/ConnVexa.h"

#include <functional>

#include "appbase/BoxCaption.h"
#include "calibration/LiveFrameAssembler.h"
#include "calibration/VexalonDoc.h"
#include "device/Stopwatch.h"
#include "device/Version.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IoStream.h"
#include "platform/base/FileException.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr char16_t kMinimumFirmware[] = u"1.6.3";
// How long a paused reader sleeps between its looks at the stop request.
constexpr DWORD kPausedPollMs = 10;

}  // namespace

CConnVexa::CConnVexa(CWnd* owner, CVexalonDoc* document, UINT dataMessage, bool autoStart,
                     UINT connectMessage)
    : CConnBase(owner, document, dataMessage, autoStart, connectMessage) {
  m_deviceLabel = u"ZD-2";
  m_connectTimeoutMs = 15000;
}

CConnVexa::~CConnVexa() { StopOtherThreads(); }

bool CConnVexa::OnConnected() {
  CVexalonDoc* document = GetDocument();
  auto* device = dynamic_cast<Device::CVexalonDevice*>(GetDevice());
  document->m_device = device;
  document->ReadDeviceIdentity();
  if (CVersion(document->m_firmwareVersion) < CVersion(CString(kMinimumFirmware))) {
    CString text;
    text.Format(
        u"The test can not be continued!!! You need to update the ZD-2 firmware to version %s or "
        u"higher. Your current firmware version is %s.",
        kMinimumFirmware, document->m_firmwareVersion);
    MessageBox(nullptr, text, kBoxCaption, MB_OK | MB_ICONERROR);
    Disconnect();
    return false;
  }
  if (device) m_batteryVoltage = device->ReadBatteryVoltage();
  return IsAutoStart() ? StartReadThread() : true;
}

bool CConnVexa::StartReadThread() {
  ResetEvents();
  ClearPause();
  return StartThread([this] { return ReadThreadProc(); });
}

bool CConnVexa::GetLatestSample(SLiveSample& sample) {
  if (!IsReadThreadRunning()) return false;
  CSingleLock lock(m_lock);
  sample = m_latest;
  return true;
}

bool CConnVexa::PrepareStream() {
  auto* device = dynamic_cast<Device::CVexalonDevice*>(GetDevice());
  StreamIO::CIoStream* stream = device ? device->GetStream() : nullptr;
  const struct {
    std::function<bool()> step;
    const char16_t* failure;
  } steps[] = {
      {[&] { return stream && stream->SetTimeouts(kReadTimeoutMs, kReadTimeoutMs); },
       u"Failed to set timeouts."},
      {[&] { return device->EnterDebugProtocol(); }, u"Failed to switch to debug protocol."},
      {[&] { return device->SetReadAddresses(); }, u"Failed to set read addresses."},
      {[&] { return device->SetContinuousMode(true); }, u"Failed to switch to continuous mode."},
  };
  for (const auto& [step, failure] : steps) {
    bool done = false;
    try {
      done = step();
    } catch (const CFileException&) {
      // A transport failure fails the step like a refusal.
    }
    if (!done) {
      ReportError(failure);
      return false;
    }
  }
  try {
    stream->Purge();
  } catch (const CFileException&) {
    // What the purge could not discard the assembler drops until the first tag letter.
  }
  return true;
}

DWORD CConnVexa::ReadThreadProc() {
  if (!PrepareStream()) {
    OnReadThreadEnd();
    return DWORD(-1);
  }
  {
    CSingleLock lock(m_lock);
    m_latest.sampleNumber = 0;
  }
  StreamIO::CIoStream* stream = GetDevice()->GetStream();
  CLiveFrameAssembler assembler;
  while (!WaitForStop(0)) {
    if (ReadingPaused()) {
      // Another user talks to the instrument; look again shortly rather than spin.
      if (WaitForStop(kPausedPollMs)) break;
      continue;
    }
    BYTE byte = 0;
    int count = -1;
    try {
      count = stream->Read(&byte, 1);
    } catch (const CFileException&) {
      count = -1;
    }
    if (count != 1) {
      // A read cut short by StopReadThread is no failure of the instrument.
      if (!IsStopRequested()) ReportError(u"Failed to get input stream from ZD-2.");
      break;
    }
    BYTE bytes[4];
    if (assembler.Feed(byte) && assembler.GetFrameBytes(bytes)) OnFrame(bytes);
  }
  OnReadThreadEnd();
  return 0;
}

void CConnVexa::OnFrame(const BYTE bytes[4]) {
  CSingleLock lock(m_lock);
  ++m_latest.sampleNumber;
  m_latest.Decode(bytes[0], bytes[1], bytes[2], bytes[3], GetDocument()->m_firmwareVersion);
  QueryTimestamp(m_latest.timestamp);
  NoteSample(m_latest);
  PostSample(m_latest);
}
