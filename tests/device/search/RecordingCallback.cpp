#include "tests/device/search/RecordingCallback.h"

#include <chrono>

void CRecordingCallback::OnDeviceFound(Device::CJvDevice* device) {
  if (!device) {
    Add("end");
    return;
  }
  std::unique_ptr<Device::CJvDevice> owned(device);
  const std::string line = "found: " + device->GetDisplayName().ToUtf8() + " " +
                           device->GetSerialNumber().ToUtf8() + " " + device->GetPortName().ToUtf8();
  {
    std::lock_guard lock(m_mutex);
    m_devices.push_back(std::move(owned));
  }
  Add(line);
}

void CRecordingCallback::OnStatusText(const CString& text) {
  const std::string line = "status: " + text.ToUtf8();
  std::function<void(const std::string&)> hook;
  {
    std::lock_guard lock(m_mutex);
    hook = m_statusHook;
  }
  if (hook) hook(line);
  Add(line);
}

void CRecordingCallback::OnMessage(const CString& text, int result) {
  Add("message: " + std::to_string(result) + " " + text.ToUtf8());
}

void CRecordingCallback::OnProgress(int percent, int mode, int) {
  Add("progress: " + std::to_string(percent) + " " + std::to_string(mode));
}

void CRecordingCallback::Add(const std::string& line) {
  // Notified under the lock: a test that sees the last line may destroy the receiver at once,
  // so the condition must not be touched after the lock is given up.
  std::lock_guard lock(m_mutex);
  m_lines.push_back(line);
  m_added.notify_all();
}

std::vector<std::string> CRecordingCallback::Lines() const {
  std::lock_guard lock(m_mutex);
  return m_lines;
}

std::vector<std::string> CRecordingCallback::Lines(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : Lines())
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

bool CRecordingCallback::WaitFor(const std::function<bool(const std::string&)>& match, int timeoutMs) const {
  std::unique_lock lock(m_mutex);
  return m_added.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    for (const std::string& line : m_lines)
      if (match(line)) return true;
    return false;
  });
}

bool CRecordingCallback::WaitForLine(const std::string& line, int timeoutMs) const {
  return WaitFor([&](const std::string& candidate) { return candidate == line; }, timeoutMs);
}

bool CRecordingCallback::WaitForLineStartingWith(const std::string& prefix, int timeoutMs) const {
  return WaitFor([&](const std::string& candidate) { return candidate.rfind(prefix, 0) == 0; }, timeoutMs);
}

size_t CRecordingCallback::DeviceCount() const {
  std::lock_guard lock(m_mutex);
  return m_devices.size();
}

void CRecordingCallback::SetStatusHook(std::function<void(const std::string&)> hook) {
  std::lock_guard lock(m_mutex);
  m_statusHook = std::move(hook);
}
