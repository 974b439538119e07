#pragma once
// One job of the device thread's queue.

#include <memory>

#include "device/Contents.h"
#include "device/SearchRequest.h"
#include "device/streamio/IoStream.h"

namespace Device {

class CCallback;
class CJvDevice;

enum NJobTypes : int {
  eJobNone = 0,
  eJobSearch = 1,
  eJobUpdate = 2,
  eJobUpdateFlagged = 3,  // an update that also sets the device's update flag
  eJobReconnect = 4,
};

struct SJobEntry {
  int type = eJobNone;            // other values than the NJobTypes are dropped without running
  CCallback* callback = nullptr;  // receiver of the job's reports; not owned
  SSearchRequest request;
  // Update jobs: the device to update, attached to its transport; not owned.
  CJvDevice* device = nullptr;
  // Update jobs: the package, positioned at its head; the job deletes it when it ends.
  std::unique_ptr<StreamIO::CIoStream> packageStream;
  // Update jobs: the contents to apply (entries flagged 0x80 are left out); none applies all.
  std::unique_ptr<CContents> contents;
};

}  // namespace Device
