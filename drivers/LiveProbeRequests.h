#pragma once
// The live probes' own binary requests (request 201 with a one-byte sub-code), the correction
// words written past the text channel, the calibration version block that the Leeb probe and
// the Hallek Live cache, and the UCI probe's measurement frames.

#include "device/Version.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;
class CJvDevice;

// Three 16-bit values, each carried in a 32-bit integer.
struct SWordTriple {
  int values[3] = {0, 0, 0};
};

struct SProbeVersionBlock {
  static constexpr int kBlockSize = 16;
  CVersion version;
  BYTE block[kBlockSize] = {};
};

// The values of sub-codes 17, 18, 19 and 20, in this order, and the version block.
struct SProbeParameterSet {
  WORD values[4] = {0, 0, 0, 0};
  SProbeVersionBlock version;
};

class CLiveProbeRequests {
 public:
  // ReadFrame's statuses besides a count.
  static constexpr int kFrameBroken = 252;
  static constexpr int kTimeoutRefused = 255;

  // True when the status word's first byte has bit 0x40 set.
  static bool ReadStatusBit(CJvDevice& device);
  // Sub-codes 18, 19, 20 and 17, then the version block (from the cache when there is one).
  bool ReadParameterSet(CJvDevice& device, CJvCommands* commands, SProbeParameterSet& set);
  // The version text and the 16-byte block, read when nothing is cached or `force` is set.
  bool ReadCoVersion(CJvDevice& device, CJvCommands* commands, SProbeVersionBlock& block, bool force);
  // Sub-codes 33 and 34: three big-endian 16-bit values.
  static bool ReadWords(CJvDevice& device, BYTE subCode, SWordTriple& words);
  // DLE, "WDCorA", the three values high byte first, CR; the probe answers with 4 bytes.
  static bool WriteCorrectionA(CJvCommands* commands, const SWordTriple& words);
  // The 8-byte hardware id as 16 upper-case hexadecimal digits; asked twice at most.
  static bool ReadHexId(CJvDevice& device, CString& text);
  // One frame of 2 to 16 bytes announced by a header byte 0xC1 to 0xCF: its count, 0 when no
  // header came, kFrameBroken for anything else, kTimeoutRefused when the stream refused a
  // time-out.
  static int ReadFrame(CJvCommands* commands, BYTE* buffer, int size, int timeoutMs);

 private:
  SProbeVersionBlock m_cache;
};

}  // namespace Device
