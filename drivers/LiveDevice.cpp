#include "drivers/LiveDevice.h"

namespace Device {

CLiveDevice::CLiveDevice(int type, const CString& displayName, int portMask, BYTE deviceCode)
    : CJvDevice(type, displayName, portMask, deviceCode) {}

bool CLiveDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  CJvDevice::Attach(stream, portKind);
  return true;
}

void CLiveDevice::CancelTransfer() {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return;
  stream->CancelIo();
  stream->Close();
}

}  // namespace Device
