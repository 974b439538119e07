#pragma once
// The device-library reports of the device-thread subcommands, printed as they come, one a
// line: "status: TEXT", "found: DEVICE_NAME SERIAL_NUMBER PORTNAME", "end",
// "progress: PERCENT MODE" and "message: CODE TEXT". Line ends inside a text are written as
// \r and \n so that every report stays on one line. Found devices are deleted after printing.

#include <string>

#include "device/Callback.h"
#include "platform/kernel/Event.h"

class CPrintingCallback : public Device::CCallback {
 public:
  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString& text) override;
  void OnMessage(const CString& text, int result) override;
  void OnProgress(int percent, int mode, int expectedMs) override;

  // Set by the end notice of a search and by the final message of an update.
  CEvent& Done() { return m_done; }
  int FoundCount() const { return m_found; }
  int Result() const { return m_result; }

 private:
  static void Print(const std::string& line);

  CEvent m_done{false, true};
  int m_found = 0;
  int m_result = -1;
};
