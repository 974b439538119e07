#pragma once
// Packing of multi-byte values at explicit byte order, as the instrument link and the file and
// resource formats carry them.

#include <vector>

#include "platform/base/WinTypes.h"

inline void PutLe16(std::vector<BYTE>& out, DWORD value) {
  out.push_back(BYTE(value));
  out.push_back(BYTE(value >> 8));
}

inline void PutLe24(std::vector<BYTE>& out, DWORD value) {
  PutLe16(out, value);
  out.push_back(BYTE(value >> 16));
}

inline void PutLe32(std::vector<BYTE>& out, DWORD value) {
  PutLe24(out, value);
  out.push_back(BYTE(value >> 24));
}

inline void SetLe16(BYTE* out, WORD value) {
  out[0] = BYTE(value);
  out[1] = BYTE(value >> 8);
}

inline void SetLe32(BYTE* out, DWORD value) {
  for (int i = 0; i < 4; ++i) out[i] = BYTE(value >> (8 * i));
}

inline WORD GetLe16(const BYTE* in) { return WORD(in[0] | in[1] << 8); }
inline DWORD GetLe24(const BYTE* in) { return DWORD(in[0]) | DWORD(in[1]) << 8 | DWORD(in[2]) << 16; }
inline DWORD GetLe32(const BYTE* in) { return GetLe24(in) | DWORD(in[3]) << 24; }
