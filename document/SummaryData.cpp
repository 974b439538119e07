#include "document/SummaryData.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/streamio/JVArchive.h"
#include "document/Units.h"
#include "document/VexalonData.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"

CSummaryData::CSummaryData() = default;

CSummaryData::~CSummaryData() = default;

CString SummarySortKeyName(BYTE key) {
  switch (key) {
    case CSummaryData::SORT_BY_ID:
      return LoadStringOrPlaceholder(IDS_LABEL_ID);
    case CSummaryData::SORT_BY_TIME:
      return LoadStringOrPlaceholder(IDS_LABEL_DATE_TIME);
    case CSummaryData::SORT_BY_VALUE:
      return LoadStringOrPlaceholder(IDS_LABEL_VALUE);
    default:
      return u"--";
  }
}

void CSummaryData::SetDocument(CZedoDoc* doc, CVexalonData* list) {
  m_pDoc = doc;
  m_pList = list;
}

void CSummaryData::ClearEntries() {
  m_entries.clear();
  m_nCount = 0;
}

void CSummaryData::Compute() {
  ClearEntries();
  if (!m_pList) return;
  m_dMean = m_dStdDeviation = m_dRange = 0.0;
  m_dMinimum = kNoMinimum;
  m_dMaximum = 0.0;
  double sum = 0.0;
  for (int i = 0; i < m_pList->GetCount(); ++i) {
    const zd_meas_t& m = *m_pList->GetRecord(i);
    if (!m.selected) continue;
    auto entry = std::make_unique<SUM_MEAS_T>();
    entry->slotId = m.raw[MeasRaw::kSlotId];
    entry->id = m.DWord(MeasRaw::kId);
    entry->area = m.Word(MeasRaw::kArea);
    entry->loadRate = m.Word(MeasRaw::kLoadRate);
    entry->loadLimit = m.Word(MeasRaw::kLoadLimit);
    entry->peakLoad = m.Word(MeasRaw::kPeakLoad);
    entry->tearOffTime = m.Word(MeasRaw::kTearOffTime);
    // The test's own load limit field decides the decimals, and the last entry those of the
    // whole summary.
    m_nDecimals = GetForceDecimals(m_unit, entry->loadLimit);
    entry->value = ConvertForce(entry->peakLoad, entry->area, m_unit);
    entry->valueText = FormatValue(entry->value, m_nDecimals);
    entry->timeStamp = m.timeStamp;
    entry->listIndex = i;
    m_dMinimum = std::min(m_dMinimum, entry->value);
    m_dMaximum = std::max(m_dMaximum, entry->value);
    sum += entry->value;
    m_entries.push_back(std::move(entry));
    ++m_nCount;
  }
  if (m_nCount == 0) return;
  m_dRange = m_dMaximum - m_dMinimum;
  m_dMean = sum / m_nCount;
  if (m_nCount > 1) {
    // Deviations from the mean, so that rounding can never make the variance negative.
    double squares = 0.0;
    for (const auto& entry : m_entries) squares += (entry->value - m_dMean) * (entry->value - m_dMean);
    m_dStdDeviation = std::sqrt(squares / (m_nCount - 1));
  }
  std::stable_sort(m_entries.begin(), m_entries.end(), [this](const auto& a, const auto& b) {
    switch (m_sortKey) {
      case SORT_BY_ID:
        return a->id < b->id;
      case SORT_BY_VALUE:
        return a->value < b->value;
      default:
        return a->timeStamp < b->timeStamp;
    }
  });
}

void CSummaryData::MarkModified() {
  if (m_pDoc) m_pDoc->SetModified();
}

void CSummaryData::SetSortKey(BYTE key) {
  m_sortKey = key;
  Compute();
  MarkModified();
}

void CSummaryData::SetUnit(BYTE unit) {
  m_unit = unit;
  Compute();
  MarkModified();
}

void CSummaryData::SetComment(const CString& text) {
  m_strComment = text;
  MarkModified();
}

BYTE CSummaryData::GetSortKey(CString& name) const {
  name = SummarySortKeyName(m_sortKey);
  return m_sortKey;
}

CString CSummaryData::GetUnitName() const { return UnitName(m_unit); }

double CSummaryData::GetMinimum(CString& text) const {
  text = FormatValue(m_dMinimum, m_nDecimals);
  return m_dMinimum;
}

double CSummaryData::GetMaximum(CString& text) const {
  text = FormatValue(m_dMaximum, m_nDecimals);
  return m_dMaximum;
}

double CSummaryData::GetRange(CString& text) const {
  text = FormatValue(m_dRange, m_nDecimals);
  return m_dRange;
}

double CSummaryData::GetMean(CString& text) const {
  text = FormatValue(m_dMean, m_nDecimals + 1);
  return m_dMean;
}

double CSummaryData::GetStdDeviation(CString& text) const {
  text = FormatValue(m_dStdDeviation, m_nDecimals + 1);
  return m_dStdDeviation;
}

const SUM_MEAS_T* CSummaryData::GetEntry(int n) const {
  return n >= 0 && n < int(m_entries.size()) ? m_entries[n].get() : nullptr;
}

const zd_meas_t* CSummaryData::Record(int n) const {
  if (n < 0) throw std::invalid_argument("negative summary entry");
  if (n >= int(m_entries.size())) return nullptr;
  const zd_meas_t* m = m_pList ? m_pList->GetRecord(m_entries[n]->listIndex) : nullptr;
  if (!m) throw std::invalid_argument("summary entry outside the measurement list");
  return m;
}

double CSummaryData::GetAreaText(int n, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Record(n);
  if (!m) return 0;
  FormatArea(m->Word(MeasRaw::kArea), m_unit, valueText, unitText);
  return m->Word(MeasRaw::kArea);
}

double CSummaryData::GetDiameterText(int n, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Record(n);
  if (!m) return 0;
  FormatLength(m->diameter, m_unit, valueText, unitText);
  return m->diameter;
}

double CSummaryData::GetLoadRateText(int n, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Record(n);
  if (!m) return 0;
  return FormatRate(m->Word(MeasRaw::kLoadRate), m->Word(MeasRaw::kArea), m_unit, valueText, unitText);
}

double CSummaryData::GetEffectiveLoadRateText(int n, CString& valueText, CString& unitText) const {
  const zd_meas_t* m = Record(n);
  if (!m) return 0;
  return FormatRate(m->Word(MeasRaw::kEffectiveLoadRate), m->Word(MeasRaw::kArea), m_unit, valueText,
                    unitText);
}

void CSummaryData::Serialize(StreamIO::CJVArchive& archive, WORD version) {
  if (!archive.IsLoading()) {
    archive.WriteByte(m_sortKey);
    archive.WriteByte(m_unit);
    archive.WriteString(m_strComment);
  } else if (version > 1) {
    Apply(Read(archive));
  }
}

CSummaryData::SSettings CSummaryData::Read(StreamIO::CJVArchive& archive) {
  SSettings settings;
  settings.sortKey = archive.ReadByte();
  settings.unit = archive.ReadByte();
  archive.ReadString(settings.comment);
  return settings;
}

void CSummaryData::Apply(const SSettings& settings) {
  m_sortKey = settings.sortKey;
  m_unit = settings.unit;
  m_strComment = settings.comment;
}
