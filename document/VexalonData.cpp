#include "document/VexalonData.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/streamio/JVArchive.h"
#include "document/Units.h"
#include "document/ZedoDoc.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/DateTimePicture.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/base/LocalTime.h"
#include "resources/ResourceIds.h"

namespace {

// The diameter uses pi as the instrument's single-precision arithmetic has it.
constexpr double kPi = 3.1415927410125732;
constexpr int kInvalidData = 13;

void Clamp(BYTE& value, BYTE low, BYTE high) { value = std::clamp(value, low, high); }

SLocalTime RawLocalTime(const zd_meas_t& m) {
  return SLocalTime{2000 + m.raw[MeasRaw::kYear], m.raw[MeasRaw::kMonth],  m.raw[MeasRaw::kDay],
                    m.raw[MeasRaw::kHour],        m.raw[MeasRaw::kMinute], m.raw[MeasRaw::kSecond]};
}

// The values a record derives from its raw bytes; they are not stored in project images.
void Derive(zd_meas_t& m) {
  m.diameter = std::sqrt(m.Word(MeasRaw::kArea) * 4.0 / kPi);
  Clamp(m.raw[MeasRaw::kMonth], 1, 12);
  Clamp(m.raw[MeasRaw::kDay], 1, 31);
  Clamp(m.raw[MeasRaw::kHour], 0, 23);
  Clamp(m.raw[MeasRaw::kMinute], 0, 59);
  Clamp(m.raw[MeasRaw::kSecond], 0, 59);
  m.timeStamp = LocalTimeToStamp(RawLocalTime(m));
  int peakIndex = 0;
  m.maxSample = 0;
  for (int i = 0; i < MeasRaw::kCurveSamples; ++i) {
    if (m.CurveSample(i) > m.maxSample) {
      m.maxSample = m.CurveSample(i);
      peakIndex = i;
    }
  }
  m.peakTime = peakIndex * m.Word(MeasRaw::kSamplingPeriod) * 0.01;
}

// The integer at the start of a text, as the C library's atoi reads it (blanks, a sign, digits);
// 0 when there is none. The texts are a few characters long, so the value stays far from the
// limits of an int.
int LeadingInteger(const CString& text) {
  int i = 0;
  while (i < text.GetLength() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  const bool negative = i < text.GetLength() && text[i] == '-';
  if (i < text.GetLength() && (text[i] == '-' || text[i] == '+')) ++i;
  int value = 0;
  for (; i < text.GetLength() && text[i] >= '0' && text[i] <= '9' && value < 100000; ++i)
    value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

CString FormatDateTime(std::int64_t stamp, bool withTime) {
  SLocalTime local;
  if (!StampToLocalTime(stamp, local)) return CString();
  CString text = FormatDatePicture(GetDateFormatString(), local).Left(31);
  if (withTime) text += u" " + FormatTimePicture(GetTimeFormatString(), local).Left(31);
  return text;
}

std::int64_t SortValue(const zd_meas_t& m, BYTE key) {
  switch ((key + 1) / 2) {
    case 1:
      return m.raw[MeasRaw::kSlotId];
    case 2:
      return m.timeStamp;
    case 3:
      return m.DWord(MeasRaw::kId);
    case 4:
      return m.Word(MeasRaw::kPeakLoad);
    case 5:
      return m.raw[MeasRaw::kByte15];
    case 6:
    case 7:
      return m.Word(MeasRaw::kArea);
    case 8:
      return m.Word(MeasRaw::kLoadRate);
    default:
      return m.raw[MeasRaw::kUnit];
  }
}

void CheckIndex(int index) {
  if (index < 0) throw std::invalid_argument("negative measurement index");
}

}  // namespace

CVexalonData::CVexalonData(CZedoDoc* owner) : m_pDoc(owner) {}

CVexalonData::~CVexalonData() = default;

bool CVexalonData::ParseDownload(const BYTE* buffer, std::size_t length, const SMeasDeviceInfo* device) {
  for (std::size_t pos = 0; buffer && pos + MeasRaw::kSize <= length; pos += MeasRaw::kSize) {
    if (GetLe16(buffer + pos) != MeasRaw::kSize) return false;
    auto record = std::make_unique<zd_meas_t>();
    std::copy_n(buffer + pos, MeasRaw::kSize, record->raw);
    if (device) record->device = *device;
    Derive(*record);
    m_records.push_back(std::move(record));
  }
  return true;
}

void CVexalonData::Clear() {
  m_records.clear();
  m_sortKey = SORT_NONE;
}

void CVexalonData::DeleteMeasurement(int index) {
  if (index < 0 || index >= GetCount()) throw std::invalid_argument("measurement index outside the list");
  m_records.erase(m_records.begin() + index);
  if (m_pDoc) m_pDoc->SetModified();
}

void CVexalonData::Sort(BYTE key) {
  m_sortKey = key;
  if (key == SORT_NONE || key > SORT_KEY_COUNT) return;
  const bool descending = key % 2 == 0;
  std::stable_sort(m_records.begin(), m_records.end(), [&](const auto& a, const auto& b) {
    const std::int64_t x = SortValue(*a, key), y = SortValue(*b, key);
    return descending ? x > y : x < y;
  });
}

void CVexalonData::TakeOver(CVexalonData& other) {
  for (auto& record : other.m_records) m_records.push_back(std::move(record));
  other.m_records.clear();
}

void CVexalonData::Swap(CVexalonData& other) {
  std::swap(m_records, other.m_records);
  std::swap(m_sortKey, other.m_sortKey);
}

void CVexalonData::Serialize(StreamIO::CJVArchive& archive, WORD version,
                             const std::vector<BYTE>* selection) {
  if (archive.IsLoading())
    Load(archive, version);
  else
    Store(archive, selection);
}

void CVexalonData::Store(StreamIO::CJVArchive& archive, const std::vector<BYTE>* selection) const {
  auto chosen = [&](int i) {
    return !selection || (std::size_t(i) < selection->size() && (*selection)[i] == 1);
  };
  DWORD count = 0;
  for (int i = 0; i < GetCount(); ++i) count += chosen(i) ? 1 : 0;
  archive.WriteDWord(count);
  for (int i = 0; i < GetCount(); ++i) {
    if (!chosen(i)) continue;
    const zd_meas_t& m = *m_records[i];
    archive.WriteDWord(MeasRaw::kSize);
    archive.WriteBytes(m.raw, MeasRaw::kSize);
    const SMeasDeviceInfo& d = m.device;
    for (const CString* s : {&d.strDeviceName, &d.strSerialNumber, &d.strHwSerialNumber, &d.strHwRevision,
                             &d.strAppVersion, &d.strModel, &d.strCalDate})
      archive.WriteString(*s);
    archive.WriteDWord(DWORD(d.nLoadLimit));
    archive.WriteString(m.comment);
    archive.WriteByte(m.expanded ? 1 : 0);
    archive.WriteByte(m.selected ? 1 : 0);
  }
}

void CVexalonData::Load(StreamIO::CJVArchive& archive, WORD version) {
  const DWORD count = archive.ReadDWord();
  BYTE raw[MeasRaw::kSize];
  for (DWORD n = 0; n < count; ++n) {
    if (archive.ReadDWord() != MeasRaw::kSize) ThrowFileException(kInvalidData, CString());
    archive.ReadBytes(raw, MeasRaw::kSize);
    const int before = GetCount();
    if (!ParseDownload(raw, MeasRaw::kSize, nullptr) || GetCount() != before + 1)
      ThrowFileException(kInvalidData, CString());
    zd_meas_t& m = *m_records.back();
    SMeasDeviceInfo& d = m.device;
    for (CString* s : {&d.strDeviceName, &d.strSerialNumber, &d.strHwSerialNumber, &d.strHwRevision,
                       &d.strAppVersion, &d.strModel, &d.strCalDate})
      archive.ReadString(*s);
    d.nLoadLimit = std::int32_t(archive.ReadDWord());
    archive.ReadString(m.comment);
    m.expanded = archive.ReadByte() != 0;
    if (version > 1) m.selected = archive.ReadByte() != 0;
  }
}

const zd_meas_t* CVexalonData::GetRecord(int index) const {
  return index >= 0 && index < GetCount() ? m_records[index].get() : nullptr;
}

zd_meas_t* CVexalonData::Find(int index) const {
  CheckIndex(index);
  return index < GetCount() ? m_records[index].get() : nullptr;
}

zd_meas_t* CVexalonData::Change(int index) {
  if (m_pDoc) m_pDoc->SetModified();
  return index >= 0 && index < GetCount() ? m_records[index].get() : nullptr;
}

BYTE CVexalonData::GetSlotId(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->raw[MeasRaw::kSlotId] : 0;
}

DWORD CVexalonData::GetId(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->DWord(MeasRaw::kId) : 0;
}

BYTE CVexalonData::GetUnit(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->raw[MeasRaw::kUnit] : 0;
}

CString CVexalonData::GetUnitName(int index) const {
  const zd_meas_t* m = Find(index);
  if (!m) throw std::invalid_argument("measurement index outside the list");
  return UnitName(m->raw[MeasRaw::kUnit]);
}

std::int64_t CVexalonData::GetDateTimeText(int index, CString& text) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 1;
  text = FormatDateTime(m->timeStamp, true);
  return m->timeStamp;
}

std::int64_t CVexalonData::GetLastCalibrationDate(int index, CString& text) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 1;
  const CString& date = m->device.strCalDate;
  const int year = LeadingInteger(date.Left(4));
  const int month = date.GetLength() > 5 ? LeadingInteger(date.Mid(5, 2)) : 0;
  const int day = date.GetLength() > 8 ? LeadingInteger(date.Mid(8, 2)) : 0;
  // A month or day beyond the calendar is taken as the last one the record fields allow.
  SLocalTime local{year > 1999 ? year : 2000, month > 0 ? std::min(month, 12) : 1,
                   day > 0 ? std::min(day, 31) : 1};
  const std::int64_t stamp = LocalTimeToStamp(local);
  text = FormatDateTime(stamp, false);
  return stamp;
}

double CVexalonData::GetAreaText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  FormatArea(m->Word(MeasRaw::kArea), m->raw[MeasRaw::kUnit], valueText, unitText);
  return m->Word(MeasRaw::kArea);
}

double CVexalonData::GetDiameterText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  FormatLength(m->diameter, m->raw[MeasRaw::kUnit], valueText, unitText);
  return m->diameter;
}

double CVexalonData::GetLoadRateText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  return FormatRate(m->Word(MeasRaw::kLoadRate), m->Word(MeasRaw::kArea), m->raw[MeasRaw::kUnit], valueText,
                    unitText);
}

double CVexalonData::GetEffectiveLoadRateText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  return FormatRate(m->Word(MeasRaw::kEffectiveLoadRate), m->Word(MeasRaw::kArea), m->raw[MeasRaw::kUnit],
                    valueText, unitText);
}

double CVexalonData::GetLoadText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  valueText = FormatForceValue(index, false);
  unitText = UnitName(m->raw[MeasRaw::kUnit]);
  return m->Word(MeasRaw::kLoadLimit);
}

double CVexalonData::GetPeakLoad(int index, BYTE& unit, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  const BYTE recordUnit = m->raw[MeasRaw::kUnit];
  valueText = FormatForceValue(index, true);
  const double newtons = m->Word(MeasRaw::kPeakLoad);
  if (unit == 0) return newtons;
  unit = recordUnit;
  unitText = UnitName(recordUnit);
  return ConvertForce(newtons, m->Word(MeasRaw::kArea), recordUnit);
}

double CVexalonData::GetLoadLimit(int index, bool convert) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  const double newtons = m->device.nLoadLimit;
  return convert ? ConvertForce(newtons, m->Word(MeasRaw::kArea), m->raw[MeasRaw::kUnit]) : newtons;
}

double CVexalonData::GetPeakLoadTimeText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  valueText.Format(u"%.1lf", m->peakTime);
  unitText = LoadStringOrPlaceholder(IDS_UNIT_SECOND);
  return m->peakTime;
}

double CVexalonData::GetTearOffTimeText(int index, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Find(index);
  if (!m) return 0;
  const double seconds = m->Word(MeasRaw::kTearOffTime) * 0.1;
  valueText.Format(u"%.1lf", seconds);
  unitText = LoadStringOrPlaceholder(IDS_UNIT_SECOND);
  return seconds;
}

double CVexalonData::GetSamplingPeriod(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->Word(MeasRaw::kSamplingPeriod) * 0.01 : 0;
}

bool CVexalonData::GetFailureMode(int index, int mode, CString& classText, int& percent,
                                  BYTE& classCode) const {
  classText = u"--";
  percent = 0;
  const zd_meas_t* m = Find(index);
  if (!m || mode < 1 || mode > 3) return false;
  percent = m->raw[MeasRaw::kFailurePercent + mode];
  classCode = m->raw[MeasRaw::kFailureClass + mode];
  classText = FailureClassName(classCode);
  return true;
}

bool CVexalonData::GetLoadCurve(int index, bool convert, const double*& values, double& peak,
                                double& peakTime, int& count, double& period, std::vector<CString>* texts) {
  std::fill(std::begin(m_curve), std::end(m_curve), 0.0);
  if (texts) texts->clear();
  const zd_meas_t* m = Find(index);
  if (!m) return false;
  const BYTE unit = m->raw[MeasRaw::kUnit];
  const double area = m->Word(MeasRaw::kArea);
  const int decimals = GetForceDecimals(unit, m->device.nLoadLimit);
  auto value = [&](double newtons) { return convert ? ConvertForce(newtons, area, unit) : newtons; };
  for (int i = 0; i < MeasRaw::kCurveSamples; ++i) {
    m_curve[i] = value(m->CurveSample(i));
    if (texts) texts->push_back(FormatValue(m_curve[i], decimals));
  }
  values = m_curve;
  peak = value(m->maxSample);
  peakTime = m->peakTime;
  count = MeasRaw::kCurveSamples;
  period = m->Word(MeasRaw::kSamplingPeriod) * 0.01;
  return true;
}

bool CVexalonData::GetDeviceInfo(int index, SMeasDeviceInfo& device) const {
  for (CString* s : {&device.strDeviceName, &device.strSerialNumber, &device.strHwSerialNumber,
                     &device.strHwRevision, &device.strAppVersion, &device.strModel, &device.strCalDate})
    *s = u"----";
  device.nLoadLimit = 0;
  const zd_meas_t* m = Find(index);
  if (!m) return false;
  device = m->device;
  return true;
}

CString CVexalonData::GetDeviceText(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->device.strSerialNumber : CString();
}

CString CVexalonData::GetComment(int index) const {
  const zd_meas_t* m = Find(index);
  return m ? m->comment : CString();
}

bool CVexalonData::IsExpanded(int index) const {
  const zd_meas_t* m = Find(index);
  return m && m->expanded;
}

bool CVexalonData::IsSelected(int index) const {
  if (m_records.empty()) return false;
  const zd_meas_t* m = Find(index);
  if (!m) throw std::invalid_argument("measurement index outside the list");
  return m->selected;
}

CString CVexalonData::FormatForceValue(int index, bool peak) const {
  const zd_meas_t* m = GetRecord(index);
  if (!m) throw std::invalid_argument("measurement index outside the list");
  const BYTE unit = m->raw[MeasRaw::kUnit];
  const double force = m->Word(peak ? MeasRaw::kPeakLoad : MeasRaw::kLoadLimit);
  return FormatValue(ConvertForce(force, m->Word(MeasRaw::kArea), unit),
                     GetForceDecimals(unit, m->device.nLoadLimit));
}

void CVexalonData::SetComment(int index, const CString& text) {
  if (zd_meas_t* m = Change(index)) m->comment = text;
}

void CVexalonData::SetId(int index, DWORD id) {
  if (zd_meas_t* m = Change(index)) m->SetDWord(MeasRaw::kId, id);
}

void CVexalonData::SetUnit(int index, BYTE unit) {
  if (zd_meas_t* m = Change(index)) m->raw[MeasRaw::kUnit] = unit;
}

void CVexalonData::SetFailureClass(int index, int mode, BYTE code) {
  zd_meas_t* m = Change(index);
  if (m && mode >= 1 && mode <= 3) m->raw[MeasRaw::kFailureClass + mode] = code;
}

void CVexalonData::SetFailurePercent(int index, int mode, BYTE percent) {
  zd_meas_t* m = Change(index);
  if (m && mode >= 1 && mode <= 3) m->raw[MeasRaw::kFailurePercent + mode] = percent;
}

void CVexalonData::SetExpanded(int index, bool flag) {
  if (zd_meas_t* m = Change(index)) m->expanded = flag;
}

void CVexalonData::SetTime(int index, std::int64_t time) {
  zd_meas_t* m = Change(index);
  if (!m) return;
  m->timeStamp = time;
  SLocalTime local;
  if (!StampToLocalTime(time, local)) return;
  // The raw record holds the year as an offset from 2000 in one byte.
  m->raw[MeasRaw::kYear] = BYTE(std::clamp(local.year - 2000, 0, 255));
  m->raw[MeasRaw::kMonth] = BYTE(local.month);
  m->raw[MeasRaw::kDay] = BYTE(local.day);
  m->raw[MeasRaw::kHour] = BYTE(local.hour);
  m->raw[MeasRaw::kMinute] = BYTE(local.minute);
  m->raw[MeasRaw::kSecond] = BYTE(local.second);
}

bool CVexalonData::SetSelected(int index, bool flag) {
  zd_meas_t* m = Find(index);
  if (!m) throw std::invalid_argument("measurement index outside the list");
  const bool previous = m->selected;
  m->selected = flag;
  return previous;
}

void CVexalonData::SelectAll(bool flag) {
  for (auto& record : m_records) record->selected = flag;
}
