#pragma once
// The USB service behind the host-pipe streams: devices with a bulk-pipe interface, opened by
// their device node (/dev/bus/usb/BBB/DDD), with pipe 0 the first bulk IN and pipe 1 the first
// bulk OUT endpoint. Operations return 0 or a Windows error number.
//
// The system's service (libusb) serves by default; tests install a back end of their own.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/io/WakeSignal.h"

class CUsbBackend {
 public:
  virtual ~CUsbBackend() = default;

  // The device nodes of the devices with this vendor id (and product id unless it is 0) that
  // offer bulk pipes both ways; an empty list where USB is absent.
  virtual int List(WORD vendorId, WORD productId, std::vector<std::string>& paths) = 0;
  virtual int Open(const std::string& path, int& device) = 0;
  virtual int Close(int device) = 0;
  // Claims the pipe's interface; `pipe` is 0 (in) or 1 (out).
  virtual int OpenPipe(int device, int pipe, int& endpoint) = 0;
  virtual int ClosePipe(int device, int endpoint) = 0;
  // One bulk transfer of up to `count` bytes, waiting at most `timeoutMs` (scaled, -1 forever):
  // ERROR_TIMEOUT with what moved when the time ran out, ERROR_OPERATION_ABORTED when the
  // wake signal was raised.
  virtual int Transfer(int device, int endpoint, BYTE* buffer, int count, int timeoutMs, CWakeSignal& wake,
                       int& done) = 0;
};

CUsbBackend& GetUsbBackend();
// Puts a back end in place of the system's (none restores it); the caller keeps ownership.
void SetUsbBackend(CUsbBackend* backend);
