#pragma once
// Raw measurement records for the benchmarks: `count` tests with varied slots, dates and peaks,
// as a download delivers them.

#include <vector>

#include "document/MeasRecord.h"
#include "platform/base/ByteOrder.h"

inline std::vector<BYTE> Records(int count) {
  std::vector<BYTE> buffer(std::size_t(count) * MeasRaw::kSize, 0);
  for (int i = 0; i < count; ++i) {
    BYTE* raw = buffer.data() + std::size_t(i) * MeasRaw::kSize;
    SetLe16(raw + MeasRaw::kMarker, WORD(MeasRaw::kSize));
    raw[MeasRaw::kSlotId] = BYTE(i % 250 + 1);
    raw[MeasRaw::kYear] = 21;
    raw[MeasRaw::kMonth] = BYTE(i % 12 + 1);
    raw[MeasRaw::kDay] = BYTE(i % 28 + 1);
    raw[MeasRaw::kHour] = BYTE(i % 24);
    raw[MeasRaw::kMinute] = BYTE(i % 60);
    SetLe32(raw + MeasRaw::kId, DWORD(i + 1));
    SetLe16(raw + MeasRaw::kArea, 1963);
    SetLe16(raw + MeasRaw::kLoadRate, 100);
    raw[MeasRaw::kUnit] = 1;
    SetLe16(raw + MeasRaw::kLoadLimit, 16000);
    SetLe16(raw + MeasRaw::kSamplingPeriod, 5);
    SetLe16(raw + MeasRaw::kPeakLoad, WORD(500 + (i * 7919) % 12000));
    SetLe16(raw + MeasRaw::kTearOffTime, WORD(20 + i % 50));
  }
  return buffer;
}
