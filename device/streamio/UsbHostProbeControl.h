#pragma once
// The message channel of a HID probe: one feature report serves as a two-way mailbox.
//
// Mailbox layout: byte 0 report id 0; byte 1 bit 0 "free" (set by the side that took a
// message), bit 1 "from the PC", bits 2-4 the PC's message counter, bits 5-7 the instrument's
// sequence number; byte 2 bits 0-5 the payload length (bits 6-7 are kept as they are); the
// payload follows from byte 3. The PC polls the report at the polling interval.
//
// A write longer than one report's payload goes out as several messages, one after another,
// and a read gathers as many messages as it needs.

#include <vector>

#include "device/streamio/UsbHostProbeStream.h"

namespace StreamIO {

class CUsbHostProbeControl : public CUsbHostProbeStream {
 public:
  CUsbHostProbeControl();
  ~CUsbHostProbeControl() override;

  void DoClose() override;
  // Takes back a message of the PC that the instrument has not answered.
  void Flush() override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  // Opens the device path (never by port name); false with 50 kept when another control
  // stream has the path open.
  bool Open(const CString& name, DWORD openFlags) override;

 private:
  int PayloadCapacity() const;
  // Reads the mailbox into `report`; raises on failure.
  void ReadReport(std::vector<BYTE>& report);
  void WriteReport(const std::vector<BYTE>& report);
  // Hands out the rest of the last message taken; returns the count.
  int TakeRest(BYTE* target, int count);
  // One message of at most the report's payload; false when it was not taken in time.
  bool WriteMessage(const BYTE* data, int count, DWORD start);

  int m_reportLength = 0;
  std::vector<BYTE> m_writeReport;
  std::vector<BYTE> m_readReport;
  int m_restOffset = 0;
};

}  // namespace StreamIO
