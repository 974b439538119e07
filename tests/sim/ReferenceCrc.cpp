#include "tests/sim/ReferenceCrc.h"

namespace Sim {

WORD ReferenceCrc16(const BYTE* data, size_t length) {
  WORD crc = 0;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? WORD((crc >> 1) ^ 0xA001) : WORD(crc >> 1);
  }
  return crc;
}

DWORD ReferenceCrc32(const BYTE* data, size_t length) {
  DWORD crc = 0xFFFFFFFF;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

}  // namespace Sim
