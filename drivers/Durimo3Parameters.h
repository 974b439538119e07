#pragma once
// The Durimo 3's 20-byte parameter block and its ten values. On the wire each value is a
// 16-bit little-endian word; values 5 and 8 are kept as a pair with values 6 and 7.

#include "platform/base/WinTypes.h"

namespace Device {

struct SDurimo3Parameters {
  float value1 = 0;
  float value2 = 0;
  float value3 = 0;
  DWORD value4 = 0;
  DWORD value5 = 0;
  DWORD value6 = 0;
  DWORD value7 = 0;
  DWORD value8 = 0;
  DWORD value9 = 0;
  float value10 = 0;
};

class CDurimo3ParameterBlock {
 public:
  static constexpr int kSize = 20;

  // The ten values of a block as the instrument sent it.
  static SDurimo3Parameters Read(const BYTE* block);
  // The block of the ten values; false when a value lies outside the range the instrument
  // accepts, in which case the block must not be sent.
  static bool Write(const SDurimo3Parameters& values, BYTE* block);
};

}  // namespace Device
