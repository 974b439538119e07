#pragma once
// The table-driven checks of the binary protocol and the measurement download. Each routine
// runs the register over the data from the given initial value, with the given 256-entry table
// or, without one, the standard table of its polynomial. No data (null or length 0) gives 0,
// not the initial value.

#include <cstddef>

#include "platform/base/WinTypes.h"

namespace Device {

// Reflected polynomial 0x8C (1-Wire); callers start with 0.
BYTE Crc8(const BYTE* data, size_t length, BYTE crc, const BYTE* table = nullptr);
// Reflected polynomial 0xA001 (ARC); callers start with 0 and invert nothing.
WORD Crc16(const BYTE* data, size_t length, WORD crc, const WORD* table = nullptr);
// Reflected polynomial 0xEDB88320; callers start with 0xFFFFFFFF and invert the result.
DWORD Crc32(const BYTE* data, size_t length, DWORD crc, const DWORD* table = nullptr);

}  // namespace Device
