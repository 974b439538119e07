// The summary as text: the text form of the page, the lines of its table and the copy to the
// clipboard.

#include <cstring>

#include "app/data/EscapeMarkup.h"
#include "app/data/LoadStringOrPlaceholder.h"
#include "app/data/Units.h"
#include "app/data/ZedoDoc.h"
#include "device/FileVersionInfo.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/PaintDC.h"
#include "resources/ResourceIds.h"
#include "views/SummaryView.h"

namespace {

// The table's fields are separated by TABs; the texts in them keep their own characters.
constexpr char16_t kSeparator = u'\t';

void Field(CString& line, const CString& text) {
  line += text;
  line += kSeparator;
}

void Field(CString& line, int value) {
  line.AppendFormat(u"%d", value);
  line += kSeparator;
}

CString Label(UINT id) { return LoadStringOrPlaceholder(id); }

}  // namespace

CString CSummaryView::GetSummaryText() {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  CString text = u"ZD-Zedo Version\t" + version.GetProductVersion() + u"\r\n";
  text += u"---------------\r\n";
  if (!HasEntries()) return text;

  // The blocks run in draw mode on a surface that is thrown away; their hit regions go to a
  // scratch list, so the view's regions stay those of the screen.
  CSensitiveArea scratch;
  m_pHits = &scratch;
  CClientDC screen(this);
  CDC surface;
  surface.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 1, 1);
  CBitmap* old = surface.SelectObject(&bitmap);
  surface.SetBkMode(TRANSPARENT);
  DrawTitle(&surface, 0, 0, false, &text);
  DrawComment(&surface, 0, 0, 1000, &text);
  DrawStatistics(&surface, 0, 0, false, &text);
  DrawPeakLoadChart(&surface, 0, 0, 1000, 300, false, &text);
  surface.SelectObject(old);
  m_pHits = &m_hitAreas;
  return text;
}

CString CSummaryView::FormatTable(int index) {
  const CSummaryData& summary = m_pDoc->GetSummary();
  const BYTE unit = summary.GetUnit();
  CString line;
  if (index < 0) {
    CString rateValue, rateUnit;
    FormatRate(0, 1, unit, rateValue, rateUnit);
    const CString seconds = Label(IDS_UNIT_SECOND);
    line += u"##";
    line += kSeparator;
    Field(line, Label(IDS_LABEL_SLOT_ID));
    Field(line, Label(IDS_LABEL_ID));
    Field(line, Label(IDS_LABEL_DATE));
    Field(line, Label(IDS_LABEL_TIME));
    Field(line, Label(IDS_LABEL_DISC_AREA) + u" (" + AreaUnitName(unit) + u")");
    Field(line, u" " + Label(IDS_LABEL_DISC_DIAMETER) + u" (" + LengthUnitName(unit) + u")");
    Field(line, Label(IDS_LABEL_PEAK_LOAD) + u" (" + summary.GetUnitName() + u")");
    Field(line, Label(IDS_LABEL_LOAD_RATE) + u" (" + rateUnit + u")");
    Field(line, Label(IDS_LABEL_EFFECTIVE_LOAD_RATE) + u" (" + rateUnit + u")");
    Field(line, u" " + Label(IDS_LABEL_PEAK_LOAD_TIME) + u"(" + seconds + u")");
    Field(line, u" " + Label(IDS_LABEL_TEAR_OFF_TIME) + u"(" + seconds + u")");
    for (const char16_t* field :
         {u"FM1 Class", u"FM1 (%)", u"FM2 Class", u"FM2 (%)", u"FM3 Class", u"FM3 (%)"})
      Field(line, field);
    Field(line, Label(IDS_LABEL_COMMENT));
    for (const char16_t* field : {u"Dev SN", u"HW SN", u"HW Rev", u"FW Ver"}) Field(line, field);
    Field(line, Label(IDS_LABEL_LAST_CALIBRATION));
    line += u"\r\n";
    return line;
  }

  const SUM_MEAS_T* entry = summary.GetEntry(index);
  if (!entry) return line;
  const int m = entry->listIndex;
  Field(line, index + 1);
  Field(line, int(m_pDoc->GetSlotId(m)));
  Field(line, int(m_pDoc->GetId(m)));
  // The stamp's own local date and time, daylight saving included.
  SLocalTime local;
  StampToLocalTime(entry->timeStamp, local);
  line.AppendFormat(u"%d-%02d-%02d", local.year, local.month, local.day);
  line += kSeparator;
  line.AppendFormat(u"%02d:%02d:%02d", local.hour, local.minute, local.second);
  line += kSeparator;
  CString value, unitText;
  summary.GetAreaText(index, value, unitText);
  Field(line, value);
  summary.GetDiameterText(index, value, unitText);
  Field(line, value);
  Field(line, entry->valueText);
  summary.GetLoadRateText(index, value, unitText);
  Field(line, value);
  summary.GetEffectiveLoadRateText(index, value, unitText);
  Field(line, value);
  m_pDoc->GetPeakLoadTimeText(m, value, unitText);
  Field(line, value);
  m_pDoc->GetTearOffTimeText(m, value, unitText);
  Field(line, value);
  for (int mode = 1; mode <= 3; ++mode) {
    int percent = 0;
    BYTE code = 0;
    m_pDoc->GetFailureMode(m, mode, value, percent, code);
    Field(line, value);
    Field(line, percent);
  }
  Field(line, EscapeMarkup(m_pDoc->GetComment(m), true));
  SMeasDeviceInfo device;
  m_pDoc->GetDeviceInfo(m, device);
  Field(line, device.strSerialNumber);
  Field(line, device.strHwSerialNumber);
  Field(line, device.strHwRevision);
  Field(line, device.strAppVersion);
  Field(line, device.strCalDate);
  line += u"\r\n";
  return line;
}

void CSummaryView::CopyAsText() {
  if (!HasEntries()) return;
  const CString text = GetSummaryText();
  // As Unicode, so that every character of comments and device texts survives.
  std::vector<BYTE> data(std::size_t(text.GetLength() + 1) * 2, 0);
  std::memcpy(data.data(), text.GetString(), std::size_t(text.GetLength()) * 2);
  if (!OpenClipboard(this)) return;
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, std::move(data));
  CloseClipboard();
}
