#pragma once
// The summary of a project: one entry per measurement chosen for the summary, the statistics of
// their peak loads in one display unit, the order of the entries and a free comment.

#include <cstdint>
#include <memory>
#include <vector>

#include "document/MeasRecord.h"
#include "platform/base/String.h"

class CZedoDoc;
class CVexalonData;
namespace StreamIO {
class CJVArchive;
}

// One measurement of the summary.
struct SUM_MEAS_T {
  BYTE slotId = 0;
  DWORD id = 0;
  WORD area = 0;         // mm2
  WORD loadRate = 0;     // N/s
  WORD loadLimit = 0;    // N, the test's own load limit field
  WORD peakLoad = 0;     // N
  WORD tearOffTime = 0;  // 1/10 s
  CString valueText;
  double value = 0.0;  // the peak load in the summary unit
  std::int64_t timeStamp = 0;
  int listIndex = 0;  // position of the measurement in the list when the entries were built
};

class CSummaryData {
 public:
  enum : BYTE { SORT_BY_ID = 0, SORT_BY_TIME = 1, SORT_BY_VALUE = 2 };
  static constexpr double kNoMinimum = 999999.0;

  CSummaryData();
  ~CSummaryData();
  CSummaryData(const CSummaryData&) = delete;
  CSummaryData& operator=(const CSummaryData&) = delete;

  void SetDocument(CZedoDoc* doc, CVexalonData* list);
  // Rebuilds the entries of the selected measurements and the statistics.
  void Compute();
  // Deletes the entries; the statistics stay.
  void ClearEntries();

  void SetSortKey(BYTE key);
  void SetUnit(BYTE unit);
  void SetComment(const CString& text);
  BYTE GetSortKey(CString& name) const;
  BYTE GetSortKey() const { return m_sortKey; }
  BYTE GetUnit() const { return m_unit; }
  CString GetUnitName() const;
  CString GetCommentRef() const { return m_strComment; }

  double GetMinimum(CString& text) const;
  double GetMaximum(CString& text) const;
  double GetRange(CString& text) const;
  double GetMean(CString& text) const;
  double GetStdDeviation(CString& text) const;
  int GetDecimals() const { return m_nDecimals; }

  int GetCount() const { return m_nCount; }
  // The entry n in the summary's order, or null outside the entries.
  const SUM_MEAS_T* GetEntry(int n) const;

  // Per entry in the summary unit; n past the entries gives 0, a negative n or an entry whose
  // measurement has left the list raises std::invalid_argument.
  double GetAreaText(int n, CString& valueText, CString& unitText) const;
  double GetDiameterText(int n, CString& valueText, CString& unitText) const;
  double GetLoadRateText(int n, CString& valueText, CString& unitText) const;
  double GetEffectiveLoadRateText(int n, CString& valueText, CString& unitText) const;

  // Storing writes sort key, unit and comment; loading reads them for versions above 1 only.
  void Serialize(StreamIO::CJVArchive& archive, WORD version);
  // The settings a project image carries, read without changing this summary.
  struct SSettings {
    BYTE sortKey;
    BYTE unit;
    CString comment;
  };
  static SSettings Read(StreamIO::CJVArchive& archive);
  void Apply(const SSettings& settings);

 private:
  void MarkModified();
  // The measurement of entry n, or null when n is past the entries.
  const zd_meas_t* Record(int n) const;

  CString m_strComment;
  BYTE m_unit = 1;
  BYTE m_sortKey = SORT_BY_TIME;
  int m_nCount = 0;
  double m_dMean = 0.0;
  double m_dStdDeviation = 0.0;
  double m_dRange = 0.0;
  double m_dMinimum = kNoMinimum;
  double m_dMaximum = 0.0;
  int m_nDecimals = 1;
  CZedoDoc* m_pDoc = nullptr;
  CVexalonData* m_pList = nullptr;
  std::vector<std::unique_ptr<SUM_MEAS_T>> m_entries;
};

// "ID", "Date & Time" or "Value" for the sort keys 0 to 2, "--" otherwise.
CString SummarySortKeyName(BYTE key);
