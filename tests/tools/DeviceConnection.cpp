#include "tests/tools/DeviceConnection.h"

#include <cstdio>
#include <cstdlib>

#include "device/DeviceFactory.h"
#include "device/SearchSupport.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/FileException.h"

namespace {

std::unique_ptr<StreamIO::CIoStream> OpenPort(const CString& name, Device::CJvDevice& device, int& kind) {
  const int com = StreamIO::ParseComPortName(name);
  if (com > 0) {
    kind = Device::ePortSerial;
    return std::make_unique<StreamIO::CRs232Stream>(com, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE,
                                                    device.GetSerialSettings());
  }
  if (name.Left(3).CompareNoCase(u"IP:") == 0) {
    kind = Device::ePortIp;
    return StreamIO::OpenStream(name, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
  }
  // A device path, opened as the search opens it for the type: a HID probe's control channel
  // or a USB host stream.
  kind = Device::ePortUsb;
  return Device::OpenUsbDevice(device.GetType(), name);
}

}  // namespace

std::unique_ptr<Device::CJvDevice> ConnectDevice(const std::string& portName, int type) {
  StreamIO::InitStreamIO();
  std::unique_ptr<Device::CJvDevice> device = Device::CreateDevice(type);
  if (!device) {
    std::fprintf(stderr, "No instrument class for type %d.\n", type);
    return nullptr;
  }
  const CString name = CString::FromUtf8(portName);
  int kind = 0;
  std::unique_ptr<StreamIO::CIoStream> stream;
  try {
    stream = OpenPort(name, *device, kind);
  } catch (const CFileException& e) {
    std::fprintf(stderr, "%s: could not open port (error %ld).\n", portName.c_str(), long(e.m_lOsError));
    return nullptr;
  }
  if (!stream || !device->Attach(stream, kind)) {
    std::fprintf(stderr, "%s: could not open port.\n", portName.c_str());
    return nullptr;
  }
  return device;
}

bool ParseTypeNumber(const std::string& text, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  value = int(number);
  return true;
}
