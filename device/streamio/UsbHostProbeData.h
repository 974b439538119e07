#pragma once
// The data channel of a HID probe: input reports read through a handle of its own, beside the
// handle that it shares with the probe's control stream.
//
// Input report layout: byte 0 report id; byte 1 bits 0-3 the payload length, bits 5-7 the
// instrument's sequence number; the payload follows from byte 2. A report counts once: only
// a sequence number other than that of the last report taken brings new data.

#include <vector>

#include "device/streamio/UsbHostProbeStream.h"

namespace StreamIO {

class CUsbHostProbeData : public CUsbHostProbeStream {
 public:
  CUsbHostProbeData();
  ~CUsbHostProbeData() override;

  void DoClose() override;
  int Read(void* buffer, int count) override;
  // The channel only reads: nothing is written.
  int Write(const void* buffer, int count) override;
  bool Open(const CString& name, DWORD openFlags) override;

  // 29: the sequence number of the current input report.
  virtual int GetSequenceNumber();

 private:
  int TakeRest(BYTE* target, int count);

  int m_readHandle = -1;
  int m_reportLength = 0;
  std::vector<BYTE> m_report;
  int m_restOffset = 0;
};

}  // namespace StreamIO
