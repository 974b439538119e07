// The reconnection job of the device thread: waits for a restarting instrument that must come
// back with a known serial number, trying its port kind again and again until the wait time
// is spent.

#include <algorithm>
#include <cstdint>

#include "device/Callback.h"
#include "device/DeviceFactory.h"
#include "device/DeviceThread.h"
#include "device/SearchSupport.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

// Pause before each round: the instrument is given time to restart, and the round is repeated
// until the wait is spent.
constexpr DWORD kPollIntervalMs = 1000;
constexpr DWORD kAbortPollMs = 20;

std::int64_t ElapsedMs(std::int64_t start) {
  std::int64_t now = 0;
  QueryPerformanceCounterValue(now);
  return (now - start) * 1000 / PerformanceCounterFrequency();
}

// Sleeps in short steps so that an abort ends the pause at once.
void PauseUnlessAborted(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!IsDeviceThreadAborted()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    Sleep(DWORD(std::min<ULONGLONG>(end - now, kAbortPollMs)));
  }
}

class CReconnection {
 public:
  CReconnection(SJobEntry& job, std::unique_ptr<CJvDevice> device)
      : m_callback(job.callback), m_request(job.request), m_device(std::move(device)) {}

  // One pass over the port kind; true when the instrument came back and was handed over.
  bool Pass() {
    try {
      switch (m_request.portKind) {
        case ePortSerial:
          return PassSerial();
        case ePortUsb:
          return PassUsb();
        case ePortIp:
          return PassIp();
        default:
          return false;
      }
    } catch (const CFileException&) {
      m_device->Detach();
      return false;
    }
  }

  // The job ends without the instrument: the device object goes and the end notice follows,
  // also after an abort, so that a receiver waiting for the instrument learns that the wait
  // is over; a worker that was given up reports nothing, since its receiver may be gone.
  void GiveUp() {
    m_device.reset();
    if (!IsThreadRetired()) m_callback->OnDeviceFound(nullptr);
  }

 private:
  bool PassSerial() {
    for (int port : SerialPortsToTry(m_request)) {
      m_status = SearchLine(*m_device, SerialPlace(port));
      ReportStatus(m_callback, m_status);
      auto stream = OpenSerialPort(port, *m_device);
      if (!stream)
        AddStatus(NextLine(IDS_COULD_NOT_OPEN_PORT));
      else if (TryStream(std::move(stream), ePortSerial))
        return true;
      if (IsDeviceThreadAborted() || !m_request.scanAllPorts) break;
    }
    return false;
  }

  bool PassUsb() {
    m_status = SearchLine(*m_device, UsbPlace());
    ReportStatus(m_callback, m_status);
    std::vector<CString> paths;
    if (!ListUsbPaths(m_request.deviceType, paths)) return false;
    for (const CString& path : paths) {
      if (IsDeviceThreadAborted()) break;
      auto stream = OpenUsbDevice(m_request.deviceType, path);
      if (!stream)
        AddStatus(NextLine(IDS_COULD_NOT_OPEN_USB) + u"\r\n" + path);
      else if (TryStream(std::move(stream), ePortUsb))
        return true;
    }
    return false;
  }

  bool PassIp() {
    m_status = SearchLine(*m_device, IpPlace(m_request.ipHost));
    ReportStatus(m_callback, m_status);
    auto stream = OpenIpHost(m_request.ipHost);
    if (!stream) {
      AddStatus(NextLine(IDS_COULD_NOT_OPEN_PORT));
      return false;
    }
    return TryStream(std::move(stream), ePortIp);
  }

  void AddStatus(const CString& line) {
    m_status += line;
    ReportStatus(m_callback, m_status);
  }

  // Only the instrument with the awaited serial number counts; another one is treated like a
  // place without an instrument.
  bool TryStream(std::unique_ptr<StreamIO::CIoStream> stream, int portKind) {
    SDeviceIdent ident;
    switch (Probe(*m_device, std::move(stream), portKind, ident)) {
      case EProbe::eNotAttached:
        return false;
      case EProbe::eNotIdentified:
        AddStatus(NextLine(IDS_DEVICE_NOT_FOUND));
        return false;
      case EProbe::eIdentified:
        break;
    }
    if (m_device->GetSerialNumber() != m_request.serialNumber || IsDeviceThreadAborted()) {
      m_device->Detach();
      AddStatus(NextLine(IDS_DEVICE_NOT_FOUND));
      return false;
    }
    AddStatus(u"\r\n" + FoundText(ident));
    HandOver(m_callback, std::move(m_device));
    return true;
  }

  CCallback* m_callback;
  const SSearchRequest& m_request;
  std::unique_ptr<CJvDevice> m_device;
  CString m_status;
};

}  // namespace

void AwaitReconnection(SJobEntry& job) {
  auto device = CreateDevice(job.request.deviceType);
  if (!device) {
    ReportEnd(job.callback);
    return;
  }
  CWaitCursorScope waitCursor;
  std::int64_t start = 0;
  QueryPerformanceCounterValue(start);
  // The wait decides that the instrument did not come back: a time-out of the clock.
  const std::int64_t waitMs =
      std::int64_t(TimeoutSpan(ULONGLONG(std::max<std::int64_t>(job.request.waitMs, 0))));
  CReconnection reconnection(job, std::move(device));
  for (;;) {
    ReportStatus(job.callback, ResString(IDS_AWAIT_RECONNECTION));
    const std::int64_t left = waitMs - ElapsedMs(start);
    PauseUnlessAborted(DWORD(std::clamp<std::int64_t>(left, 0, kPollIntervalMs)));
    if (!IsDeviceThreadAborted() && reconnection.Pass()) return;
    if (IsDeviceThreadAborted() || ElapsedMs(start) >= waitMs) {
      reconnection.GiveUp();
      return;
    }
  }
}

}  // namespace Device
