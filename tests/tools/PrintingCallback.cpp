#include "tests/tools/PrintingCallback.h"

#include <cstdio>
#include <memory>

#include "device/JvDevice.h"

namespace {

std::string OneLine(const CString& text) {
  std::string line;
  for (char ch : text.ToUtf8()) {
    if (ch == '\r')
      line += "\\r";
    else if (ch == '\n')
      line += "\\n";
    else
      line += ch;
  }
  return line;
}

}  // namespace

void CPrintingCallback::Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void CPrintingCallback::OnDeviceFound(Device::CJvDevice* device) {
  if (!device) {
    Print("end");
    m_done.SetEvent();
    return;
  }
  std::unique_ptr<Device::CJvDevice> owned(device);
  ++m_found;
  Print("found: " + OneLine(device->GetDisplayName()) + " " + OneLine(device->GetSerialNumber()) + " " +
        OneLine(device->GetPortName()));
}

void CPrintingCallback::OnStatusText(const CString& text) { Print("status: " + OneLine(text)); }

void CPrintingCallback::OnMessage(const CString& text, int result) {
  m_result = result;
  Print("message: " + std::to_string(result) + (text.IsEmpty() ? "" : " " + OneLine(text)));
  m_done.SetEvent();
}

void CPrintingCallback::OnProgress(int percent, int mode, int) {
  Print("progress: " + std::to_string(percent) + " " + std::to_string(mode));
}
