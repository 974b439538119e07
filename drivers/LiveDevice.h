#pragma once
// The base of the live-streaming instruments: a device whose link counts as attached whatever
// the command layer made of it, and whose transfer can be cut off from outside.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CLiveDevice : public CJvDevice {
 public:
  bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) override;
  // Cancels the pending input and output of the attached stream and closes it.
  void CancelTransfer() override;

 protected:
  CLiveDevice(int type, const CString& displayName, int portMask, BYTE deviceCode);
};

}  // namespace Device
