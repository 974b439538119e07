#include "tests/tools/Zd2Connection.h"

#include <cstdio>
#include <cstdlib>

#include "device/DeviceFactory.h"
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
  kind = Device::ePortIp;
  return StreamIO::OpenStream(name, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
}

}  // namespace

bool AttachDeviceToPort(Device::CJvDevice& device, const std::string& portName) {
  StreamIO::InitStreamIO();
  const CString name = CString::FromUtf8(portName);
  const bool isPort = StreamIO::ParseComPortName(name) > 0 || name.Left(3).CompareNoCase(u"IP:") == 0;
  if (!isPort) {
    std::fprintf(stderr, "%s is not a COM or IP port name.\n", portName.c_str());
    return false;
  }
  int kind = 0;
  std::unique_ptr<StreamIO::CIoStream> stream;
  try {
    stream = OpenPort(name, device, kind);
  } catch (const CFileException& e) {
    std::fprintf(stderr, "%s: could not open port (error %ld).\n", portName.c_str(), long(e.m_lOsError));
    return false;
  }
  if (!stream || !device.Attach(stream, kind)) {
    std::fprintf(stderr, "%s: could not open port.\n", portName.c_str());
    return false;
  }
  return true;
}

std::unique_ptr<Device::CVexalonDevice> ConnectZd2(const std::string& portName) {
  std::unique_ptr<Device::CJvDevice> made = Device::CreateDevice(Device::eTypeVexalon);
  std::unique_ptr<Device::CVexalonDevice> device(dynamic_cast<Device::CVexalonDevice*>(made.release()));
  if (!device || !AttachDeviceToPort(*device, portName)) return nullptr;
  return device;
}

bool ParseHexNumber(const std::string& text, unsigned long& value) {
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    digits = digits.substr(2);
  if (digits.empty() || digits.size() > 8) return false;
  char* end = nullptr;
  value = std::strtoul(digits.c_str(), &end, 16);
  return *end == '\0';
}
