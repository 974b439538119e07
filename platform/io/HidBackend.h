#pragma once
// The HID device service behind the probe streams: handles to HID device nodes, their report
// lengths, feature reports and input reports. Reports are laid out as the HID class API lays
// them out: byte 0 is the report id (0 for a device without numbered reports), and a length
// counts that byte. Operations return 0 or a Windows error number.
//
// The system's service (hidraw) serves by default; tests install a back end that plays the
// instrument's side of the reports.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/io/WakeSignal.h"

struct SHidCaps {
  int inputReportLength = 0;
  int featureReportLength = 0;
};

class CHidBackend {
 public:
  virtual ~CHidBackend() = default;

  // The device nodes of the HID devices with this vendor id, in a stable order.
  virtual int List(WORD vendorId, std::vector<std::string>& paths) = 0;
  // A handle for feature reports, or (inputOnly) one that reads input reports.
  virtual int Open(const std::string& path, bool inputOnly, int& handle) = 0;
  virtual int Close(int handle) = 0;
  virtual int GetCaps(int handle, SHidCaps& caps) = 0;
  // `report[0]` names the report id; the whole report of `length` bytes comes back.
  virtual int GetFeature(int handle, BYTE* report, int length) = 0;
  virtual int SetFeature(int handle, const BYTE* report, int length) = 0;
  // Waits up to `timeoutMs` (scaled, -1 forever) for one input report: ERROR_TIMEOUT when none
  // came, ERROR_OPERATION_ABORTED when the wake signal was raised.
  virtual int ReadInput(int handle, BYTE* report, int length, int timeoutMs, CWakeSignal& wake,
                        int& received) = 0;
};

// The back end in use.
CHidBackend& GetHidBackend();
// Puts a back end in place of the system's (none restores it); the caller keeps ownership.
void SetHidBackend(CHidBackend* backend);
