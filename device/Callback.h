#pragma once
// The interface through which the device library reports to the application.

#include "platform/base/String.h"

namespace Device {

class CJvDevice;

class CCallback {
 public:
  virtual ~CCallback() = default;
  // A search or reconnection job hands over a found, identified and attached device, which
  // then belongs to the receiver; null means the job has ended. An aborted job sends neither.
  virtual void OnDeviceFound(CJvDevice* device) = 0;
  // A status line; it may begin with CR LF and hold several lines.
  virtual void OnStatusText(const CString& text) = 0;
  // A firmware-update job ended: empty text and 0 on success, else the result's text and code.
  virtual void OnMessage(const CString& text, int result) = 0;
  // Mode 1 for transfers, waits and update blocks, 2 for record uploads and programming;
  // percent 0 with a non-zero duration announces a wait expected to last that long.
  virtual void OnProgress(int percent, int mode, int expectedMs) = 0;

  // The library's long operations report progress only while this is set; clear by default so
  // that the command layer stays silent for receivers that never ask.
  bool m_bProgressWanted = false;
};

}  // namespace Device
