#pragma once
// Fixture records and a little-endian byte writer for hand-built project images.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "document/MeasRecord.h"

// Appends little-endian values and archive strings (0xFE, 16-bit count, UTF-16 units).
class CBytes {
 public:
  CBytes& U8(unsigned v) {
    m_bytes.push_back(BYTE(v));
    return *this;
  }
  CBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  CBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  CBytes& Str(const char16_t* text) {
    const CString s(text);
    U8(0xFE).U16(unsigned(s.GetLength()));
    for (int i = 0; i < s.GetLength(); ++i) U16(s[i]);
    return *this;
  }
  CBytes& Raw(const std::vector<BYTE>& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  const std::vector<BYTE>& Get() const { return m_bytes; }

 private:
  std::vector<BYTE> m_bytes;
};

// One raw 238-byte record, filled field by field.
class CRawRecord {
 public:
  CRawRecord() {
    m_raw.assign(MeasRaw::kSize, 0);
    Word(MeasRaw::kMarker, MeasRaw::kSize);
    Date(2021, 1, 15, 12, 0, 0);
    Word(MeasRaw::kArea, 1963);
    Word(MeasRaw::kLoadRate, 100);
    Byte(MeasRaw::kUnit, 1);
    Word(MeasRaw::kLoadLimit, 16000);
    Word(MeasRaw::kSamplingPeriod, 5);
  }
  CRawRecord& Byte(int offset, unsigned v) {
    m_raw[offset] = BYTE(v);
    return *this;
  }
  CRawRecord& Word(int offset, unsigned v) { return Byte(offset, v & 0xFF).Byte(offset + 1, v >> 8); }
  CRawRecord& DWord(int offset, std::uint32_t v) {
    return Word(offset, v & 0xFFFF).Word(offset + 2, v >> 16);
  }
  CRawRecord& Date(int year, int month, int day, int hour, int minute, int second) {
    return Byte(MeasRaw::kYear, unsigned(year - 2000))
        .Byte(MeasRaw::kMonth, unsigned(month))
        .Byte(MeasRaw::kDay, unsigned(day))
        .Byte(MeasRaw::kHour, unsigned(hour))
        .Byte(MeasRaw::kMinute, unsigned(minute))
        .Byte(MeasRaw::kSecond, unsigned(second));
  }
  CRawRecord& Slot(unsigned v) { return Byte(MeasRaw::kSlotId, v); }
  CRawRecord& Id(std::uint32_t v) { return DWord(MeasRaw::kId, v); }
  CRawRecord& Peak(unsigned newtons) { return Word(MeasRaw::kPeakLoad, newtons); }
  CRawRecord& Unit(unsigned unit) { return Byte(MeasRaw::kUnit, unit); }
  CRawRecord& Area(unsigned mm2) { return Word(MeasRaw::kArea, mm2); }
  CRawRecord& Sample(int index, unsigned newtons) { return Word(MeasRaw::kCurve + 2 * index, newtons); }
  const std::vector<BYTE>& Bytes() const { return m_raw; }

 private:
  std::vector<BYTE> m_raw;
};

inline std::vector<BYTE> Concat(std::initializer_list<CRawRecord> records) {
  std::vector<BYTE> out;
  for (const CRawRecord& r : records) out.insert(out.end(), r.Bytes().begin(), r.Bytes().end());
  return out;
}

inline SMeasDeviceInfo DeviceBlock(std::int32_t loadLimit) {
  SMeasDeviceInfo d;
  d.strDeviceName = u"ZD-2";
  d.strSerialNumber = u"SN123";
  d.strHwSerialNumber = u"HW9";
  d.strHwRevision = u"B";
  d.strAppVersion = u"1.4.3";
  d.strModel = u"VA-216";
  d.strCalDate = u"2023-05-17";
  d.nLoadLimit = loadLimit;
  return d;
}
