#pragma once
// The system's HID service: hidraw device nodes. Input reports of a device without numbered
// reports get the report id 0 put in front, as the HID class API hands them out.

#include <map>
#include <mutex>

#include "platform/io/HidBackend.h"

class CHidrawBackend : public CHidBackend {
 public:
  int List(WORD vendorId, std::vector<std::string>& paths) override;
  int Open(const std::string& path, bool inputOnly, int& handle) override;
  int Close(int handle) override;
  int GetCaps(int handle, SHidCaps& caps) override;
  int GetFeature(int handle, BYTE* report, int length) override;
  int SetFeature(int handle, const BYTE* report, int length) override;
  int ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                int& received) override;

 private:
  bool IsNumbered(int handle);

  std::mutex m_lock;
  std::map<int, bool> m_numbered;
};
