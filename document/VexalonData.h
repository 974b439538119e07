#pragma once
// The ordered list of measurements of a project. It parses download buffers into records,
// answers the views' questions about one record (by list index, in the record's display unit),
// changes the few editable fields, sorts by one of 18 keys and reads and writes the list
// section of a project image.
//
// Questions with an index at or past the end give a neutral result; a negative index raises
// std::invalid_argument. Every change marks the owning document modified.

#include <cstdint>
#include <memory>
#include <vector>

#include "document/MeasRecord.h"

class CZedoDoc;
namespace StreamIO {
class CJVArchive;
}

class CVexalonData {
 public:
  enum : BYTE { SORT_NONE = 0, SORT_KEY_COUNT = 18 };

  explicit CVexalonData(CZedoDoc* owner = nullptr);
  ~CVexalonData();
  CVexalonData(const CVexalonData&) = delete;
  CVexalonData& operator=(const CVexalonData&) = delete;

  // Appends the whole 238-byte records of the buffer, each with a copy of the device block when
  // one is given. False when a record does not start with its length 238 (records before it
  // stay); a trailing part shorter than a record is ignored.
  bool ParseDownload(const BYTE* buffer, std::size_t length, const SMeasDeviceInfo* device);
  void Clear();
  void DeleteMeasurement(int index);
  // Keys 1 to 18 sort (odd ascending, even descending); any key is stored.
  void Sort(BYTE key);
  // Storing writes the records whose selection byte is 1 (all without a selection). Loading
  // needs an empty list; it reads one record at a time, so a count larger than the data ends
  // with the archive's end-of-data error, and a record length other than 238 or a record
  // without its marker raises the file error 13.
  void Serialize(StreamIO::CJVArchive& archive, WORD version, const std::vector<BYTE>* selection = nullptr);
  // Moves every record of the other list to the end of this one.
  void TakeOver(CVexalonData& other);
  // Exchanges the records (and sort keys) of both lists; owners stay.
  void Swap(CVexalonData& other);

  int GetCount() const { return int(m_records.size()); }
  bool HasMeasurements() const { return !m_records.empty(); }
  BYTE GetSortColumn() const { return m_sortKey; }
  // The record, or null outside the list.
  const zd_meas_t* GetRecord(int index) const;

  BYTE GetSlotId(int index) const;
  DWORD GetId(int index) const;
  BYTE GetUnit(int index) const;
  CString GetUnitName(int index) const;
  // The time stamp; the text is the local date and time in the user's pictures.
  std::int64_t GetDateTimeText(int index, CString& text) const;
  std::int64_t GetLastCalibrationDate(int index, CString& text) const;
  double GetAreaText(int index, CString& valueText, CString& unitText) const;
  double GetDiameterText(int index, CString& valueText, CString& unitText) const;
  double GetLoadRateText(int index, CString& valueText, CString& unitText) const;
  double GetEffectiveLoadRateText(int index, CString& valueText, CString& unitText) const;
  // The test's load limit field in N; the value text is converted to the record unit.
  double GetLoadText(int index, CString& valueText, CString& unitText) const;
  // unit on entry: non-zero asks for the record unit (and receives its code), zero for N.
  double GetPeakLoad(int index, BYTE& unit, CString& valueText, CString& unitText) const;
  double GetLoadLimit(int index, bool convert) const;
  double GetPeakLoadTimeText(int index, CString& valueText, CString& unitText) const;
  double GetTearOffTimeText(int index, CString& valueText, CString& unitText) const;
  double GetSamplingPeriod(int index) const;
  bool GetFailureMode(int index, int mode, CString& classText, int& percent, BYTE& classCode) const;
  // The 100 samples in N or in the record unit, in a buffer of this list that the next call
  // overwrites. texts (optional) receives each sample as text.
  bool GetLoadCurve(int index, bool convert, const double*& values, double& peak, double& peakTime,
                    int& count, double& period, std::vector<CString>* texts = nullptr);
  bool GetDeviceInfo(int index, SMeasDeviceInfo& device) const;
  CString GetDeviceText(int index) const;
  CString GetComment(int index) const;
  bool IsExpanded(int index) const;
  // False for an empty list; an index outside a non-empty list raises.
  bool IsSelected(int index) const;
  // The load limit field (peak false) or the peak load (peak true) as text in the record unit.
  CString FormatForceValue(int index, bool peak) const;

  void SetComment(int index, const CString& text);
  void SetId(int index, DWORD id);
  void SetUnit(int index, BYTE unit);
  void SetFailureClass(int index, int mode, BYTE code);
  void SetFailurePercent(int index, int mode, BYTE percent);
  void SetExpanded(int index, bool flag);
  // Sets the time stamp and writes its local date and time into the raw bytes, so that the
  // adjusted time is what a saved or pasted copy shows.
  void SetTime(int index, std::int64_t time);
  // The summary selection; these do not mark the document (the document does).
  bool SetSelected(int index, bool flag);
  void SelectAll(bool flag);

 private:
  zd_meas_t* Find(int index) const;
  // Marks the owner modified and returns the record, or null outside the list.
  zd_meas_t* Change(int index);
  void Store(StreamIO::CJVArchive& archive, const std::vector<BYTE>* selection) const;
  void Load(StreamIO::CJVArchive& archive, WORD version);

  CZedoDoc* m_pDoc;
  BYTE m_sortKey = SORT_NONE;
  std::vector<std::unique_ptr<zd_meas_t>> m_records;
  double m_curve[MeasRaw::kCurveSamples] = {};
};
