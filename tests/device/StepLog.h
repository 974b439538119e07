#pragma once
// Records the status texts and progress reports of an update's steps, as they come.

#include <vector>

#include "device/Callback.h"

class CStepLog : public Device::CCallback {
 public:
  void OnDeviceFound(Device::CJvDevice*) override {}
  void OnStatusText(const CString& text) override { texts.push_back(text); }
  void OnMessage(const CString&, int) override {}
  void OnProgress(int percent, int mode, int) override { progress.push_back(percent * 10 + mode); }

  std::vector<CString> texts;
  std::vector<int> progress;  // percent * 10 + mode
};
