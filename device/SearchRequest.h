#pragma once
// What a device search job looks for.

#include "device/DeviceTypes.h"
#include "platform/base/String.h"

namespace Device {

struct SSearchRequest {
  int deviceType = eTypeNone;  // a request must set a real type
  int portKind = ePortNone;    // any kind but serial, USB or IP ends the job at once
  bool scanAllPorts = false;   // serial: try COM1 to COM256 instead of portNumber alone
  bool stopAtFirst = true;     // serial scan: stop after the first port that yields a device
  int portNumber = 1;
  int portToSkip = -1;         // serial scan: this port is passed over; -1 passes none
  CString ipHost;              // IP: put into "IP:%s:3728"
  CString serialNumber;        // reconnection: the serial number the instrument must report
  int waitMs = 0;              // more than 0 makes the job a reconnection

  bool IsReconnection() const { return waitMs > 0; }
};

}  // namespace Device
