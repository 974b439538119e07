#include "device/SearchSupport.h"

#include "device/Callback.h"
#include "device/CancelableStream.h"
#include "device/DeviceAbort.h"
#include "device/DeviceTypes.h"
#include "device/JvDevice.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/UsbDevices.h"
#include "device/streamio/UsbHostProbeControl.h"
#include "device/streamio/UsbHostStream.h"
#include "platform/base/FileException.h"
#include "platform/io/ComPortMap.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kLastComPort = 256;
// Only the HID probes of this type are listed and opened through the probe manager.
constexpr int kHidProbeType = eTypeCalvera2;
constexpr DWORD kReadWrite = StreamIO::OPEN_READ | StreamIO::OPEN_WRITE;

// Opens the stream by name; none when that fails or raises.
std::unique_ptr<StreamIO::CIoStream> OpenByName(std::unique_ptr<StreamIO::CIoStream> stream,
                                                const CString& name) {
  try {
    // A connect may block: an abort cancels it like a read.
    CCancelableStream cancelable(stream.get());
    if (stream->Open(name, kReadWrite)) return stream;
  } catch (const CFileException&) {
  }
  return nullptr;
}

}  // namespace

CString SearchLine(const CJvDevice& device, const CString& place) {
  CString line;
  line.Format(ResString(IDS_SEARCH_LINE), device.GetDisplayName(), place);
  return line;
}

CString SerialPlace(int port) {
  CString place;
  place.Format(u"%s COM%d:", ResString(IDS_SEARCH_SERIAL), port);
  return place;
}

CString UsbPlace() { return ResString(IDS_SEARCH_USB); }

CString IpPlace(const CString& host) { return ResString(IDS_SEARCH_ETHERNET) + u" " + host; }

CString FoundText(const SDeviceIdent& ident) {
  CString text;
  text.Format(ResString(IDS_DEVICE_FOUND), ident.deviceName, ident.serialNumber);
  return text;
}

CString NextLine(UINT stringId) { return CString(u"\r\n") + ResString(stringId); }

std::vector<int> SerialPortsToTry(const SSearchRequest& request) {
  if (!request.scanAllPorts) return {request.portNumber};
  std::vector<int> ports;
  for (const SComPort& port : ListComPorts()) {
    if (port.number >= 1 && port.number <= kLastComPort && port.number != request.portToSkip)
      ports.push_back(port.number);
  }
  return ports;
}

bool ListUsbPaths(int type, std::vector<CString>& paths) {
  return type == kHidProbeType ? StreamIO::ListHidProbes(paths) : StreamIO::ListUsbHostDevices(paths);
}

std::unique_ptr<StreamIO::CIoStream> OpenSerialPort(int port, CJvDevice& device) {
  auto stream = std::make_unique<StreamIO::CRs232Stream>();
  try {
    if (stream->OpenPort(port, kReadWrite, device.GetSerialSettings())) return stream;
  } catch (const CFileException&) {
  }
  return nullptr;
}

std::unique_ptr<StreamIO::CIoStream> OpenUsbDevice(int type, const CString& path) {
  std::unique_ptr<StreamIO::CIoStream> stream;
  if (type == kHidProbeType)
    stream = std::make_unique<StreamIO::CUsbHostProbeControl>();
  else
    stream = std::make_unique<StreamIO::CUsbHostStream>();
  return OpenByName(std::move(stream), path);
}

std::unique_ptr<StreamIO::CIoStream> OpenIpHost(const CString& host) {
  // Without a host the name would open a server waiting for any client on the network; a
  // search only ever connects to the instrument.
  if (host.IsEmpty()) return nullptr;
  CString name;
  name.Format(u"IP:%s:3728", host);
  return OpenByName(std::make_unique<StreamIO::CIpStream>(), name);
}

EProbe Probe(CJvDevice& device, std::unique_ptr<StreamIO::CIoStream> stream, int portKind,
             SDeviceIdent& ident) {
  bool identified = false;
  {
    // Unregistered at the end of this scope, before the stream can go.
    CCancelableStream cancelable(stream.get());
    if (!device.Attach(stream, portKind)) return EProbe::eNotAttached;
    identified = device.Identify(ident);
  }
  if (identified) return EProbe::eIdentified;
  device.Detach();
  return EProbe::eNotIdentified;
}

void ReportStatus(CCallback* callback, const CString& text) {
  if (!IsDeviceThreadAborted()) callback->OnStatusText(text);
}

void HandOver(CCallback* callback, std::unique_ptr<CJvDevice> device) {
  if (!IsDeviceThreadAborted()) callback->OnDeviceFound(device.release());
}

void ReportEnd(CCallback* callback) {
  if (!IsDeviceThreadAborted()) callback->OnDeviceFound(nullptr);
}

}  // namespace Device
