#include "drivers/Durimo3Parameters.h"

namespace Device {
namespace {

// The words of bytes 6 to 17 are resistances in units of 16.
constexpr ULONGLONG kResistanceMin = 9800;
constexpr ULONGLONG kResistanceMax = 500000;
// The pair reads as this when the first resistance is not above the second.
constexpr DWORD kPairFallback = 2;

WORD GetWord(const BYTE* block, int at) { return WORD(block[at] | (block[at + 1] << 8)); }

void PutWord(BYTE* block, int at, DWORD word) {
  block[at] = BYTE(word);
  block[at + 1] = BYTE(word >> 8);
}

// A resistance as the instrument stores it; truncated after the division by 16.
DWORD Sixteenths(ULONGLONG value) { return DWORD((double(value) + 8) / 16); }

// Two resistances in parallel with `outer` give `inner`: the missing one.
DWORD PairValue(DWORD outer, WORD word) {
  const ULONGLONG inner = ULONGLONG(word) * 16;
  if (outer <= inner) return kPairFallback;
  return DWORD(ULONGLONG(outer) * inner / (outer - inner));
}

// The parallel resistance of a pair, in 64 bits; a zero sum has none.
DWORD ParallelWord(DWORD value, DWORD partner) {
  const ULONGLONG sum = ULONGLONG(value) + partner;
  if (sum == 0) return 0;
  return Sixteenths(ULONGLONG(value) * partner / sum);
}

bool ScaledWord(float value, double scale, DWORD low, DWORD high, DWORD& word) {
  const double scaled = double(value) * scale + 0.5;
  if (!(scaled >= low && scaled < high + 1.0)) return false;
  word = DWORD(scaled);
  return true;
}

bool IsResistanceWord(DWORD word) {
  const ULONGLONG value = ULONGLONG(word) * 16;
  return value == 0 || (value >= kResistanceMin && value <= kResistanceMax);
}

}  // namespace

SDurimo3Parameters CDurimo3ParameterBlock::Read(const BYTE* block) {
  SDurimo3Parameters values;
  values.value1 = float(GetWord(block, 0) / 100.0);
  values.value2 = float(GetWord(block, 2) / 1000.0);
  values.value3 = float(GetWord(block, 4) / 1000.0);
  values.value4 = DWORD(GetWord(block, 6)) * 16;
  values.value6 = DWORD(GetWord(block, 8)) * 16;
  values.value5 = PairValue(values.value6, GetWord(block, 10));
  values.value7 = DWORD(GetWord(block, 12)) * 16;
  values.value8 = PairValue(values.value7, GetWord(block, 14));
  values.value9 = DWORD(GetWord(block, 16)) * 16;
  values.value10 = float(GetWord(block, 18) * 0.00001);
  return values;
}

bool CDurimo3ParameterBlock::Write(const SDurimo3Parameters& values, BYTE* block) {
  DWORD first = 0, second = 0, third = 0, tenth = 0;
  if (!ScaledWord(values.value1, 100, 21000, 23000, first)) return false;
  if (!ScaledWord(values.value2, 1000, 7000, 13000, second)) return false;
  if (!ScaledWord(values.value3, 1000, 8000, 15000, third)) return false;
  // Compared in the block's own resolution, so that 10.8 and 10.0 are 0.8 apart.
  if (third < second + 800) return false;
  if (!ScaledWord(values.value10, 100000, 5000, 8000, tenth)) return false;
  const DWORD resistances[6] = {Sixteenths(values.value4),
                                Sixteenths(values.value6),
                                ParallelWord(values.value5, values.value6),
                                Sixteenths(values.value7),
                                ParallelWord(values.value8, values.value7),
                                Sixteenths(values.value9)};
  for (DWORD word : resistances)
    if (!IsResistanceWord(word)) return false;
  PutWord(block, 0, first);
  PutWord(block, 2, second);
  PutWord(block, 4, third);
  for (int i = 0; i < 6; ++i) PutWord(block, 6 + 2 * i, resistances[i]);
  PutWord(block, 18, tenth);
  return true;
}

}  // namespace Device
