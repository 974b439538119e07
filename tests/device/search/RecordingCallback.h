#pragma once
// A callback receiver that records every report of the device library, one line each, as
// zdtool prints them: "status: TEXT", "found: NAME SERIAL PORTNAME", "end",
// "message: CODE TEXT", "progress: PERCENT MODE". Found devices are kept until the receiver
// goes. Reports come from the device thread; the test waits for them.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/Callback.h"
#include "device/JvDevice.h"

class CRecordingCallback : public Device::CCallback {
 public:
  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString& text) override;
  void OnMessage(const CString& text, int result) override;
  void OnProgress(int percent, int mode, int expectedMs) override;

  std::vector<std::string> Lines() const;
  // The lines that begin with the prefix.
  std::vector<std::string> Lines(const std::string& prefix) const;
  // Waits (real time) until a line equal to `line` was recorded.
  bool WaitForLine(const std::string& line, int timeoutMs = 20000) const;
  bool WaitForLineStartingWith(const std::string& prefix, int timeoutMs = 20000) const;
  size_t DeviceCount() const;
  // Runs before each status is recorded, on the device thread (a test may throw from it).
  void SetStatusHook(std::function<void(const std::string&)> hook);

 private:
  void Add(const std::string& line);
  bool WaitFor(const std::function<bool(const std::string&)>& match, int timeoutMs) const;

  mutable std::mutex m_mutex;
  mutable std::condition_variable m_added;
  std::vector<std::string> m_lines;
  std::vector<std::unique_ptr<Device::CJvDevice>> m_devices;
  std::function<void(const std::string&)> m_statusHook;
};
