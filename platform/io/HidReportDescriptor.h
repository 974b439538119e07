#pragma once
// The report lengths that a HID report descriptor declares, counted as the HID class API
// counts them: the longest report of each kind in bytes, plus the report id byte.

#include "platform/base/WinTypes.h"
#include "platform/io/HidBackend.h"

struct SHidReportLayout {
  SHidCaps caps;
  // Whether the device numbers its reports (a report id precedes the data on the wire).
  bool numberedReports = false;
};

SHidReportLayout ParseHidReportDescriptor(const BYTE* descriptor, int length);
