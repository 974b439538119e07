#include "document/ZedoDoc.h"

#include <algorithm>
#include <utility>

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Wnd.h"
#include "resources/ResourceIds.h"

const char16_t CZedoDoc::kMagic[] = u"JovanT ZD-Zedo project file";
const char16_t CZedoDoc::kClipboardFormatName[] = u"ZD-ZedoClipboardFormat";
const char16_t CZedoDoc::kClipRamStreamName[] = u"RAM:ClipRamStream";

template <auto Operation, class Document, class... Args>
decltype(auto) CZedoDoc::Forward(Document& document, Args&&... args) {
  CSingleLock lock(document.m_lock);
  return (document.m_list.*Operation)(std::forward<Args>(args)...);
}

CZedoDoc::CZedoDoc() : m_list(this), m_clipboardFormat(RegisterClipboardFormat(kClipboardFormatName)) {
  m_summary.SetDocument(this, &m_list);
}

CZedoDoc::~CZedoDoc() = default;

void CZedoDoc::AddView(CWnd* window) {
  CSingleLock lock(m_lock);
  m_views.push_back(window);
}

bool CZedoDoc::RemoveView(CWnd* window) {
  CSingleLock lock(m_lock);
  auto it = std::find(m_views.begin(), m_views.end(), window);
  if (it == m_views.end()) return false;
  m_views.erase(it);
  return true;
}

void CZedoDoc::UpdateAllViews(CWnd* sender, int index) {
  CSingleLock lock(m_lock);
  for (CWnd* view : m_views) {
    // A view destroyed without unregistering simply misses the notice.
    if (view != sender && CWnd::IsWindowHandle(view))
      view->PostMessage(WM_ZEDO_DOC_CHANGED, WPARAM(index), 0);
  }
}

bool CZedoDoc::SetModified() { return m_bModified.exchange(true); }

CString CZedoDoc::GetTitle(bool stripped) const {
  if (m_strPath.IsEmpty()) return HasMeasurements() ? LoadStringOrPlaceholder(IDS_UNNAMED) : CString();
  if (!stripped) return m_strPath;
  const int slash = std::max(m_strPath.ReverseFind(u'/'), m_strPath.ReverseFind(u'\\'));
  if (slash < 0) return CString();
  CString name = m_strPath.Mid(slash + 1);
  const int dot = name.ReverseFind(u'.');
  return dot < 0 ? name : name.Left(dot);
}

bool CZedoDoc::HasMeasurements() const { return Forward<&CVexalonData::HasMeasurements>(*this); }

void CZedoDoc::SelectAll(bool flag) {
  {
    CSingleLock lock(m_lock);
    if (!m_list.HasMeasurements()) return;
    m_list.SelectAll(flag);
  }
  SetModified();
  UpdateAllViews(nullptr, -1);
}

bool CZedoDoc::SetSelected(int index, bool flag) {
  bool previous = false;
  {
    CSingleLock lock(m_lock);
    if (!m_list.HasMeasurements()) return false;
    previous = m_list.SetSelected(index, flag);
  }
  SetModified();
  UpdateAllViews(nullptr, index);
  return previous;
}

bool CZedoDoc::IsSelected(int index) const { return Forward<&CVexalonData::IsSelected>(*this, index); }

void CZedoDoc::Sort(BYTE key) {
  {
    CSingleLock lock(m_lock);
    m_list.Sort(key);
  }
  SetModified();
}

bool CZedoDoc::RecomputeSummary() {
  CSingleLock lock(m_lock);
  m_summary.Compute();
  return true;
}

bool CZedoDoc::AddDownloadedData(const BYTE* buffer, std::size_t length, const SMeasDeviceInfo* device) {
  // Parsed outside the lock, so that the views keep drawing the old list meanwhile.
  CVexalonData downloaded;
  const bool complete = downloaded.ParseDownload(buffer, length, device);
  {
    CSingleLock lock(m_lock);
    m_list.Swap(downloaded);
    SetModified();
  }
  UpdateAllViews(nullptr, -1);
  return complete;
}

int CZedoDoc::GetCount() const { return Forward<&CVexalonData::GetCount>(*this); }

BYTE CZedoDoc::GetSortColumn() const { return Forward<&CVexalonData::GetSortColumn>(*this); }

BYTE CZedoDoc::GetSlotId(int index) const { return Forward<&CVexalonData::GetSlotId>(*this, index); }

DWORD CZedoDoc::GetId(int index) const { return Forward<&CVexalonData::GetId>(*this, index); }

BYTE CZedoDoc::GetUnit(int index) const { return Forward<&CVexalonData::GetUnit>(*this, index); }

CString CZedoDoc::GetUnitName(int index) const { return Forward<&CVexalonData::GetUnitName>(*this, index); }

std::int64_t CZedoDoc::GetDateTimeText(int index, CString& text) const {
  return Forward<&CVexalonData::GetDateTimeText>(*this, index, text);
}

std::int64_t CZedoDoc::GetLastCalibrationDate(int index, CString& text) const {
  return Forward<&CVexalonData::GetLastCalibrationDate>(*this, index, text);
}

double CZedoDoc::GetAreaText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetAreaText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetDiameterText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetDiameterText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetLoadRateText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetLoadRateText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetEffectiveLoadRateText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetEffectiveLoadRateText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetLoadText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetLoadText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetPeakLoad(int index, BYTE& unit, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetPeakLoad>(*this, index, unit, valueText, unitText);
}

double CZedoDoc::GetLoadLimit(int index, bool convert) const {
  return Forward<&CVexalonData::GetLoadLimit>(*this, index, convert);
}

double CZedoDoc::GetPeakLoadTimeText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetPeakLoadTimeText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetTearOffTimeText(int index, CString& valueText, CString& unitText) const {
  return Forward<&CVexalonData::GetTearOffTimeText>(*this, index, valueText, unitText);
}

double CZedoDoc::GetSamplingPeriod(int index) const {
  return Forward<&CVexalonData::GetSamplingPeriod>(*this, index);
}

bool CZedoDoc::GetFailureMode(int index, int mode, CString& classText, int& percent, BYTE& classCode) const {
  return Forward<&CVexalonData::GetFailureMode>(*this, index, mode, classText, percent, classCode);
}

bool CZedoDoc::GetLoadCurve(int index, bool convert, const double*& values, double& peak, double& peakTime,
                            int& count, double& period, std::vector<CString>* texts) {
  return Forward<&CVexalonData::GetLoadCurve>(*this, index, convert, values, peak, peakTime, count, period,
                                              texts);
}

bool CZedoDoc::GetDeviceInfo(int index, SMeasDeviceInfo& device) const {
  return Forward<&CVexalonData::GetDeviceInfo>(*this, index, device);
}

CString CZedoDoc::GetDeviceText(int index) const {
  return Forward<&CVexalonData::GetDeviceText>(*this, index);
}

CString CZedoDoc::GetComment(int index) const { return Forward<&CVexalonData::GetComment>(*this, index); }

bool CZedoDoc::IsExpanded(int index) const { return Forward<&CVexalonData::IsExpanded>(*this, index); }

void CZedoDoc::DeleteMeasurement(int index) { Forward<&CVexalonData::DeleteMeasurement>(*this, index); }

void CZedoDoc::SetComment(int index, const CString& text) {
  Forward<&CVexalonData::SetComment>(*this, index, text);
}

void CZedoDoc::SetId(int index, DWORD id) { Forward<&CVexalonData::SetId>(*this, index, id); }

void CZedoDoc::SetUnit(int index, BYTE unit) { Forward<&CVexalonData::SetUnit>(*this, index, unit); }

void CZedoDoc::SetFailureClass(int index, int mode, BYTE code) {
  Forward<&CVexalonData::SetFailureClass>(*this, index, mode, code);
}

void CZedoDoc::SetFailurePercent(int index, int mode, BYTE percent) {
  Forward<&CVexalonData::SetFailurePercent>(*this, index, mode, percent);
}

void CZedoDoc::SetExpanded(int index, bool flag) { Forward<&CVexalonData::SetExpanded>(*this, index, flag); }

void CZedoDoc::SetTime(int index, std::int64_t time) { Forward<&CVexalonData::SetTime>(*this, index, time); }

bool CZedoDoc::CanPaste() const {
  return std::any_of(std::begin(m_clipboardFlags), std::end(m_clipboardFlags), [](BYTE f) { return f != 0; });
}
