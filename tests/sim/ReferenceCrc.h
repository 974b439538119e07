#pragma once
// The instruments' own check reckonings, worked out bit by bit and kept apart from the
// library's table-driven routines that they check.

#include <cstddef>

#include "platform/base/WinTypes.h"

namespace Sim {

// CRC-16 with the reflected polynomial 0xA001 from 0.
WORD ReferenceCrc16(const BYTE* data, size_t length);
// CRC-32 with the reflected polynomial 0xEDB88320, from all ones and inverted at the end.
DWORD ReferenceCrc32(const BYTE* data, size_t length);

}  // namespace Sim
