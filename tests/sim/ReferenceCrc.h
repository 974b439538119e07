#pragma once
// CRC-16 with the reflected polynomial 0xA001 from 0, worked out bit by bit: the instrument's
// own reckoning, kept apart from the library's table-driven routine that it checks.

#include <cstddef>

#include "platform/base/WinTypes.h"

namespace Sim {

WORD ReferenceCrc16(const BYTE* data, size_t length);

}  // namespace Sim
