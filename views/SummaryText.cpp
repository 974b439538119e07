// The summary as text: the text form of the page, the lines of its table and the copy to the
// clipboard.

#include <cstring>
#include <initializer_list>

#include "appbase/EscapeMarkup.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "document/MeasurementId.h"
#include "document/Units.h"
#include "document/ZedoDoc.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/PaintDC.h"
#include "resources/ResourceIds.h"
#include "views/SummaryView.h"

namespace {

// The table's fields are separated by TABs; a ';' in a text stays as it is.
constexpr char16_t kSeparator = u'\t';

void Field(CString& line, const CString& text) {
  line += text;
  line += kSeparator;
}

// Digits of a number, at least `width` of them (zero-padded); the table writes thousands of
// them, so they are made by hand rather than through a format.
void AppendNumber(CString& line, long long value, int width = 0) {
  char16_t digits[24];
  int count = 0;
  const bool negative = value < 0;
  unsigned long long rest = negative ? 0ull - static_cast<unsigned long long>(value) : value;
  do {
    digits[count++] = char16_t(u'0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (count < width) digits[count++] = u'0';
  if (negative) line += u'-';
  while (count > 0) line += digits[--count];
}

void Field(CString& line, long long value) {
  AppendNumber(line, value);
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
  m_bTextPass = true;
  m_discTexts.clear();
  m_tearOffTexts.clear();
  MeasureValueWidths(&surface);
  DrawTitle(&surface, 0, 0, false, &text);
  DrawComment(&surface, 0, 0, 1000, &text);
  DrawStatistics(&surface, 0, 0, false, &text);
  DrawPeakLoadChart(&surface, 0, 0, 1000, 300, false, &text);
  m_bTextPass = false;
  m_discTexts.clear();
  m_tearOffTexts.clear();
  surface.SelectObject(old);
  m_pHits = &m_hitAreas;
  return text;
}

CString CSummaryView::FormatTable(int index) {
  CString line;
  AppendTableLine(index, line);
  return line;
}

void CSummaryView::AppendTableLine(int index, CString& line) {
  const CSummaryData& summary = m_pDoc->GetSummary();
  const BYTE unit = summary.GetUnit();
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
    return;
  }

  const SUM_MEAS_T* entry = summary.GetEntry(index);
  if (!entry) return;
  const int m = entry->listIndex;
  Field(line, index + 1);
  Field(line, entry->slotId);
  Field(line, FormatMeasurementId(entry->id));
  // The stamp's own local date and time, daylight saving included.
  SLocalTime local;
  StampToLocalTime(entry->timeStamp, local);
  AppendNumber(line, local.year);
  line += u'-';
  AppendNumber(line, local.month, 2);
  line += u'-';
  AppendNumber(line, local.day, 2);
  line += kSeparator;
  AppendNumber(line, local.hour, 2);
  line += u':';
  AppendNumber(line, local.minute, 2);
  line += u':';
  AppendNumber(line, local.second, 2);
  line += kSeparator;
  CString value, unitText;
  const SDiscTexts& disc = DiscTexts(index, *entry);
  Field(line, disc.area);
  Field(line, disc.diameter);
  Field(line, entry->valueText);
  Field(line, disc.loadRate);
  summary.GetEffectiveLoadRateText(index, value, unitText);
  Field(line, value);
  m_pDoc->GetPeakLoadTimeText(m, value, unitText);
  Field(line, value);
  Field(line, TearOffText(*entry));
  for (int mode = 1; mode <= 3; ++mode) {
    int percent = 0;
    BYTE code = 0;
    m_pDoc->GetFailureMode(m, mode, value, percent, code);
    Field(line, value);
    Field(line, percent);
  }
  Field(line, EscapeMarkup(m_pDoc->GetComment(m), true));
  // The instrument's texts may hold TABs and line breaks too; escaped, they keep their columns.
  SMeasDeviceInfo device;
  m_pDoc->GetDeviceInfo(m, device);
  for (const CString* field : {&device.strSerialNumber, &device.strHwSerialNumber, &device.strHwRevision,
                               &device.strAppVersion, &device.strCalDate})
    Field(line, EscapeMarkup(*field, true));
  line += u"\r\n";
}

const CSummaryView::SDiscTexts& CSummaryView::DiscTexts(int index, const SUM_MEAS_T& entry) {
  const std::uint32_t key = std::uint32_t(entry.area) << 16 | entry.loadRate;
  auto [it, added] = m_discTexts.try_emplace(key);
  // Outside a text form nothing is kept: the unit may change between two calls.
  if (added || !m_bTextPass) {
    const CSummaryData& summary = m_pDoc->GetSummary();
    CString unit;
    summary.GetAreaText(index, it->second.area, unit);
    summary.GetDiameterText(index, it->second.diameter, unit);
    summary.GetLoadRateText(index, it->second.loadRate, unit);
  }
  return it->second;
}

const CString& CSummaryView::TearOffText(const SUM_MEAS_T& entry) {
  auto [it, added] = m_tearOffTexts.try_emplace(entry.tearOffTime);
  if (added || !m_bTextPass) {
    CString unit;
    m_pDoc->GetTearOffTimeText(entry.listIndex, it->second, unit);
  }
  return it->second;
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
