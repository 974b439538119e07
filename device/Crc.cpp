#include "device/Crc.h"

#include <array>

namespace Device {
namespace {

// The table of a reflected polynomial: entry i is the register after shifting i through it.
template <class T>
constexpr std::array<T, 256> MakeReflectedTable(T polynomial) {
  std::array<T, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    T value = T(i);
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? T((value >> 1) ^ polynomial) : T(value >> 1);
    table[i] = value;
  }
  return table;
}

constexpr auto kCrc8Table = MakeReflectedTable<BYTE>(0x8C);
constexpr auto kCrc16Table = MakeReflectedTable<WORD>(0xA001);
constexpr auto kCrc32Table = MakeReflectedTable<DWORD>(0xEDB88320);

}  // namespace

BYTE Crc8(const BYTE* data, size_t length, BYTE crc, const BYTE* table) {
  if (!data || length == 0) return 0;
  if (!table) table = kCrc8Table.data();
  for (size_t i = 0; i < length; ++i) crc = table[BYTE(data[i] ^ crc)];
  return crc;
}

WORD Crc16(const BYTE* data, size_t length, WORD crc, const WORD* table) {
  if (!data || length == 0) return 0;
  if (!table) table = kCrc16Table.data();
  for (size_t i = 0; i < length; ++i) crc = WORD((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
  return crc;
}

DWORD Crc32(const BYTE* data, size_t length, DWORD crc, const DWORD* table) {
  if (!data || length == 0) return 0;
  if (!table) table = kCrc32Table.data();
  for (size_t i = 0; i < length; ++i) crc = (crc >> 8) ^ table[(crc ^ data[i]) & 0xFF];
  return crc;
}

}  // namespace Device
