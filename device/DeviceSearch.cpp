// The search job of the device thread: tries the places of one port kind for an instrument of
// one type and hands every instrument found to the job's callback.

#include "device/DeviceFactory.h"
#include "device/DeviceThread.h"
#include "device/SearchSupport.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

class CSearch {
 public:
  CSearch(SJobEntry& job, std::unique_ptr<CJvDevice> device)
      : m_callback(job.callback), m_request(job.request), m_device(std::move(device)) {}

  void SearchSerial() {
    bool found = false;
    for (int port : SerialPortsToTry(m_request)) {
      RenewDevice();
      const CString line = SearchLine(*m_device, SerialPlace(port));
      ReportStatus(m_callback, line);
      auto stream = OpenSerialPort(port, *m_device);
      if (!stream)
        ReportStatus(m_callback, line + NextLine(IDS_COULD_NOT_OPEN_PORT));
      else if (TryStream(std::move(stream), ePortSerial, line))
        found = true;
      if (IsDeviceThreadAborted()) break;
      if (!m_request.scanAllPorts || (m_request.stopAtFirst && found)) break;
    }
  }

  void SearchUsb() {
    ReportStatus(m_callback, SearchLine(*m_device, UsbPlace()));
    std::vector<CString> paths;
    if (!ListUsbPaths(m_request.deviceType, paths)) return;
    for (const CString& path : paths) {
      if (IsDeviceThreadAborted()) break;
      RenewDevice();
      auto stream = OpenUsbDevice(m_request.deviceType, path);
      if (!stream)
        ReportStatus(m_callback, NextLine(IDS_COULD_NOT_OPEN_USB) + u"\r\n" + path);
      else
        TryStream(std::move(stream), ePortUsb, CString());
    }
  }

  void SearchIp() {
    ReportStatus(m_callback, SearchLine(*m_device, IpPlace(m_request.ipHost)));
    auto stream = OpenIpHost(m_request.ipHost);
    if (!stream)
      ReportStatus(m_callback, NextLine(IDS_COULD_NOT_OPEN_PORT));
    else
      TryStream(std::move(stream), ePortIp, CString());
  }

 private:
  // After a hand-over the next place gets a new device object.
  void RenewDevice() {
    if (!m_device) m_device = CreateDevice(m_request.deviceType);
  }

  // Attaches and identifies; the result line follows `prefix`. True when handed over.
  bool TryStream(std::unique_ptr<StreamIO::CIoStream> stream, int portKind, const CString& prefix) {
    SDeviceIdent ident;
    switch (Probe(*m_device, std::move(stream), portKind, ident)) {
      case EProbe::eNotAttached:
        return false;
      case EProbe::eNotIdentified:
        ReportStatus(m_callback, prefix + NextLine(IDS_DEVICE_NOT_FOUND));
        return false;
      case EProbe::eIdentified:
        ReportStatus(m_callback, prefix + u"\r\n" + FoundText(ident));
        HandOver(m_callback, std::move(m_device));
        return true;
    }
    return false;
  }

  CCallback* m_callback;
  const SSearchRequest& m_request;
  std::unique_ptr<CJvDevice> m_device;
};

}  // namespace

void SearchDevices(SJobEntry& job) {
  auto device = CreateDevice(job.request.deviceType);
  // A type without a class has nothing to search with: the job only ends.
  if (!device) {
    ReportEnd(job.callback);
    return;
  }
  CWaitCursorScope waitCursor;
  CSearch search(job, std::move(device));
  switch (job.request.portKind) {
    case ePortSerial:
      search.SearchSerial();
      break;
    case ePortUsb:
      search.SearchUsb();
      break;
    case ePortIp:
      search.SearchIp();
      break;
    default:
      break;
  }
  ReportEnd(job.callback);
}

}  // namespace Device
